#pragma once

class Surface;
class TexelFont;
struct GlyphMeasurement;

// Draws the sample text glyph by glyph, spaced as the document will space it: each glyph
// gets floor(CharWidthInc / 2) pixels before it and the rest of the increment plus
// CharSepExtra after it; a character outside the character set takes a space's place and
// width; CR LF (or a lone CR) starts a new line DefaultHeight + CharHeightInc + LineSep +
// LineSepExtra pixels lower.
class SamplePainter
{
public:
    // Clears the surface to its background colour and draws the text in the document's
    // font and colour, from its measurement measured; throws Failure 6 when the line advance leaves the 16-bit twips range.
    static void draw(const TexelFont &font, const GlyphMeasurement &measured, Surface &surface);
};
