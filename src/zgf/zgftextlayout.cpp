#include "zgftextlayout.h"

#include "failure.h"
#include "zgffont.h"
#include "zgfpixel.h"

#include <algorithm>

namespace {

constexpr qint64 MaxSide = 32767;
constexpr qint64 MaxPixels = qint64(1) << 25;

quint32 opaque(quint16 pixel)
{
    return 0xff000000u | pixelFromColor(pixel16ToColor(pixel));
}

} // namespace

ZgfTextLayout::ZgfTextLayout(const ZgfFont &font, const QString &text) : mFont(font)
{
    const ZgfHeader &h = font.header();
    const qint64 lineAdvance = qint64(h.BitmapHeight) + h.LineSep;
    qint64 right = 0;
    qint64 bottom = 0;
    qint64 pen = 0;
    qint64 line = 0;
    const auto endLine = [&]() {
        right = std::max(right, pen);
        bottom = std::max(bottom, line * lineAdvance + h.BitmapHeight);
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
            endLine();
            ++line;
            pen = 0;
            continue;
        }
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i; // one character outside Windows-1252
        const int index = c.isSurrogate() ? -1 : font.indexOf(c);
        if (index < 0) {
            pen += h.DefaultWidth + h.CharSep;
        } else {
            pen += font.leftIndent(index);
            const qint64 x = pen;
            const qint64 y = line * lineAdvance;
            right = std::max(right, x + font.charWidth(index));
            if (x > MaxSide || x < -MaxSide)
                throw Failure::overflow(x, -MaxSide, MaxSide, QStringLiteral("the text's x position"));
            if (y > MaxSide || y < -MaxSide)
                throw Failure::overflow(y, -MaxSide, MaxSide, QStringLiteral("the text's y position"));
            mGlyphs.append({index, int(x), int(y)});
            pen += font.charWidth(index) + font.rightIndent(index) + h.CharSep;
        }
        if (pen > MaxSide || pen < -MaxSide)
            throw Failure::overflow(pen, -MaxSide, MaxSide, QStringLiteral("the text's x position"));
        if (line > MaxSide)
            throw Failure::overflow(line, 0, MaxSide, QStringLiteral("the text's line count"));
    }
    if (!text.isEmpty())
        endLine();
    if (right > MaxSide)
        throw Failure::overflow(right, 0, MaxSide, QStringLiteral("the text's width"));
    if (bottom > MaxSide)
        throw Failure::overflow(bottom, 0, MaxSide, QStringLiteral("the text's height"));
    if (right * bottom > MaxPixels)
        throw Failure::overflow(right * bottom, 0, MaxPixels, QStringLiteral("the text's pixel count"));
    mWidth = int(right);
    mHeight = int(bottom);
}

ZgfTextImage ZgfTextLayout::render(bool transparent) const
{
    const ZgfHeader &h = mFont.header();
    const quint16 key = h.TransColor & 0xFFFEu;
    ZgfTextImage image;
    image.width = mWidth;
    image.height = mHeight;
    image.pixels.fill(transparent ? 0u : opaque(h.TransColor), qsizetype(mWidth) * mHeight);
    for (const ZgfPlacedGlyph &glyph : mGlyphs) {
        const int cellX = mFont.cellX(glyph.index);
        const int x0 = std::max(glyph.x, 0);
        const int x1 = std::min(glyph.x + mFont.charWidth(glyph.index), mWidth);
        const int y0 = std::max(glyph.y, 0);
        const int y1 = std::min(glyph.y + mFont.imageHeight(), mHeight);
        for (int y = y0; y < y1; ++y) {
            quint32 *out = image.pixels.data() + qsizetype(y) * mWidth;
            for (int x = x0; x < x1; ++x) {
                const quint16 pixel = mFont.pixel16(cellX + x - glyph.x, y - glyph.y);
                if ((pixel & 0xFFFEu) != key)
                    out[x] = opaque(pixel);
            }
        }
    }
    return image;
}
