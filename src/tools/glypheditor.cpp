#include "glypheditor.h"

#include "failure.h"
#include "feedback.h"
#include "measuredfont.h"
#include "paths.h"
#include "postprocessbitmaps.h"
#include "texelfont.h"
#include "zgfbuilder.h"
#include "zgffont.h"
#include "zgfpictures.h"
#include "zgfpixel.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>

#include <cmath>
#include <cstring>
#include <optional>
#include <utility>

namespace {

// The file's digest; empty for a file that cannot be read, nothing for a missing one.
std::optional<QByteArray> fileDigest(const QString &path)
{
    QFile file(ordinaryPath(path));
    if (!file.exists())
        return std::nullopt;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        return QByteArray();
    return hash.result();
}

// The cells of a strip whose glyph i is widths[i] + extra wide.
QList<QRect> cellsOf(const QByteArray &widths, int extra, int height)
{
    QList<QRect> cells;
    int x = 0;
    for (const char width : widths) {
        const int w = std::max(int(quint8(width)) + extra, 0);
        cells.append(QRect(x, 0, w, height));
        x += w;
    }
    return cells;
}

// The most common bottom of the glyphs' ink, in rows from the top of the text cell (ink
// above the line counts from there too); 0 when no glyph has ink.
int commonInkBottom(const QList<Char> &glyphs)
{
    QHash<int, int> counts;
    std::optional<int> best;
    for (const Char &glyph : glyphs) {
        if (!glyph.hasInk())
            continue;
        const int bottom = glyph.Top + glyph.Height;
        const int n = ++counts[bottom];
        if (!best || n > counts.value(*best) || (n == counts.value(*best) && bottom > *best))
            best = bottom;
    }
    return best.value_or(0);
}

void paste(QImage &target, QPoint at, const QImage &patch)
{
    for (int y = 0; y < patch.height(); ++y)
        std::memcpy(target.scanLine(at.y() + y) + at.x() * 4, patch.constScanLine(y), size_t(patch.width()) * 4);
}

} // namespace

GlyphEditor::GlyphEditor(const TexelFont &font, const QString &bitmapPath, const QString &maskPath) : mFont(font)
{
    mMeasured = measureFont(font, mWork);
    const GlyphMeasurement &measured = mMeasured;
    const MeasuredFont strips(font, measured);
    mCharacters = measured.characters;
    mColor = font.Color;
    mLevel = font.InvertMask ? 0 : 31;
    const QByteArray widths = strips.ZgfCharWidths();
    const int fontTop = measured.fontTop;
    const int inkBottom = commonInkBottom(measured.glyphs);
    const auto rows = [&](Page &p, int heightInc) {
        if (measured.defaultHeight == 0)
            return;
        p.top = int(std::floor(heightInc / 2.0));
        p.baseline = p.top + inkBottom - fontTop;
    };

    Page &glyphs = page(Layer::Glyphs);
    glyphs.path = bitmapPath;
    glyphs.what = QStringLiteral("bitmap file");
    glyphs.background = font.TransColor;
    glyphs.cells = cellsOf(widths, 0, strips.ZgfGetBitmapHeight());
    rows(glyphs, font.CharHeightInc);
    strips.ZgfGenerateBitmap(mWork, 1, 1, false);
    open(glyphs, mWork.image());

    if (font.Masked) {
        Page &mask = page(Layer::Mask);
        mask.path = maskPath;
        mask.what = QStringLiteral("alpha mask bitmap file");
        mask.background = font.maskBackground();
        mask.cells = cellsOf(widths, font.MaskWidthInc, strips.ZgfGetMaskHeight());
        rows(mask, font.CharHeightInc + font.MaskHeightInc);
        strips.ZgfGenerateMask(mWork, 1, 1, false);
        open(mask, mWork.image());
    }
    while (QFileInfo::exists(ordinaryPath(partialBitmapName(bitmapPath, mPartialCount))))
        ++mPartialCount;
    if (--mPartialCount < 2)
        mPartialCount = 1;
}

void GlyphEditor::open(Page &p, const QImage &drawn)
{
    p.drawn = drawn;
    p.image = p.drawn;
    p.existed = QFileInfo::exists(ordinaryPath(p.path));
    if (!p.existed)
        return;
    const QString name = QStringLiteral("The %1 %2").arg(p.what, p.path);
    try {
        RasterSurface read;
        loadEditedPicture(read, p.drawn.width(), p.drawn.height(), p.background, p.path);
        p.image = read.image();
    } catch (const Failure &failure) {
        mNotes.append(QStringLiteral("%1 cannot be read (%2). Shown instead: the image drawn from the font; "
                                     "Save asks before replacing the file.")
                          .arg(name, failure.message()));
        return;
    }
    QImageReader reader(ordinaryPath(p.path));
    const QSize size = reader.size();
    if (reader.format() != "bmp") {
        mNotes.append(QStringLiteral("%1 is a %2 picture, not a Windows bitmap. The export reads it all the same; "
                                     "Save writes it as a bitmap, after asking.")
                          .arg(name, QString::fromLatin1(reader.format()).toUpper()));
    } else if (size != p.drawn.size()) {
        mNotes.append(QStringLiteral("%1 is %2 x %3 pixels, but the font's image is %4 x %5: it is shown %6, as the "
                                     "export reads it. Save writes it at the font's size, after asking.")
                          .arg(name)
                          .arg(size.width())
                          .arg(size.height())
                          .arg(p.drawn.width())
                          .arg(p.drawn.height())
                          .arg(size.width() < p.drawn.width() || size.height() < p.drawn.height()
                                   ? QStringLiteral("padded with the background")
                                   : QStringLiteral("cut to that size")));
    } else {
        p.digest = fileDigest(p.path);
    }
}

bool GlyphEditor::masked() const
{
    return !page(Layer::Mask).image.isNull();
}

void GlyphEditor::setCurrent(int index)
{
    release();
    mCurrent = std::clamp(index, 0, std::max(count() - 1, 0));
}

int GlyphEditor::glyphAt(Layer layer, int x) const
{
    const QList<QRect> &cells = page(layer).cells;
    for (qsizetype i = 0; i < cells.size(); ++i) {
        if (x >= cells.at(i).left() && x <= cells.at(i).right())
            return int(i);
    }
    return -1;
}

Color GlyphEditor::levelColor(int level)
{
    const quint32 grey = expandLevel5(quint32(std::clamp(level, 0, 31)));
    return Color(grey | grey << 8 | grey << 16);
}

int GlyphEditor::levelOf(Color color)
{
    return (color & 0xFF) >> 3;
}

Color GlyphEditor::paintColor(Layer layer) const
{
    if (mTool == Tool::Eraser)
        return page(layer).background;
    return layer == Layer::Glyphs ? mColor : levelColor(mLevel);
}

void GlyphEditor::press(Layer layer, QPoint pixel)
{
    release();
    const QRect area = cell(layer, mCurrent);
    if (!area.contains(pixel) || image(layer).isNull())
        return;
    if (mTool == Tool::Picker) {
        const Color picked = colorFromPixel(image(layer).pixel(pixel));
        if (layer == Layer::Glyphs)
            mColor = picked;
        else
            mLevel = levelOf(picked);
        return;
    }
    mStroke = Stroke{layer, area, image(layer).copy(area), pixel};
    if (mTool == Tool::Fill) {
        fill(pixel);
        release();
    } else {
        plot(pixel);
    }
}

void GlyphEditor::drag(QPoint pixel)
{
    if (!mStroke)
        return;
    // Every pixel of the line from the last one, so a fast drag leaves no gaps.
    const QPoint from = mStroke->last;
    const int steps = std::max(std::abs(pixel.x() - from.x()), std::abs(pixel.y() - from.y()));
    for (int i = 1; i <= steps; ++i) {
        plot(QPoint(from.x() + int(std::lround(double(pixel.x() - from.x()) * i / steps)),
                    from.y() + int(std::lround(double(pixel.y() - from.y()) * i / steps))));
    }
    mStroke->last = pixel;
}

void GlyphEditor::release()
{
    if (!mStroke)
        return;
    const Stroke stroke = *std::exchange(mStroke, std::nullopt);
    const QImage after = image(stroke.layer).copy(stroke.cell);
    if (after != stroke.before)
        push({{stroke.layer, stroke.cell, stroke.before, after}});
}

void GlyphEditor::plot(QPoint pixel)
{
    if (mStroke->cell.contains(pixel))
        page(mStroke->layer).image.setPixel(pixel, pixelFromColor(paintColor(mStroke->layer)));
}

void GlyphEditor::fill(QPoint pixel)
{
    QImage &target = page(mStroke->layer).image;
    const QRgb from = target.pixel(pixel);
    const QRgb to = pixelFromColor(paintColor(mStroke->layer));
    if (from == to)
        return;
    QList<QPoint> pending{pixel};
    while (!pending.isEmpty()) {
        const QPoint p = pending.takeLast();
        if (!mStroke->cell.contains(p) || target.pixel(p) != from)
            continue;
        target.setPixel(p, to);
        pending.append(
            {QPoint(p.x() + 1, p.y()), QPoint(p.x() - 1, p.y()), QPoint(p.x(), p.y() + 1), QPoint(p.x(), p.y() - 1)});
    }
}

void GlyphEditor::revertGlyph()
{
    release();
    QList<Patch> step;
    for (const Layer layer : {Layer::Glyphs, Layer::Mask}) {
        const Page &p = page(layer);
        const QRect area = cell(layer, mCurrent);
        if (p.image.isNull() || area.isEmpty())
            continue;
        const QImage before = p.image.copy(area);
        const QImage after = p.drawn.copy(area);
        if (before != after)
            step.append({layer, area, before, after});
    }
    if (step.isEmpty())
        return;
    apply(step, true);
    push(step);
}

void GlyphEditor::push(const QList<Patch> &step)
{
    mSteps.resize(mDone);
    if (mClean > mDone)
        mClean = -1; // the saved state was undone and is gone now
    mSteps.append(step);
    ++mDone;
}

void GlyphEditor::apply(const QList<Patch> &step, bool forward)
{
    for (const Patch &patch : step)
        paste(page(patch.layer).image, patch.rect.topLeft(), forward ? patch.after : patch.before);
}

void GlyphEditor::undo()
{
    release();
    if (canUndo())
        apply(mSteps.at(--mDone), false);
}

void GlyphEditor::redo()
{
    release();
    if (canRedo())
        apply(mSteps.at(mDone++), true);
}

QStringList GlyphEditor::saveQuestions() const
{
    QStringList questions;
    for (const Page &p : mPages) {
        if (p.image.isNull())
            continue;
        const std::optional<QByteArray> now = fileDigest(p.path);
        if (!now || (p.digest && *p.digest == *now))
            continue;
        const QString why = p.existed && !p.digest ? QStringLiteral("could not be taken as it was when it was opened")
                                                   : QStringLiteral("changed on disk since the glyph editor opened it");
        questions.append(QStringLiteral("The %1 %2 %3. Replace it with the edited image?").arg(p.what, p.path, why));
    }
    return questions;
}

QImage GlyphEditor::partialImage(Layer layer, int count, int from) const
{
    const Page &p = page(layer);
    if (count <= 1)
        return p.image;
    // The other glyphs' cells are left as background, as the document draws partial images.
    QImage out(p.image.size(), p.image.format());
    out.fill(pixelFromColor(p.background));
    for (int k = from; k <= p.cells.size(); k += count)
        paste(out, p.cells.at(k - 1).topLeft(), p.image.copy(p.cells.at(k - 1)));
    return out;
}

QStringList GlyphEditor::save(Feedback &feedback)
{
    release();
    const auto draw = [this](Layer layer) {
        return
            [this, layer](Surface &, qint16 count, qint16 from) { mWork.setPixels(partialImage(layer, count, from)); };
    };
    // The person has answered saveQuestions() already: every image replaces its file.
    const PostprocessOptions options{path(Layer::Glyphs), path(Layer::Mask), mPartialCount, Existing::Replace};
    QStringList written;
    {
        BusyGuard busy(feedback);
        written = writeOutputs(
            buildPostprocessBitmaps(mFont, mWork, options, {draw(Layer::Glyphs), draw(Layer::Mask)}).outputs());
    }
    for (Page &p : mPages) {
        if (p.image.isNull())
            continue;
        p.existed = true;
        p.digest = fileDigest(p.path);
    }
    mNotes.clear();
    mClean = mDone;
    return written;
}

QImage GlyphEditor::preview(const QString &text)
{
    ZgfBuildInput input{false};
    mGlyphPicture.setPixels(image(Layer::Glyphs));
    input.glyphPicture = &mGlyphPicture;
    if (masked()) {
        mMaskPicture.setPixels(image(Layer::Mask));
        input.maskPicture = &mMaskPicture;
    }
    SilentFeedback silent;
    ZgfFont font = ZgfFont::read(buildZgfFile(mFont, mMeasured, mWork, input, silent));
    font.setCodePage(mFont.CodePage());
    return ZgfPictures::textImage(font, text);
}
