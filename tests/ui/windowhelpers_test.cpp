#include "filefilters.h"
#include "windowhelpers.h"

#include "settingsstore.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

class WindowHelpersTest : public QObject
{
    Q_OBJECT

private slots:
    void enableControlReachesNestedContents();
    void captionField_data();
    void captionField();
    void missingPositionCentresAtCurrentSize();
    void storedZeroSizeKeepsCurrent();
    void fileFilters_data();
    void fileFilters();
};

void WindowHelpersTest::enableControlReachesNestedContents()
{
    QWidget window;
    auto *outer = new QGroupBox(&window);
    auto *inner = new QGroupBox(outer);
    auto *field = new QLineEdit(inner);
    auto *outside = new QLineEdit(&window);
    EnableControl(outer, false);
    QVERIFY(field->testAttribute(Qt::WA_Disabled)); // itself, not only through its parent
    QVERIFY(!inner->isEnabledTo(&window));
    QVERIFY(outside->isEnabled());
    EnableControl(outer, true);
    QVERIFY(field->isEnabled());
    QVERIFY(inner->isEnabled());
}

void WindowHelpersTest::captionField_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("expected");

    const QString title = QStringLiteral("TexelSmithy v2.0.1");
    QTest::newRow("path shown") << title << "C:\\my-fonts\\a (1).tsm" << 1
                                << "TexelSmithy v2.0.1 - C:\\my fonts\\a [1].tsm";
    QTest::newRow("cleared") << "TexelSmithy v2.0.1 - C:\\a.tsm" << "" << 1 << title;
    QTest::newRow("replaced") << "TexelSmithy v2.0.1 - /a.tsm" << "/b.tsm" << 1 << "TexelSmithy v2.0.1 - /b.tsm";
    QTest::newRow("title cannot be set") << title << "Other" << 0 << title;
    QTest::newRow("empty field kept between") << title << "x" << 2 << "TexelSmithy v2.0.1 -  - x";
}

void WindowHelpersTest::captionField()
{
    QFETCH(QString, caption);
    QFETCH(QString, text);
    QFETCH(int, index);
    QFETCH(QString, expected);
    QWidget window;
    window.setWindowTitle(caption);
    SetCaptionField(&window, text, index);
    QCOMPARE(window.windowTitle(), expected);
}

void WindowHelpersTest::missingPositionCentresAtCurrentSize()
{
    QTemporaryDir folder;
    SettingsStore store(folder.filePath(QStringLiteral("store.ini")));
    QWidget window;
    window.setObjectName(QStringLiteral("frmTest"));
    window.resize(301, 200);
    SetFormPosFromRegistry(&window, store);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QCOMPARE(window.size(), QSize(301, 200));
    QVERIFY(qAbs(window.x() - (screen.left() + (screen.width() - 301) / 2.0)) <= 0.5);
    QCOMPARE(window.y(), screen.top() + (screen.height() - 200) / 2);
    QCOMPARE(window.windowState(), Qt::WindowNoState);
}

void WindowHelpersTest::storedZeroSizeKeepsCurrent()
{
    QTemporaryDir folder;
    SettingsStore store(folder.filePath(QStringLiteral("store.ini")));
    store.save(QStringLiteral("Forms"), QStringLiteral("Test.Position"), QStringLiteral("150.4,x,0,1500"));
    store.save(QStringLiteral("Forms"), QStringLiteral("Test.WindowState"), QStringLiteral("junk"));
    QWidget window;
    window.setObjectName(QStringLiteral("frmTest"));
    window.resize(320, 240);
    SetFormPosFromRegistry(&window, store);
    QCOMPARE(window.pos(), QPoint(10, 0));
    QCOMPARE(window.size(), QSize(320, 100));
    QCOMPARE(window.windowState(), Qt::WindowNoState);
}

void WindowHelpersTest::fileFilters_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("project") << "TexelSmithy font (*.tsm)|*.tsm|All files (*.*)|*.*"
                             << QStringList{QStringLiteral("TexelSmithy font (*.tsm)"), QStringLiteral("All files (*)")};
    QTest::newRow("several patterns") << "Executables|*.gxb;*.fxe"
                                      << QStringList{QStringLiteral("Executables (*.gxb *.fxe)")};
    QTest::newRow("empty") << "" << QStringList{};
}

void WindowHelpersTest::fileFilters()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, expected);
    QCOMPARE(qtNameFilters(filter), expected);
}

QTEST_MAIN(WindowHelpersTest)
#include "windowhelpers_test.moc"
