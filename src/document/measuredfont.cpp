#include "measuredfont.h"

#include "characters.h"
#include "checked.h"
#include "failure.h"
#include "numbers.h"
#include "surface.h"
#include "texelfont.h"
#include "zgftables.h"

#include <cmath>

namespace {

// int(v / 2) with the division in floating point, so negative increments round down.
qint64 floorHalf(qint64 value)
{
    return qint64(std::floor(double(value) / 2.0));
}

qint16 roundUpToEight(qint16 value, bool gpSize)
{
    return gpSize ? toInt16(qint64(std::floor((double(value) + 7.0) / 8.0)) * 8) : value;
}

// Smooth ink is read back as levels of white over black.
Color measuringBackColor(const TexelFont &font)
{
    return font.smoothMask() ? 0 : font.TransColor;
}

Color measuringForeColor(const TexelFont &font)
{
    return font.smoothMask() ? 0xFFFFFF : font.Color;
}

QString missingOf(Surface &surface, const QStringList &characters)
{
    QStringList missing;
    for (const QString &c : characters) {
        if (!missing.contains(c) && !surface.hasGlyph(c))
            missing.append(c);
    }
    return missing.join(QString());
}

} // namespace

GlyphMeasurement measureFont(const TexelFont &font, Surface &surface)
{
    try {
        surface.setFont(font.surfaceFont());
        const qint16 spaceWidth = roundToInt16(surface.textWidth(QStringLiteral(" ")));
        surface.setBackColor(measuringBackColor(font));
        surface.setForeColor(measuringForeColor(font));
        GlyphMeasurement m = measureGlyphs(surface, TexelFont::glyphSequence(font.Chars()), spaceWidth,
                                           font.Underline() || font.Strikethrough(), font.smoothMask());
        m.missing = missingOf(surface, m.characters);
        m.font = font.surfaceFont();
        m.backColor = measuringBackColor(font);
        m.foreColor = measuringForeColor(font);
        return m;
    } catch (const Failure &failure) {
        if (font.FontFile().isEmpty() || surface.font().file.isEmpty())
            throw;
        throw font.fontFileFailure(failure);
    }
}

QString missingCharacters(const TexelFont &font, Surface &surface)
{
    surface.setFont(font.surfaceFont());
    return missingOf(surface, charactersOf(TexelFont::glyphSequence(font.Chars())));
}

bool isMeasurementOf(const GlyphMeasurement &measured, const TexelFont &font)
{
    return measured.font == font.surfaceFont() && measured.backColor == measuringBackColor(font)
        && measured.foreColor == measuringForeColor(font)
        && measured.sequence == TexelFont::glyphSequence(font.Chars());
}

const GlyphMeasurement &remeasured(GlyphMeasurement &kept, const TexelFont &font, Surface &surface)
{
    if (!isMeasurementOf(kept, font))
        kept = measureFont(font, surface);
    return kept;
}

qint16 MeasuredFont::ZgfDefaultHeight() const
{
    return toInt16(qint64(m.defaultHeight) + mFont.CharHeightInc);
}

qint16 MeasuredFont::ZgfDefaultWidth() const
{
    return toInt16(qint64(m.defaultWidth) + mFont.CharWidthInc);
}

qint16 MeasuredFont::ZgfMaxCharHeight() const
{
    qint16 largest = 0;
    for (const Char &g : m.glyphs)
        largest = std::max(largest, g.Height);
    return toInt16(qint64(largest) + mFont.CharHeightInc);
}

qint16 MeasuredFont::ZgfMaxCharWidth() const
{
    qint16 largest = 0;
    for (const Char &g : m.glyphs)
        largest = std::max(largest, g.Width);
    return toInt16(qint64(largest) + mFont.CharWidthInc);
}

QByteArray MeasuredFont::ZgfCharWidths() const
{
    return zgfWidthTable(m, mFont.CharWidthInc);
}

QByteArray MeasuredFont::CharLeftIndents() const
{
    return zgfLeftIndentTable(m);
}

QByteArray MeasuredFont::CharRightIndents() const
{
    return zgfRightIndentTable(m);
}

qint16 MeasuredFont::ZgfGetBitmapWidth(bool GPSize) const
{
    qint16 width = 0;
    for (const Char &g : m.glyphs)
        width = toInt16(qint64(width) + g.Width + mFont.CharWidthInc);
    return roundUpToEight(width, GPSize);
}

qint16 MeasuredFont::ZgfGetBitmapHeight(bool GPSize) const
{
    return roundUpToEight(ZgfDefaultHeight(), GPSize);
}

qint16 MeasuredFont::ZgfGetMaskWidth(bool GPSize) const
{
    if (!mFont.Masked)
        return 0;
    const qint16 bitmapWidth = ZgfGetBitmapWidth(false);
    const qint64 width = toInt32(qint64(mFont.MaskWidthInc) * m.glyphs.size() + bitmapWidth);
    return roundUpToEight(toInt16(width), GPSize);
}

qint16 MeasuredFont::ZgfGetMaskHeight(bool GPSize) const
{
    if (!mFont.Masked)
        return 0;
    return roundUpToEight(toInt16(qint64(ZgfGetBitmapHeight(false)) + mFont.MaskHeightInc), GPSize);
}

void MeasuredFont::ZgfGenerateBitmap(Surface &bitmap, qint16 Count, qint16 From, bool GPSize) const
{
    bitmap.setFont(mFont.surfaceFont());
    bitmap.setBackColor(mFont.TransColor);
    bitmap.setForeColor(mFont.Color);
    drawStrip(bitmap, Count, From, mFont.CharWidthInc, mFont.CharHeightInc, ZgfGetBitmapWidth(GPSize),
              ZgfGetBitmapHeight(GPSize));
    if (mFont.smoothMask())
        bitmap.fillCoveredPixels();
}

void MeasuredFont::ZgfGenerateMask(Surface &bitmap, qint16 Count, qint16 From, bool GPSize) const
{
    bitmap.setFont(mFont.surfaceFont());
    bitmap.setBackColor(mFont.maskBackground());
    bitmap.setForeColor(mFont.InvertMask ? 0 : 0xFFFFFF);
    drawStrip(bitmap, Count, From, toInt16(qint64(mFont.CharWidthInc) + mFont.MaskWidthInc),
              toInt16(qint64(mFont.CharHeightInc) + mFont.MaskHeightInc), ZgfGetMaskWidth(GPSize),
              ZgfGetMaskHeight(GPSize));
}

void MeasuredFont::drawStrip(Surface &bitmap, qint16 count, qint16 from, qint16 widthInc, qint16 heightInc,
                             qint16 width, qint16 height) const
{
    bitmap.setSize(width, height);
    bitmap.clear();
    const qint64 drawY = floorHalf(heightInc) - m.fontTop;
    const qint64 before = floorHalf(widthInc);
    const qint64 after = floorHalf(qint64(widthInc) + 1);
    qint64 x = 0;
    qint16 k = 0;
    for (qsizetype i = 0; i < m.glyphs.size(); ++i) {
        const Char &r = m.glyphs.at(i);
        k = toInt16(qint64(k) + 1);
        if (count == 0)
            throw Failure::runtime(Failure::DivisionByZero);
        const qint64 p = toInt32(before + x);
        if (k >= from && (k - from) % count == 0)
            m.drawGlyph(bitmap, i, double(p - r.Left), double(drawY));
        x = toInt32(p + r.Width + after);
    }
}
