#include "glyphmeasurement.h"

#include "characters.h"
#include "checked.h"
#include "numbers.h"
#include "surface.h"

#include <QRect>

#include <climits>
#include <cmath>
#include <cstring>
#include <optional>
#include <vector>

namespace {

// A measuring surface grows no further than this on a side (a 16-bit position), nor more
// often than this for one glyph.
constexpr int MaxMeasuringSide = 32767;
constexpr int MaxGrowths = 8;

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
bool readInk(const Surface &surface, const InkBox &box, quint32 background, quint32 fore, bool levels, InkImage &ink)
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

// Whether the ink found is all the ink the character draws alone with its pen at pen. Where
// the surface draws alike everywhere, the box of what it draws then lies inside the surface,
// so nothing was cut off, and holds the ink found; elsewhere the ink at least keeps off the
// surface's edges. A mark would sit on the space drawn before it, not where it stands alone.
bool inkIsWhole(const Surface &surface, const QString &character, QPoint pen, const InkBox &ink)
{
    if (isLoneSurrogate(character) || QChar::isMark(codePointOf(character)))
        return false;
    if (!surface.drawsAlikeEverywhere()) {
        return ink.empty()
            || (ink.left > 0 && ink.top > 0 && ink.right < surface.width() - 1 && ink.bottom < surface.height() - 1);
    }
    const QRectF bounds = surface.textBounds(character).translated(pen);
    const bool inside = bounds.left() >= 0 && bounds.top() >= 0 && bounds.right() <= surface.width()
        && bounds.bottom() <= surface.height();
    return inside
        && (ink.empty()
            || (bounds.left() <= ink.left && bounds.top() <= ink.top && ink.right + 1 <= bounds.right()
                && ink.bottom + 1 <= bounds.bottom()));
}

// The surface around one glyph, in pixels from its pen position (x) and the top of its text
// cell (y): the line's height and a space's width either side of the advance, and beyond
// them wherever the renderer says the ink reaches, with a pixel to spare.
QRect measuringRoom(const QRectF &bounds, int advance, int spaceWidth, int lineHeight)
{
    QRect room(-spaceWidth, 0, advance + 2 * spaceWidth, lineHeight);
    if (bounds.isEmpty())
        return room;
    const QRect ink = bounds.toAlignedRect();
    if (ink.left() < room.left())
        room.setLeft(ink.left() - 1);
    if (ink.top() < room.top())
        room.setTop(ink.top() - 1);
    if (ink.right() > room.right())
        room.setRight(ink.right() + 1);
    if (ink.bottom() > room.bottom())
        room.setBottom(ink.bottom() + 1);
    return room;
}

// The room grown by step on every side where the ink touches the surface's edge beyond the
// box the renderer gives for the glyph (bounds, in the surface's pixels; empty when it gives
// none): ink there may have been cut. The line of a lined font starts at the left edge with
// the space drawn before the glyph. Null when no side is grown, or the room would grow past
// what a surface holds.
std::optional<QRect> grownRoom(const QRect &room, const InkBox &ink, const QRect &bounds, int step, bool lineAtLeft)
{
    if (ink.empty())
        return std::nullopt;
    const bool known = !bounds.isEmpty();
    QRect grown = room;
    if (ink.left == 0 && !lineAtLeft && (!known || bounds.left() > 0))
        grown.setLeft(room.left() - step);
    if (ink.top == 0 && (!known || bounds.top() > 0))
        grown.setTop(room.top() - step);
    if (ink.right == room.width() - 1 && (!known || bounds.right() < ink.right))
        grown.setRight(room.right() + step);
    if (ink.bottom == room.height() - 1 && (!known || bounds.bottom() < ink.bottom))
        grown.setBottom(room.bottom() + step);
    if (grown == room || grown.width() > MaxMeasuringSide || grown.height() > MaxMeasuringSide)
        return std::nullopt;
    return grown;
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

GlyphMeasurement measureGlyphs(Surface &surface, const QString &sequence, qint16 spaceWidth, bool lined, bool smooth)
{
    GlyphMeasurement m;
    m.sequence = sequence;
    m.characters = charactersOf(sequence);
    m.smooth = smooth;
    m.glyphs.reserve(m.characters.size());
    m.images.reserve(m.characters.size());

    const quint32 background = pixelFromColor(surface.backColor());
    const quint32 fore = pixelFromColor(surface.foreColor());
    // The glyphs are drawn after a space, on a whole pixel.
    const bool wholeSpace = surface.textWidth(QStringLiteral(" ")) == spaceWidth;
    const bool copyable = !lined && fore != background;
    const bool alike = surface.drawsAlikeEverywhere();
    const double lineHeight = surface.textHeight(QStringLiteral("X"));
    const qint16 surfaceHeight = roundToInt16(lineHeight);
    // Ink touching an edge grows the surface by a line on that side.
    const int growth = std::max<int>(surfaceHeight, 1);
    std::vector<quint32> backgroundRow;

    for (const QString &text : std::as_const(m.characters)) {
        const double advance = surface.textWidth(text);
        const qint16 roundedAdvance = roundToInt16(advance);
        const QRectF bounds = surface.textBounds(text);
        QRect room = measuringRoom(bounds, roundedAdvance, spaceWidth, surfaceHeight);
        InkBox ink;
        QPoint pen;
        for (int growths = 0;; ++growths) {
            surface.setSize(room.width(), room.height());
            surface.clear();
            pen = QPoint(-room.left(), -room.top());
            surface.setCurrentX(pen.x() - spaceWidth);
            surface.setCurrentY(pen.y());
            if (wholeSpace) {
                surface.drawText(QLatin1Char(' ') + text);
            } else {
                surface.drawText(QStringLiteral(" "));
                surface.setCurrentX(pen.x());
                surface.drawText(text);
            }
            if (backgroundRow.size() < size_t(surface.width()) + 1)
                backgroundRow.resize(size_t(surface.width()) + 1, background);
            ink = findInk(surface, backgroundRow.data());
            // The line of a lined font runs outside the glyph's box.
            const QRect drawnBounds = bounds.isEmpty() || lined ? QRect() : bounds.toAlignedRect().translated(pen);
            const std::optional<QRect> grown =
                grownRoom(room, ink, drawnBounds, growth, lined && pen.x() == spaceWidth);
            if (!grown || growths == MaxGrowths)
                break;
            room = *grown;
        }

        Char r;
        r.TextHeight = roundToInt16(surface.textHeight(text));
        r.TextWidth = roundedAdvance;
        GlyphImage image;
        if (!ink.empty()) {
            r.Top = toInt16(qint64(ink.top) - pen.y());
            r.Left = toInt16(qint64(ink.left) - pen.x());
            r.Height = toInt16(qint64(ink.bottom) - ink.top + 1);
            r.Width = toInt16(qint64(ink.right) - ink.left + 1);
        }
        image.whole = copyable && inkIsWhole(surface, text, pen, ink)
            && (ink.empty() || readInk(surface, ink, background, fore, smooth, image.ink));
        image.exact = image.whole && alike;
        m.glyphs.append(r);
        m.images.append(std::move(image));
    }

    m.defaultWidth = spaceWidth;
    m.defaultHeight = unionHeight(m.glyphs);
    m.lineSep = roundToInt16(lineHeight - m.defaultHeight);
    std::optional<qint16> top;
    for (const Char &g : std::as_const(m.glyphs)) {
        if (g.hasInk() && (!top || g.Top < *top))
            top = g.Top;
    }
    m.fontTop = top.value_or(qint16(-1));
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
    surface.drawText(characters.at(index));
}
