#pragma once

#include "fileroles.h"

#include <QString>

class Feedback;
class Surface;
class TexelFont;

// The bitmaps for editing by hand.
struct PostprocessOptions
{
    QString bitmapFileName; // the full glyph image
    QString maskFileName;   // the full mask image of a masked font
    int count = 1;          // N > 1 also writes N partial images: base1.bmp .. baseN.bmp
};

// The partial image i of path: folder + base + i + ".bmp" ("C:\f\font.bmp", 3 gives
// "C:\f\font3.bmp").
QString partialBitmapName(const QString &path, int index);

// The files the bitmap export reads and writes, by role: the project (when the document has
// one), then for the glyph image and for a masked font's mask, the partial images and the
// full one.
QList<FileRole> postprocessFiles(const TexelFont &font, const PostprocessOptions &options);

// Writes the glyph image (and for a masked font the mask image) as BMP files, the partial
// images first, each drawn on work. First refuses a file that would replace another
// (postprocessFiles, see refuseSharedFiles). Asks before overwriting the full images;
// declining returns false, keeping what was written before. Failures are reported, giving
// false.
bool ExportPostprocessBitmaps(TexelFont &font, Surface &work, const PostprocessOptions &options,
                              Feedback &feedback);
