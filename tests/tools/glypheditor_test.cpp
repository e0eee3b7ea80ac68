// The glyph editor: a stroke stays in its glyph's cell and undoes to the byte, what it saves
// is what the export reads back, bad or changed files are never replaced without asking,
// and the window routes mouse and keys and asks before unsaved edits are lost.
#include "dialogtesting.h"

#include "frmglypheditor.h"
#include "glyphcanvas.h"
#include "glypheditor.h"
#include "postprocessnames.h"
#include "zgffont.h"
#include "zgfpictures.h"
#include "zgfpixel.h"

using namespace Qt::StringLiterals;
using Layer = GlyphEditor::Layer;
using Tool = GlyphEditor::Tool;

namespace {

QByteArray bytesOf(const QImage &image)
{
    return QByteArray(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes());
}

// The pixels where two images of one size differ.
QList<QPoint> differences(const QImage &a, const QImage &b)
{
    QList<QPoint> out;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y))
                out.append(QPoint(x, y));
        }
    }
    return out;
}

enum class BadFile { Smaller, Larger, Cut, NotAPicture, Png };

} // namespace

Q_DECLARE_METATYPE(BadFile)

class GlyphEditorTest : public DialogTest
{
    Q_OBJECT

    void useFont(bool masked, bool invert = true)
    {
        mFont->setTTFName(u"DejaVu Sans"_s);
        mFont->setSize(11);
        mFont->setChars(u"ABCDEFGHIJ"_s);
        mFont->CharWidthInc = mFont->CharHeightInc = 2;
        mFont->Postprocessed = true;
        mFont->Masked = masked;
        mFont->InvertMask = invert;
        mFont->MaskWidthInc = mFont->MaskHeightInc = 2;
        // The windows put the bitmaps in the project's folder.
        mFont->setFilename(path(u"doc.tsm"_s));
    }
    QString bitmap() const { return path(proposedBitmapFileName(*mFont)); }
    QString mask() const { return path(proposedMaskFileName(*mFont)); }

private slots:
    void strokesStayInTheirCellAndUndoToTheByte()
    {
        useFont(true);
        GlyphEditor editor(*mFont, bitmap(), mask());
        const QImage glyphs = editor.image(Layer::Glyphs), masks = editor.image(Layer::Mask);
        editor.setCurrent(5);
        for (const Layer layer : {Layer::Glyphs, Layer::Mask}) {
            const QRect cell = editor.cell(layer, 5);
            editor.setTool(Tool::Pencil);
            editor.press(layer, cell.topLeft());
            editor.drag(cell.bottomRight() + QPoint(6, 3)); // on past the cell
            editor.drag(QPoint(0, 0));                      // and into the first glyph
            editor.release();
            editor.setTool(Tool::Fill);
            editor.press(layer, cell.topLeft() + QPoint(0, 1));
            editor.release();
            editor.press(layer, editor.cell(layer, 4).center()); // another glyph's cell: nothing
            const QList<QPoint> changed = differences(editor.image(layer), layer == Layer::Glyphs ? glyphs : masks);
            QVERIFY(changed.size() > 2);
            for (const QPoint &p : changed)
                QVERIFY2(cell.contains(p), qPrintable(u"(%1, %2)"_s.arg(p.x()).arg(p.y())));
        }
        const QImage edited = editor.image(Layer::Glyphs);
        while (editor.canUndo())
            editor.undo();
        QVERIFY(!editor.isModified());
        QCOMPARE(bytesOf(editor.image(Layer::Glyphs)), bytesOf(glyphs));
        QCOMPARE(bytesOf(editor.image(Layer::Mask)), bytesOf(masks));
        while (editor.canRedo())
            editor.redo();
        QCOMPARE(editor.image(Layer::Glyphs), edited);
        // Reverting the glyph is one step back to the drawn cell, in both images.
        editor.revertGlyph();
        QCOMPARE(editor.image(Layer::Glyphs), glyphs);
        QCOMPARE(editor.image(Layer::Mask), masks);
        editor.undo();
        QCOMPARE(editor.image(Layer::Glyphs), edited);
    }

    void savedEditsAreWhatTheExportReads_data()
    {
        QTest::addColumn<bool>("invert");
        QTest::newRow("InvertMask") << true;
        QTest::newRow("plain mask") << false;
    }
    void savedEditsAreWhatTheExportReads()
    {
        QFETCH(bool, invert);
        useFont(true, invert);
        GlyphEditor editor(*mFont, bitmap(), mask());
        editor.setCurrent(5);
        const QPoint at = editor.cell(Layer::Glyphs, 5).topLeft() + QPoint(1, 1);
        const QPoint maskAt = editor.cell(Layer::Mask, 5).topLeft() + QPoint(1, 1);
        editor.setColor(0x2E6BC4);
        editor.press(Layer::Glyphs, at);
        editor.release();
        editor.setLevel(17);
        editor.press(Layer::Mask, maskAt);
        editor.release();
        editor.setPartialCount(2);
        QCOMPARE(editor.save(feedback()).size(), 6); // two partial bitmaps and the full one, twice
        QVERIFY(!editor.isModified());

        RasterSurface work;
        ZgfExportOptions options{
            .zgfFileName = path(u"edited.zgf"_s), .rle = true, .bitmapFileName = bitmap(), .maskFileName = mask()};
        QVERIFY(ExportZgfFont(*mFont, work, options, feedback()));
        const ZgfFont font = ZgfFont::readFile(options.zgfFileName);
        const QImage edited = editor.image(Layer::Glyphs);
        for (int y = 0; y < edited.height(); ++y) {
            for (int x = 0; x < edited.width(); ++x)
                QCOMPARE(font.pixel16(x, y) & 0xFFFE, ColorToPixel16(colorFromPixel(edited.pixel(x, y)), 0));
        }
        QCOMPARE(font.maskLevel(maskAt.x(), maskAt.y()), invert ? 14 : 17);
        // Glyph 6 of 10 is in the second partial bitmap only.
        QCOMPARE(QImage(partialBitmapName(bitmap(), 2)).pixel(at), edited.pixel(at));
        QCOMPARE(QImage(partialBitmapName(bitmap(), 1)).pixel(at), pixelFromColor(mFont->TransColor));
        // The preview is the sample drawn with the font the export writes, through its mask.
        const QString text = u"AFJ\nBE"_s;
        QCOMPARE(editor.preview(text), ZgfPictures::textImage(font, text));
    }

    void badBitmapsOpenWithANote_data()
    {
        QTest::addColumn<BadFile>("bad");
        QTest::addColumn<QString>("note");
        QTest::newRow("smaller") << BadFile::Smaller << u"padded with the background"_s;
        QTest::newRow("larger") << BadFile::Larger << u"cut to that size"_s;
        QTest::newRow("cut short") << BadFile::Cut << u"cannot be read"_s;
        QTest::newRow("no picture") << BadFile::NotAPicture << u"cannot be read"_s;
        QTest::newRow("PNG") << BadFile::Png << u"not a Windows bitmap"_s;
    }
    void badBitmapsOpenWithANote()
    {
        QFETCH(BadFile, bad);
        QFETCH(QString, note);
        useFont(false);
        const QImage drawn = GlyphEditor(*mFont, path(u"none.bmp"_s), QString()).image(Layer::Glyphs);
        QImage red(drawn.size()
                       + (bad == BadFile::Smaller      ? QSize(-5, -2)
                              : bad == BadFile::Larger ? QSize(5, 2)
                                                       : QSize(0, 0)),
                   QImage::Format_RGB32);
        red.fill(Qt::red);
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        red.save(&buffer, bad == BadFile::Png ? "PNG" : "BMP");
        const QByteArray bytes = bad == BadFile::Cut ? buffer.data().chopped(40)
            : bad == BadFile::NotAPicture            ? QByteArray("glyphs, by hand\n")
                                                     : buffer.data();
        file(proposedBitmapFileName(*mFont), bytes);

        GlyphEditor editor(*mFont, bitmap(), QString());
        QCOMPARE(editor.notes().size(), 1);
        QVERIFY2(editor.notes().constFirst().contains(bitmap()) && editor.notes().constFirst().contains(note),
                 qPrintable(editor.notes().constFirst()));
        const QImage shown = editor.image(Layer::Glyphs);
        QCOMPARE(shown.size(), drawn.size());
        const bool unread = bad == BadFile::Cut || bad == BadFile::NotAPicture;
        const QPoint corner(drawn.width() - 1, drawn.height() - 1);
        QCOMPARE(shown.pixel(0, 0), unread ? drawn.pixel(0, 0) : QColor(Qt::red).rgb());
        QCOMPARE(shown.pixel(corner),
                 unread                        ? drawn.pixel(corner)
                     : bad == BadFile::Smaller ? pixelFromColor(mFont->TransColor)
                                               : QColor(Qt::red).rgb());
        // Opening lost nothing, and saving asks before the file goes.
        QCOMPARE(readFile(bitmap()), bytes);
        QCOMPARE(editor.saveQuestions().size(), 1);
    }

    // Save says what it wrote on the buttons' row; the header and the panes stay in place,
    // also when the header loses a note about the files as they were.
    void saveKeepsTheLayout_data()
    {
        QTest::addColumn<bool>("masked");
        QTest::addColumn<bool>("noted");
        QTest::newRow("glyphs") << false << false;
        QTest::newRow("glyphs and mask") << true << false;
        QTest::newRow("a note on an unreadable bitmap") << true << true;
    }
    void saveKeepsTheLayout()
    {
        QFETCH(bool, masked);
        QFETCH(bool, noted);
        useFont(masked);
        if (noted)
            file(proposedBitmapFileName(*mFont), "glyphs, by hand\n");
        auto *window = open<frmGlyphEditor>();
        const auto *canvas = window->findChild<GlyphCanvas *>(u"picGlyph"_s);
        const auto *notes = window->findChild<QLabel *>(u"lblNotes"_s);
        const auto canvasTop = [&] {
            QCoreApplication::processEvents();
            return canvas->mapTo(window, QPoint()).y();
        };
        const int top = canvasTop();
        QCOMPARE(notes->text().count(u'\n'), int(masked) + int(noted));
        feedback().answers = {true}; // replace the unreadable bitmap
        QVERIFY(window->save());
        QCOMPARE(canvasTop(), top);
        QVERIFY(notes->text().startsWith(u"Glyph image: "_s + bitmap()));
        const auto *saved = window->findChild<QLabel *>(u"lblSaved"_s);
        QVERIFY(saved->text().startsWith(u"Saved: "_s) && saved->text().contains(proposedBitmapFileName(*mFont)));
        QVERIFY(saved->toolTip().contains(bitmap()));
    }

    void windowAsksBeforeLosingAnything()
    {
        useFont(false);
        auto *window = open<frmGlyphEditor>();
        GlyphEditor *editor = window->editor();
        QVERIFY(editor);
        // Typing a character and the arrows choose the glyph.
        QTest::keyClick(window, 'H');
        QCOMPARE(editor->current(), 7);
        QTest::keyClick(window, Qt::Key_Left);
        QCOMPARE(editor->current(), 6);
        // A click on the canvas paints the pixel under it.
        auto *canvas = window->findChild<GlyphCanvas *>(u"picGlyph"_s);
        const auto paint = [&](QPoint pixel) {
            canvas->setZoom(10);
            QTest::mouseClick(canvas, Qt::LeftButton, {},
                              (pixel - canvas->shownPixels().topLeft()) * 10 + QPoint(5, 5));
        };
        const QPoint pixel = editor->cell(Layer::Glyphs, 6).topLeft();
        editor->setColor(0x0000F8);
        paint(pixel);
        QCOMPARE(editor->image(Layer::Glyphs).pixel(pixel), pixelFromColor(0x0000F8));
        QVERIFY(window->isWindowModified());
        QVERIFY(window->save());
        QVERIFY(feedback().questions().isEmpty());

        // Another program changes the bitmap: replacing it needs a yes.
        QImage theirs(bitmap());
        theirs.setPixel(0, 0, 0xFF102030);
        QVERIFY(theirs.save(bitmap(), "BMP"));
        const QByteArray changed = readFile(bitmap());
        editor->setColor(0x00F800);
        paint(pixel + QPoint(1, 0));
        feedback().answers = {false};
        QVERIFY(!window->save());
        QCOMPARE(feedback().questions().size(), 1);
        QVERIFY(feedback().questions().constFirst().contains(u"changed on disk"_s));
        QCOMPARE(readFile(bitmap()), changed);
        feedback().answers = {true};
        QVERIFY(window->save());
        QVERIFY(readFile(bitmap()) != changed);

        // Closing with unsaved edits asks; Cancel stays, Discard closes.
        paint(pixel + QPoint(2, 0));
        choosers().unsavedAnswers = {UnsavedChanges::Cancel, UnsavedChanges::Discard};
        window->reject();
        QVERIFY(window->isVisible());
        window->reject();
        QVERIFY(!window->isVisible());
        QCOMPARE(choosers().unsavedNames, QStringList(2, proposedBitmapFileName(*mFont)));
    }
};

QTEST_MAIN(GlyphEditorTest)
#include "glypheditor_test.moc"
