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

// The pixel top, of straight (not premultiplied) alpha, drawn over under.
quint32 over(quint32 under, quint32 top)
{
    const quint32 a = top >> 24;
    const quint32 b = (under >> 24) * (255 - a) / 255;
    const quint32 alpha = a + b;
    if (alpha == 0)
        return 0;
    quint32 out = alpha << 24;
    for (int shift = 0; shift < 24; shift += 8) {
        const quint32 channel = (((top >> shift) & 255) * a + ((under >> shift) & 255) * b + alpha / 2) / alpha;
        out |= channel << shift;
    }
    return out;
}

int halfDown(int value)
{
    return value >= 0 ? value / 2 : -((1 - value) / 2);
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
    // A smooth font's generic mask gives each pixel its opacity; a mask of whole levels only is
    // not a smooth font's and leaves the glyphs as they are.
    const QList<quint8> &levels = mFont.maskLevels();
    if (mFont.hasMask() && !h.hasFlag(ZgfHeader::ShadowMaskFlag)
        && std::any_of(levels.begin(), levels.end(), [](quint8 level) { return level > 0 && level < 31; })) {
        ZgfTextImage image = renderMasked();
        if (!transparent) {
            for (quint32 &pixel : image.pixels)
                pixel = over(opaque(h.TransColor), pixel);
        }
        return image;
    }
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

ZgfTextImage ZgfTextLayout::renderMasked() const
{
    if (!mFont.hasMask())
        return render(true);
    const ZgfHeader &h = mFont.header();
    const quint16 key = h.TransColor & 0xFFFEu;
    const bool shadow = h.hasFlag(ZgfHeader::ShadowMaskFlag);
    const int maskX = halfDown(h.MaskWidthInc);
    const int maskY = halfDown(h.MaskHeightInc);
    const quint32 shade = pixelFromColor(pixel16ToColor(h.ShadowColor)) & 0x00FFFFFFu;
    ZgfTextImage image;
    image.width = mWidth;
    image.height = mHeight;
    image.pixels.fill(0u, qsizetype(mWidth) * mHeight);
    const auto draw = [&](int x, int y, quint32 pixel) {
        if (x >= 0 && x < mWidth && y >= 0 && y < mHeight) {
            quint32 &out = image.pixels[qsizetype(y) * mWidth + x];
            out = over(out, pixel);
        }
    };
    // The level of glyph index's mask at (x, y) of its mask cell; 0 outside it.
    const auto level = [&](int index, int x, int y) -> quint32 {
        const int width = mFont.charWidth(index) + h.MaskWidthInc;
        if (x < 0 || y < 0 || x >= width || y >= mFont.maskHeight())
            return 0;
        return expandLevel5(mFont.maskLevel(mFont.maskCellX(index) + x, y));
    };
    if (shadow) {
        const int dx = h.ShadowOX + h.ShadowXPos - maskX;
        const int dy = h.ShadowOY + h.ShadowYPos - maskY;
        for (const ZgfPlacedGlyph &glyph : mGlyphs) {
            const int width = mFont.charWidth(glyph.index) + h.MaskWidthInc;
            for (int y = 0; y < mFont.maskHeight(); ++y) {
                for (int x = 0; x < width; ++x)
                    draw(glyph.x + dx + x, glyph.y + dy + y, level(glyph.index, x, y) << 24 | shade);
            }
        }
    }
    for (const ZgfPlacedGlyph &glyph : mGlyphs) {
        const int cellX = mFont.cellX(glyph.index);
        for (int y = 0; y < mFont.imageHeight(); ++y) {
            for (int x = 0; x < mFont.charWidth(glyph.index); ++x) {
                const quint16 pixel = mFont.pixel16(cellX + x, y);
                if ((pixel & 0xFFFEu) == key)
                    continue;
                const quint32 alpha = shadow ? 255u : level(glyph.index, x + maskX, y + maskY);
                draw(glyph.x + x, glyph.y + y, alpha << 24 | (opaque(pixel) & 0x00FFFFFFu));
            }
        }
    }
    return image;
}
