#pragma once

#include "inforeport.h"

class TexelFont;
struct GlyphMeasurement;

// Every field of the document under its member name (settings, derived names, custom
// flags, character set, texts), then its measurements: DefaultWidth, DefaultHeight,
// LineSep, FontTop and the glyph list, from measured, and whether that is out of date
// (Obsolete).
InfoReport documentReport(const TexelFont &font, const GlyphMeasurement &measured);

// A single-precision size as the number it reads as in its shortest form (9.75, 12.1).
double shortestSize(float size);
