#include "frmabout.h"
#include "frmgettext.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

class DialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void getTextHandsBack_data();
    void getTextHandsBack();
    void getTextStopsTypingAtLimit();
    void getTextEnterInsertsLine();
    void aboutShowsVersionRecord();

private:
    struct Open
    {
        std::unique_ptr<frmGetText> dialog;
        QPlainTextEdit *text;
    };
    static Open open(const QString &title, const QString &text);
};

DialogsTest::Open DialogsTest::open(const QString &title, const QString &text)
{
    Open result{std::make_unique<frmGetText>(), nullptr};
    result.dialog->setTitle(title);
    result.dialog->setText(text);
    result.dialog->show();
    result.text = result.dialog->findChild<QPlainTextEdit *>(QStringLiteral("txtText"));
    return result;
}

void DialogsTest::getTextHandsBack_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("expected");

    const QString rows = QStringLiteral("AB\r\nCD");
    QTest::newRow("Ok unchanged") << rows << QString() << "cmdCommands_0" << rows;
    QTest::newRow("Ok unchanged keeps a lone LF") << "A\nB\r\nC" << QString() << "cmdCommands_0" << "A\nB\r\nC";
    QTest::newRow("Ok after typing") << rows << "X" << "cmdCommands_0" << "AB\r\nCDX";
    QTest::newRow("Cancel after typing") << rows << "X" << "cmdCommands_1" << rows;
}

void DialogsTest::getTextHandsBack()
{
    QFETCH(QString, text);
    QFETCH(QString, typed);
    QFETCH(QString, button);
    QFETCH(QString, expected);

    Open o = open(QStringLiteral("Charset"), text);
    QCOMPARE(o.dialog->windowTitle(), QStringLiteral("Charset"));
    o.text->moveCursor(QTextCursor::End);
    QTest::keyClicks(o.text, typed);
    o.dialog->findChild<QPushButton *>(button)->click();
    QVERIFY(!o.dialog->isVisible());
    QCOMPARE(o.dialog->Text(), expected);
}

void DialogsTest::getTextStopsTypingAtLimit()
{
    // 508 characters and one line break (two in CR LF form) leave room for two more.
    const QString start = QString(254, QLatin1Char('a')) + QStringLiteral("\r\n") + QString(254, QLatin1Char('b'));
    Open o = open(QStringLiteral("Sample text"), start);
    o.text->moveCursor(QTextCursor::End);
    QTest::keyClick(o.text, Qt::Key_Return); // would need 2: fits exactly
    QTest::keyClicks(o.text, QStringLiteral("xyz"));
    QTest::keyClick(o.text, Qt::Key_Return);
    o.dialog->findChild<QPushButton *>(QStringLiteral("cmdCommands_0"))->click();
    QCOMPARE(o.dialog->Text(), start + QStringLiteral("\r\n"));
    QCOMPARE(o.dialog->Text().size(), frmGetText::MaxLength);

    // Replacing a selection makes room again.
    Open again = open(QStringLiteral("Sample text"), o.dialog->Text());
    again.text->selectAll();
    QTest::keyClicks(again.text, QStringLiteral("new"));
    again.dialog->findChild<QPushButton *>(QStringLiteral("cmdCommands_0"))->click();
    QCOMPARE(again.dialog->Text(), QStringLiteral("new"));
}

void DialogsTest::getTextEnterInsertsLine()
{
    Open o = open(QStringLiteral("Sample text"), QStringLiteral("A"));
    o.text->moveCursor(QTextCursor::End);
    QTest::keyClick(o.text, Qt::Key_Return);
    QTest::keyClick(o.text, Qt::Key_Enter);
    QTest::keyClicks(o.text, QStringLiteral("B"));
    QVERIFY(o.dialog->isVisible());
    QTest::keyClick(o.text, Qt::Key_Escape);
    QVERIFY(!o.dialog->isVisible());
    QCOMPARE(o.dialog->Text(), QStringLiteral("A")); // Esc cancels

    Open ok = open(QStringLiteral("Sample text"), QStringLiteral("A"));
    ok.text->moveCursor(QTextCursor::End);
    QTest::keyClick(ok.text, Qt::Key_Return);
    QTest::keyClicks(ok.text, QStringLiteral("B"));
    ok.dialog->findChild<QPushButton *>(QStringLiteral("cmdCommands_0"))->click();
    QCOMPARE(ok.dialog->Text(), QStringLiteral("A\r\nB"));
}

void DialogsTest::aboutShowsVersionRecord()
{
    frmAbout about;
    QCOMPARE(about.windowTitle(), QStringLiteral("About TexelSmithy"));
    QCOMPARE(about.findChild<QLabel *>(QStringLiteral("lblProduct"))->text(), QStringLiteral("TexelSmithy v2.0.1"));
    const QString comments = frmAbout::commentsText();
    QVERIFY(comments.startsWith(QLatin1String("Generate ZGF fonts from TrueType fonts to be used on a GP32.\r\n\r\n")));
    const QStringList paragraphs = comments.split(QStringLiteral("\r\n\r\n"));
    QCOMPARE(paragraphs.size(), 3);
    QVERIFY(!paragraphs.at(1).contains(QLatin1String(". ")));
    QVERIFY(!about.findChild<QLabel *>(QStringLiteral("imgIcon"))->pixmap().isNull());
    QVERIFY(about.findChild<QPushButton *>(QStringLiteral("cmdCommands_0"))->isDefault());
}

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
