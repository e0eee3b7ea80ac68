#include "zgftextlayout.h"

#include "failure.h"
#include "zgffont.h"
#include "zgfpixel.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr qint64 MaxSide = 32767;
constexpr qint64 MaxPixels = qint64(1) << 25;

quint32 opaque(quint16 pixel)
{
    return 0xff000000u | pixelFromColor(pixel16ToColor(pixel));
}

// over (opaque colour) at alpha 0..255 over under (0xAARRGGBB, not premultiplied).
quint32 over(quint32 colour, int alpha, quint32 under)
{
    const int underAlpha = int(under >> 24);
    const int outAlpha = alpha + underAlpha * (255 - alpha) / 255;
    if (outAlpha == 0)
        return 0;
    const auto channel = [&](int shift) {
        const int a = int((colour >> shift) & 0xffu);
        const int b = int((under >> shift) & 0xffu);
        return quint32((a * alpha + b * underAlpha * (255 - alpha) / 255) / outAlpha) << shift;
    };
    return quint32(outAlpha) << 24 | channel(16) | channel(8) | channel(0);
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
    // A smooth font's generic mask gives each pixel its opacity; its cells are wider and higher
    // by the mask increments, with the glyph in the middle. A mask of whole levels only is
    // not a smooth font's and leaves the glyphs as they are.
    const QList<quint8> &levels = mFont.maskLevels();
    const bool masked = mFont.hasMask() && !h.hasFlag(ZgfHeader::ShadowMaskFlag)
        && std::any_of(levels.begin(), levels.end(), [](quint8 level) { return level > 0 && level < 31; });
    const int maskDx = masked ? int(std::floor(h.MaskWidthInc / 2.0)) : 0;
    const int maskDy = masked ? int(std::floor(h.MaskHeightInc / 2.0)) : 0;
    const auto alphaAt = [&](int index, int x, int y) {
        const int mx = mFont.maskCellX(index) + x + maskDx;
        const int my = y + maskDy;
        if (mx < 0 || my < 0 || mx >= mFont.maskWidth() || my >= mFont.maskHeight())
            return 0;
        return mFont.maskAlpha(mx, my);
    };
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
                if ((pixel & 0xFFFEu) == key)
                    continue;
                if (masked) {
                    if (const int alpha = alphaAt(glyph.index, x - glyph.x, y - glyph.y); alpha > 0)
                        out[x] = over(opaque(pixel), alpha, out[x]);
                } else {
                    out[x] = opaque(pixel);
                }
            }
        }
    }
    return image;
}
