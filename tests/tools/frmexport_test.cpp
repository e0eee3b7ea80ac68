// The export dialog: the names it proposes and resolves, the options it keeps, what it hands
// to the export and shows of it. The bytes of the export are the export suite's.
#include "dialogtesting.h"

#include "frmexport.h"
#include "numbers.h"
#include "sizebudgetpanel.h"
#include "windowfeedback.h"
#include "zgffont.h"

using namespace Qt::StringLiterals;

// A browse button, the field it fills, and the filter and suffix of the file dialog it opens.
struct BrowseCase
{
    int index;
    QString field, filter, suffix;
};
Q_DECLARE_METATYPE(BrowseCase)

// The coding and C option of an export, the project (saved as) and last export folder stored
// in mFolder, and where the files go there (empty: home).
struct FolderCase
{
    bool rle, cFile;
    QString project, lastFolder, expected;
};
Q_DECLARE_METATYPE(FolderCase)

// A post-processed document's bitmap when given, the ZGF name, the C name (C source wanted
// when given), and the refusal.
struct NamesCase
{
    QString bitmap, zgf, c, failure;
};
Q_DECLARE_METATYPE(NamesCase)

class FrmExportTest : public DialogTest
{
    Q_OBJECT

    QString text(const char *name) const { return control(name)->text(); }
    QString path(const char *name) const { return DialogTest::path(QLatin1String(name)); }
    void open(bool postprocessed = false, bool masked = false)
    {
        mFont->Postprocessed = postprocessed;
        mFont->Masked = masked;
        DialogTest::open<frmExport>();
    }
    // The budget once its timer has run.
    SizeBudgetPanel *budget() const
    {
        auto *panel = control<SizeBudgetPanel>("fraSizeBudget");
        if (!QTest::qWaitFor([panel] { return !panel->isScheduled(); }))
            qFatal("the budget was not computed");
        return panel;
    }
    // The total the budget shows for the coding chosen, which is in bold and the other not.
    QString budgetTotal(bool rle) const
    {
        click({rle ? "optRLEFormat" : "optRAWFormat"});
        budget();
        const auto total = [this](bool ofRle) {
            return control<QLabel>(ofRle ? "lblSizeRLETotal" : "lblSizeRAWTotal");
        };
        return total(rle)->font().bold() && !total(!rle)->font().bold() ? total(rle)->text() : u"<not in bold>"_s;
    }
    QString sizeOf(const QString &file) const { return formatGrouped(QFileInfo(file).size(), localeGroupSeparator()); }

    // Stand-ins for the home folder and the working folder, which no name may fall back on.
    std::unique_ptr<QTemporaryDir> mHome, mWorking;
    const QByteArray mRealHome = qgetenv("HOME");
    const QString mStartFolder = QDir::currentPath();
    QList<QUrl> mOpened;

public slots:
    // Stands in for the file manager that "Open folder" starts.
    void openUrl(const QUrl &url) { mOpened.append(url); }

private slots:
    void initTestCase() { QDesktopServices::setUrlHandler(u"file"_s, this, "openUrl"); }
    void cleanupTestCase() { QDesktopServices::unsetUrlHandler(u"file"_s); }
    void init()
    {
        DialogTest::init();
        mHome = std::make_unique<QTemporaryDir>();
        mWorking = std::make_unique<QTemporaryDir>();
        qputenv("HOME", mHome->path().toLocal8Bit());
        QDir::setCurrent(mWorking->path());
        mOpened.clear();
        mFont = std::make_unique<TexelFont>();
        mFont->setChars(u"AbC"_s);
    }
    void cleanup()
    {
        DialogTest::cleanup();
        QCOMPARE(QDir(mWorking->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
        QDir::setCurrent(mStartFolder);
        qputenv("HOME", mRealHome);
    }

    void storeReadOnLoadAndNotWrittenOnExit()
    {
        open();
        QCOMPARE(states({"optRLEFormat", "optRAWFormat", "chkZGFCFile", "chkSplit"}), u"1000"_s);
        click({"chkZGFCFile", "chkSplit", "optRAWFormat", "cmdCommands_0"});
        QCOMPARE(mDialog->result(), int(QDialog::Rejected));
        QVERIFY(!mDialog->isVisible());
        QVERIFY(!QFileInfo::exists(mServices->store.fileName()));
        QVERIFY(feedback().messages.isEmpty());

        for (const auto &[key, value] : {std::pair("ZGFCFile", "1"), {"SplitFiles", "1"}, {"RLEEncoding", "0"}})
            mServices->store.save(u"Export"_s, QLatin1String(key), QLatin1String(value));
        open();
        QCOMPARE(states({"optRLEFormat", "optRAWFormat", "chkZGFCFile", "chkSplit"}), u"0111"_s);
    }

    void proposedNamesAndEnabledFields()
    {
        mFont->setGP32FileName(u"gpname"_s);
        const QString variable = mHome->filePath(mFont->VariableName());
        for (const auto &[postprocessed, masked] : {std::pair(false, true), {true, false}, {true, true}}) {
            open(postprocessed, masked);
            QCOMPARE(mDialog->windowTitle(), u"Export font"_s);
            QCOMPARE(states({"optZGFFont"}), u"1"_s);
            QCOMPARE(text("txtZGFFilename"), mHome->filePath(u"gpname.zgf"_s));
            QCOMPARE(text("txtZGFCFilename"), variable + u".h"_s);
            QCOMPARE(text("txtBitmapFilename"), postprocessed ? variable + u".bmp"_s : QString());
            QCOMPARE(text("txtMaskFilename"), postprocessed && masked ? variable + u"_mask.bmp"_s : QString());
            QCOMPARE(control<QComboBox>("cbxNbBitmaps")->currentText(), u"1"_s);
            const QString bitmaps = postprocessed ? u"1111"_s : u"0000"_s,
                          mask = postprocessed && masked ? u"111"_s : u"000"_s;
            QCOMPARE(states({"optPostprocess", "txtBitmapFilename", "picBrowse_0", "cbxNbBitmaps", "lblMaskFilename",
                             "txtMaskFilename", "picBrowse_1", "txtZGFFilename"},
                            true),
                     bitmaps + mask + u'1');
            QVERIFY(!control<QWidget>("pgbBar")->isVisible());
        }
        // The C file controls follow the check box and the choice of bitmaps.
        for (const auto &[bitmaps, cFile, enabled] :
             {std::tuple(false, true, "1111111"), {false, false, "0000111"}, {true, true, "0000000"}}) {
            open(true, false);
            if (cFile)
                click({"chkZGFCFile"});
            if (bitmaps)
                click({"optPostprocess"});
            QCOMPARE(states({"lblZGFCFilename", "txtZGFCFilename", "chkSplit", "picBrowse_3", "txtZGFFilename",
                             "optRLEFormat", "chkZGFCFile"},
                            true),
                     QLatin1String(enabled));
        }
    }

    void browseAndEmptyField_data()
    {
        QTest::addColumn<BrowseCase>("c");
        QTest::newRow("bitmap") << BrowseCase{0, u"txtBitmapFilename"_s, u"Windows bitmap (*.bmp)|*.bmp"_s, u".bmp"_s};
        QTest::newRow("mask") << BrowseCase{1, u"txtMaskFilename"_s, u"Windows bitmap (*.bmp)|*.bmp"_s,
                                            u".bmp"_s}; // must exist
        QTest::newRow("ZGF") << BrowseCase{2, u"txtZGFFilename"_s, u"Velmora Font file (*.zgf)|*.zgf"_s, u".zgf"_s};
        QTest::newRow("C") << BrowseCase{3, u"txtZGFCFilename"_s, u"C header file (*.h)|*.h"_s, u".h"_s};
    }
    void browseAndEmptyField()
    {
        QFETCH(BrowseCase, c);
        const auto &[index, fieldName, filter, suffix] = c;
        const bool mustExist = index == 1;
        open(true, true);
        click({"chkZGFCFile"});
        QLineEdit *edit = control(fieldName);
        const QString before = edit->text();
        auto *browse = control<QAbstractButton>(u"picBrowse_%1"_s.arg(index));
        browse->click(); // cancelled: nothing changes
        QCOMPARE(edit->text(), before);
        const QList<FileRequest> &requests = mustExist ? choosers().openRequests : choosers().saveRequests;
        QCOMPARE(requests.size(), 1);
        QCOMPARE(requests.at(0).filter + requests.at(0).defaultSuffix + requests.at(0).fileName,
                 filter + suffix + before);
        // The export asks before it overwrites, so the file dialog does not.
        QVERIFY(mustExist || !requests.at(0).confirmOverwrite);
        (mustExist ? choosers().openNames : choosers().saveNames).append(u"/tmp/chosen"_s + suffix);
        browse->click();
        QCOMPARE(edit->text(), u"/tmp/chosen"_s + suffix);
        if (index == 0) // the names beside it follow a new bitmap
            QCOMPARE(QStringList({text("txtMaskFilename"), text("txtZGFFilename"), text("txtZGFCFilename")}),
                     QStringList({u"/tmp/chosen_mask.bmp"_s, u"/tmp/chosen.zgf"_s, u"/tmp/chosen.h"_s}));

        // Left empty, the field gets its default name back (the ZGF name from GP32FileName,
        // the others from VariableName); another window taking the focus does not leave it.
        const QString base = mHome->filePath(index == 2 ? mFont->GP32FileName() : mFont->VariableName());
        edit->setText(u"  "_s);
        for (const auto &[reason, expected] : {std::pair(Qt::ActiveWindowFocusReason, u"  "_s),
                                               {Qt::TabFocusReason, base + (mustExist ? u"_mask.bmp"_s : suffix)}}) {
            QFocusEvent leave(QEvent::FocusOut, reason);
            QCoreApplication::sendEvent(edit, &leave);
            QCOMPARE(edit->text(), expected);
        }
    }

    // Names without a folder go to the project's folder, else the last export's, else home;
    // never to the working folder (checked after every test).
    void okWritesReadableFont_data()
    {
        QTest::addColumn<FolderCase>("c");
        QTest::newRow("RLE with C, new document") << FolderCase{true, true, {}, {}, {}};
        QTest::newRow("RAW, new document after an export") << FolderCase{false, false, {}, u"last"_s, u"last"_s};
        QTest::newRow("RLE, last export folder gone") << FolderCase{true, false, {}, u"gone"_s, {}};
        QTest::newRow("RAW with C, saved project") << FolderCase{false, true, u"fonts/my.tsm"_s, u"last"_s, u"fonts"_s};
    }
    void okWritesReadableFont()
    {
        QFETCH(FolderCase, c);
        const auto &[rle, cFile, project, lastFolder, expected] = c;
        QVERIFY(QDir(mFolder->path()).mkpath(u"last"_s) && QDir(mFolder->path()).mkpath(u"fonts"_s));
        if (!lastFolder.isEmpty())
            mServices->store.save(u"Export"_s, u"LastFolder"_s, mFolder->filePath(lastFolder));
        if (!project.isEmpty())
            mFont->setFilename(mFolder->filePath(project));
        const QDir folder(expected.isEmpty() ? mHome->path() : mFolder->filePath(expected));
        open();
        QCOMPARE(text("txtZGFFilename"), folder.filePath(mFont->GP32FileName() + u".zgf"_s));
        if (cFile)
            click({"chkZGFCFile"});
        control("txtZGFFilename")->setText(u"font"_s);
        const QString total = budgetTotal(rle);
        QCOMPARE(text("txtZGFCFilename"), u"font.h"_s);
        // Completing the ZGF name must not take the C name the person typed.
        control("txtZGFCFilename")->setText(u"other"_s);
        command(1)->click();
        QCOMPARE(feedback().failures(), QStringList());
        QVERIFY(feedback().informations().contains(u"Font file generated correctly."_s));
        QCOMPARE(mDialog->result(), int(QDialog::Accepted));
        const QStringList written = QStringList{folder.filePath(u"font.zgf"_s), folder.filePath(u"other.h"_s)};
        QCOMPARE(feedback().written, written.mid(0, cFile ? 2 : 1));
        const ZgfFont font = ZgfFont::readFile(written.at(0));
        QCOMPARE(font.characters(), u"AbC"_s);
        QCOMPARE(bool(font.header().Flags & ZgfHeader::RleImage), rle);
        QCOMPARE(QFileInfo::exists(written.at(1)), cFile);
        QCOMPARE(total, sizeOf(written.at(0)));
        QVERIFY(!QFileInfo::exists(folder.filePath(u"font.h"_s)));
        // The fields show where the files went.
        QCOMPARE(text("txtZGFFilename"), written.at(0));
        QCOMPARE(text("txtZGFCFilename"), cFile ? written.at(1) : folder.filePath(u"other"_s));
        QString stored;
        for (const char *key : {"ZGFCFile", "SplitFiles", "RLEEncoding", "LastFolder"})
            stored += mServices->store.get(u"Export"_s, QLatin1String(key));
        QCOMPARE(stored, QString::number(cFile) + u'0' + QString::number(rle) + folder.path());
    }

    // Names relative to the project's folder: one starting with ":" is a file like any other;
    // an empty name, or one that would replace another file, is refused and nothing written.
    void okChecksTheFileNames_data()
    {
        QTest::addColumn<NamesCase>("names");
        QTest::newRow("colon") << NamesCase{{}, u":y.zgf"_s, u":y.h"_s, {}};
        QTest::newRow("no ZGF name") << NamesCase{{}, {}, {}, u"5: The font file has no name."_s};
        QTest::newRow("no C name") << NamesCase{{}, u"f.zgf"_s, u" "_s, u"5: The C file has no name."_s};
        QTest::newRow("ZGF over edited bitmap")
            << NamesCase{u"g.bmp"_s, u"g.bmp"_s, {}, u"5: The font file would replace the edited bitmap %1/g.bmp."_s};
    }
    void okChecksTheFileNames()
    {
        QFETCH(NamesCase, names);
        const auto &[bitmap, zgf, c, failure] = names;
        mFont->setFilename(path("p.tsm"));
        open(!bitmap.isEmpty());
        control("txtBitmapFilename")->setText(bitmap);
        control("txtZGFFilename")->setText(zgf);
        if (!c.isEmpty())
            click({"chkZGFCFile"});
        control("txtZGFCFilename")->setText(c);
        command(1)->click();
        const QStringList written = QDir(mFolder->path()).entryList(QDir::Files);
        QCOMPARE(feedback().failures(), failure.isEmpty() ? QStringList() : QStringList{failure.arg(mFolder->path())});
        QCOMPARE(written, (failure.isEmpty() ? QStringList{u":y.h"_s, u":y.zgf"_s} : QStringList()) << u"store.ini"_s);
        QCOMPARE(mDialog->isVisible(), !failure.isEmpty());
    }

    // A C file that fails after the font file took its name (a folder of the header's name):
    // the failure names the font written, no success is shown and the dialog stays open.
    void cFailureAfterTheFontKeepsTheDialogOpen()
    {
        QVERIFY(QDir(mFolder->path()).mkdir(u"f.h"_s));
        open();
        click({"chkZGFCFile"});
        control("txtZGFFilename")->setText(path("f.zgf"));
        control("txtZGFCFilename")->setText(path("f.h"));
        command(1)->click();
        QCOMPARE(feedback().failures().size(), 1);
        QVERIFY2(feedback().failures().at(0).endsWith(u"(already written: "_s + path("f.zgf") + u')'),
                 qPrintable(feedback().failures().at(0)));
        QCOMPARE(feedback().informations(), QStringList());
        QVERIFY(mDialog->isVisible());
    }

    // The bitmaps first, then the font from the edited bitmaps, as large as the budget said.
    void bitmapsThenFontFromEditedBitmaps()
    {
        open(true, true);
        // Before the bitmap export the bitmaps are missing: no fault to report.
        control("txtBitmapFilename")->setText(path("glyphs.bmp"));
        QVERIFY(!budget()->budget());
        auto *note = control<QLabel>("lblSizeNote");
        QVERIFY(note->isVisible());
        QCOMPARE(note->text(), u"Sizes are shown once the edited bitmaps exist"_s);
        QCOMPARE(control<QLabel>("lblSizeRLETotal")->text(), QString());
        click({"optPostprocess"});
        control<QComboBox>("cbxNbBitmaps")->setCurrentIndex(1);
        command(1)->click();
        QCOMPARE(feedback().failures(), QStringList());
        // Every file written is named with its folder.
        QStringList written;
        for (const char *name :
             {"glyphs1.bmp", "glyphs2.bmp", "glyphs.bmp", "glyphs_mask1.bmp", "glyphs_mask2.bmp", "glyphs_mask.bmp"})
            written.append(path(name));
        QCOMPARE(feedback().written, written);
        QVERIFY(!QFileInfo::exists(path("glyphs3.bmp")));
        QVERIFY(mDialog->isVisible());
        QCOMPARE(states({"optZGFFont"}) + states({"txtZGFFilename"}, true), u"11"_s);

        // Once the bitmaps exist, the sizes follow; they make the font (their pixels reach it:
        // see export_raster_test).
        control("txtZGFFilename")->setText(writeFile(path("glyphs.zgf"), "old"));
        const QString total = budgetTotal(true);
        QVERIFY(!note->isVisible());
        command(1)->click();
        QCOMPARE(feedback().failures(), QStringList());
        QCOMPARE(mDialog->result(), int(QDialog::Accepted));
        QCOMPARE(feedback().questions(), QStringList{u"Overwrite .ZGF font file "_s + path("glyphs.zgf") + u'?'});
        QVERIFY(ZgfFont::readFile(path("glyphs.zgf")).header().MaskOffset > 0);
        QCOMPARE(total, sizeOf(path("glyphs.zgf")));
    }

    // With the windows' feedback, messages are titled with the caption of the dialog in front,
    // and the dialog shows its progress bar only while it works.
    void messagesTitledWithCaption()
    {
        WindowFeedback windows;
        DialogServices services{mServices->store, choosers(), windows};
        auto dialog = std::make_unique<frmExport>(services);
        dialog->setTexelFont(mFont.get());
        dialog->setWindowModality(Qt::ApplicationModal); // as exec() shows it
        dialog->show();
        mDialog = std::move(dialog);
        click({"chkZGFCFile"});
        control("txtZGFFilename")->setText(path("shown.zgf"));
        QStringList seen;
        whileModal([this] { command(1)->click(); },
                   [&](QWidget *modal) {
                       if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                           seen.append(box->windowTitle() + u": "_s + box->text());
                           box->buttons().constLast()->click(); // the action after "OK"
                       }
                   });
        QCOMPARE(seen,
                 QStringList({u"Export font: Font file generated correctly.\n\n"_s + path("shown.zgf"),
                              u"Export font: C file(s) generated correctly.\n\n"_s + path("shown.h")}));
        QCOMPARE(mOpened, QList<QUrl>(2, QUrl::fromLocalFile(mFolder->path()))); // "Open folder"
        QVERIFY(control<QWidget>("pgbBar")->isHidden());
        QVERIFY(!QApplication::overrideCursor());
        mDialog.reset(); // before the services it was given
    }

    void closesWithoutDocument()
    {
        frmExport dialog(mServices->services);
        dialog.show();
        QTRY_VERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }

    void characterNotes()
    {
        const QString missing = u"1 character is not in Arial: \u2603 (U+2603)"_s;
        const QString unencodable = u"2 characters have no Windows-1252 code and will be written as "
                                    u"\"?\": \u0141 (U+0141), \u2603 (U+2603)"_s;
        for (const auto &[chars, notes] : {std::pair(u"A\u20AC"_s, QStringList{QString(), QString()}),
                                           {u"A\u0141\u2603\r\n\u2603"_s, {missing, unencodable}}}) {
            mFont->setChars(chars);
            open();
            QCOMPARE(
                QStringList({control<QLabel>("lblMissingGlyphs")->text(), control<QLabel>("lblUnencodable")->text()}),
                notes);
            QCOMPARE(control<QWidget>("lblMissingGlyphs")->isVisible(), !notes.at(0).isEmpty());
            QCOMPARE(control<QWidget>("lblUnencodable")->isVisible(), !notes.at(1).isEmpty());
        }
    }
};

QTEST_MAIN(FrmExportTest)
#include "frmexport_test.moc"
