#pragma once

#include "inforeport.h"

class Surface;
class TexelFont;
struct GlyphMeasurement;
struct EditedBitmaps;

// What exporting the document would give, added to its report: MissingGlyphs (the
// characters the font itself lacks) and Unencodable (those without a code in its code page),
// each an array of one-character strings, and SizeBudget, the bytes of the ZGF file with
// RAW and RLE coding ({Raw: {GlyphImage, Mask, Total}, Rle: {...}}). When the sizes cannot
// be known (the edited bitmaps of a post-processed font cannot be read), SizeBudget is null
// and SizeBudgetNote says why. Renders the glyph image on work from measured.
void addExportFacts(InfoReport &report, const TexelFont &font, const GlyphMeasurement &measured, Surface &work,
                    const EditedBitmaps &bitmaps);
