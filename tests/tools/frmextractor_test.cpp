#include "scriptedchoosers.h"
#include "zgfbytes.h"

#include "frmextractor.h"
#include "recordingfeedback.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

class FrmExtractorTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void scanListsAcceptedFonts_data();
    void scanListsAcceptedFonts();
    void fileWithoutFontsIsNamedInMessage();
    void extractedFontEqualsSourceBytes();
    void extractEnabledOnlyWithSelection();
    void cancelledBrowseChangesNothing();

private:
    QString writeFile(const QString &name, const QByteArray &bytes);
    void browse(const QString &path);
    QStringList rows() const;
    QTreeWidget *list() const { return mDialog->findChild<QTreeWidget *>(QStringLiteral("lvwFonts")); }
    QLineEdit *field() const { return mDialog->findChild<QLineEdit *>(QStringLiteral("txtFilename")); }
    QPushButton *extractButton() const
    {
        return mDialog->findChild<QPushButton *>(QStringLiteral("cmdCommands_1"));
    }

    std::unique_ptr<QTemporaryDir> mFolder;
    ScriptedChoosers mChoosers;
    RecordingFeedback mFeedback;
    std::unique_ptr<frmExtractor> mDialog;
};

void FrmExtractorTest::init()
{
    mFolder = std::make_unique<QTemporaryDir>();
    mChoosers = ScriptedChoosers();
    mFeedback = RecordingFeedback();
    mDialog = std::make_unique<frmExtractor>(nullptr, &mChoosers, &mFeedback);
    mDialog->show();
}

void FrmExtractorTest::cleanup()
{
    mDialog.reset();
    QCOMPARE(mFeedback.busyDepth, 0);
}

QString FrmExtractorTest::writeFile(const QString &name, const QByteArray &bytes)
{
    const QString path = mFolder->filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write the test file");
    return path;
}

void FrmExtractorTest::browse(const QString &path)
{
    mChoosers.openNames.append(path);
    mDialog->findChild<QToolButton *>(QStringLiteral("picBrowse_0"))->click();
}

QStringList FrmExtractorTest::rows() const
{
    QStringList out;
    for (int i = 0; i < list()->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *row = list()->topLevelItem(i);
        out.append(row->text(0) + QLatin1Char('|') + row->text(1) + QLatin1Char('|') + row->text(2));
    }
    return out;
}

void FrmExtractorTest::scanListsAcceptedFonts_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("expected");

    const QByteArray abc = zgfFontBytes("Abc", 8, 300);
    const QByteArray arial = zgfFontBytes("Arial", 12, 200, ZgfHeader::BoldFlag);
    QTest::newRow("a font file itself") << abc << QStringList{QStringLiteral("Abc 8|0|300")};
    QTest::newRow("back to back after other bytes")
        << QByteArray(13, 'x') + abc + arial
        << QStringList{QStringLiteral("Abc 8|13|300"), QStringLiteral("Arial 12|313|200")};
    QByteArray nested = abc;
    nested.replace(100, arial.size(), arial);
    QTest::newRow("a font inside the data of another")
        << nested << QStringList{QStringLiteral("Abc 8|0|300"), QStringLiteral("Arial 12|100|200")};
    QTest::newRow("refused header and a header cut short")
        << refusedFontBytes(120) + arial + abc.left(75)
        << QStringList{QStringLiteral("Arial 12|120|200")};
    QTest::newRow("NUL inside the name")
        << QByteArray("ZZGF\0", 5) + zgfFontBytes(QByteArray("Ab\0cd", 5), 10, 90)
        << QStringList{QStringLiteral("Abcd 10|5|90")};
    QTest::newRow("size field as stated, past the end")
        << zgfFontBytes("Tall", 72, 100).replace(40, 4, QByteArray("\x10\x27\0\0", 4))
        << QStringList{QStringLiteral("Tall 72|0|10000")};
}

void FrmExtractorTest::scanListsAcceptedFonts()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, expected);

    const QString path = writeFile(QStringLiteral("program.fxe"), content);
    browse(path);

    QCOMPARE(field()->text(), path);
    QCOMPARE(rows(), expected);
    QVERIFY(mFeedback.messages.isEmpty());
}

void FrmExtractorTest::fileWithoutFontsIsNamedInMessage()
{
    browse(writeFile(QStringLiteral("program.fxe"), zgfFontBytes("Abc", 8, 300)));
    QCOMPARE(list()->topLevelItemCount(), 1);

    const QString path = writeFile(QStringLiteral("plain data.gxb"), QByteArray("ZZGF\0 zgf\0 ZGF", 15));
    browse(path);

    QCOMPARE(list()->topLevelItemCount(), 0);
    const QStringList informed = mFeedback.informations();
    QCOMPARE(informed.size(), 1);
    const QStringList lines = informed.constFirst().split(QStringLiteral("\r\n"));
    QCOMPARE(lines, (QStringList{QStringLiteral("No ZGF fonts could be located in file"), path}));
}

void FrmExtractorTest::extractedFontEqualsSourceBytes()
{
    const QByteArray content = QByteArray(40, '\x5a') + zgfFontBytes("Abc", 8, 300)
        + zgfFontBytes("Courier New", 10, 257, ZgfHeader::ItalicFlag) + QByteArray(9, '\0');
    const QString source = writeFile(QStringLiteral("game.gxb"), content);
    browse(source);
    QCOMPARE(list()->topLevelItemCount(), 2);
    list()->setCurrentItem(list()->topLevelItem(1));

    // A cancelled save dialog writes nothing; a larger old file is replaced whole.
    const QString destination = writeFile(QStringLiteral("Courier New 10.zgf"), QByteArray(5000, 'o'));
    extractButton()->click();
    QCOMPARE(QFile(destination).size(), 5000);
    QVERIFY(mFeedback.messages.isEmpty());

    mChoosers.saveNames.append(destination);
    extractButton()->click();

    QCOMPARE(mChoosers.saveRequests.size(), 2);
    const FileRequest request = mChoosers.saveRequests.constLast();
    QCOMPARE(request.filter, QStringLiteral("Velmora Font (*.zgf)|*.zgf"));
    QCOMPARE(request.defaultSuffix, QStringLiteral(".zgf"));
    QCOMPARE(request.fileName, QStringLiteral("Courier New 10.zgf"));
    QFile written(destination);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), content.mid(340, 257));
    QCOMPARE(mFeedback.informations(), QStringList{QStringLiteral("ZGF font extracted correctly.")});
    QVERIFY(mDialog->isVisible());
}

void FrmExtractorTest::extractEnabledOnlyWithSelection()
{
    QVERIFY(!extractButton()->isEnabled());

    const QString fonts = writeFile(QStringLiteral("fonts.fxe"),
                                    zgfFontBytes("Abc", 8, 300) + zgfFontBytes("Abc", 9, 300));
    browse(fonts);
    QCOMPARE(list()->topLevelItemCount(), 2);
    QVERIFY(!extractButton()->isEnabled());

    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {},
                      list()->visualItemRect(list()->topLevelItem(1)).center());
    QVERIFY(extractButton()->isEnabled());
    QCOMPARE(mDialog->selectedFont()->offset, qint64(300));
    list()->clearSelection();
    QVERIFY(!extractButton()->isEnabled());

    // A new scan empties the list, and with it the selection.
    list()->setCurrentItem(list()->topLevelItem(0));
    QVERIFY(extractButton()->isEnabled());
    browse(fonts);
    QVERIFY(!extractButton()->isEnabled());
    QVERIFY(!mDialog->selectedFont());
}

void FrmExtractorTest::cancelledBrowseChangesNothing()
{
    const QString path = writeFile(QStringLiteral("fonts.fxe"), zgfFontBytes("Abc", 8, 300));
    browse(path);
    const QStringList before = rows();

    mDialog->findChild<QToolButton *>(QStringLiteral("picBrowse_0"))->click();

    QCOMPARE(field()->text(), path);
    QCOMPARE(rows(), before);
    const FileRequest request = mChoosers.openRequests.constLast();
    QCOMPARE(request.filter,
             QStringLiteral("GP32 executable file (*.gxb;*fxe)|*.gxb;*.fxe|All files (*.*)|*.*"));
    QCOMPARE(request.defaultSuffix, QStringLiteral(".fxe"));
    QCOMPARE(request.fileName, path);
}

QTEST_MAIN(FrmExtractorTest)
#include "frmextractor_test.moc"
