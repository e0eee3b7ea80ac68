#pragma once

#include "glyphmeasurement.h"
#include "rastersurface.h"
#include "surface.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <array>
#include <optional>

class Feedback;
class TexelFont;

// The glyph editor's work, without a window: the glyph image and, for a masked font, the
// mask image of a post-processed document, as the ZGF export reads them, edited one glyph
// at a time with a pencil, an eraser, a fill and a colour picker (on the mask, grey levels
// 0..31), every stroke undoable, and saved through the post-processing export's routine.
//
// Tools work inside the current glyph's cell only, so an edit never reaches a neighbour.
class GlyphEditor
{
public:
    enum class Layer { Glyphs, Mask };
    enum class Tool { Pencil, Eraser, Fill, Picker };

    // Opens the images of the document from the bitmaps the export reads: a file that
    // exists is read as the export reads it (cut, or padded with the background, to the
    // strip's size); a missing one, or one that cannot be read, is drawn from the document,
    // as "Generate bitmap(s) for postprocessing" draws it. notes() says what was not taken
    // as it is. Throws a Failure when the document cannot be drawn. The document must
    // outlive the editor.
    GlyphEditor(const TexelFont &font, const QString &bitmapPath, const QString &maskPath);

    bool masked() const;
    const QString &path(Layer layer) const { return page(layer).path; }
    // One line for each file that was not taken as it is, saying why and what is shown.
    const QStringList &notes() const { return mNotes; }

    // The glyphs, in the order of the strips.
    const QStringList &characters() const { return mCharacters; }
    int count() const { return int(mCharacters.size()); }
    // The first glyph of the character; -1 when the set has none.
    int indexOf(const QString &character) const { return int(mCharacters.indexOf(character)); }
    int current() const { return mCurrent; }
    // Clamped to the glyphs; ends a stroke in progress.
    void setCurrent(int index);

    const QImage &image(Layer layer) const { return page(layer).image; }
    // Glyph index's cell in the layer's image: its columns, every row.
    QRect cell(Layer layer, int index) const { return page(layer).cells.value(index); }
    // The glyph whose cell holds column x; -1 outside every cell.
    int glyphAt(Layer layer, int x) const;
    // The row where the font's topmost ink lands, and the first row below the ink standing
    // on the baseline (the most common bottom of the glyphs); -1 when no glyph has ink.
    int topRow(Layer layer) const { return page(layer).top; }
    int baselineRow(Layer layer) const { return page(layer).baseline; }

    Tool tool() const { return mTool; }
    void setTool(Tool tool) { mTool = tool; }
    // The pencil's colour on the glyph image (the font colour at first).
    Color color() const { return mColor; }
    void setColor(Color color) { mColor = color; }
    // The pencil's level on the mask, 0..31 (31 at first: what the drawn mask has on its
    // glyphs, or 0 under InvertMask).
    int level() const { return mLevel; }
    void setLevel(int level) { mLevel = std::clamp(level, 0, 31); }
    // The grey a mask level is kept as in the mask bitmap, and the level of a colour there
    // (what the export reads: the red channel divided by 8).
    static Color levelColor(int level);
    static int levelOf(Color color);

    // A stroke: the tool applied at a pixel of the layer, dragged on through more pixels,
    // and ended. Only pixels of the current glyph's cell change; the picker takes the
    // colour (or level) of any pixel of the cell.
    void press(Layer layer, QPoint pixel);
    void drag(QPoint pixel);
    void release();

    // The current glyph, in both images, as the document draws it: one undoable step.
    void revertGlyph();

    bool canUndo() const { return mDone > 0; }
    bool canRedo() const { return mDone < mSteps.size(); }
    void undo();
    void redo();
    // Whether the images differ from what was opened or last saved.
    bool isModified() const { return mDone != mClean; }

    // The partial bitmaps written beside each full one (1: none); at first as many as lie
    // beside the glyph bitmap.
    int partialCount() const { return mPartialCount; }
    void setPartialCount(int count) { mPartialCount = std::clamp(count, 1, 32767); }

    // The questions to ask before saving: one for each file that changed on disk since it
    // was opened (or appeared), or that was not taken as it is; empty when none.
    QStringList saveQuestions() const;
    // Writes the images (and their partial bitmaps) built by buildPostprocessBitmaps, each
    // file replaced only once complete, and returns the full paths written. Throws a
    // Failure (a file that would replace another, a write that fails).
    QStringList save(Feedback &feedback);

    // The text as a GP32 program draws it with the font made from the images as edited
    // (with the mask, when the font has one), over the viewer's checker board. Throws a
    // Failure when the document's values do not fit a font file.
    QImage preview(const QString &text);

private:
    // One of the two images.
    struct Page
    {
        QString path;
        QString what; // "bitmap file", "alpha mask bitmap file"
        QImage image;
        QImage drawn;
        Color background = 0;
        QList<QRect> cells;
        int top = -1;
        int baseline = -1;
        bool existed = false;
        // Of the file as opened or saved, when it was taken as it is.
        std::optional<QByteArray> digest;
    };
    // The pixels of a rectangle before and after a change.
    struct Patch
    {
        Layer layer;
        QRect rect;
        QImage before;
        QImage after;
    };
    struct Stroke
    {
        Layer layer;
        QRect cell;
        QImage before;
        QPoint last;
    };

    Page &page(Layer layer) { return mPages[size_t(layer)]; }
    const Page &page(Layer layer) const { return mPages[size_t(layer)]; }
    void open(Page &page, const QImage &drawn);
    Color paintColor(Layer layer) const;
    void plot(QPoint pixel);
    void fill(QPoint pixel);
    void push(const QList<Patch> &step);
    void apply(const QList<Patch> &step, bool forward);
    QImage partialImage(Layer layer, int count, int from) const;

    const TexelFont &mFont;
    std::array<Page, 2> mPages;
    QStringList mNotes;
    QStringList mCharacters;
    int mCurrent = 0;
    Tool mTool = Tool::Pencil;
    Color mColor = 0;
    int mLevel = 31;
    std::optional<Stroke> mStroke;
    QList<QList<Patch>> mSteps;
    qsizetype mDone = 0;
    qsizetype mClean = 0;
    int mPartialCount = 1;
    // Where images are drawn, saved and coded.
    RasterSurface mWork;
    // The document measured on mWork when the editor opened.
    GlyphMeasurement mMeasured;
    RasterSurface mGlyphPicture;
    RasterSurface mMaskPicture;
};
