#pragma once

#include "inforeport.h"

class TexelFont;

// Every field of the document under its member name (settings, derived names, custom
// flags, character set, texts), then its measurements: DefaultWidth, DefaultHeight,
// LineSep, FontTop and the glyph list. Measures the document when it is obsolete.
InfoReport documentReport(TexelFont &font);

// A single-precision size as the number it reads as in its shortest form (9.75, 12.1).
double shortestSize(float size);
