#include "scriptedchoosers.h"
#include "zgfbytes.h"

#include "frmconverter.h"
#include "recordingfeedback.h"
#include "settingsstore.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

class FrmConverterTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void namesDerivedOnBrowse_data();
    void namesDerivedOnBrowse();
    void cancelledBrowseDerivesAgain();
    void okNeedsEveryName();
    void convertWritesSource_data();
    void convertWritesSource();
    void splitOptionFromStore_data();
    void splitOptionFromStore();
    void splitStoredWhenConversionFails();

private:
    void open();
    QString writeFile(const QString &name, const QByteArray &bytes);
    void browse(int index, const QString &chosen);
    QLineEdit *field(const char *name) const { return mDialog->findChild<QLineEdit *>(QLatin1String(name)); }
    QPushButton *ok() const { return mDialog->findChild<QPushButton *>(QStringLiteral("cmdCommands_1")); }
    QCheckBox *split() const { return mDialog->findChild<QCheckBox *>(QStringLiteral("chkSplit")); }
    QString stored() const { return mStore->get(QStringLiteral("Convert"), QStringLiteral("SplitFiles")); }

    std::unique_ptr<QTemporaryDir> mFolder;
    std::unique_ptr<SettingsStore> mStore;
    ScriptedChoosers mChoosers;
    RecordingFeedback mFeedback;
    std::unique_ptr<frmConverter> mDialog;
};

void FrmConverterTest::init()
{
    mFolder = std::make_unique<QTemporaryDir>();
    mStore = std::make_unique<SettingsStore>(mFolder->filePath(QStringLiteral("store.ini")));
    mChoosers = ScriptedChoosers();
    mFeedback = RecordingFeedback();
    open();
}

void FrmConverterTest::cleanup()
{
    mDialog.reset();
    QCOMPARE(mFeedback.busyDepth, 0);
}

void FrmConverterTest::open()
{
    mDialog = std::make_unique<frmConverter>(*mStore, nullptr, &mChoosers, &mFeedback);
    mDialog->show();
}

QString FrmConverterTest::writeFile(const QString &name, const QByteArray &bytes)
{
    const QString path = mFolder->filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write the test file");
    return path;
}

void FrmConverterTest::browse(int index, const QString &chosen)
{
    (index == 0 ? mChoosers.openNames : mChoosers.saveNames).append(chosen);
    mDialog->findChild<QToolButton *>(QStringLiteral("picBrowse_%1").arg(index))->click();
}

void FrmConverterTest::namesDerivedOnBrowse_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("variableName");

    QTest::newRow("font") << QStringLiteral("cour.zgf")
                          << zgfFontBytes("Courier New", 10, 120, ZgfHeader::ItalicFlag)
                          << QStringLiteral("courierNew10i");
    QTest::newRow("post-processed font with mask")
        << QStringLiteral("any name.bin")
        << zgfFontBytes("Times New Roman", 12, 120,
                        ZgfHeader::BoldFlag | ZgfHeader::PostprocessedFlag | ZgfHeader::HasMask)
        << QStringLiteral("timesNewRoman12b_pm");
    QTest::newRow("upper-case face") << QStringLiteral("a.zgf") << zgfFontBytes("ARIAL", 8, 120)
                                     << QStringLiteral("arial8");
    QTest::newRow("other file") << QStringLiteral("data.bin") << QByteArray("\1\2\3\4\5", 5)
                                << QStringLiteral("data");
    QTest::newRow("two extensions, repaired")
        << QStringLiteral("archive.tar.gz") << QByteArray("x") << QStringLiteral("archive_tar");
    QTest::newRow("refused header is raw") << QStringLiteral("broken.zgf") << refusedFontBytes(120)
                                           << QStringLiteral("broken");
}

void FrmConverterTest::namesDerivedOnBrowse()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, content);
    QFETCH(QString, variableName);

    const QString path = writeFile(fileName, content);
    browse(0, path);

    QCOMPARE(field("txtFilename")->text(), path);
    QCOMPARE(field("txtVarName")->text(), variableName);
    QCOMPARE(field("txtCFilename")->text(), mFolder->filePath(variableName + QStringLiteral(".h")));
    QVERIFY(ok()->isEnabled());
    QVERIFY(mFeedback.messages.isEmpty());
}

void FrmConverterTest::cancelledBrowseDerivesAgain()
{
    browse(0, writeFile(QStringLiteral("data.bin"), QByteArray("abc")));
    field("txtVarName")->setText(QStringLiteral("typed"));
    mDialog->findChild<QToolButton *>(QStringLiteral("picBrowse_0"))->click();
    QCOMPARE(field("txtVarName")->text(), QStringLiteral("data"));

    // Cancelling the C file dialog keeps the name.
    mDialog->findChild<QToolButton *>(QStringLiteral("picBrowse_1"))->click();
    QCOMPARE(field("txtCFilename")->text(), mFolder->filePath(QStringLiteral("data.h")));
    QCOMPARE(mChoosers.saveRequests.constLast().fileName, mFolder->filePath(QStringLiteral("data.h")));
    QCOMPARE(mChoosers.saveRequests.constLast().filter, QStringLiteral("C header file (*.h)|*.h"));
}

void FrmConverterTest::okNeedsEveryName()
{
    QVERIFY(!ok()->isEnabled());
    browse(0, writeFile(QStringLiteral("data.bin"), QByteArray("abc")));
    QVERIFY(ok()->isEnabled());
    field("txtVarName")->setText(QStringLiteral("   "));
    QVERIFY(!ok()->isEnabled());
    field("txtVarName")->setText(QStringLiteral(" v "));
    QVERIFY(ok()->isEnabled());
    field("txtCFilename")->setText(QStringLiteral(" "));
    QVERIFY(!ok()->isEnabled());
}

void FrmConverterTest::convertWritesSource_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("typedName");
    QTest::addColumn<bool>("splitFiles");
    QTest::addColumn<QString>("array");

    const QByteArray font = zgfFontBytes("Courier New", 10, 120, ZgfHeader::ItalicFlag);
    QTest::newRow("font") << font << QString() << false << QStringLiteral("courierNew10i_zgf");
    QTest::newRow("font split") << font << QString() << true << QStringLiteral("courierNew10i_zgf");
    QTest::newRow("typed name, spaces removed")
        << QByteArray("\1\2\3\4\5", 5) << QStringLiteral("my var") << false << QStringLiteral("myvar");
}

void FrmConverterTest::convertWritesSource()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, typedName);
    QFETCH(bool, splitFiles);
    QFETCH(QString, array);

    browse(0, writeFile(QStringLiteral("source.zgf"), content));
    if (!typedName.isEmpty())
        field("txtVarName")->setText(typedName);
    browse(1, mFolder->filePath(QStringLiteral("out.c")));
    split()->setChecked(splitFiles);
    ok()->click();

    QCOMPARE(field("txtCFilename")->text(), mFolder->filePath(QStringLiteral("out.h")));
    QCOMPARE(field("txtVarName")->text(), array.chopped(array.endsWith(QLatin1String("_zgf")) ? 4 : 0));
    QCOMPARE(mFeedback.informations(), QStringList{QStringLiteral("C file(s) generated correctly.")});
    QCOMPARE(stored(), splitFiles ? QStringLiteral("1") : QStringLiteral("0"));
    QVERIFY(mDialog->isVisible());

    QFile arrayFile(mFolder->filePath(splitFiles ? QStringLiteral("out.c") : QStringLiteral("out.h")));
    QVERIFY(arrayFile.open(QIODevice::ReadOnly));
    QVERIFY(arrayFile.readAll().contains("unsigned long " + array.toLatin1() + "[] = {\r\n"));
    QCOMPARE(QFile::exists(mFolder->filePath(QStringLiteral("out.c"))), splitFiles);
}

void FrmConverterTest::splitOptionFromStore_data()
{
    QTest::addColumn<QString>("storedValue");
    QTest::addColumn<bool>("checked");

    QTest::newRow("missing") << QString() << false;
    QTest::newRow("0") << QStringLiteral("0") << false;
    QTest::newRow("1") << QStringLiteral("1") << true;
    QTest::newRow("edited by hand") << QStringLiteral("yes") << false;
}

void FrmConverterTest::splitOptionFromStore()
{
    QFETCH(QString, storedValue);
    QFETCH(bool, checked);

    if (!storedValue.isNull())
        mStore->save(QStringLiteral("Convert"), QStringLiteral("SplitFiles"), storedValue);
    open();
    QCOMPARE(split()->isChecked(), checked);

    // Closing without "Ok" stores nothing.
    split()->setChecked(!checked);
    mDialog->findChild<QPushButton *>(QStringLiteral("cmdCommands_0"))->click();
    QVERIFY(!mDialog->isVisible());
    QCOMPARE(stored(), storedValue);
}

void FrmConverterTest::splitStoredWhenConversionFails()
{
    browse(0, writeFile(QStringLiteral("data.bin"), QByteArray("abc")));
    browse(1, mFolder->filePath(QStringLiteral("missing folder/out.h")));
    split()->setChecked(true);
    ok()->click();

    QCOMPARE(stored(), QStringLiteral("1"));
    QCOMPARE(mFeedback.failures().size(), 1);
    QVERIFY(mFeedback.informations().isEmpty());
    QVERIFY(!QFile::exists(mFolder->filePath(QStringLiteral("missing folder"))));
}

QTEST_MAIN(FrmConverterTest)
#include "frmconverter_test.moc"
