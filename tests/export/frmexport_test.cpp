#include "scriptedchoosers.h"

#include "frmexport.h"
#include "numbers.h"
#include "rastersurface.h"
#include "recordingfeedback.h"
#include "settingsstore.h"
#include "sizebudgetpanel.h"
#include "texelfont.h"
#include "zgffont.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace Qt::StringLiterals;

class FrmExportTest : public QObject
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
    QString path(const char *name) const { return mFolder->filePath(QLatin1String(name)); }
    QString label(const QString &name) const { return w<QLabel>(name)->text(); }
    void open(bool postprocessed = false, bool masked = false)
    {
        mFont->Postprocessed = postprocessed;
        mFont->Masked = masked;
        mDialog = std::make_unique<frmExport>(*mStore, nullptr, &mChoosers, &mFeedback);
        mDialog->setTexelFont(mFont.get());
        mDialog->show();
    }
    // The budget once its timer has run.
    SizeBudgetPanel *budget() const
    {
        auto *panel = w<SizeBudgetPanel>(QStringLiteral("fraSizeBudget"));
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

private slots:
    void init()
    {
        mFolder = std::make_unique<QTemporaryDir>();
        mStore = std::make_unique<SettingsStore>(mFolder->filePath(QStringLiteral("store.ini")));
        mFont = std::make_unique<TexelFont>(&mMeasure);
        mFont->setChars(QStringLiteral("AbC"));
        mChoosers = ScriptedChoosers();
        mFeedback = RecordingFeedback();
    }
    void cleanup() { mDialog.reset(); }

    void storeReadOnLoadAndNotWrittenOnExit()
    {
        open();
        QCOMPARE(checks({"optRLEFormat", "optRAWFormat", "chkZGFCFile", "chkSplit"}), QStringLiteral("1000"));
        click({"chkZGFCFile", "chkSplit", "optRAWFormat", "cmdCommands_0"});
        QCOMPARE(mDialog->result(), int(QDialog::Rejected));
        QVERIFY(!mDialog->isVisible());
        QVERIFY(!QFileInfo::exists(mStore->fileName()));
        QVERIFY(mFeedback.messages.isEmpty());

        for (const char *key : {"ZGFCFile", "SplitFiles"})
            mStore->save(QStringLiteral("Export"), QLatin1String(key), QStringLiteral("1"));
        mStore->save(QStringLiteral("Export"), QStringLiteral("RLEEncoding"), QStringLiteral("0"));
        open();
        QCOMPARE(checks({"optRLEFormat", "optRAWFormat", "chkZGFCFile", "chkSplit"}), QStringLiteral("0111"));
    }

    void proposedNamesAndEnabledFields()
    {
        mFont->setGP32FileName(QStringLiteral("gpname"));
        const QString variable = mFont->VariableName();
        for (const auto &[postprocessed, masked] : {std::pair(false, true), {true, false}, {true, true}}) {
            open(postprocessed, masked);
            QCOMPARE(mDialog->windowTitle(), QStringLiteral("Export font"));
            QCOMPARE(checks({"optZGFFont"}), QStringLiteral("1"));
            QCOMPARE(text("txtZGFFilename"), QStringLiteral("gpname.zgf"));
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

    void browsedBitmapDerivesNames()
    {
        for (const bool masked : {true, false}) {
            open(true, masked);
            const QString mask = text("txtMaskFilename");
            mChoosers.saveNames = {QStringLiteral("/work/glyphs.bmp")};
            click({"picBrowse_0"});
            QCOMPARE(text("txtBitmapFilename"), QStringLiteral("/work/glyphs.bmp"));
            QCOMPARE(text("txtZGFFilename"), QStringLiteral("/work/glyphs.zgf"));
            QCOMPARE(text("txtZGFCFilename"), QStringLiteral("/work/glyphs.h"));
            QCOMPARE(text("txtMaskFilename"), masked ? QStringLiteral("/work/glyphs_mask.bmp") : mask);
        }
        // A new ZGF name derives only the C name.
        field("txtZGFFilename")->setText(QStringLiteral("/out/f.bin"));
        QCOMPARE(text("txtZGFCFilename"), QStringLiteral("/out/f.h"));
        QCOMPARE(text("txtBitmapFilename"), QStringLiteral("/work/glyphs.bmp"));
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
        const QList<FileRequest> &requests = mustExist ? mChoosers.openRequests : mChoosers.saveRequests;
        QCOMPARE(requests.size(), 1);
        QCOMPARE(requests.at(0).filter, filter);
        QCOMPARE(requests.at(0).defaultSuffix, suffix);
        QCOMPARE(requests.at(0).fileName, before);
        // The export asks before it overwrites, so the file dialog does not.
        QVERIFY(mustExist || !requests.at(0).confirmOverwrite);
        (mustExist ? mChoosers.openNames : mChoosers.saveNames).append(QStringLiteral("/tmp/chosen") + suffix);
        browse->click();
        QCOMPARE(edit->text(), QStringLiteral("/tmp/chosen") + suffix);

        // Left empty, the field gets its default name back (the ZGF name from GP32FileName,
        // the others from VariableName); another window taking the focus does not leave it.
        edit->setText(QStringLiteral("  "));
        QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(edit, &leave);
        const QString base = index == 2 ? mFont->GP32FileName() : mFont->VariableName();
        QCOMPARE(edit->text(), base + (mustExist ? QStringLiteral("_mask.bmp") : suffix));
        edit->clear();
        QFocusEvent deactivated(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
        QCoreApplication::sendEvent(edit, &deactivated);
        QCOMPARE(edit->text(), QString());
    }

    void okWritesReadableFont()
    {
        for (const auto &[rle, cFile] : {std::pair(true, true), {false, false}}) {
            cleanup();
            init();
            open();
            click({rle ? "optRLEFormat" : "optRAWFormat"});
            if (cFile)
                click({"chkZGFCFile"});
            field("txtZGFFilename")->setText(path("font"));
            QCOMPARE(text("txtZGFCFilename"), path("font.h"));
            // Completing the ZGF name must not take the C name the person typed.
            field("txtZGFCFilename")->setText(path("other"));
            click({"cmdCommands_1"});
            QCOMPARE(mFeedback.failures(), QStringList());
            QVERIFY(mFeedback.informations().contains(QStringLiteral("Font file generated correctly.")));
            QCOMPARE(mDialog->result(), int(QDialog::Accepted));
            const ZgfFont font = ZgfFont::readFile(path("font.zgf"));
            QCOMPARE(font.characters(), QStringLiteral("AbC"));
            QCOMPARE(bool(font.header().Flags & ZgfHeader::RleImage), rle);
            QCOMPARE(QFileInfo::exists(path("other.h")), cFile);
            QVERIFY(!QFileInfo::exists(path("font.h")));
            QCOMPARE(text("txtZGFFilename"), path("font.zgf"));
            QCOMPARE(text("txtZGFCFilename"), cFile ? path("other.h") : path("other"));
            const QStringList keys = {QStringLiteral("ZGFCFile"), QStringLiteral("SplitFiles"), QStringLiteral("RLEEncoding")};
            QString stored;
            for (const QString &key : keys)
                stored += mStore->get(QStringLiteral("Export"), key);
            QCOMPARE(stored, QString::number(cFile) + QLatin1Char('0') + QString::number(rle));
        }
    }

    // Names relative to the working folder: one starting with ":" is a file like any other;
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
                                                << u"5: The font file would replace the edited bitmap g.bmp."_s;
    }
    void okChecksTheFileNames()
    {
        QFETCH(QString, bitmap);
        QFETCH(QString, zgf);
        QFETCH(QString, c);
        QFETCH(QString, failure);
        const QString working = QDir::currentPath();
        QDir::setCurrent(mFolder->path());
        open(!bitmap.isEmpty());
        field("txtBitmapFilename")->setText(bitmap);
        field("txtZGFFilename")->setText(zgf);
        if (!c.isEmpty())
            click({"chkZGFCFile"});
        field("txtZGFCFilename")->setText(c);
        click({"cmdCommands_1"});
        const QStringList written = QDir().entryList(QDir::Files);
        QDir::setCurrent(working);
        QCOMPARE(mFeedback.failures(), failure.isEmpty() ? QStringList() : QStringList{failure});
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
        QCOMPARE(mFeedback.failures(), QStringList());
        for (const char *name : {"glyphs.bmp", "glyphs1.bmp", "glyphs2.bmp", "glyphs_mask.bmp", "glyphs_mask2.bmp"})
            QVERIFY2(QFileInfo::exists(path(name)), name);
        QVERIFY(!QFileInfo::exists(path("glyphs3.bmp")));
        QVERIFY(mDialog->isVisible());
        QCOMPARE(checks({"optZGFFont"}), QStringLiteral("1"));
        expectEnabled({"txtZGFFilename"}, true);

        // The edited bitmaps make the font (their pixels reach it: see export_raster_test).
        click({"cmdCommands_1"});
        QCOMPARE(mFeedback.failures(), QStringList());
        QCOMPARE(mDialog->result(), int(QDialog::Accepted));
        QVERIFY(ZgfFont::readFile(path("glyphs.zgf")).header().MaskOffset > 0);
    }

    // With its own feedback the dialog titles its messages with its caption and shows the
    // progress bar only while it works.
    void messagesTitledWithCaption()
    {
        mDialog = std::make_unique<frmExport>(*mStore, nullptr, &mChoosers);
        mDialog->setTexelFont(mFont.get());
        mDialog->show();
        click({"chkZGFCFile"});
        field("txtZGFFilename")->setText(path("shown.zgf"));
        QStringList seen;
        QTimer closer;
        connect(&closer, &QTimer::timeout, this, [&] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                seen.append(box->windowTitle() + QStringLiteral(": ") + box->text());
                box->button(box->standardButtons().testFlag(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok)->click();
            }
        });
        closer.start(10);
        click({"cmdCommands_1"});
        closer.stop();
        QVERIFY(!seen.isEmpty());
        QCOMPARE(seen.at(0), QStringLiteral("Export font: Font file generated correctly."));
        for (const QString &message : seen)
            QVERIFY2(message.startsWith(QStringLiteral("Export font: ")), qPrintable(message));
        QVERIFY(QFileInfo::exists(path("shown.h")));
        QVERIFY(w(QStringLiteral("pgbBar"))->isHidden());
        QVERIFY(!QApplication::overrideCursor());
    }

    void closesWithoutDocument()
    {
        frmExport dialog(*mStore, nullptr, &mChoosers, &mFeedback);
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
        for (const auto &[rle, masked] : {std::pair(false, false), {true, false}, {false, true}, {true, true}}) {
            open(masked, masked);
            if (masked) { // the edited bitmaps the budget and the export read
                field("txtBitmapFilename")->setText(path("glyphs.bmp"));
                click({"optPostprocess", "cmdCommands_1"});
                QCOMPARE(mFeedback.failures(), QStringList());
            }
            field("txtZGFFilename")->setText(path("sized.zgf"));
            click({rle ? "optRLEFormat" : "optRAWFormat"});
            budget();
            const QString shown = QStringLiteral("lblSize") + (rle ? QStringLiteral("RLE") : QStringLiteral("RAW"));
            const QString other = QStringLiteral("lblSize") + (rle ? QStringLiteral("RAW") : QStringLiteral("RLE"));
            QVERIFY(w<QLabel>(shown + QStringLiteral("Total"))->font().bold());
            QVERIFY(!w<QLabel>(other + QStringLiteral("Total"))->font().bold());
            const QStringList sizes = {label(shown + QStringLiteral("GlyphImage")), label(shown + QStringLiteral("Mask")),
                                       label(shown + QStringLiteral("Total"))};

            click({"cmdCommands_1"});
            QCOMPARE(mFeedback.failures(), QStringList());
            const ZgfHeader header = ZgfFont::readFile(path("sized.zgf")).header();
            const qint64 size = QFileInfo(path("sized.zgf")).size();
            const QChar separator = localeGroupSeparator();
            QCOMPARE(sizes.at(0), formatGrouped((masked ? header.MaskOffset : size) - header.GlyphOffset, separator));
            QCOMPARE(sizes.at(1), formatGrouped(masked ? size - header.MaskOffset : 0, separator));
            QCOMPARE(sizes.at(2), formatGrouped(size, separator));
        }
    }

    void budgetOfUnreadableBitmaps()
    {
        open(true, false);
        field("txtBitmapFilename")->setText(path("absent.bmp"));
        QVERIFY(!budget()->budget());
        auto *note = w<QLabel>(QStringLiteral("lblSizeNote"));
        QVERIFY(note->isVisible());
        QVERIFY2(note->text().startsWith(QStringLiteral("Sizes not known: ")) && note->text().contains(path("absent.bmp")),
                 qPrintable(note->text()));
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
