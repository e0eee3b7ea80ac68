#pragma once

#include "codepage.h"

#include <QByteArray>

struct GlyphMeasurement;

// The four tables of a ZGF file, one byte per glyph in glyph order, made from the glyphs
// as measured. Every value is checked against the byte that holds it: one that does not
// fit throws Overflow naming the table and the character ("Overflow: the left indent of
// "f" is -130, outside -128..127").

// The code of each character in the page ("?" for a character without one).
QByteArray zgfCharacterTable(const GlyphMeasurement &measurement, CodePage page);
// Width + charWidthInc, 0..255.
QByteArray zgfWidthTable(const GlyphMeasurement &measurement, qint16 charWidthInc);
// Left, and the right indent (Char::rightIndent), as signed bytes -128..127 in two's
// complement, as a GP32 program reads them back.
QByteArray zgfLeftIndentTable(const GlyphMeasurement &measurement);
QByteArray zgfRightIndentTable(const GlyphMeasurement &measurement);
// Throws Overflow when a mask cell, Width + charWidthInc + maskWidthInc, would be narrower
// than nothing: it would pull the later cells out of the mask image, and readers refuse it.
void checkZgfMaskCells(const GlyphMeasurement &measurement, qint16 charWidthInc, qint16 maskWidthInc);
