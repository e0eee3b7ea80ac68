// The main window, with file dialogs supplied by the test and a temporary settings store: its
// font sheet's marks and glyph facts over the real renderer, and its Sample > Preview as
// exported against what texelsmithy-cli draws from the font it exports.
#include "../tools/clirender.h"
#include "filebytes.h"
#include "gripdots.h"
#include "sfntbytes.h"
#include "testservices.h"

#include "fontpreview.h"
#include "fontsheetguide.h"
#include "frmmain.h"
#include "resizer.h"
#include "startupfile.h"
#include "surfaceview.h"
#include "zoomcontrol.h"
#include "zoomview.h"

#include "characternotes.h"
#include "fontsheetpainter.h"
#include "rastersurface.h"

#include "fontfamilies.h"
#include "fontfiles.h"
#include "postprocessnames.h"
#include "texelfont.h"

#include <QtTest>
#include <QtWidgets>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

const QString kTitle = u"TexelSmithy v2.0.1"_s;

// The caption shows a path with "-" as a space and brackets for parentheses.
QString captionOf(const QString &path)
{
    return kTitle + u" - "_s + QString(path).replace(u'-', u' ').replace(u'(', u'[').replace(u')', u']');
}

enum class Setup { Plain, Styled, EditedByHand };

} // namespace

// A command that drops the document, the answer about its unsaved changes (none: no
// changes, so no question), whether it went on, and whether the changes reached the file.
struct UnsavedCase
{
    const char *command;
    std::optional<UnsavedChanges> answer;
    bool neverSaved, goesOn, saved;
};
Q_DECLARE_METATYPE(UnsavedCase)

class FrmMainTest : public QObject
{
    Q_OBJECT

    const QString mStartFolder = QDir::currentPath();
    std::unique_ptr<QTemporaryDir> mFolder;
    std::unique_ptr<TestServices> mServices;
    std::unique_ptr<frmMain> mWindow;

    QAction *action(const char *name) const { return mWindow->findChild<QAction *>(QLatin1String(name)); }
    // The caption as the window system shows it.
    QString shownTitle() const { return mWindow->windowHandle()->title(); }
    QComboBox *sizeBox() const { return mWindow->findChild<QComboBox *>(u"cbxSize"_s); }
    SurfaceView *pane(const char *name) const { return mWindow->findChild<SurfaceView *>(QLatin1String(name)); }
    TexelFont &document() const { return mWindow->document(); }
    QString path(const QString &name) const { return mFolder->filePath(name); }
    void typeSize(const QString &text)
    {
        // As a person types: in the active window, with the focus in the box.
        mWindow->activateWindow();
        sizeBox()->lineEdit()->setFocus();
        QVERIFY(QTest::qWaitForWindowActive(mWindow.get()) && sizeBox()->lineEdit()->hasFocus());
        sizeBox()->lineEdit()->selectAll();
        QTest::keyClick(sizeBox()->lineEdit(), Qt::Key_Backspace);
        QTest::keyClicks(sizeBox()->lineEdit(), text);
    }
    void leaveSizeBox()
    {
        QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(sizeBox(), &leave);
    }

private slots:
    void init()
    {
        mFolder = std::make_unique<QTemporaryDir>();
        // Edited bitmaps are read by the names the export proposes, in the project's folder; the
        // command-line tool writes them in its working folder, the same one.
        QDir::setCurrent(mFolder->path());
        mServices = std::make_unique<TestServices>(path(u"store.ini"_s));
        mWindow = std::make_unique<frmMain>(mServices->services);
        mWindow->show();
        QVERIFY(QTest::qWaitForWindowExposed(mWindow.get()));
        mWindow->activateOnce();
    }
    void cleanup()
    {
        mWindow.reset();
        QDir::setCurrent(mStartFolder);
    }

    void startUp()
    {
        // Without Arial, the family the system gives for it.
        const QString family =
            installedFontFamilies().contains(u"Arial"_s) ? u"Arial"_s : matchedFontFamily(u"Arial"_s);
        QCOMPARE(document().TTFName(), family);
        QCOMPARE(mWindow->findChild<QComboBox *>(u"cbxFonts"_s)->currentText(), family);
        QCOMPARE(document().Size(), 9.75f);
        QCOMPARE(sizeBox()->currentText(), u"9.75"_s);
        for (const char *name : {"mnuFontItem3", "mnuFontItem4", "mnuFontItem5", "Bold", "Italic", "Underline"})
            QVERIFY2(!action(name)->isChecked(), name);
        QCOMPARE(shownTitle(), kTitle);
        QCOMPARE(document().Name(), family);
        QCOMPARE(document().VariableName(), document().CalculateVariableName());
        // The sheet shows the set on the transparent colour; the sample is drawn.
        QCOMPARE(pane("picFont")->pixels().pixel(0, 0) & 0xffffff, 0x00ff00u);
        QVERIFY(pane("picFont")->message().isEmpty());
        QVERIFY(!pane("picSample")->pixels().isNull());
        QCOMPARE(mWindow->preview()->resizer().Position(), 900);
        // The default size shows the whole toolbar, font and size boxes first.
        QVERIFY(sizeBox()->isVisible() && mWindow->findChild<QWidget *>(u"Export"_s)->isVisible());
        // The bar shows where it is: a grip in its middle, a resize cursor, and the highlight
        // while the pointer is on it.
        auto *bar = mWindow->findChild<QWidget *>(u"lblResizer"_s);
        QCOMPARE(bar->cursor().shape(), Qt::SplitVCursor);
        QCOMPARE(bar->palette().color(QPalette::Window), bar->palette().color(QPalette::Button));
        const int dots = gripDots(bar->grab().toImage(), bar->palette().color(QPalette::Dark).rgb());
        QVERIFY2(bar->height() >= 6 && dots >= 5,
                 qPrintable(u"%1 px high, %2 grip pixels"_s.arg(bar->height()).arg(dots)));
        QEnterEvent enter(QPointF(5, 1), QPointF(5, 1), bar->mapToGlobal(QPointF(5, 1)));
        QCoreApplication::sendEvent(bar, &enter);
        QCOMPARE(bar->palette().color(QPalette::Window), bar->palette().color(QPalette::Highlight));
    }

    // A first run opens as wide as the whole sheet of the new document (or the screen), and
    // the sample's text ends above the pane's bottom.
    void firstSize()
    {
        FontPreview *preview = mWindow->preview();
        const int whole = preview->wholeSheetWidth();
        QCOMPARE(mWindow->width(), std::min(whole, mWindow->screen()->availableGeometry().width()));
        const QImage sample = pane("picSample")->pixels();
        for (int x = 0; x < sample.width(); ++x)
            QCOMPARE(sample.pixel(x, sample.height() - 1), sample.pixel(0, sample.height() - 1));
        // That width shows the sheet without scrolling, a pixel less scrolls it.
        auto *scroll = mWindow->findChild<QScrollBar *>(u"hsbFont"_s);
        for (const auto &[width, scrolls] : {std::pair(whole, false), std::pair(whole - 1, true)}) {
            mWindow->resize(width, mWindow->height());
            QTRY_COMPARE(scroll->isEnabled(), scrolls);
        }
    }

    // The keys of the commands: each opens one command, and none takes a key every editor uses
    // (Ctrl+A selects all).
    void shortcuts()
    {
        const QList<QKeySequence> editing = QKeySequence::keyBindings(QKeySequence::SelectAll)
            + QKeySequence::keyBindings(QKeySequence::Copy) + QKeySequence::keyBindings(QKeySequence::Paste)
            + QKeySequence::keyBindings(QKeySequence::Cut) + QKeySequence::keyBindings(QKeySequence::Undo);
        QHash<QKeySequence, QString> commands;
        for (const QAction *command : mWindow->findChildren<QAction *>()) {
            for (const QKeySequence &keys : command->shortcuts()) {
                QVERIFY2(!commands.contains(keys), qPrintable(keys.toString() + u" twice"_s));
                QVERIFY2(!editing.contains(keys), qPrintable(keys.toString()));
                commands.insert(keys, command->objectName());
            }
        }
        mWindow->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(mWindow.get()));
        const std::tuple<Qt::Key, Qt::KeyboardModifiers, const char *> typed[] = {
            {Qt::Key_O, Qt::ControlModifier, "mnuFileItem1"},
            {Qt::Key_S, Qt::ControlModifier, "mnuFileItem2"},
            {Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier, "mnuFileItem3"},
        };
        for (const auto &[key, modifiers, name] : typed) {
            QSignalSpy triggered(action(name), &QAction::triggered);
            QTest::keyClick(mWindow.get(), key, modifiers);
            QVERIFY2(triggered.size() == 1, name);
        }
    }

    void sizes()
    {
        TexelFont &font = document();
        const QImage before = pane("picFont")->pixels();
        // No completion from the list: "7" is not taken for 72, nor "1" for 10.
        typeSize(u"7"_s);
        QCOMPARE(sizeBox()->currentText(), u"7"_s);
        QCOMPARE(font.Size(), 6.75f);
        typeSize(u"1"_s);
        QCOMPARE(sizeBox()->currentText(), u"1"_s);
        QCOMPARE(font.Size(), 0.75f); // 1 pt is realised as one pixel
        QTest::keyClicks(sizeBox()->lineEdit(), u"2"_s);
        QCOMPARE(font.Size(), 12.0f);
        QVERIFY(font.VariableName().endsWith(u"12"_s));
        QVERIFY(pane("picFont")->pixels() != before);
        // Text that is no size changes nothing; leaving the box shows the size in use.
        const QString name = font.VariableName();
        for (const char *text : {"abc", "0", "-3", "5000", ""}) {
            sizeBox()->setEditText(QLatin1String(text));
            QCOMPARE(font.Size(), 12.0f);
            QCOMPARE(font.VariableName(), name);
        }
        leaveSizeBox();
        QCOMPARE(sizeBox()->currentText(), u"12"_s);
        // What a click in the list does: the text changes, then the box reports the choice.
        typeSize(u"20"_s);
        QCOMPARE(font.Size(), 20.25f);
        const int index = sizeBox()->findText(u"10"_s);
        sizeBox()->setCurrentIndex(index);
        emit sizeBox()->activated(index);
        QCOMPARE(font.Size(), 9.75f);
        leaveSizeBox();
        QCOMPARE(sizeBox()->currentText(), u"9.75"_s);
    }

    void styleToggle()
    {
        TexelFont &font = document();
        const auto flags = [&] { return QList<bool>{font.Bold(), font.Italic(), font.Underline()}; };
        const QImage regular = pane("picFont")->pixels();
        for (const auto &[style, tool] : {std::pair(0, "Bold"), {1, "Italic"}, {2, "Underline"}}) {
            QAction *menu = action(qPrintable(u"mnuFontItem%1"_s.arg(style + 3)));
            menu->trigger();
            QCOMPARE(flags(), QList<bool>({style == 0, style == 1, style == 2}));
            QVERIFY(menu->isChecked() && action(tool)->isChecked());
            QVERIFY(font.VariableName().endsWith(QLatin1Char("biu"[style])));
            QVERIFY(pane("picFont")->pixels() != regular);
            action(tool)->trigger(); // the toolbar button flips it back
            QCOMPARE(flags(), QList<bool>(3, false));
            QVERIFY(!menu->isChecked() && !action(tool)->isChecked());
            QCOMPARE(font.VariableName(), font.CalculateVariableName());
            QCOMPARE(pane("picFont")->pixels(), regular);
        }
    }

    // A name on the command line opens exactly that file: one that is no UTF-8 text would
    // decode to another name (here an existing project), so it is refused, naming its bytes.
    void startupArgumentsOpenOnlyTheFileNamed()
    {
        TexelFont stored;
        stored.setBold(true);
        stored.setFilename(path(u"p\uFFFD.tsm"_s));
        QVERIFY(stored.Save(mServices->feedback));
        const QByteArray exact = QFile::encodeName(stored.Filename());
        const QByteArray inexact = QFile::encodeName(path(u"p"_s)) + "\xff.tsm";
        for (const QByteArray &name : {exact, inexact}) {
            mWindow = std::make_unique<frmMain>(mServices->services);
            mServices->feedback.messages.clear();
            const char *const argv[] = {"texelsmithy", name.constData()};
            const ProgramArguments given = programArguments(2, argv);
            const bool opened = openStartupArguments(*mWindow, mServices->services, given, given.texts.value(0));
            QCOMPARE(opened, name == exact);
            QCOMPARE(document().Bold(), name == exact);
            QCOMPARE(document().Filename(), opened ? stored.Filename() : QString());
            QCOMPARE(mServices->feedback.messages.size(), opened ? 0 : 1);
        }
        QCOMPARE(mServices->feedback.failures().size(), 1);
        const QString message = mServices->feedback.messages.value(0).text;
        QVERIFY2(message.startsWith(u"The file "_s)
                     && message.contains(u"/p\\xFF.tsm cannot be opened: its name is not UTF-8"_s),
                 qPrintable(message));
    }
    void saveAsAndSave()
    {
        // Never saved: Save works as Save as, proposing the variable name.
        // "(*)" shows as "[*]", which Qt must not take for its modified marker.
        const QString first = path(u"my-fonts (*).tsm"_s);
        mServices->choosers.saveNames = {first};
        action("mnuFileItem2")->trigger();
        const FileRequest request = mServices->choosers.saveRequests.at(0);
        QCOMPARE(request.fileName, document().VariableName() + u".tsm"_s);
        QCOMPARE(request.defaultSuffix, u".tsm"_s);
        QCOMPARE(request.filter, u"TexelSmithy font (*.tsm)|*.tsm|All files (*.*)|*.*"_s);
        QCOMPARE(shownTitle(), captionOf(first));
        QVERIFY(shownTitle().endsWith(u"my fonts [*].tsm"_s));
        // Save writes the known file without asking.
        document().setChars(u"XYZ"_s);
        action("Save")->trigger();
        QCOMPARE(mServices->choosers.saveRequests.size(), 1);
        TexelFont reread;
        QVERIFY(reread.Load(first, mServices->feedback));
        QCOMPARE(reread.Chars(), u"XYZ"_s);
        // A cancelled Save as and one that fails leave the caption as it was.
        for (const auto &[answer, failures] : {std::pair{QString(), 0}, {path(u"missing/font.tsm"_s), 1}}) {
            mServices->choosers.saveNames = {answer};
            action("mnuFileItem3")->trigger();
            QCOMPARE(shownTitle(), captionOf(first));
            QCOMPARE(mServices->feedback.failures().size(), failures);
            QCOMPARE(document().Filename(), first);
        }
    }

    void openAndNew()
    {
        // A file that is no project changes nothing; a cancelled Open neither.
        const QString chars = document().Chars();
        mServices->choosers.openNames = {writeFile(path(u"not-a-project.tsm"_s), "hello")};
        action("mnuFileItem1")->trigger();
        action("mnuFileItem1")->trigger();
        QCOMPARE(mServices->feedback.failures().size(), 1);
        QCOMPARE(document().Chars(), chars);
        QCOMPARE(shownTitle(), kTitle);

        TexelFont stored;
        stored.setTTFName(document().TTFName());
        stored.setBold(true);
        stored.setSize(14.25f);
        stored.setChars(u"ABC"_s);
        stored.setFilename(path(u"bold-(14).tsm"_s));
        QVERIFY(stored.Save(mServices->feedback));
        mServices->choosers.openNames = {stored.Filename()};
        action("Open")->trigger();
        QCOMPARE(mServices->choosers.openRequests.constLast().defaultSuffix, u".tsm"_s);
        QVERIFY(document().Bold());
        QCOMPARE(document().Chars(), u"ABC"_s);
        QVERIFY(action("mnuFontItem3")->isChecked() && action("Bold")->isChecked());
        QCOMPARE(sizeBox()->currentText(), u"14.25"_s);
        QCOMPARE(shownTitle(), captionOf(stored.Filename()));

        action("mnuFileItem0")->trigger();
        QVERIFY(!document().Bold() && !action("Bold")->isChecked());
        QCOMPARE(document().Chars(), TexelFont::defaultCharacterSet());
        QCOMPARE(document().Size(), 9.75f);
        QVERIFY(document().Filename().isEmpty());
        QCOMPARE(mWindow->findChild<QComboBox *>(u"cbxFonts"_s)->currentText(), document().TTFName());
        QCOMPARE(shownTitle(), kTitle);
    }

    // A damaged value in a project's extension is named on opening; the first Save asks before
    // it replaces the file, and "no" leaves the file as it was.
    void saveOverADamagedExtensionAsks()
    {
        TexelFont stored;
        stored.setChars(u"ABC"_s);
        stored.setFilename(path(u"damaged.tsm"_s));
        QVERIFY(stored.Save(mServices->feedback));
        const QByteArray damaged = readFile(stored.Filename()).replace(R"("Smooth":false)", R"("Smooth":"off")");
        writeFile(stored.Filename(), damaged);
        mServices->choosers.openNames = {stored.Filename()};
        action("Open")->trigger();
        QCOMPARE(document().Chars(), u"ABC"_s);
        QCOMPARE(mServices->feedback.informations().size(), 1);
        QVERIFY(mServices->feedback.informations()[0].contains(u"Smooth is not true or false"_s));

        mServices->feedback.answers = {false, true};
        action("Save")->trigger();
        QCOMPARE(readFile(stored.Filename()), damaged);
        action("Save")->trigger();
        QVERIFY(!readFile(stored.Filename()).contains("\"off\""));
        action("Save")->trigger();
        QCOMPARE(mServices->feedback.questions().size(), 2);
        QVERIFY(mServices->feedback.failures().isEmpty());
    }

    void unsavedChanges_data()
    {
        QTest::addColumn<UnsavedCase>("c");
        for (const char *command : {"mnuFileItem0", "mnuFileItem1", "close"}) {
            const auto row = [command](const char *what, std::optional<UnsavedChanges> answer, bool neverSaved,
                                       bool goesOn, bool saved) {
                QTest::addRow("%s: %s", command, what) << UnsavedCase{command, answer, neverSaved, goesOn, saved};
            };
            row("no changes", std::nullopt, false, true, false);
            row("Save", UnsavedChanges::Save, false, true, true);
            row("Discard", UnsavedChanges::Discard, false, true, false);
            row("Cancel", UnsavedChanges::Cancel, false, false, false);
            row("Save, never saved, file dialog cancelled", UnsavedChanges::Save, true, false, false);
        }
    }
    void unsavedChanges()
    {
        QFETCH(UnsavedCase, c);
        const QString project = path(u"mine.tsm"_s), other = path(u"other.tsm"_s);
        TexelFont stored;
        stored.setFilename(other);
        QVERIFY(stored.Save(mServices->feedback));
        mServices->choosers.saveNames = {c.neverSaved ? QString() : project};
        action("mnuFileItem3")->trigger();
        action("Bold")->trigger();
        if (!c.answer)
            action("Bold")->trigger(); // back as saved: nothing to lose
        QCOMPARE(shownTitle().startsWith(u'*'), bool(c.answer));
        mServices->choosers.unsavedAnswers = c.answer ? QList{*c.answer} : QList<UnsavedChanges>();
        mServices->choosers.openNames = {other};
        const QString command = QLatin1String(c.command);
        command == u"close"_s ? void(mWindow->close()) : action(c.command)->trigger();
        const QString name = c.neverSaved ? document().VariableName() + u".tsm"_s : u"mine.tsm"_s;
        QCOMPARE(mServices->choosers.unsavedNames, c.answer ? QStringList{name} : QStringList());
        QCOMPARE(command == u"close"_s              ? !mWindow->isVisible()
                     : command == u"mnuFileItem1"_s ? document().Filename() == other
                                                    : document().Filename().isEmpty() && !document().Bold(),
                 c.goesOn);
        TexelFont reread;
        QCOMPARE(reread.Load(project, mServices->feedback) && reread.Bold(), c.saved);
    }

    // Over Liberation Sans (installed as the stand-in for Arial): U+2603 is not in it, and
    // U+0141 has no Windows-1252 code while the euro sign has one.
    void sheetMarksAndGlyphFacts()
    {
        TexelFont &font = document();
        font.setTTFName(u"Arial"_s);
        font.setSize(18);
        font.setChars(u"A\u20AC\r\n\u0141\u2603"_s);
        QVERIFY(mWindow->preview()->DrawFontSheet());
        const FontSheetGuide &guide = mWindow->preview()->sheetGuide();
        QCOMPARE(guide.missing(), u"\u2603"_s);
        QCOMPARE(guide.unencodable(), u"\u0141\u2603"_s);
        SurfaceView *sheet = pane("picFont");
        const QString none = u"no Windows-1252 code (written as \"?\")"_s;
        // index, missing, unencodable, codes
        const std::tuple<int, bool, bool, QString> rows[] = {{0, false, false, u"A (U+0041), Windows-1252 0x41"_s},
                                                             {1, false, false, u"\u20AC (U+20AC), Windows-1252 0x80"_s},
                                                             {2, false, true, u"\u0141 (U+0141), "_s + none},
                                                             {3, true, true, u"\u2603 (U+2603), "_s + none}};
        int x = 0, end = 0;
        for (const auto &[index, missing, unencodable, codes] : rows) {
            // The frames sit on the glyph cells; the cells follow the advances the document measured.
            end = 0;
            for (int i = 0; i < mWindow->preview()->measurement().glyphs.size(); ++i) {
                if (i == index)
                    x = end + mWindow->preview()->measurement().glyphs.at(i).TextWidth / 2;
                end += mWindow->preview()->measurement().glyphs.at(i).TextWidth;
            }
            const auto framed = [&sheet, x](QRgb color) {
                return std::ranges::any_of(sheet->frames(), [&](const SurfaceView::Frame &frame) {
                    return frame.rect.left() <= x && x <= frame.rect.right() && frame.color == QColor(color);
                });
            };
            QCOMPARE(framed(FontSheetGuide::MissingColor), missing);
            QCOMPARE(framed(FontSheetGuide::UnencodableColor), unencodable);

            const Char &g = mWindow->preview()->measurement().glyphs.at(index);
            const QString tip = guide.toolTipAt(x);
            QVERIFY2(tip.startsWith(codes + u'\n'), qPrintable(tip));
            QVERIFY(tip.contains(u"Ink box: %1 x %2 at (%3, %4)"_s.arg(g.Width).arg(g.Height).arg(g.Left).arg(g.Top)));
            QCOMPARE(tip.contains(u"Not in Arial"_s), missing);
            QVERIFY2(
                tip.endsWith(u"\n\n1 character is not in Arial: \u2603 (U+2603)\n2 characters have no Windows-1252 "
                             "code and will be written as \"?\": \u0141 (U+0141), \u2603 (U+2603)"_s),
                qPrintable(tip));
        }
        // Past the last glyph only the lists are told.
        QVERIFY(guide.toolTipAt(end).startsWith(u"1 character is not in Arial"_s));

        // The sheet's own tooltip event shows the tip (as rich text).
        const QPoint at(x, 5);
        QHelpEvent help(QEvent::ToolTip, at, sheet->mapToGlobal(at));
        QCoreApplication::sendEvent(sheet, &help);
        QTRY_VERIFY(QToolTip::isVisible());
        QVERIFY2(QToolTip::text().contains(std::get<3>(rows[3])), qPrintable(QToolTip::text())); // the last glyph's

        // In Windows-1250 the L with stroke has a code and the tips name that page.
        font.setCodePage(CodePage::Windows1250);
        QVERIFY(mWindow->preview()->DrawFontSheet());
        QCOMPARE(guide.unencodable(), u"\u2603"_s);
        QVERIFY(guide.toolTipAt(x - mWindow->preview()->measurement().glyphs.at(3).TextWidth)
                    .startsWith(u"\u0141 (U+0141), Windows-1250 0xA3\n"_s));
        QVERIFY(guide.toolTipAt(end).endsWith(
            u"1 character has no Windows-1250 code and will be written as \"?\": \u2603 (U+2603)"_s));

        // A sheet the renderer refuses forgets the marks.
        font.setSize(5000);
        QVERIFY(!mWindow->preview()->DrawFontSheet());
        QVERIFY(sheet->frames().isEmpty());
        QCOMPARE(guide.toolTipAt(x), QString());
    }
    // The panes are drawn after they take their new size, so the drawings fill them.
    void panesRedrawnAtTheirNewSize()
    {
        const SurfaceView *sheet = pane("picFont"), *sample = pane("picSample");
        for (const QSize size : {QSize(900, 700), QSize(420, 300)}) { // enlarged, shrunk
            mWindow->resize(size);
            QTRY_COMPARE(sample->pixels().size(), sample->contentsRect().size());
            QCOMPARE(sheet->pixels().height(), sheet->contentsRect().height());
        }
    }

    void positionAndSplitterRoundTrip()
    {
        mWindow->move(40, 30);
        mWindow->resize(600, 420);
        mWindow->preview()->resizer().ResizeFirstPanel(1500);
        mWindow->close();
        const auto stored = [this](const QString &key) { return mServices->store.get(u"Forms"_s, key); };
        QCOMPARE(stored(u"Main.Position"_s), u"600,450,9000,6300"_s);
        QCOMPARE(stored(u"Main.WindowState"_s), u"0"_s);
        QCOMPARE(stored(u"frmMain.HResizer"_s), u"1500"_s);
        frmMain again(mServices->services);
        QCOMPARE(again.pos(), QPoint(40, 30));
        QCOMPARE(again.size(), QSize(600, 420));
        QCOMPARE(again.preview()->resizer().Position(), 1500);
        // A maximised window keeps its last normal position.
        again.showMaximized();
        QVERIFY(QTest::qWaitForWindowExposed(&again));
        again.close();
        QCOMPARE(stored(u"Main.Position"_s), u"600,450,9000,6300"_s);
        QCOMPARE(stored(u"Main.WindowState"_s), u"2"_s);
        QVERIFY(frmMain(mServices->services).windowState() & Qt::WindowMaximized);
        // A position on no screen gives way to the centre, for the stored size.
        mServices->store.save(u"Forms"_s, u"Main.Position"_s, u"-45000,-45000,9000,6300"_s);
        mServices->store.save(u"Forms"_s, u"Main.WindowState"_s, u"0"_s);
        frmMain lost(mServices->services);
        const QRect screen = lost.screen()->geometry();
        QCOMPARE(lost.size(), QSize(600, 420));
        QCOMPARE(lost.pos(), QPoint((screen.width() - 600) / 2, (screen.height() - 420) / 2));
    }

    void previewAsExportedEqualsTheCliRender_data()
    {
        QTest::addColumn<Setup>("setup");
        QTest::newRow("plain") << Setup::Plain;
        QTest::newRow("bold italic, spaced, coloured") << Setup::Styled;
        QTest::newRow("post-processed and masked, edited by hand") << Setup::EditedByHand;
    }
    void previewAsExportedEqualsTheCliRender()
    {
        QFETCH(Setup, setup);
        TexelFont &font = document();
        mWindow->resize(900, 640);
        font.setTTFName(u"DejaVu Sans"_s);
        font.setSize(14.25f);
        font.SampleText = u"Hello, GP32!\r\nMissing: ~ and \u00E9 too"_s;
        if (setup == Setup::Styled) {
            font.setBold(true);
            font.setItalic(true);
            font.CharWidthInc = 3;
            font.CharSepExtra = -1;
            font.LineSepExtra = 4;
            font.Color = 0x2E6BC4; // levels that 5 bits cannot hold exactly
        }
        font.Postprocessed = font.Masked = setup == Setup::EditedByHand;
        font.setFilename(path(u"doc.tsm"_s));
        QVERIFY(font.Save(mServices->feedback));
        if (setup == Setup::EditedByHand) {
            QCOMPARE(runCli({u"bitmaps"_s, font.Filename()}), QString());
            QImage edited(proposedBitmapFileName(font));
            QVERIFY(!edited.isNull());
            QPainter(&edited).fillRect(0, edited.height() - 2, edited.width(), 1, QColor(200, 40, 40));
            QVERIFY(edited.save(proposedBitmapFileName(font), "BMP"));
        }
        action("mnuSampleItem3")->trigger();
        QVERIFY(action("mnuSampleItem3")->isChecked() && mWindow->preview()->previewAsExported());
        QVERIFY2(pane("picSample")->message().isEmpty(), qPrintable(pane("picSample")->message()));
        const QImage shown = pane("picSample")->rendered();

        const QString zgf = path(u"doc.zgf"_s);
        QCOMPARE(runCli({u"export"_s, font.Filename(), u"-o"_s, zgf}), QString());
        const QImage drawn =
            cliRender(zgf, {u"--text"_s, font.SampleText, u"--background"_s, u"FFFFFF"_s}, QDir::current());
        QVERIFY(!drawn.isNull());
        QVERIFY(drawn.width() < shown.width() && drawn.height() < shown.height());
        QCOMPARE(shown.copy(drawn.rect()), drawn);
        // Beyond the text the pane stays white.
        QImage rest = shown, white(shown.size(), QImage::Format_RGB32);
        QPainter(&rest).fillRect(drawn.rect(), Qt::white);
        white.fill(Qt::white);
        QCOMPARE(rest, white);

        // Toggled off, the sample is drawn with the platform's text again.
        action("mnuSampleItem3")->trigger();
        QVERIFY(pane("picSample")->rendered() != shown);
    }

    void recentProjects()
    {
        // File > Recent projects: its entries (by name, as the menu holds them now) and the
        // full paths they open.
        const auto entry = [](const frmMain &window, const QString &name) {
            const QList<QAction *> entries = window.findChild<QMenu *>(u"mnuFileRecent"_s)->actions();
            const auto found = std::find_if(entries.begin(), entries.end(),
                                            [&](QAction *action) { return action->objectName() == name; });
            return found == entries.end() ? nullptr : *found;
        };
        const auto listed = [&](const frmMain &window) {
            QStringList files;
            for (int i = 0; QAction *action = entry(window, u"mnuFileRecent%1"_s.arg(i)); ++i)
                files.append(action->toolTip());
            return files;
        };
        QStringList projects;
        TexelFont project;
        for (int i = 0; i < 9; ++i) {
            project.setFilename(projects.emplace_back(path(u"p%1.tsm"_s.arg(i))));
            QVERIFY(project.Save(mServices->feedback));
        }
        // Saved and opened, newest first; the ninth pushes the first off.
        mServices->choosers.saveNames = {projects.at(0)};
        action("mnuFileItem3")->trigger();
        QCOMPARE(listed(*mWindow), QStringList{projects.at(0)});
        for (int i = 1; i < 9; ++i)
            QVERIFY(mWindow->openProject(projects.at(i)));
        QStringList expected(projects.crbegin(), projects.crend() - 1);
        QCOMPARE(listed(*mWindow), expected);
        // Chosen, an entry opens its project and moves up.
        entry(*mWindow, u"mnuFileRecent4"_s)->trigger();
        QCOMPARE(document().Filename(), projects.at(4));
        expected.move(4, 0);
        QCOMPARE(listed(*mWindow), expected);

        // After a restart; a project deleted since leaves the list with a message.
        mWindow.reset();
        TestServices restart(path(u"store.ini"_s));
        frmMain again(restart.services);
        QCOMPARE(listed(again), expected);
        QVERIFY(QFile::remove(projects.at(8)));
        entry(again, u"mnuFileRecent1"_s)->trigger();
        QCOMPARE(restart.feedback.failures(),
                 QStringList{projects.at(8) + u" no longer exists. It has been removed from the recent projects."_s});
        QVERIFY(again.document().Filename().isEmpty() && restart.choosers.unsavedNames.isEmpty());
        expected.removeAt(1);
        QCOMPARE(listed(again), expected);

        entry(again, u"mnuFileRecentClear"_s)->trigger();
        QVERIFY(listed(again).isEmpty() && !again.findChild<QAction *>(u"mnuFileItemRecent"_s)->isEnabled());
        TestServices cleared(path(u"store.ini"_s));
        QVERIFY(listed(frmMain(cleared.services)).isEmpty());
    }

    // At zoom k every pixel of 1x is a k x k square (the grid lines from GridZoom aside), the
    // tooltip names the glyph of a cell up to its border pixels, the marks grow with the
    // cells, and the zoom is kept for the next run.
    void zoom()
    {
        TexelFont &font = document();
        font.setTTFName(u"DejaVu Sans"_s);
        font.setSize(12);
        font.setChars(u"AWMWMW.il|\u0141"_s);
        font.SampleText = u"Wil\r\nA.|"_s;
        QVERIFY(mWindow->preview()->DrawFontSheet() && mWindow->preview()->DrawSample());
        SurfaceView *sheet = pane("picFont"), *sample = pane("picSample");
        const QImage sheetAt1 = sheet->rendered(), sampleAt1 = sample->rendered();
        RasterSurface surface;
        const GlyphMeasurement &measured = mWindow->preview()->measurement();
        const FontSheetPainter::Layout layout = FontSheetPainter::draw(font, measured, surface, 1, 1);
        const QString line = measured.sequence;
        const QRect marked = sheet->frames().constFirst().rect; // the dashed frame of the last glyph
        auto *scroll = mWindow->findChild<QScrollBar *>(u"hsbFont"_s);
        for (int k = 1; k <= FontPreview::MaxZoom; ++k) {
            action(qPrintable(u"actZoom%1"_s.arg(k)))->trigger();
            for (const auto &[view, at1] : {std::pair(sheet, sheetAt1), std::pair(sample, sampleAt1)}) {
                const QImage shown = view->rendered();
                for (int y = 0; y < shown.height(); ++y) {
                    const auto *row = reinterpret_cast<const QRgb *>(shown.constScanLine(y));
                    const auto *one = reinterpret_cast<const QRgb *>(at1.constScanLine(y / k));
                    for (int x = 0; x < shown.width(); ++x) {
                        const bool grid = k >= GridZoom && (x % k == 0 || y % k == 0);
                        const bool frame = view == sheet && x >= marked.left() * k;
                        if (!grid && !frame && row[x] != one[x / k])
                            QFAIL(qPrintable(
                                u"%1 at %2x differs at (%3, %4)"_s.arg(view->objectName()).arg(k).arg(x).arg(y)));
                    }
                }
            }
            for (qsizetype i = 0; i < line.size(); ++i) {
                const QString name = characterWithCode(line.at(i)) + u", "_s;
                for (const int x : {layout.edges.at(i) * k, layout.edges.at(i + 1) * k - 1})
                    QVERIFY2(mWindow->preview()->sheetGuide().toolTipAt(x).startsWith(name), qPrintable(name));
            }
            const QRect frame = sheet->frames().constFirst().rect;
            QCOMPARE(std::pair(frame.left(), frame.width()), std::pair(marked.left(), marked.width()));
            QCOMPARE(frame.bottom() + 2, sheet->pixels().height()); // down the sheet's height
            const QImage shown = sheet->rendered();
            QCOMPARE(shown.pixel(marked.left() * k, marked.top() * k), QColor(FontSheetGuide::UnencodableColor).rgb());
            QCOMPARE(scroll->value(), 0); // a sheet shown from its start stays there
        }
        QVERIFY(scroll->isEnabled());
        QVERIFY(!action("actZoomIn")->isEnabled());
        // Ctrl+wheel over a pane zooms out a step.
        QWheelEvent wheel(QPointF(5, 5), sample->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::ControlModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(sample, &wheel);
        QCOMPARE(mWindow->preview()->zoomControl()->zoom(), 7);
        mServices->choosers.unsavedAnswers = {UnsavedChanges::Discard};
        mWindow->close();
        QCOMPARE(mServices->store.get(u"Forms"_s, u"frmMain.Zoom"_s), u"7"_s);
        QCOMPARE(frmMain(mServices->services).preview()->zoomControl()->zoom(), 7);
    }

    // The sheet's pane grows as the zoom makes its line taller and gives the height back as
    // the zoom goes down; the grip follows a drag however fast, and a dragged height stays.
    void sheetPaneFollowsZoomAndDrag()
    {
        TexelFont &font = document();
        font.setTTFName(u"DejaVu Sans"_s);
        font.setSize(12);
        FontPreview *preview = mWindow->preview();
        QVERIFY(preview->DrawFontSheet());
        RasterSurface surface;
        const int line = FontSheetPainter::draw(font, preview->measurement(), surface, 1, 1).height;
        const SurfaceView *sheet = pane("picFont");
        const auto *scroll = mWindow->findChild<QScrollBar *>(u"hsbFont"_s);
        const auto lineShown = [&](int zoom) {
            return sheet->mapTo(preview, QPoint(0, line * zoom)).y() <= scroll->y();
        };
        auto *bar = mWindow->findChild<QWidget *>(u"lblResizer"_s);
        const QPoint grip = bar->mapToGlobal(bar->rect().center());
        // A press and moves as fast as the pointer sends them, at screen positions.
        const auto drag = [&](int pixels) {
            QTest::mousePress(bar, Qt::LeftButton, {}, bar->mapFromGlobal(grip));
            QTest::mouseMove(bar, bar->mapFromGlobal(grip + QPoint(0, pixels / 2)));
            QTest::mouseMove(bar, bar->mapFromGlobal(grip + QPoint(0, pixels)));
            QTest::mouseRelease(bar, Qt::LeftButton, {}, bar->mapFromGlobal(grip + QPoint(0, pixels)));
        };
        Resizer &resizer = preview->resizer();
        QCOMPARE(resizer.Position(), 900);
        for (int zoom = 1; zoom <= 4; ++zoom) {
            action(qPrintable(u"actZoom%1"_s.arg(zoom)))->trigger();
            QVERIFY2(lineShown(zoom), qPrintable(u"cut at %1x"_s.arg(zoom)));
        }
        const qint32 grown = resizer.Position();
        QVERIFY(grown > 900);
        drag(30);
        QCOMPARE(resizer.Position(), grown + 30 * 15);
        QVERIFY(preview->DrawFontSheet());
        action("actZoom1")->trigger();
        QCOMPARE(resizer.Position(), grown + 30 * 15);
        drag(-1000); // up to the sheet's smallest height
        QCOMPARE(resizer.Position(), 900);
        action("actZoom4")->trigger();
        QCOMPARE(resizer.Position(), grown);
        action("actZoom1")->trigger();
        QCOMPARE(resizer.Position(), 900);
    }

    void editGlyphsAsksForAPostprocessedFont()
    {
        QAction *edit = action("mnuToolsItem4");
        QVERIFY(!edit->isEnabled());
        int runs = 0;
        mWindow->setDocumentDialog(frmMain::DocumentDialog::GlyphEditor, [&runs](QWidget *, TexelFont &) { ++runs; });
        edit->trigger();
        QCOMPARE(runs, 0);
        QVERIFY(mServices->feedback.informations().constLast().contains(u"Postprocessing properties"_s));
        document().Postprocessed = true;
        edit->trigger();
        QCOMPARE(runs, 1);
    }

    // The font box shows a font file's families marked with the file; a file of no font changes nothing.
    void openFontFile()
    {
        const QString serif = path(u"serif.ttf"_s), junk = path(u"notes.ttf"_s);
        QVERIFY(QFile::copy(u"/usr/share/fonts/truetype/liberation/LiberationSerif-Regular.ttf"_s, serif));
        QFile file(junk);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("no font") == 7);
        file.close();
        const QString family = document().TTFName();
        const qsizetype failures = mServices->feedback.failures().size();
        mServices->choosers.openNames = {junk};
        action("mnuFontFile")->trigger();
        QCOMPARE(mServices->feedback.failures().size(), failures + 1);
        QCOMPARE(document().TTFName(), family);

        mServices->choosers.openNames = {serif};
        action("mnuFontFile")->trigger();
        QCOMPARE(document().FontFile(), serif);
        QCOMPARE(document().TTFName(), u"Liberation Serif"_s);
        QCOMPARE(mWindow->findChild<QComboBox *>(u"cbxFonts"_s)->currentText(), u"Liberation Serif (from serif.ttf)"_s);
        QCOMPARE(mWindow->preview()->sheetSurface().font().name, u"Liberation Serif"_s);

        // The font dialog keeps the file for its family (or a name the file is drawn under), and
        // leaves it for an installed one.
        const QString drawnAs = fontFileDrawing(serif, u"Liberation Serif"_s, false, false)->drawingFamily;
        for (const auto &[chosenFamily, keptFile] :
             {std::pair{u"Liberation Serif"_s, serif}, {drawnAs, serif}, {u"DejaVu Sans"_s, QString()}}) {
            FontChoice choice{document().surfaceFont(), 0};
            choice.font.name = chosenFamily;
            mServices->choosers.fonts = {choice};
            action("mnuFontItem0")->trigger();
            QCOMPARE(document().FontFile(), keptFile);
            QCOMPARE(mWindow->preview()->sheetSurface().font().name,
                     keptFile.isEmpty() ? chosenFamily : u"Liberation Serif"_s);
        }
    }

    // Every family of a collection gets an entry, and the one chosen is drawn.
    void openCollection()
    {
        const QString two = path(u"two.ttc"_s);
        writeFile(two,
                  fontCollection({readFile(u"/usr/share/fonts/truetype/liberation/LiberationMono-Regular.ttf"_s),
                                  readFile(u"/usr/share/fonts/truetype/liberation/LiberationSerif-Regular.ttf"_s)}));
        mServices->choosers.openNames = {two};
        action("mnuFontFile")->trigger();
        QComboBox *fonts = mWindow->findChild<QComboBox *>(u"cbxFonts"_s);
        QCOMPARE(fonts->currentText(), u"Liberation Mono (from two.ttc)"_s);
        fonts->setCurrentIndex(fonts->findText(u"Liberation Serif (from two.ttc)"_s));
        QCOMPARE(document().TTFName(), u"Liberation Serif"_s);
        QCOMPARE(document().FontFile(), two);
        QCOMPARE(mWindow->preview()->sheetSurface().font().name, u"Liberation Serif"_s);
    }

    // The size box of a bitmap font lists its sizes, and a size is realised as its strike.
    void bitmapFontSizes()
    {
        const QString terminus = path(u"terminus.otb"_s);
        QVERIFY(QFile::copy(u"/usr/share/fonts/opentype/terminus/terminus-normal.otb"_s, terminus));
        mServices->choosers.openNames = {terminus};
        action("mnuFontFile")->trigger();
        QStringList listed;
        for (int i = 0; i < sizeBox()->count(); ++i)
            listed.append(sizeBox()->itemText(i));
        QCOMPARE(listed, u"9 10.5 12 13.5 15 16.5 18 21 24"_s.split(u' '));
        typeSize(u"12"_s);
        QCOMPARE(document().Size(), 12.0f);
        QCOMPARE(mWindow->preview()->sheetSurface().font().file, terminus);
        // Back to an outline font, the usual sizes.
        QComboBox *fonts = mWindow->findChild<QComboBox *>(u"cbxFonts"_s);
        fonts->setCurrentIndex(fonts->findText(u"DejaVu Sans"_s));
        QCOMPARE(sizeBox()->itemText(sizeBox()->count() - 1), u"72"_s);
    }

    // A project whose font file is gone says so in one sentence naming the file and the
    // family drawn instead; the font box still names the project's font. A background picture
    // that is a FIFO is as good as missing: nothing waits on it.
    void projectWithoutItsFontFile()
    {
        const QString serif = path(u"serif.ttf"_s), project = path(u"p.tsm"_s), fifo = path(u"fifo.bmp"_s);
        QVERIFY(QFile::copy(u"/usr/share/fonts/truetype/liberation/LiberationSerif-Regular.ttf"_s, serif));
        mServices->choosers.openNames = {serif};
        action("mnuFontFile")->trigger();
        QVERIFY(mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        document().Background = fifo;
        document().setFilename(project);
        QVERIFY(document().Save(mServices->feedback));
        QVERIFY(QFile::remove(serif));
        QVERIFY(mWindow->openProject(project));
        QVERIFY2(!mServices->feedback.informations().isEmpty(), qPrintable(mServices->feedback.failures().join(u'\n')));
        const QString note = mServices->feedback.informations().last();
        QCOMPARE(note,
                 u"The font file "_s + serif
                     + u" is missing, so the installed Liberation Serif is drawn in its "
                       "place until the file is back or another font is chosen."_s);
        QCOMPARE(mWindow->findChild<QComboBox *>(u"cbxFonts"_s)->currentText(), u"Liberation Serif (from serif.ttf)"_s);
    }
};

QTEST_MAIN(FrmMainTest)
#include "frmmain_test.moc"
