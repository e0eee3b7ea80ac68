#pragma once

#include "codepage.h"
#include "surface.h"

#include <QByteArray>
#include <QString>

class Feedback;
class TexelFont;
struct GlyphMeasurement;
struct ZgfHeader;

// Where the images of a ZGF file come from and how they are coded.
struct ZgfBuildInput
{
    bool rle = true;
    QString bitmapFileName; // read for a post-processed font
    QString maskFileName;   // read for a masked font
    // Edited images already in memory, at the sizes of the strips, taken instead of the
    // files when given.
    const Surface *glyphPicture = nullptr;
    const Surface *maskPicture = nullptr;
};

// Reads an edited picture as the export does: on a width x height image of the background,
// so where the picture is smaller the background shows and where larger it is cut.
void loadEditedPicture(Surface &work, int width, int height, Color background, const QString &fileName);

// Throws 53 naming the document's font file when the renderer does not draw from it (the
// file is missing or cannot be read): another family's glyphs would go out under the
// project's name.
void refuseUndrawnFontFile(const TexelFont &font, Surface &work);

// Whether the export draws the mask rather than reading an edited one: a smooth font that is
// not post-processed, whose mask holds the coverage of its edges.
bool zgfMaskIsDrawn(const TexelFont &font);

// The complete bytes of the document's ZGF file: header, tables, glyph image and mask, from
// measured, the document's measurement. The glyph image is drawn on work from the
// measured glyphs (or read from the edited bitmap of a post-processed font), the mask read
// from its bitmap unless zgfMaskIsDrawn. Throws a Failure naming the cause: a value that does not fit its field
// (naming the field, or the table and the character), more than 255 characters, a face
// name longer than 32 bytes, a bitmap that cannot be read, a masked font without a mask
// file name. Each coded image is decoded again and compared with the picture it came
// from, so a coding fault is a failure rather than a wrong font.
QByteArray buildZgfFile(const TexelFont &font, const GlyphMeasurement &measured, Surface &work,
                        const ZgfBuildInput &input, Feedback &feedback);

// How many bytes each part of a ZGF file takes.
struct ZgfPartSizes
{
    qint64 glyphImage = 0;
    qint64 mask = 0;
    qint64 total = 0;
};

// The sizes of the document's ZGF file with RAW and with RLE coding, as the export would
// write it now: each image is drawn (or read) once and coded both ways. Throws what
// buildZgfFile throws.
struct ZgfSizeBudget
{
    ZgfPartSizes raw;
    ZgfPartSizes rle;
};
ZgfSizeBudget zgfSizeBudget(const TexelFont &font, const GlyphMeasurement &measured, Surface &work,
                            const ZgfBuildInput &input);

// The header of the document's ZGF file with its three offset fields 0.
ZgfHeader zgfHeaderOf(const TexelFont &font, const GlyphMeasurement &measured, bool rle);

// The characters of the set without a code in the page (written as "?"), each once.
QString unencodableCharacters(const QString &chars, CodePage page);
