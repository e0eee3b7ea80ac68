#pragma once

#include "glyphmeasurement.h"

#include <QByteArray>
#include <QString>

class Surface;
class TexelFont;

// Measures the document's glyphs on surface, setting its font and colours for it: the one
// place that measures. A failure of a font file's glyphs names the file.
GlyphMeasurement measureFont(const TexelFont &font, Surface &surface);
// Whether measured was measured from the document's settings as they are now.
bool isMeasurementOf(const GlyphMeasurement &measured, const TexelFont &font);
// The characters of the document's set, each once, that its font itself does not have (the
// renderer draws them from a fallback family, or draws nothing), as surface tells: it asks
// for no glyph to be drawn, so it costs far less than measuring.
QString missingCharacters(const TexelFont &font, Surface &surface);
// What an owner of a measurement calls before reading it: kept when it is still the
// document's, else replaced by a new measurement on surface.
const GlyphMeasurement &remeasured(GlyphMeasurement &kept, const TexelFont &font, Surface &surface);

// The sizes, tables and strips of a document as measured: the settings and the measurement
// read together. Holds both by reference: neither may go away while it is used.
class MeasuredFont
{
public:
    MeasuredFont(const TexelFont &font, const GlyphMeasurement &measured) : mFont(font), m(measured) {}

    qint16 DefaultHeight() const { return m.defaultHeight; }
    qint16 DefaultWidth() const { return m.defaultWidth; }
    qint16 LineSep() const { return m.lineSep; }
    // Height of the union of all ink boxes; 0 when no glyph has ink.
    qint16 GetFontHeight() const { return m.defaultHeight; }
    // Smallest Top among glyphs with ink, negative for ink above the line; -1 also when none
    // has ink (then GetFontHeight() is 0).
    qint16 GetFontTop() const { return m.fontTop; }
    qint16 ZgfDefaultHeight() const;
    qint16 ZgfDefaultWidth() const;
    qint16 ZgfMaxCharHeight() const;
    qint16 ZgfMaxCharWidth() const;
    // The tables of the ZGF file (see zgftables.h): one byte per glyph, Width +
    // CharWidthInc (0..255), Left and the right indent (-128..127, two's complement).
    QByteArray ZgfCharWidths() const;
    QByteArray CharLeftIndents() const;
    QByteArray CharRightIndents() const;

    // Strip sizes; GPSize rounds up to a multiple of 8.
    qint16 ZgfGetBitmapWidth(bool GPSize = false) const;
    qint16 ZgfGetBitmapHeight(bool GPSize = false) const;
    qint16 ZgfGetMaskWidth(bool GPSize = false) const;
    qint16 ZgfGetMaskHeight(bool GPSize = false) const;

    // Draws the glyph strip (or the mask strip) on the surface, sizing and clearing it, from
    // the measured glyph images (see GlyphMeasurement::drawGlyph). Only glyph k (from 1)
    // with k >= From and (k - From) % Count == 0 is drawn, every glyph keeping its place.
    // Count 0 throws Failure 11.
    void ZgfGenerateBitmap(Surface &bitmap, qint16 Count = 1, qint16 From = 1, bool GPSize = false) const;
    void ZgfGenerateMask(Surface &bitmap, qint16 Count = 1, qint16 From = 1, bool GPSize = false) const;

private:
    void drawStrip(Surface &bitmap, qint16 count, qint16 from, qint16 widthInc, qint16 heightInc, qint16 width,
                   qint16 height) const;

    const TexelFont &mFont;
    const GlyphMeasurement &m;
};
