// The dialogs of the tools: font properties and post-processing properties over a document;
// the ZGF font extractor, the ZGF to C converter and the ZGF font viewer with file dialogs
// supplied by the test, the viewer against fonts the real export writes and pictures that
// texelsmithy-cli draws.
#include "clirender.h"
#include "testservices.h"

#include "colorswatch.h"
#include "frmconverter.h"
#include "frmextractor.h"
#include "frmpostproperties.h"
#include "frmproperties.h"
#include "frmviewer.h"
#include "postprocessbitmaps.h"
#include "rastersurface.h"
#include "texelfont.h"
#include "zgfexport.h"
#include "zgfheader.h"
#include "zgfpictures.h"
#include "zoomview.h"

#include <QtTest>
#include <QtWidgets>

using namespace Qt::StringLiterals;

namespace {

// The bytes of a font whose header passes the acceptance test, filled up to its stated
// size with a pattern that never holds "ZGF".
QByteArray zgfFontBytes(const QByteArray &faceName, quint8 pointSize, qint32 size, quint16 extraFlags = 0)
{
    ZgfHeader header;
    header.Flags = ZgfHeader::formatFlags(false, false) | extraFlags;
    header.PointSize = pointSize;
    header.FaceName = faceName;
    header.Count = 3;
    header.GlyphOffset = ZgfHeader::expectedGlyphOffset(header.Flags, header.Count);
    header.FileLength = size;
    QByteArray bytes = header.toBytes();
    while (bytes.size() < size)
        bytes.append(char(bytes.size() * 7 + 3));
    return bytes;
}

QString writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// DejaVu Sans 11 exported to zgf; a masked font gets its mask bitmap written first, as the
// person would before exporting. Empty on a failure.
QString exportFont(const QString &zgf, bool rle, bool masked)
{
    RasterSurface measure, work;
    TexelFont font(&measure);
    font.setTTFName(u"DejaVu Sans"_s);
    font.setSize(11);
    RecordingFeedback feedback;
    ZgfExportOptions options{.zgfFileName = zgf, .rle = rle};
    if (masked) {
        font.Masked = true;
        font.MaskWidthInc = 2;
        font.MaskHeightInc = 1;
        PostprocessOptions bitmaps{.bitmapFileName = zgf + u".bmp"_s, .maskFileName = zgf + u"_mask.bmp"_s};
        options.maskFileName = bitmaps.maskFileName;
        if (!ExportPostprocessBitmaps(font, work, bitmaps, feedback))
            return QString();
    }
    return ExportZgfFont(font, work, options, feedback) ? zgf : QString();
}

} // namespace

// A key given is pressed after typing instead of leaving the field.
struct NumberCase { bool post; const char *field, *typed, *shown, *repaired; qint16 TexelFont::*member; Qt::Key key{}; };
Q_DECLARE_METATYPE(NumberCase)

// No stored file name: the calculated one.
struct NamesCase { QString name, variable, file; bool script; QString storedName, storedVariable, storedFile; };
Q_DECLARE_METATYPE(NamesCase)

class ToolsTest : public QObject
{
    Q_OBJECT

    QTemporaryDir mShared;
    QHash<QString, QString> mFonts; // exported: "raw", "rle", "raw-masked", "rle-masked"
    std::unique_ptr<QTemporaryDir> mFolder;
    std::unique_ptr<TestServices> mServices;
    std::unique_ptr<TexelFont> mFont;
    std::unique_ptr<QDialog> mDialog;

    template <class Dialog> Dialog *open()
    {
        auto dialog = std::make_unique<Dialog>(mServices->services);
        if constexpr (std::is_base_of_v<DocumentDialog, Dialog>)
            dialog->setTexelFont(mFont.get());
        dialog->show();
        mDialog = std::move(dialog);
        return static_cast<Dialog *>(mDialog.get());
    }
    template <class T = QLineEdit> T *control(const char *name) const
    {
        T *found = mDialog->findChild<T *>(QLatin1String(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    QString path(const QString &name) const { return mFolder->filePath(name); }
    QString file(const QString &name, const QByteArray &bytes) const { return writeFile(path(name), bytes); }
    // Clicks browse button index, whose file dialog answers chosen (a null string: cancelled).
    void browse(int index, const QString &chosen = QString())
    {
        if (!chosen.isNull())
            (index == 0 ? mServices->choosers.openNames : mServices->choosers.saveNames).append(chosen);
        mDialog->findChild<QToolButton *>(u"picBrowse_%1"_s.arg(index))->click();
    }
    QStringList rows() const
    {
        QStringList out;
        for (QTreeWidgetItemIterator row(control<QTreeWidget>("lvwFonts")); *row; ++row)
            out.append((*row)->text(0) + u'|' + (*row)->text(1) + u'|' + (*row)->text(2));
        return out;
    }
    QPushButton *command(int index) const { return mDialog->findChild<QPushButton *>(u"cmdCommands_%1"_s.arg(index)); }
    QString storedSplit() const { return mServices->store.get(u"Convert"_s, u"SplitFiles"_s); }
    // The three frames of the post-processing dialog and one control inside each: 1 enabled.
    QString framesEnabled() const
    {
        QString out;
        for (auto name : {"fraPostprocess", "txtCharWidthInc", "fraMask", "chkInvertMask", "fraShadowMask", "lblShadowColor"})
            out += control<QWidget>(name)->isEnabled() ? u'1' : u'0';
        return out;
    }

private slots:
    void initTestCase()
    {
        for (const char *name : {"raw", "rle", "raw-masked", "rle-masked"}) {
            const QString font = QLatin1String(name), zgf = mShared.filePath(font + u".zgf"_s);
            mFonts.insert(font, exportFont(zgf, font.startsWith(u"rle"_s), font.endsWith(u"masked"_s)));
            QVERIFY2(!mFonts.value(font).isEmpty(), name);
        }
    }
    void init()
    {
        mFolder = std::make_unique<QTemporaryDir>();
        mServices = std::make_unique<TestServices>(path(u"store.ini"_s));
        mFont = std::make_unique<TexelFont>();
    }
    void cleanup()
    {
        mDialog.reset();
        QCOMPARE(mServices->feedback.busyDepth, 0);
    }

    // The scanner's cases are the zgf suite's; here the dialog's list and message.
    void extractorListsAcceptedFonts_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("expected");
        const QByteArray abc = zgfFontBytes("Abc", 8, 300);
        QTest::newRow("two fonts after other bytes")
            << QByteArray(13, 'x') + abc + zgfFontBytes("Arial", 12, 200, ZgfHeader::BoldFlag)
            << QStringList{u"Abc 8|13|300"_s, u"Arial 12|313|200"_s};
        QTest::newRow("no font, only partial matches") << QByteArray("ZZGF\0 zgf\0 ZGF", 15) << QStringList();
        QTest::newRow("control characters in the name, escaped")
            << zgfFontBytes("Evil\n999\t1\tFake", 10, 90) << QStringList{u"Evil\\n999\\t1\\tFake 10|0|90"_s};
    }
    void extractorListsAcceptedFonts()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, expected);
        open<frmExtractor>();
        browse(0, file(u"first.fxe"_s, zgfFontBytes("First", 8, 100))); // a list that the next scan replaces
        QCOMPARE(rows(), QStringList{u"First 8|0|100"_s});
        const QString fonts = file(u"program data.fxe"_s, content);
        browse(0, fonts);
        QCOMPARE(control("txtFilename")->text(), fonts);
        QCOMPARE(rows(), expected);
        // A file without fonts is named on the message's second line.
        const QString none = u"No ZGF fonts could be located in file\r\n"_s + fonts;
        QCOMPARE(mServices->feedback.informations(), expected.isEmpty() ? QStringList{none} : QStringList());
        // A cancelled browse changes nothing.
        browse(0);
        QCOMPARE(control("txtFilename")->text(), fonts);
        QCOMPARE(rows(), expected);
        QCOMPARE(mServices->choosers.openRequests.constLast().fileName, fonts);
    }

    void extractedFontEqualsSourceBytes()
    {
        open<frmExtractor>();
        const QByteArray content = QByteArray(40, '\x5a') + zgfFontBytes("Abc", 8, 300)
            + zgfFontBytes("Courier New", 10, 257, ZgfHeader::ItalicFlag) + QByteArray(9, '\0')
            + zgfFontBytes("AC/DC", 9, 100);
        browse(0, file(u"game.gxb"_s, content));
        auto *list = control<QTreeWidget>("lvwFonts");
        list->setCurrentItem(list->topLevelItem(1));
        // A cancelled save dialog writes nothing; a larger old file is replaced whole.
        const QString destination = file(u"Courier New 10.zgf"_s, QByteArray(5000, 'o'));
        command(1)->click();
        QCOMPARE(QFile(destination).size(), 5000);
        QVERIFY(mServices->feedback.messages.isEmpty());
        mServices->choosers.saveNames.append(destination);
        command(1)->click();
        const FileRequest request = mServices->choosers.saveRequests.constLast();
        QCOMPARE(request.fileName, u"Courier New 10.zgf"_s);
        QCOMPARE(readFile(destination), content.mid(340, 257));
        QCOMPARE(mServices->feedback.informations(), QStringList{u"ZGF font extracted correctly."_s});
        QVERIFY(mDialog->isVisible());
        // The proposed name never makes a folder of the font's name.
        list->setCurrentItem(list->topLevelItem(2));
        command(1)->click();
        QCOMPARE(mServices->choosers.saveRequests.constLast().fileName, u"AC_DC 9.zgf"_s);
    }

    // "Extract font..." and "View" need a selected row; "View" shows a font embedded at an
    // offset straight from the scanned file.
    void extractorViewShowsTheEmbeddedFont()
    {
        const QByteArray font = readFile(mFonts.value(u"rle-masked"_s));
        const QString program = file(u"program.fxe"_s, QByteArray(777, '\x55') + font + QByteArray(300, '\x66'));
        open<frmExtractor>();
        auto *list = control<QTreeWidget>("lvwFonts");
        const auto scan = [&] {
            browse(0, program);
            QCOMPARE(rows().size(), 1);
            QVERIFY(!command(1)->isEnabled() && !command(2)->isEnabled());
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->topLevelItem(0)).center());
            QVERIFY(command(1)->isEnabled() && command(2)->isEnabled());
        };
        scan();
        // The viewer is modal: look at it once it shows, then close it.
        QImage shown;
        QString source, offset;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            if (auto *viewer = qobject_cast<frmViewer *>(QApplication::activeModalWidget())) {
                shown = viewer->glyphImage();
                source = viewer->findChild<QLineEdit *>(u"txtFilename"_s)->text();
                offset = viewer->findChild<QLabel *>(u"lblOffset"_s)->text();
                viewer->close();
            }
        });
        poll.start(10);
        command(2)->click();
        poll.stop();
        QCOMPARE(shown, ZgfPictures::glyphImage(ZgfFont::read(font)));
        QCOMPARE(source, program);
        QCOMPARE(offset, u"at offset 777"_s);
        QVERIFY(mServices->feedback.failures().isEmpty());
        list->clearSelection();
        QVERIFY(!command(1)->isEnabled() && !command(2)->isEnabled());
        list->setCurrentItem(list->topLevelItem(0));
        QVERIFY(command(1)->isEnabled());

        // A font whose header passes the scan but whose body is cut short is refused.
        writeFile(program, QByteArray(20, '\x55') + font.left(font.size() - 40));
        scan(); // a new scan empties the list, and with it the selection
        command(2)->click();
        QCOMPARE(mServices->feedback.failures().size(), 1);
        QVERIFY2(mServices->feedback.failures().constFirst().contains(program + u" at offset 20 is not a valid ZGF font: the file is truncated"_s),
                 qPrintable(mServices->feedback.failures().constFirst()));
    }

    // The naming rules are the zgf suite's; here that browsing applies them.
    void converterDerivesNamesOnBrowse_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("variableName");
        QTest::newRow("font") << u"cour.zgf"_s << zgfFontBytes("Courier New", 10, 120, ZgfHeader::ItalicFlag) << u"courierNew10i"_s;
        QTest::newRow("other file") << u"data.bin"_s << QByteArray("\1\2\3\4\5", 5) << u"data"_s;
    }
    void converterDerivesNamesOnBrowse()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, content);
        QFETCH(QString, variableName);
        open<frmConverter>();
        QVERIFY(!command(1)->isEnabled());
        const QString source = file(fileName, content);
        browse(0, source);
        QCOMPARE(control("txtFilename")->text(), source);
        QCOMPARE(control("txtVarName")->text(), variableName);
        QCOMPARE(control("txtCFilename")->text(), path(variableName + u".h"_s));
        QVERIFY(command(1)->isEnabled());
        QVERIFY(mServices->feedback.messages.isEmpty());
        // "Ok" needs every name.
        control("txtVarName")->setText(u"   "_s);
        QVERIFY(!command(1)->isEnabled());
    }

    void converterWritesSource_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("typedName");
        QTest::addColumn<bool>("splitFiles");
        QTest::addColumn<QString>("array");
        const QByteArray font = zgfFontBytes("Courier New", 10, 120, ZgfHeader::ItalicFlag);
        QTest::newRow("font") << font << QString() << false << u"courierNew10i_zgf"_s;
        QTest::newRow("font split") << font << QString() << true << u"courierNew10i_zgf"_s;
        QTest::newRow("typed name, spaces removed") << QByteArray("\1\2\3\4\5", 5) << u"my var"_s << false << u"myvar"_s;
    }
    void converterWritesSource()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, typedName);
        QFETCH(bool, splitFiles);
        QFETCH(QString, array);
        mServices->store.save(u"Convert"_s, u"SplitFiles"_s, splitFiles ? u"1"_s : u"yes"_s);
        open<frmConverter>();
        QCOMPARE(control<QCheckBox>("chkSplit")->isChecked(), splitFiles); // read on load: "1" only
        browse(0, file(u"source.zgf"_s, content));
        if (!typedName.isEmpty())
            control("txtVarName")->setText(typedName);
        browse(1, path(u"out.c"_s));
        command(1)->click();
        QCOMPARE(control("txtCFilename")->text(), path(u"out.h"_s));
        QCOMPARE(control("txtVarName")->text(), array.chopped(array.endsWith(u"_zgf"_s) ? 4 : 0));
        QCOMPARE(mServices->feedback.informations(), QStringList{u"C file(s) generated correctly."_s});
        QCOMPARE(storedSplit(), splitFiles ? u"1"_s : u"0"_s);
        QVERIFY(mDialog->isVisible());
        QVERIFY(readFile(path(splitFiles ? u"out.c"_s : u"out.h"_s)).contains("unsigned long " + array.toLatin1() + "[] = {\r\n"));
        QCOMPARE(QFile::exists(path(u"out.c"_s)), splitFiles);
    }

    // A C file that would replace the source is refused and nothing written.
    void converterRefusals_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<bool>("splitFiles");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("a header as source") << u"data.h"_s << false << u"The C file would replace the file to convert "_s;
        QTest::newRow("a .c as split source") << u"x.c"_s << true << u"The .c file would replace the file to convert "_s;
    }
    void converterRefusals()
    {
        QFETCH(QString, source);
        QFETCH(bool, splitFiles);
        QFETCH(QString, refusal);
        open<frmConverter>();
        browse(0, file(source, "source"));
        control<QCheckBox>("chkSplit")->setChecked(splitFiles);
        command(1)->click();
        QVERIFY2(mServices->feedback.failures().size() == 1 && mServices->feedback.failures().constFirst().contains(refusal),
                 qPrintable(mServices->feedback.failures().join(u'\n')));
        QCOMPARE(readFile(path(source)), "source"_ba);
        QCOMPARE(QDir(mFolder->path()).entryList(QDir::Files).size(), 2); // the source and the store
    }

    void converterStoresSplitOnlyThroughOk()
    {
        for (const int button : {0, 1}) { // "Exit", then "Ok" on a conversion that fails
            QCOMPARE(storedSplit(), QString());
            open<frmConverter>();
            browse(0, file(u"data.bin"_s, QByteArray("abc")));
            browse(1, path(u"missing folder/out.h"_s));
            control<QCheckBox>("chkSplit")->setChecked(true);
            command(button)->click();
        }
        QCOMPARE(storedSplit(), u"1"_s);
        QCOMPARE(mServices->feedback.failures().size(), 1);
        QVERIFY(mServices->feedback.informations().isEmpty());
        QVERIFY(!QFile::exists(path(u"missing folder"_s)));
    }

    void viewerShowsExportedFontsAsTheCliDrawsThem_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : {"raw", "rle", "raw-masked", "rle-masked"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void viewerShowsExportedFontsAsTheCliDrawsThem()
    {
        QFETCH(QString, name);
        const QString font = mFonts.value(name);
        const QDir out(mFolder->path());
        frmViewer *viewer = open<frmViewer>();
        browse(0, font);
        QVERIFY(mServices->feedback.failures().isEmpty());
        QCOMPARE(control("txtFilename")->text(), font);
        QCOMPARE(viewer->glyphImage(), cliRender(font, {}, out));
        const bool masked = name.endsWith(u"masked"_s);
        QCOMPARE(control<QWidget>("fraMask")->isVisible(), masked);
        if (masked)
            QCOMPARE(viewer->maskImage(), cliRender(font, {u"--mask"_s}, out));
        // Characters the font lacks ("~" is not in the default set) take the default width.
        const QString text = u"Ab~ 9,\nqy?"_s;
        control<QPlainTextEdit>("txtSample")->setPlainText(text);
        QCOMPARE(viewer->sampleImage(), cliRender(font, {u"--text"_s, text}, out));
        mServices->choosers.colors.append(Color(0x336699));
        QTest::mouseClick(control<ColorSwatch>("lblBackColor"), Qt::LeftButton);
        QVERIFY(control<QRadioButton>("optColor")->isChecked());
        const QStringList plain{u"--text"_s, text, u"--background"_s, u"996633"_s};
        QCOMPARE(viewer->sampleImage(), cliRender(font, plain, out));
        // At 3x every pixel is a 3 x 3 block, on screen as in the tool's enlargement.
        viewer->setZoom(3);
        QCOMPARE(control<QComboBox>("cbxZoom")->currentText(), u"3x"_s);
        const auto shot = [this](const char *view) {
            return control<ZoomView>(view)->grab().toImage().convertToFormat(QImage::Format_RGB32);
        };
        QCOMPARE(shot("picGlyphs"), cliRender(font, {u"--scale"_s, u"3"_s}, out));
        QCOMPARE(shot("picSample"), cliRender(font, plain + QStringList{u"--scale"_s, u"3"_s}, out));
    }

    // The reader's cases are the zgf suite's; here the dialog's message and what it keeps.
    void viewerRefusesMalformedFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        QTest::newRow("not a font") << QByteArray(200, 'Z') << u"no ZGF signature"_s;
        QTest::newRow("one byte short") << readFile(mFonts.value(u"rle-masked"_s)).chopped(1) << u"truncated"_s;
    }
    void viewerRefusesMalformedFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        frmViewer *viewer = open<frmViewer>();
        const QString good = mFonts.value(u"raw"_s);
        QVERIFY(viewer->openFile(good));
        const QImage shown = viewer->glyphImage();
        const QString bad = file(u"bad.zgf"_s, bytes);
        QVERIFY(!viewer->openFile(bad));
        QCOMPARE(mServices->feedback.failures().size(), 1);
        const QString failure = mServices->feedback.failures().constFirst();
        QVERIFY2(failure.startsWith(u"321: Invalid file format: "_s + bad) && failure.contains(expected), qPrintable(failure));
        // The font shown before stays.
        QCOMPARE(control("txtFilename")->text(), good);
        QCOMPARE(viewer->glyphImage(), shown);
        QVERIFY(!viewer->openFile(path(u"missing.zgf"_s)));
        QVERIFY(mServices->feedback.failures().constLast().startsWith(u"53: "_s));
    }

    // Key filters discard keys as typed; leaving the field repairs it silently. Every field holds 5.
    void numberFields_data()
    {
        QTest::addColumn<NumberCase>("c");
        const auto row = [](const char *name, NumberCase c) { QTest::newRow(name) << c; };
        // Properties: the separations.
        row("letters, stop and space refused", {false, "txtCharSepExtra", "1a2. x", "12", "12", &TexelFont::CharSepExtra});
        row("lone minus", {false, "txtCharSepExtra", "-", "-", "5", &TexelFont::CharSepExtra});
        row("leading zeros", {false, "txtCharSepExtra", "007", "007", "7", &TexelFont::CharSepExtra});
        row("lowest", {false, "txtCharSepExtra", "-32768", "-32768", "-32768", &TexelFont::CharSepExtra});
        row("above 32767", {false, "txtCharSepExtra", "32768", "32768", "5", &TexelFont::CharSepExtra});
        row("Return applies", {false, "txtLineSepExtra", "12", "12", "12", &TexelFont::LineSepExtra, Qt::Key_Return});
        // Post-processing: increments are unsigned, offsets signed.
        row("increment refuses minus", {true, "txtCharWidthInc", "-3", "3", "3", &TexelFont::CharWidthInc});
        row("increment 300 reverts", {true, "txtCharWidthInc", "300", "300", "5", &TexelFont::CharWidthInc});
        row("increment 255", {true, "txtCharHeightInc", "255", "255", "255", &TexelFont::CharHeightInc});
        row("offset accepts minus", {true, "txtShadowOX", "-3", "-3", "-3", &TexelFont::ShadowOX});
        row("Enter applies", {true, "txtShadowXPos", "-7", "-7", "-7", &TexelFont::ShadowXPos, Qt::Key_Enter});
    }
    void numberFields()
    {
        QFETCH(NumberCase, c);
        mFont->Postprocessed = mFont->Masked = mFont->ShadowMask = true;
        for (auto member : {&TexelFont::CharSepExtra, &TexelFont::LineSepExtra, &TexelFont::CharWidthInc,
                            &TexelFont::CharHeightInc, &TexelFont::MaskWidthInc, &TexelFont::MaskHeightInc,
                            &TexelFont::ShadowOX, &TexelFont::ShadowOY, &TexelFont::ShadowXPos, &TexelFont::ShadowYPos})
            (*mFont).*member = 5;
        if (c.post)
            open<frmPostProperties>();
        else
            open<frmProperties>();
        QLineEdit *edit = control(c.field);
        edit->clear();
        QTest::keyClicks(edit, QLatin1String(c.typed));
        QCOMPARE(edit->text(), QLatin1String(c.shown));
        if (c.key) {
            QTest::keyClick(edit, c.key);
            QCOMPARE(mDialog->result(), int(QDialog::Accepted));
        } else {
            QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
            QCoreApplication::sendEvent(edit, &leave);
            QCOMPARE(edit->text(), QLatin1String(c.repaired));
            command(1)->click();
        }
        QCOMPARE(int((*mFont).*c.member), atoi(c.repaired));
    }

    void namesFollowTypedName_data()
    {
        QTest::addColumn<bool>("custom");
        QTest::newRow("calculated names follow") << false;
        QTest::newRow("custom names stay") << true;
    }
    void namesFollowTypedName()
    {
        QFETCH(bool, custom);
        if (custom) {
            mFont->setVariableName(u"myVar"_s);
            mFont->setGP32FileName(u"myfile"_s);
            QVERIFY(mFont->CustomVariableName && mFont->CustomGP32FileName);
        }
        open<frmProperties>();
        const QString variableName = control("txtVariableName")->text();
        const QString fileName = control("txtGP32FileName")->text();
        for (const QChar c : u" Bl"_s) {
            QTest::keyClicks(control("txtName"), QString(c));
            const QString name = control("txtName")->text();
            QCOMPARE(control("txtVariableName")->text(), custom ? variableName : mFont->CalculateVariableName(name));
            QCOMPARE(control("txtGP32FileName")->text(),
                     custom ? fileName : mFont->CalculateGP32FileName(name, mFont->CalculateVariableName(name), 1, 0, 0));
        }
        QCOMPARE(control("txtName")->text(), u"Arial Bl"_s);
        // Room for a derived name of 24 characters.
        QLineEdit *variable = control("txtVariableName");
        QVERIFY(variable->contentsRect().width() > variable->fontMetrics().horizontalAdvance(u"dejaVuSansCondensed12biu"_s));
    }

    void defaultButtonsIgnoreCustomFlags()
    {
        mFont->setVariableName(u"myVar"_s);
        mFont->setGP32FileName(u"myfile"_s);
        open<frmProperties>();
        control("txtName")->setText(u"Times"_s);
        control<QCheckBox>("chkScript")->click();
        QCOMPARE(control("txtVariableName")->text(), mFont->VariableName());
        command(2)->click();
        QCOMPARE(control("txtVariableName")->text(), mFont->CalculateVariableName(u"Times"_s));
        QCOMPARE(control("txtGP32FileName")->text(), mFont->GP32FileName());
        command(3)->click();
        QCOMPARE(control("txtGP32FileName")->text(),
                 mFont->CalculateGP32FileName(u"Times"_s, control("txtVariableName")->text(), 1, 0, 1));
        // The document's flags change only through "Ok".
        QVERIFY(mFont->CustomVariableName && mFont->CustomGP32FileName);
        command(1)->click();
        QVERIFY(!mFont->CustomVariableName && !mFont->CustomGP32FileName && mFont->Script);
    }

    void okNormalisesNames_data()
    {
        QTest::addColumn<NamesCase>("c");
        QTest::newRow("spaces only: the face name") << NamesCase{u"   "_s, {}, {}, false, u"Arial"_s, u"arial10"_s, {}};
        QTest::newRow("name trimmed") << NamesCase{u"  My Font "_s, {}, {}, false, u"My Font"_s, u"myFont10"_s, {}};
        QTest::newRow("empty names: the document's") << NamesCase{u"Arial"_s, u" "_s, u"  "_s, false, u"Arial"_s, u"arial10"_s, {}};
        QTest::newRow("variable name without spaces")
            << NamesCase{u"Arial"_s, u"my font"_s, {}, false, u"Arial"_s, u"myfont"_s, {}};
        QTest::newRow("file name without spaces")
            << NamesCase{u"Arial"_s, {}, u"My Fnt"_s, false, u"Arial"_s, u"arial10"_s, u"myfnt"_s};
        QTest::newRow("ticked flag keeps the calculated file name")
            << NamesCase{u"Arial"_s, {}, {}, true, u"Arial"_s, u"arial10"_s, {}};
    }
    void okNormalisesNames()
    {
        QFETCH(NamesCase, c);
        open<frmProperties>();
        control("txtName")->setText(c.name);
        if (!c.variable.isEmpty())
            control("txtVariableName")->setText(c.variable);
        if (!c.file.isEmpty())
            control("txtGP32FileName")->setText(c.file);
        if (c.script)
            control<QCheckBox>("chkScript")->click();
        command(1)->click();
        QCOMPARE(mDialog->result(), int(QDialog::Accepted));
        QCOMPARE(mFont->Name(), c.storedName);
        QCOMPARE(mFont->VariableName(), c.storedVariable);
        QCOMPARE(mFont->Script, c.script);
        QCOMPARE(mFont->GP32FileName(), c.storedFile.isEmpty() ? mFont->CalculateGP32FileName() : c.storedFile);
        QCOMPARE(mFont->CustomGP32FileName, !c.storedFile.isEmpty());
    }

    void chosenColour_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("stored");
        QTest::newRow("Cancel") << 0 << 0x00FF00;
        QTest::newRow("Ok") << 1 << 0x123456;
    }
    void chosenColour()
    {
        QFETCH(int, button);
        QFETCH(int, stored);
        open<frmProperties>();
        auto *swatch = control<ColorSwatch>("lblTransColor");
        mServices->choosers.colors = {Color(0x123456)};
        QTest::mouseClick(swatch, Qt::LeftButton);
        QCOMPARE(mServices->choosers.colorRequests, QList<Color>{0x00FF00});
        QTest::mouseClick(swatch, Qt::LeftButton); // a cancelled colour dialog keeps the swatch
        QCOMPARE(swatch->color(), Color(0x123456));
        QCOMPARE(mFont->TransColor, Color(0x00FF00));
        command(button)->click();
        QCOMPARE(mFont->TransColor, Color(stored));
    }

    void framesFollowClicks()
    {
        open<frmPostProperties>();
        QCOMPARE(framesEnabled(), u"000000"_s);
        for (const auto &[clicked, enabled] : {std::pair{"chkPostprocessed", "110000"}, {"chkMasked", "111100"},
                                               {"optShadow", "111111"}, {"chkPostprocessed", "000000"},
                                               {"chkPostprocessed", "111111"}}) {
            control<QAbstractButton>(clicked)->click();
            QCOMPARE(framesEnabled(), QLatin1String(enabled));
        }
    }

    // "Ok" stores the reset value of every setting that a disabled frame hides. The document:
    // post-processed with a shadow mask, every value set, InvertMask false.
    void okStoresWhatTheFramesShow_data()
    {
        QTest::addColumn<QString>("clicked");
        QTest::addColumn<QList<int>>("stored"); // in the order of settings() below
        QTest::newRow("postprocessing off") << u"chkPostprocessed"_s << QList<int>{0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0};
        QTest::newRow("no mask") << u"chkMasked"_s << QList<int>{1, 3, 3, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0};
        QTest::newRow("generic mask") << u"optGeneric"_s << QList<int>{1, 3, 3, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        QTest::newRow("shadow mask") << QString() << QList<int>{1, 3, 3, 1, 1, 0, -2, -2, 4, 4, 4, 4, 0x102030};
    }
    void okStoresWhatTheFramesShow()
    {
        QFETCH(QString, clicked);
        QFETCH(QList<int>, stored);
        TexelFont &f = *mFont;
        const auto settings = [&f] {
            return QList<int>{f.Postprocessed, f.CharWidthInc, f.CharHeightInc, f.Masked, f.ShadowMask, f.InvertMask,
                f.MaskWidthInc, f.MaskHeightInc, f.ShadowOX, f.ShadowOY, f.ShadowXPos, f.ShadowYPos, f.ShadowColor};
        };
        f.Postprocessed = f.Masked = f.ShadowMask = true;
        f.InvertMask = false;
        f.CharWidthInc = f.CharHeightInc = 3;
        f.MaskWidthInc = f.MaskHeightInc = -2;
        f.ShadowOX = f.ShadowOY = f.ShadowXPos = f.ShadowYPos = 4;
        f.ShadowColor = 0x102030;
        open<frmPostProperties>();
        if (!clicked.isEmpty())
            control<QAbstractButton>(qPrintable(clicked))->click();
        command(1)->click();
        QCOMPARE(mDialog->result(), int(QDialog::Accepted));
        QCOMPARE(settings(), stored);
    }
};

QTEST_MAIN(ToolsTest)
#include "tools_test.moc"
