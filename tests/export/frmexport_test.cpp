#include "scriptedchoosers.h"

#include "frmexport.h"
#include "numbers.h"
#include "rastersurface.h"
#include "sizebudgetpanel.h"
#include "recordingfeedback.h"
#include "settingsstore.h"
#include "texelfont.h"
#include "zgffont.h"
#include "zgfpixel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

class FrmExportTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void optionsFromStore_data();
    void optionsFromStore();
    void proposedNamesAndEnabledFields_data();
    void proposedNamesAndEnabledFields();
    void browsedBitmapDerivesNames_data();
    void browsedBitmapDerivesNames();
    void browseRequests_data();
    void browseRequests();
    void emptyFieldGetsItsDefault_data();
    void emptyFieldGetsItsDefault();
    void cFileControls_data();
    void cFileControls();
    void exitLeavesStoreUnchanged();
    void okWritesReadableFont_data();
    void okWritesReadableFont();
    void bitmapsThenFontFromEditedBitmaps();
    void messagesTitledWithCaption();
    void closesWithoutDocument();
    void characterNotes_data();
    void characterNotes();
    void budgetEqualsWrittenSizes_data();
    void budgetEqualsWrittenSizes();
    void budgetOfUnreadableBitmaps();

private:
    void open(bool postprocessed = false, bool masked = false);
    QWidget *control(const QString &name) const
    {
        QWidget *found = mDialog->findChild<QWidget *>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }
    QLineEdit *field(const QString &name) const { return qobject_cast<QLineEdit *>(control(name)); }
    QAbstractButton *button(const QString &name) const { return qobject_cast<QAbstractButton *>(control(name)); }
    bool isChecked(const QString &name) const { return button(name)->isChecked(); }
    QString path(const char *name) const { return mFolder->filePath(QLatin1String(name)); }
    QString stored(const char *key) const { return mStore->get(QStringLiteral("Export"), QLatin1String(key)); }
    QLabel *label(const QString &name) const { return qobject_cast<QLabel *>(control(name)); }
    // The budget once its timer has run.
    SizeBudgetPanel *budget() const
    {
        auto *panel = mDialog->findChild<SizeBudgetPanel *>(QStringLiteral("fraSizeBudget"));
        if (!QTest::qWaitFor([panel] { return !panel->isScheduled(); }))
            qFatal("the budget was not computed");
        return panel;
    }

    std::unique_ptr<QTemporaryDir> mFolder;
    std::unique_ptr<SettingsStore> mStore;
    RasterSurface mMeasure;
    std::unique_ptr<TexelFont> mFont;
    ScriptedChoosers mChoosers;
    RecordingFeedback mFeedback;
    std::unique_ptr<frmExport> mDialog;
};

void FrmExportTest::init()
{
    mFolder = std::make_unique<QTemporaryDir>();
    mStore = std::make_unique<SettingsStore>(mFolder->filePath(QStringLiteral("store.ini")));
    mFont = std::make_unique<TexelFont>(&mMeasure);
    mFont->setChars(QStringLiteral("AbC"));
    mChoosers = ScriptedChoosers();
    mFeedback = RecordingFeedback();
}

void FrmExportTest::cleanup()
{
    mDialog.reset();
}

void FrmExportTest::open(bool postprocessed, bool masked)
{
    mFont->Postprocessed = postprocessed;
    mFont->Masked = masked;
    mDialog = std::make_unique<frmExport>(*mStore, nullptr, &mChoosers, &mFeedback);
    mDialog->setTexelFont(mFont.get());
    mDialog->show();
}

void FrmExportTest::optionsFromStore_data()
{
    QTest::addColumn<QStringList>("values"); // ZGFCFile, SplitFiles, RLEEncoding
    QTest::addColumn<bool>("rle");
    QTest::addColumn<bool>("cFile");
    QTest::addColumn<bool>("split");

    QTest::newRow("fresh store") << QStringList() << true << false << false;
    QTest::newRow("stored") << QStringList{QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("0")} << false
                            << true << true;
}

void FrmExportTest::optionsFromStore()
{
    QFETCH(QStringList, values);
    QFETCH(bool, rle);
    QFETCH(bool, cFile);
    QFETCH(bool, split);

    const QStringList keys = {QStringLiteral("ZGFCFile"), QStringLiteral("SplitFiles"), QStringLiteral("RLEEncoding")};
    for (qsizetype i = 0; i < values.size(); ++i)
        mStore->save(QStringLiteral("Export"), keys.at(i), values.at(i));
    open();
    QCOMPARE(isChecked(QStringLiteral("optRLEFormat")), rle);
    QCOMPARE(isChecked(QStringLiteral("optRAWFormat")), !rle);
    QCOMPARE(isChecked(QStringLiteral("chkZGFCFile")), cFile);
    QCOMPARE(isChecked(QStringLiteral("chkSplit")), split);
}

void FrmExportTest::proposedNamesAndEnabledFields_data()
{
    QTest::addColumn<bool>("postprocessed");
    QTest::addColumn<bool>("masked");
    QTest::newRow("rendered") << false << true;
    QTest::newRow("postprocessed") << true << false;
    QTest::newRow("postprocessed with mask") << true << true;
}

void FrmExportTest::proposedNamesAndEnabledFields()
{
    QFETCH(bool, postprocessed);
    QFETCH(bool, masked);

    mFont->setGP32FileName(QStringLiteral("gpname"));
    open(postprocessed, masked);
    const QString variableName = mFont->VariableName();
    QCOMPARE(mDialog->windowTitle(), QStringLiteral("Export font"));
    QVERIFY(isChecked(QStringLiteral("optZGFFont")));
    QCOMPARE(field(QStringLiteral("txtZGFFilename"))->text(), QStringLiteral("gpname.zgf"));
    QCOMPARE(field(QStringLiteral("txtZGFCFilename"))->text(), variableName + QStringLiteral(".h"));
    QCOMPARE(field(QStringLiteral("txtBitmapFilename"))->text(),
             postprocessed ? variableName + QStringLiteral(".bmp") : QString());
    QCOMPARE(field(QStringLiteral("txtMaskFilename"))->text(),
             postprocessed && masked ? variableName + QStringLiteral("_mask.bmp") : QString());
    QCOMPARE(qobject_cast<QComboBox *>(control(QStringLiteral("cbxNbBitmaps")))->currentText(), QStringLiteral("1"));

    for (const char *name : {"optPostprocess", "txtBitmapFilename", "picBrowse_0", "cbxNbBitmaps"})
        QVERIFY2(control(QLatin1String(name))->isEnabled() == postprocessed, name);
    for (const char *name : {"lblMaskFilename", "txtMaskFilename", "picBrowse_1"})
        QVERIFY2(control(QLatin1String(name))->isEnabled() == (postprocessed && masked), name);
    QVERIFY(field(QStringLiteral("txtZGFFilename"))->isEnabled());
    QVERIFY(!control(QStringLiteral("pgbBar"))->isVisible());
}

void FrmExportTest::browsedBitmapDerivesNames_data()
{
    QTest::addColumn<bool>("masked");
    QTest::newRow("masked") << true;
    QTest::newRow("not masked") << false;
}

void FrmExportTest::browsedBitmapDerivesNames()
{
    QFETCH(bool, masked);

    open(true, masked);
    const QString mask = field(QStringLiteral("txtMaskFilename"))->text();
    mChoosers.saveNames = {QStringLiteral("/work/glyphs.bmp")};
    button(QStringLiteral("picBrowse_0"))->click();
    QCOMPARE(field(QStringLiteral("txtBitmapFilename"))->text(), QStringLiteral("/work/glyphs.bmp"));
    QCOMPARE(field(QStringLiteral("txtZGFFilename"))->text(), QStringLiteral("/work/glyphs.zgf"));
    QCOMPARE(field(QStringLiteral("txtZGFCFilename"))->text(), QStringLiteral("/work/glyphs.h"));
    QCOMPARE(field(QStringLiteral("txtMaskFilename"))->text(), masked ? QStringLiteral("/work/glyphs_mask.bmp") : mask);

    // A new ZGF name derives only the C name.
    field(QStringLiteral("txtZGFFilename"))->setText(QStringLiteral("/out/f.bin"));
    QCOMPARE(field(QStringLiteral("txtZGFCFilename"))->text(), QStringLiteral("/out/f.h"));
    QCOMPARE(field(QStringLiteral("txtBitmapFilename"))->text(), QStringLiteral("/work/glyphs.bmp"));
}

void FrmExportTest::browseRequests_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("fieldName");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<bool>("mustExist");

    QTest::newRow("bitmap") << 0 << "txtBitmapFilename" << "Windows bitmap (*.bmp)|*.bmp" << ".bmp" << false;
    QTest::newRow("mask") << 1 << "txtMaskFilename" << "Windows bitmap (*.bmp)|*.bmp" << ".bmp" << true;
    QTest::newRow("ZGF") << 2 << "txtZGFFilename" << "Velmora Font file (*.zgf)|*.zgf" << ".zgf" << false;
    QTest::newRow("C") << 3 << "txtZGFCFilename" << "C header file (*.h)|*.h" << ".h" << false;
}

void FrmExportTest::browseRequests()
{
    QFETCH(int, index);
    QFETCH(QString, fieldName);
    QFETCH(QString, filter);
    QFETCH(QString, suffix);
    QFETCH(bool, mustExist);

    open(true, true);
    button(QStringLiteral("chkZGFCFile"))->click();
    QLineEdit *edit = field(fieldName);
    const QString before = edit->text();
    QAbstractButton *browse = button(QStringLiteral("picBrowse_%1").arg(index));
    browse->click(); // cancelled: nothing changes
    QCOMPARE(edit->text(), before);

    const QList<FileRequest> &requests = mustExist ? mChoosers.openRequests : mChoosers.saveRequests;
    QCOMPARE(requests.size(), 1);
    QCOMPARE(requests.at(0).filter, filter);
    QCOMPARE(requests.at(0).defaultSuffix, suffix);
    QCOMPARE(requests.at(0).fileName, before);
    // The export asks before it overwrites, so the file dialog does not.
    QVERIFY(mustExist || !requests.at(0).confirmOverwrite);

    const QString chosen = QStringLiteral("/tmp/chosen") + suffix;
    QStringList &answers = mustExist ? mChoosers.openNames : mChoosers.saveNames;
    answers.append(chosen);
    browse->click();
    QCOMPARE(edit->text(), chosen);
}

void FrmExportTest::emptyFieldGetsItsDefault_data()
{
    QTest::addColumn<QString>("fieldName");
    QTest::addColumn<QString>("ending");
    QTest::addColumn<bool>("gp32Name");

    QTest::newRow("ZGF") << "txtZGFFilename" << ".zgf" << true;
    QTest::newRow("C") << "txtZGFCFilename" << ".h" << false;
    QTest::newRow("bitmap") << "txtBitmapFilename" << ".bmp" << false;
    QTest::newRow("mask") << "txtMaskFilename" << "_mask.bmp" << false;
}

void FrmExportTest::emptyFieldGetsItsDefault()
{
    QFETCH(QString, fieldName);
    QFETCH(QString, ending);
    QFETCH(bool, gp32Name);

    open(true, true);
    button(QStringLiteral("chkZGFCFile"))->click();
    QLineEdit *edit = field(fieldName);
    edit->setText(QStringLiteral("  "));
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(edit, &leave);
    QCOMPARE(edit->text(), (gp32Name ? mFont->GP32FileName() : mFont->VariableName()) + ending);

    // Another window taking the focus does not leave the field.
    edit->clear();
    QFocusEvent deactivated(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QCoreApplication::sendEvent(edit, &deactivated);
    QCOMPARE(edit->text(), QString());
}

void FrmExportTest::cFileControls_data()
{
    QTest::addColumn<bool>("bitmaps");
    QTest::addColumn<bool>("checked");
    QTest::newRow("ZGF, C file") << false << true;
    QTest::newRow("ZGF, no C file") << false << false;
    QTest::newRow("bitmaps, C file") << true << true;
}

void FrmExportTest::cFileControls()
{
    QFETCH(bool, bitmaps);
    QFETCH(bool, checked);

    open(true, false);
    if (checked)
        button(QStringLiteral("chkZGFCFile"))->click();
    if (bitmaps)
        button(QStringLiteral("optPostprocess"))->click();
    for (const char *name : {"lblZGFCFilename", "txtZGFCFilename", "chkSplit", "picBrowse_3"})
        QVERIFY2(control(QLatin1String(name))->isEnabled() == (checked && !bitmaps), name);
    for (const char *name : {"txtZGFFilename", "optRLEFormat", "chkZGFCFile"})
        QVERIFY2(control(QLatin1String(name))->isEnabled() == !bitmaps, name);
}

void FrmExportTest::exitLeavesStoreUnchanged()
{
    open();
    for (const char *name : {"chkZGFCFile", "chkSplit", "optRAWFormat", "cmdCommands_0"})
        button(QLatin1String(name))->click();
    QCOMPARE(mDialog->result(), int(QDialog::Rejected));
    QVERIFY(!mDialog->isVisible());
    QVERIFY(!QFileInfo::exists(mStore->fileName()));
    QVERIFY(mFeedback.messages.isEmpty());
}

void FrmExportTest::okWritesReadableFont_data()
{
    QTest::addColumn<bool>("rle");
    QTest::addColumn<bool>("cFile");
    QTest::newRow("RLE with C source") << true << true;
    QTest::newRow("RAW") << false << false;
}

void FrmExportTest::okWritesReadableFont()
{
    QFETCH(bool, rle);
    QFETCH(bool, cFile);

    open();
    button(rle ? QStringLiteral("optRLEFormat") : QStringLiteral("optRAWFormat"))->click();
    if (cFile)
        button(QStringLiteral("chkZGFCFile"))->click();
    field(QStringLiteral("txtZGFFilename"))->setText(path("font"));
    QCOMPARE(field(QStringLiteral("txtZGFCFilename"))->text(), path("font.h"));
    // Completing the ZGF name must not take the C name the person typed.
    field(QStringLiteral("txtZGFCFilename"))->setText(path("other"));
    button(QStringLiteral("cmdCommands_1"))->click();

    QCOMPARE(mFeedback.failures(), QStringList());
    QVERIFY(mFeedback.informations().contains(QStringLiteral("Font file generated correctly.")));
    QCOMPARE(mDialog->result(), int(QDialog::Accepted));
    const ZgfFont font = ZgfFont::readFile(path("font.zgf"));
    QCOMPARE(font.characters(), QStringLiteral("AbC"));
    QCOMPARE(bool(font.header().Flags & ZgfHeader::RleImage), rle);
    QCOMPARE(QFileInfo::exists(path("other.h")), cFile);
    QVERIFY(!QFileInfo::exists(path("font.h")));
    QCOMPARE(field(QStringLiteral("txtZGFFilename"))->text(), path("font.zgf"));
    QCOMPARE(field(QStringLiteral("txtZGFCFilename"))->text(), cFile ? path("other.h") : path("other"));

    QCOMPARE(stored("ZGFCFile"), cFile ? QStringLiteral("1") : QStringLiteral("0"));
    QCOMPARE(stored("SplitFiles"), QStringLiteral("0"));
    QCOMPARE(stored("RLEEncoding"), rle ? QStringLiteral("1") : QStringLiteral("0"));
}

void FrmExportTest::bitmapsThenFontFromEditedBitmaps()
{
    open(true, true);
    field(QStringLiteral("txtBitmapFilename"))->setText(path("glyphs.bmp"));
    button(QStringLiteral("optPostprocess"))->click();
    qobject_cast<QComboBox *>(control(QStringLiteral("cbxNbBitmaps")))->setCurrentIndex(1);
    button(QStringLiteral("cmdCommands_1"))->click();

    QCOMPARE(mFeedback.failures(), QStringList());
    for (const char *name : {"glyphs.bmp", "glyphs1.bmp", "glyphs2.bmp", "glyphs_mask.bmp", "glyphs_mask2.bmp"})
        QVERIFY2(QFileInfo::exists(path(name)), name);
    QVERIFY(!QFileInfo::exists(path("glyphs3.bmp")));
    QVERIFY(mDialog->isVisible());
    QVERIFY(isChecked(QStringLiteral("optZGFFont")));
    QVERIFY(field(QStringLiteral("txtZGFFilename"))->isEnabled());

    // The edited bitmaps make the font.
    QImage edited(path("glyphs.bmp"));
    edited.setPixelColor(0, 0, QColor(0xF8, 0x00, 0x08));
    QVERIFY(edited.save(path("glyphs.bmp"), "BMP"));
    button(QStringLiteral("cmdCommands_1"))->click();
    QCOMPARE(mFeedback.failures(), QStringList());
    QCOMPARE(mDialog->result(), int(QDialog::Accepted));
    const ZgfFont font = ZgfFont::readFile(path("glyphs.zgf"));
    QVERIFY(font.header().MaskOffset > 0);
    QCOMPARE(font.color(0, 0), pixel16ToColor(scanPixelToPixel16(0xFFF80008u)));
}

// With its own feedback the dialog titles its messages with its caption and shows the
// progress bar only while it works.
void FrmExportTest::messagesTitledWithCaption()
{
    mDialog = std::make_unique<frmExport>(*mStore, nullptr, &mChoosers);
    mDialog->setTexelFont(mFont.get());
    mDialog->show();
    button(QStringLiteral("chkZGFCFile"))->click();
    field(QStringLiteral("txtZGFFilename"))->setText(path("shown.zgf"));

    QStringList seen;
    QTimer closer;
    connect(&closer, &QTimer::timeout, this, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            seen.append(box->windowTitle() + QStringLiteral(": ") + box->text());
            box->button(box->standardButtons().testFlag(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok)->click();
        }
    });
    closer.start(10);
    button(QStringLiteral("cmdCommands_1"))->click();
    closer.stop();

    QVERIFY(!seen.isEmpty());
    QCOMPARE(seen.at(0), QStringLiteral("Export font: Font file generated correctly."));
    for (const QString &message : seen)
        QVERIFY2(message.startsWith(QStringLiteral("Export font: ")), qPrintable(message));
    QVERIFY(QFileInfo::exists(path("shown.h")));
    QVERIFY(control(QStringLiteral("pgbBar"))->isHidden());
    QVERIFY(!QApplication::overrideCursor());
}

void FrmExportTest::closesWithoutDocument()
{
    frmExport dialog(*mStore, nullptr, &mChoosers, &mFeedback);
    dialog.show();
    QTRY_VERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

void FrmExportTest::characterNotes_data()
{
    QTest::addColumn<QString>("chars");
    QTest::addColumn<QString>("missing");
    QTest::addColumn<QString>("unencodable");

    QTest::newRow("all in the font and the code page") << "A\u20AC" << "" << "";
    QTest::newRow("missing and unencodable")
        << "A\u0141\u2603\r\n\u2603" << "1 character is not in Arial: \u2603 (U+2603)"
        << "2 characters have no Windows-1252 code and will be written as \"?\": \u0141 (U+0141), \u2603 (U+2603)";
}

void FrmExportTest::characterNotes()
{
    QFETCH(QString, chars);
    QFETCH(QString, missing);
    QFETCH(QString, unencodable);

    mFont->setTTFName(QStringLiteral("Arial"));
    mFont->setChars(chars);
    open();
    QCOMPARE(label(QStringLiteral("lblMissingGlyphs"))->text(), missing);
    QCOMPARE(label(QStringLiteral("lblMissingGlyphs"))->isVisible(), !missing.isEmpty());
    QCOMPARE(label(QStringLiteral("lblUnencodable"))->text(), unencodable);
    QCOMPARE(label(QStringLiteral("lblUnencodable"))->isVisible(), !unencodable.isEmpty());
}

void FrmExportTest::budgetEqualsWrittenSizes_data()
{
    QTest::addColumn<bool>("rle");
    QTest::addColumn<bool>("masked");
    QTest::newRow("RAW") << false << false;
    QTest::newRow("RLE") << true << false;
    QTest::newRow("RAW with mask") << false << true;
    QTest::newRow("RLE with mask") << true << true;
}

void FrmExportTest::budgetEqualsWrittenSizes()
{
    QFETCH(bool, rle);
    QFETCH(bool, masked);

    open(masked, masked);
    if (masked) {
        // The edited bitmaps the budget and the export read.
        field(QStringLiteral("txtBitmapFilename"))->setText(path("glyphs.bmp"));
        button(QStringLiteral("optPostprocess"))->click();
        button(QStringLiteral("cmdCommands_1"))->click();
        QCOMPARE(mFeedback.failures(), QStringList());
    }
    field(QStringLiteral("txtZGFFilename"))->setText(path("sized.zgf"));
    button(rle ? QStringLiteral("optRLEFormat") : QStringLiteral("optRAWFormat"))->click();
    budget();
    const QString coding = rle ? QStringLiteral("RLE") : QStringLiteral("RAW");
    const QString other = rle ? QStringLiteral("RAW") : QStringLiteral("RLE");
    QVERIFY(label(QStringLiteral("lblSize") + coding + QStringLiteral("Total"))->font().bold());
    QVERIFY(!label(QStringLiteral("lblSize") + other + QStringLiteral("Total"))->font().bold());
    const QString shown[3] = {label(QStringLiteral("lblSize") + coding + QStringLiteral("GlyphImage"))->text(),
                              label(QStringLiteral("lblSize") + coding + QStringLiteral("Mask"))->text(),
                              label(QStringLiteral("lblSize") + coding + QStringLiteral("Total"))->text()};

    button(QStringLiteral("cmdCommands_1"))->click();
    QCOMPARE(mFeedback.failures(), QStringList());
    const ZgfHeader header = ZgfFont::readFile(path("sized.zgf")).header();
    const qint64 size = QFileInfo(path("sized.zgf")).size();
    const qint64 glyphEnd = masked ? header.MaskOffset : size;
    const QChar separator = localeGroupSeparator();
    QCOMPARE(shown[0], formatGrouped(glyphEnd - header.GlyphOffset, separator));
    QCOMPARE(shown[1], formatGrouped(masked ? size - header.MaskOffset : 0, separator));
    QCOMPARE(shown[2], formatGrouped(size, separator));
}

void FrmExportTest::budgetOfUnreadableBitmaps()
{
    open(true, false);
    field(QStringLiteral("txtBitmapFilename"))->setText(path("absent.bmp"));
    QVERIFY(!budget()->budget());
    QLabel *note = label(QStringLiteral("lblSizeNote"));
    QVERIFY(note->isVisible());
    QVERIFY2(note->text().startsWith(QStringLiteral("Sizes not known: ")) && note->text().contains(path("absent.bmp")),
             qPrintable(note->text()));
    QCOMPARE(label(QStringLiteral("lblSizeRLETotal"))->text(), QString());

    // Once the bitmap is written, the sizes follow.
    button(QStringLiteral("optPostprocess"))->click();
    button(QStringLiteral("cmdCommands_1"))->click();
    QVERIFY(budget()->budget());
    QVERIFY(!note->isVisible());
    QVERIFY(!label(QStringLiteral("lblSizeRLETotal"))->text().isEmpty());
}

QTEST_MAIN(FrmExportTest)
#include "frmexport_test.moc"
