#include "glyphmeasurement.h"

#include "checked.h"
#include "numbers.h"
#include "surface.h"

#include <climits>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

// Ink box of the non-background pixels: the same rows and columns that scanning from
// each side for the first ink pixel finds.
struct InkBox
{
    int left = -1, top = -1, right = -1, bottom = -1;
    bool empty() const { return top < 0; }
};

// backgroundRow holds at least the surface's width of background pixels.
InkBox findInk(const Surface &surface, const quint32 *backgroundRow)
{
    InkBox box;
    const int w = surface.width();
    const int h = surface.height();
    const quint32 background = backgroundRow[0];
    for (int y = 0; y < h; ++y) {
        const quint32 *row = surface.scanLine(y);
        if (std::memcmp(row, backgroundRow, size_t(w) * sizeof(quint32)) == 0)
            continue;
        int x = 0;
        while (row[x] == background)
            ++x;
        int last = w - 1;
        while (row[last] == background)
            --last;
        if (box.empty()) {
            box.top = y;
            box.left = x;
            box.right = last;
        } else {
            box.left = std::min(box.left, x);
            box.right = std::max(box.right, last);
        }
        box.bottom = y;
    }
    return box;
}

// The ink in the box as runs; false when a pixel is not in the drawing colour. With levels,
// every pixel that is not background is ink, with its level of white over black.
bool readInk(const Surface &surface, const InkBox &box, quint32 background, quint32 fore, bool levels,
             InkImage &ink)
{
    ink = InkImage(box.right - box.left + 1, box.bottom - box.top + 1);
    const auto isInk = [&](quint32 pixel) { return levels ? pixel != background : pixel == fore; };
    for (int y = box.top; y <= box.bottom; ++y) {
        const quint32 *row = surface.scanLine(y);
        int x = box.left;
        while (x <= box.right) {
            while (x <= box.right && row[x] == background)
                ++x;
            const int start = x;
            while (x <= box.right && isInk(row[x])) {
                if (levels)
                    ink.addLevel(quint8(std::max(1u, ((row[x] >> 8 & 0xffu) * InkImage::MaxLevel + 127) / 255)));
                ++x;
            }
            if (x <= box.right && row[x] != background)
                return false;
            if (x > start)
                ink.addRun(y - box.top, start - box.left, x - start);
        }
    }
    return true;
}

// Whether the ink found is all the ink the character draws alone with its pen at x. Where
// the surface draws alike everywhere, the box of what it draws then lies inside the surface,
// so nothing was cut off, and holds the ink found; elsewhere the ink at least keeps off the
// surface's edges. A mark would sit on the space drawn before it, not where it stands alone.
bool inkIsWhole(const Surface &surface, QChar c, int x, const InkBox &ink)
{
    if (c.isMark() || c.isSurrogate())
        return false;
    if (!surface.drawsAlikeEverywhere()) {
        return ink.empty()
            || (ink.left > 0 && ink.top > 0 && ink.right < surface.width() - 1 && ink.bottom < surface.height() - 1);
    }
    const QRectF bounds = surface.textBounds(QString(c)).translated(x, 0);
    const bool inside = bounds.left() >= 0 && bounds.top() >= 0 && bounds.right() <= surface.width()
        && bounds.bottom() <= surface.height();
    return inside
        && (ink.empty()
            || (bounds.left() <= ink.left && bounds.top() <= ink.top && ink.right + 1 <= bounds.right()
                && ink.bottom + 1 <= bounds.bottom()));
}

qint16 unionHeight(const QList<Char> &glyphs)
{
    int top = INT_MAX;
    int bottom = INT_MIN;
    for (const Char &g : glyphs) {
        if (!g.hasInk())
            continue;
        top = std::min(top, int(g.Top));
        bottom = std::max(bottom, g.Top + g.Height - 1);
    }
    return top == INT_MAX ? 0 : toInt16(qint64(bottom) - top + 1);
}

} // namespace

GlyphMeasurement measureGlyphs(Surface &surface, const QString &sequence, qint16 spaceWidth, bool lined,
                               bool smooth)
{
    GlyphMeasurement m;
    m.sequence = sequence;
    m.smooth = smooth;
    m.glyphs.reserve(sequence.size());
    m.images.reserve(sequence.size());

    const quint32 background = pixelFromColor(surface.backColor());
    const quint32 fore = pixelFromColor(surface.foreColor());
    // The glyphs are drawn after a space, on a whole pixel.
    const bool wholeSpace = surface.textWidth(QStringLiteral(" ")) == spaceWidth;
    const bool copyable = !lined && fore != background;
    const bool alike = surface.drawsAlikeEverywhere();
    const double lineHeight = surface.textHeight(QStringLiteral("X"));
    const qint16 surfaceHeight = roundToInt16(lineHeight);
    std::vector<quint32> backgroundRow;

    for (const QChar c : sequence) {
        const QString text(c);
        const double advance = surface.textWidth(text);
        surface.setSize(toInt16(qint64(roundToInt16(advance)) + 2 * spaceWidth), surfaceHeight);
        surface.clear();
        if (wholeSpace) {
            surface.drawText(QLatin1Char(' ') + text);
        } else {
            surface.drawText(QStringLiteral(" "));
            surface.setCurrentX(spaceWidth);
            surface.drawText(text);
        }
        if (backgroundRow.size() < size_t(surface.width()) + 1)
            backgroundRow.resize(size_t(surface.width()) + 1, background);

        Char r;
        r.TextHeight = roundToInt16(surface.textHeight(text));
        r.TextWidth = roundToInt16(advance);
        GlyphImage image;
        const InkBox ink = findInk(surface, backgroundRow.data());
        if (!ink.empty()) {
            r.Top = toInt16(ink.top);
            r.Left = toInt16(qint64(ink.left) - spaceWidth);
            r.Height = toInt16(qint64(ink.bottom) - ink.top + 1);
            r.Width = toInt16(qint64(ink.right) - ink.left + 1);
        }
        image.whole = copyable && inkIsWhole(surface, c, spaceWidth, ink)
            && (ink.empty() || readInk(surface, ink, background, fore, smooth, image.ink));
        image.exact = image.whole && alike;
        m.glyphs.append(r);
        m.images.append(std::move(image));
    }

    m.defaultWidth = spaceWidth;
    m.defaultHeight = unionHeight(m.glyphs);
    m.lineSep = roundToInt16(lineHeight - m.defaultHeight);
    for (const Char &g : std::as_const(m.glyphs)) {
        if (g.hasInk() && (m.fontTop < 0 || g.Top < m.fontTop))
            m.fontTop = g.Top;
    }
    return m;
}

void GlyphMeasurement::drawGlyph(Surface &surface, qsizetype index, double x, double y, bool preview) const
{
    const GlyphImage &image = images.at(index);
    const bool wholePixels = x == std::floor(x) && y == std::floor(y);
    if (preview ? image.whole : image.exact && wholePixels) {
        const Char &g = glyphs.at(index);
        surface.paintInk(int(std::floor(x + 0.5)) + g.Left, int(std::floor(y + 0.5)) + g.Top, image.ink);
        return;
    }
    surface.setCurrentX(x);
    surface.setCurrentY(y);
    surface.drawText(QString(sequence.at(index)));
}
