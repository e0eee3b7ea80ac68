// The export dialog: the names it proposes and resolves, the options it keeps, what it hands
// to the export and shows of it. The bytes of the export are the export suite's.
#include "dialogtesting.h"

#include "frmexport.h"
#include "numbers.h"
#include "sizebudgetpanel.h"
#include "windowfeedback.h"
#include "zgffont.h"

using namespace Qt::StringLiterals;

class FrmExportTest : public DialogTest
{
    Q_OBJECT

    template <typename T = QWidget>
    T *w(const QString &name) const
    {
        T *found = mDialog->findChild<T *>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }
    QLineEdit *field(const char *name) const { return w<QLineEdit>(QLatin1String(name)); }
    QString text(const char *name) const { return field(name)->text(); }
    void click(std::initializer_list<const char *> names) const
    {
        for (const char *name : names)
            w<QAbstractButton>(QLatin1String(name))->click();
    }
    // One digit per button: 1 where it is checked.
    QString checks(std::initializer_list<const char *> names) const
    {
        QString out;
        for (const char *name : names)
            out += w<QAbstractButton>(QLatin1String(name))->isChecked() ? QLatin1Char('1') : QLatin1Char('0');
        return out;
    }
    // Whether exactly the named controls are enabled (or, with enabled false, disabled).
    void expectEnabled(std::initializer_list<const char *> names, bool enabled) const
    {
        for (const char *name : names)
            QVERIFY2(w(QLatin1String(name))->isEnabled() == enabled, name);
    }
    QString path(const char *name) const { return DialogTest::path(QLatin1String(name)); }
    QString label(const QString &name) const { return w<QLabel>(name)->text(); }
    void open(bool postprocessed = false, bool masked = false)
    {
        mFont->Postprocessed = postprocessed;
        mFont->Masked = masked;
        DialogTest::open<frmExport>();
    }
    // The budget once its timer has run.
    SizeBudgetPanel *budget() const
    {
        auto *panel = w<SizeBudgetPanel>(QStringLiteral("fraSizeBudget"));
        if (!QTest::qWaitFor([panel] { return !panel->isScheduled(); }))
            qFatal("the budget was not computed");
        return panel;
    }

    // Stand-ins for the home folder and the working folder, which no name may fall back on.
    std::unique_ptr<QTemporaryDir> mHome, mWorking;
    const QByteArray mRealHome = qgetenv("HOME");
    const QString mStartFolder = QDir::currentPath();
    QList<QUrl> mOpened;
    RasterSurface mMeasure;

public slots:
    // Stands in for the file manager that "Open folder" starts.
    void openUrl(const QUrl &url) { mOpened.append(url); }

private slots:
    void initTestCase() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "openUrl"); }
    void cleanupTestCase() { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    void init()
    {
        DialogTest::init();
        mHome = std::make_unique<QTemporaryDir>();
        mWorking = std::make_unique<QTemporaryDir>();
        qputenv("HOME", mHome->path().toLocal8Bit());
        QDir::setCurrent(mWorking->path());
        mOpened.clear();
        mFont = std::make_unique<TexelFont>(&mMeasure);
        mFont->setChars(QStringLiteral("AbC"));
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
        QCOMPARE(checks({"optRLEFormat", "optRAWFormat", "chkZGFCFile", "chkSplit"}), QStringLiteral("1000"));
        click({"chkZGFCFile", "chkSplit", "optRAWFormat", "cmdCommands_0"});
        QCOMPARE(mDialog->result(), int(QDialog::Rejected));
        QVERIFY(!mDialog->isVisible());
        QVERIFY(!QFileInfo::exists(mServices->store.fileName()));
        QVERIFY(feedback().messages.isEmpty());

        for (const char *key : {"ZGFCFile", "SplitFiles"})
            mServices->store.save(QStringLiteral("Export"), QLatin1String(key), QStringLiteral("1"));
        mServices->store.save(QStringLiteral("Export"), QStringLiteral("RLEEncoding"), QStringLiteral("0"));
        open();
        QCOMPARE(checks({"optRLEFormat", "optRAWFormat", "chkZGFCFile", "chkSplit"}), QStringLiteral("0111"));
    }

    void proposedNamesAndEnabledFields()
    {
        mFont->setGP32FileName(QStringLiteral("gpname"));
        const QString variable = mHome->filePath(mFont->VariableName());
        for (const auto &[postprocessed, masked] : {std::pair(false, true), {true, false}, {true, true}}) {
            open(postprocessed, masked);
            QCOMPARE(mDialog->windowTitle(), QStringLiteral("Export font"));
            QCOMPARE(checks({"optZGFFont"}), QStringLiteral("1"));
            QCOMPARE(text("txtZGFFilename"), mHome->filePath(QStringLiteral("gpname.zgf")));
            QCOMPARE(text("txtZGFCFilename"), variable + QStringLiteral(".h"));
            QCOMPARE(text("txtBitmapFilename"), postprocessed ? variable + QStringLiteral(".bmp") : QString());
            QCOMPARE(text("txtMaskFilename"), postprocessed && masked ? variable + QStringLiteral("_mask.bmp") : QString());
            QCOMPARE(w<QComboBox>(QStringLiteral("cbxNbBitmaps"))->currentText(), QStringLiteral("1"));
            expectEnabled({"optPostprocess", "txtBitmapFilename", "picBrowse_0", "cbxNbBitmaps"}, postprocessed);
            expectEnabled({"lblMaskFilename", "txtMaskFilename", "picBrowse_1"}, postprocessed && masked);
            expectEnabled({"txtZGFFilename"}, true);
            QVERIFY(!w(QStringLiteral("pgbBar"))->isVisible());
        }
        // The C file controls follow the check box and the choice of bitmaps.
        for (const auto &[bitmaps, cFile] : {std::pair(false, true), {false, false}, {true, true}}) {
            open(true, false);
            if (cFile)
                click({"chkZGFCFile"});
            if (bitmaps)
                click({"optPostprocess"});
            expectEnabled({"lblZGFCFilename", "txtZGFCFilename", "chkSplit", "picBrowse_3"}, cFile && !bitmaps);
            expectEnabled({"txtZGFFilename", "optRLEFormat", "chkZGFCFile"}, !bitmaps);
        }
    }

    void browseAndEmptyField_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("fieldName");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("bitmap") << 0 << "txtBitmapFilename" << "Windows bitmap (*.bmp)|*.bmp" << ".bmp";
        QTest::newRow("mask") << 1 << "txtMaskFilename" << "Windows bitmap (*.bmp)|*.bmp" << ".bmp"; // must exist
        QTest::newRow("ZGF") << 2 << "txtZGFFilename" << "Velmora Font file (*.zgf)|*.zgf" << ".zgf";
        QTest::newRow("C") << 3 << "txtZGFCFilename" << "C header file (*.h)|*.h" << ".h";
    }
    void browseAndEmptyField()
    {
        QFETCH(int, index);
        QFETCH(QString, fieldName);
        QFETCH(QString, filter);
        QFETCH(QString, suffix);
        const bool mustExist = index == 1;
        open(true, true);
        click({"chkZGFCFile"});
        QLineEdit *edit = w<QLineEdit>(fieldName);
        const QString before = edit->text();
        auto *browse = w<QAbstractButton>(QStringLiteral("picBrowse_%1").arg(index));
        browse->click(); // cancelled: nothing changes
        QCOMPARE(edit->text(), before);
        const QList<FileRequest> &requests = mustExist ? choosers().openRequests : choosers().saveRequests;
        QCOMPARE(requests.size(), 1);
        QCOMPARE(requests.at(0).filter, filter);
        QCOMPARE(requests.at(0).defaultSuffix, suffix);
        QCOMPARE(requests.at(0).fileName, before);
        // The export asks before it overwrites, so the file dialog does not.
        QVERIFY(mustExist || !requests.at(0).confirmOverwrite);
        (mustExist ? choosers().openNames : choosers().saveNames).append(QStringLiteral("/tmp/chosen") + suffix);
        browse->click();
        QCOMPARE(edit->text(), QStringLiteral("/tmp/chosen") + suffix);
        if (index == 0) // the names beside it follow a new bitmap
            QCOMPARE(QStringList({text("txtMaskFilename"), text("txtZGFFilename"), text("txtZGFCFilename")}),
                     QStringList({u"/tmp/chosen_mask.bmp"_s, u"/tmp/chosen.zgf"_s, u"/tmp/chosen.h"_s}));

        // Left empty, the field gets its default name back (the ZGF name from GP32FileName,
        // the others from VariableName); another window taking the focus does not leave it.
        edit->setText(QStringLiteral("  "));
        QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(edit, &leave);
        const QString base = mHome->filePath(index == 2 ? mFont->GP32FileName() : mFont->VariableName());
        QCOMPARE(edit->text(), base + (mustExist ? QStringLiteral("_mask.bmp") : suffix));
        edit->clear();
        QFocusEvent deactivated(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
        QCoreApplication::sendEvent(edit, &deactivated);
        QCOMPARE(edit->text(), QString());
    }

    // Names without a folder go to the project's folder, else the last export's, else home;
    // never to the working folder (checked after every test).
    void okWritesReadableFont_data()
    {
        QTest::addColumn<bool>("rle");
        QTest::addColumn<bool>("cFile");
        QTest::addColumn<QString>("project");    // saved as, in mFolder
        QTest::addColumn<QString>("lastFolder"); // stored, in mFolder
        QTest::addColumn<QString>("expected");   // where the files go, in mFolder; empty: home
        QTest::newRow("RLE with C, new document") << true << true << "" << "" << "";
        QTest::newRow("RAW, new document after an export") << false << false << "" << "last" << "last";
        QTest::newRow("RLE, last export folder gone") << true << false << "" << "gone" << "";
        QTest::newRow("RAW with C, saved project") << false << true << "fonts/my.tsm" << "last" << "fonts";
    }
    void okWritesReadableFont()
    {
        QFETCH(bool, rle);
        QFETCH(bool, cFile);
        QFETCH(QString, project);
        QFETCH(QString, lastFolder);
        QFETCH(QString, expected);
        QVERIFY(QDir(mFolder->path()).mkpath(u"last"_s) && QDir(mFolder->path()).mkpath(u"fonts"_s));
        if (!lastFolder.isEmpty())
            mServices->store.save(u"Export"_s, u"LastFolder"_s, mFolder->filePath(lastFolder));
        if (!project.isEmpty())
            mFont->setFilename(mFolder->filePath(project));
        const QDir folder(expected.isEmpty() ? mHome->path() : mFolder->filePath(expected));
        open();
        QCOMPARE(text("txtZGFFilename"), folder.filePath(mFont->GP32FileName() + u".zgf"_s));
        click({rle ? "optRLEFormat" : "optRAWFormat"});
        if (cFile)
            click({"chkZGFCFile"});
        field("txtZGFFilename")->setText(u"font"_s);
        QCOMPARE(text("txtZGFCFilename"), u"font.h"_s);
        // Completing the ZGF name must not take the C name the person typed.
        field("txtZGFCFilename")->setText(u"other"_s);
        click({"cmdCommands_1"});
        QCOMPARE(feedback().failures(), QStringList());
        QVERIFY(feedback().informations().contains(u"Font file generated correctly."_s));
        QCOMPARE(mDialog->result(), int(QDialog::Accepted));
        const QStringList written = QStringList{folder.filePath(u"font.zgf"_s), folder.filePath(u"other.h"_s)};
        QCOMPARE(feedback().written, written.mid(0, cFile ? 2 : 1));
        const ZgfFont font = ZgfFont::readFile(written.at(0));
        QCOMPARE(font.characters(), u"AbC"_s);
        QCOMPARE(bool(font.header().Flags & ZgfHeader::RleImage), rle);
        QCOMPARE(QFileInfo::exists(written.at(1)), cFile);
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
        QTest::addColumn<QString>("bitmap"); // a post-processed document's, when given
        QTest::addColumn<QString>("zgf");
        QTest::addColumn<QString>("c");      // C source wanted, when given
        QTest::addColumn<QString>("failure");
        QTest::newRow("colon") << QString() << u":y.zgf"_s << u":y.h"_s << QString();
        QTest::newRow("no ZGF name") << QString() << QString() << QString() << u"5: The font file has no name."_s;
        QTest::newRow("no C name") << QString() << u"f.zgf"_s << u" "_s << u"5: The C file has no name."_s;
        QTest::newRow("ZGF over edited bitmap") << u"g.bmp"_s << u"g.bmp"_s << QString()
                                                << u"5: The font file would replace the edited bitmap %1/g.bmp."_s;
    }
    void okChecksTheFileNames()
    {
        QFETCH(QString, bitmap);
        QFETCH(QString, zgf);
        QFETCH(QString, c);
        QFETCH(QString, failure);
        mFont->setFilename(path("p.tsm"));
        open(!bitmap.isEmpty());
        field("txtBitmapFilename")->setText(bitmap);
        field("txtZGFFilename")->setText(zgf);
        if (!c.isEmpty())
            click({"chkZGFCFile"});
        field("txtZGFCFilename")->setText(c);
        click({"cmdCommands_1"});
        const QStringList written = QDir(mFolder->path()).entryList(QDir::Files);
        QCOMPARE(feedback().failures(), failure.isEmpty() ? QStringList() : QStringList{failure.arg(mFolder->path())});
        QCOMPARE(written, (failure.isEmpty() ? QStringList{u":y.h"_s, u":y.zgf"_s} : QStringList()) << u"store.ini"_s);
        QCOMPARE(mDialog->isVisible(), !failure.isEmpty());
    }

    void bitmapsThenFontFromEditedBitmaps()
    {
        open(true, true);
        field("txtBitmapFilename")->setText(path("glyphs.bmp"));
        click({"optPostprocess"});
        w<QComboBox>(QStringLiteral("cbxNbBitmaps"))->setCurrentIndex(1);
        click({"cmdCommands_1"});
        QCOMPARE(feedback().failures(), QStringList());
        // Every file written is named with its folder.
        QStringList written;
        for (const char *name :
             {"glyphs1.bmp", "glyphs2.bmp", "glyphs.bmp", "glyphs_mask1.bmp", "glyphs_mask2.bmp", "glyphs_mask.bmp"})
            written.append(path(name));
        QCOMPARE(feedback().written, written);
        for (const QString &name : written)
            QVERIFY2(QFileInfo::exists(name), qPrintable(name));
        QVERIFY(!QFileInfo::exists(path("glyphs3.bmp")));
        QVERIFY(mDialog->isVisible());
        QCOMPARE(checks({"optZGFFont"}), QStringLiteral("1"));
        expectEnabled({"txtZGFFilename"}, true);

        // The edited bitmaps make the font (their pixels reach it: see export_raster_test).
        click({"cmdCommands_1"});
        QCOMPARE(feedback().failures(), QStringList());
        QCOMPARE(mDialog->result(), int(QDialog::Accepted));
        QVERIFY(ZgfFont::readFile(path("glyphs.zgf")).header().MaskOffset > 0);
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
        field("txtZGFFilename")->setText(path("shown.zgf"));
        QStringList seen;
        QTimer closer;
        connect(&closer, &QTimer::timeout, this, [&] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                seen.append(box->windowTitle() + QStringLiteral(": ") + box->text());
                box->buttons().constLast()->click(); // the action after "OK"
            }
        });
        closer.start(10);
        click({"cmdCommands_1"});
        closer.stop();
        QCOMPARE(seen.size(), 2);
        QCOMPARE(seen.at(0), QStringLiteral("Export font: Font file generated correctly.\n\n") + path("shown.zgf"));
        QCOMPARE(seen.at(1), QStringLiteral("Export font: C file(s) generated correctly.\n\n") + path("shown.h"));
        QCOMPARE(mOpened, QList<QUrl>(2, QUrl::fromLocalFile(mFolder->path()))); // "Open folder"
        QVERIFY(w(QStringLiteral("pgbBar"))->isHidden());
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
        const QString none;
        const QString missing = QStringLiteral("1 character is not in Arial: \u2603 (U+2603)");
        const QString unencodable = QStringLiteral("2 characters have no Windows-1252 code and will be written as "
                                                   "\"?\": \u0141 (U+0141), \u2603 (U+2603)");
        for (const auto &[chars, notes] : {std::pair(QStringLiteral("A\u20AC"), std::pair(none, none)),
                                           {QStringLiteral("A\u0141\u2603\r\n\u2603"), {missing, unencodable}}}) {
            mFont->setChars(chars);
            open();
            QCOMPARE(label(QStringLiteral("lblMissingGlyphs")), notes.first);
            QCOMPARE(w(QStringLiteral("lblMissingGlyphs"))->isVisible(), !notes.first.isEmpty());
            QCOMPARE(label(QStringLiteral("lblUnencodable")), notes.second);
            QCOMPARE(w(QStringLiteral("lblUnencodable"))->isVisible(), !notes.second.isEmpty());
        }
    }

    void budgetEqualsWrittenSizes()
    {
        for (const auto &[rle, masked] : {std::pair(false, false), {true, true}}) {
            open(masked, masked);
            if (masked) { // the edited bitmaps the budget and the export read
                field("txtBitmapFilename")->setText(path("glyphs.bmp"));
                click({"optPostprocess", "cmdCommands_1"});
                QCOMPARE(feedback().failures(), QStringList());
            }
            field("txtZGFFilename")->setText(path("sized.zgf"));
            click({rle ? "optRLEFormat" : "optRAWFormat"});
            budget();
            const QString shown = QStringLiteral("lblSize") + (rle ? QStringLiteral("RLE") : QStringLiteral("RAW"));
            const QString other = QStringLiteral("lblSize") + (rle ? QStringLiteral("RAW") : QStringLiteral("RLE"));
            QVERIFY(w<QLabel>(shown + QStringLiteral("Total"))->font().bold());
            QVERIFY(!w<QLabel>(other + QStringLiteral("Total"))->font().bold());
            // The parts of the file are the budget routine's; here the total the dialog shows.
            const QString total = label(shown + QStringLiteral("Total"));
            click({"cmdCommands_1"});
            QCOMPARE(feedback().failures(), QStringList());
            QCOMPARE(total, formatGrouped(QFileInfo(path("sized.zgf")).size(), localeGroupSeparator()));
        }
    }

    void budgetOfUnreadableBitmaps()
    {
        open(true, false);
        // Before the bitmap export the bitmaps are missing: no fault to report.
        field("txtBitmapFilename")->setText(path("absent.bmp"));
        QVERIFY(!budget()->budget());
        auto *note = w<QLabel>(QStringLiteral("lblSizeNote"));
        QVERIFY(note->isVisible());
        QCOMPARE(note->text(), QStringLiteral("Sizes are shown once the edited bitmaps exist"));
        QCOMPARE(label(QStringLiteral("lblSizeRLETotal")), QString());

        // Once the bitmap is written, the sizes follow.
        click({"optPostprocess", "cmdCommands_1"});
        QVERIFY(budget()->budget());
        QVERIFY(!note->isVisible());
        QVERIFY(!label(QStringLiteral("lblSizeRLETotal")).isEmpty());
    }
};

QTEST_MAIN(FrmExportTest)
#include "frmexport_test.moc"
