#pragma once

#include "fileroles.h"
#include "outputfile.h"

#include <QString>

#include <functional>
#include <optional>

class Feedback;
class Surface;
class TexelFont;
struct GlyphMeasurement;

// The bitmaps for editing by hand.
struct PostprocessOptions
{
    QString bitmapFileName; // the full glyph image
    QString maskFileName;   // the full mask image of a masked font
    int count = 1;          // N > 1 also writes N partial images: base1.bmp .. baseN.bmp
    // What happens to a file of an image's name that nobody was asked about (a partial
    // image, or one that appeared after the check): the windows replace it; the command line
    // keeps it and fails, unless --force.
    Existing existing = Existing::Replace;
};

// The partial image i of path: folder + base + i + ".bmp" ("C:\f\font.bmp", 3 gives
// "C:\f\font3.bmp").
QString partialBitmapName(const QString &path, int index);

// The files the bitmap export reads and writes, by role: the project (when the document has
// one), then for the glyph image and for a masked font's mask, the partial images and the
// full one.
QList<FileRole> postprocessFiles(const TexelFont &font, const PostprocessOptions &options);

// Draws image From of Count of a strip on work, all of it for Count 1 (see
// MeasuredFont::ZgfGenerateBitmap).
using PostprocessDraw = std::function<void(Surface &work, qint16 count, qint16 from)>;

// What the bitmaps are drawn from, and who agrees to a full image replacing a file.
struct PostprocessSource
{
    PostprocessDraw glyphs;
    PostprocessDraw mask;
    // Asked before a full image is written, with what it is ("bitmap file", "alpha mask
    // bitmap file") and its path; false ends the writing, keeping what was written before.
    std::function<bool(const QString &what, const QString &path)> mayWrite;
};

// The bitmaps drawn from the document's measured glyphs, asking before a file is overwritten.
// Holds measured by reference.
PostprocessSource documentBitmaps(const TexelFont &font, const GlyphMeasurement &measured, Feedback &feedback);

// Writes the glyph image (and for a masked font the mask image) from source as BMP files,
// each replacing its old file only once complete: first refuses a file that would replace
// another (postprocessFiles, see refuseSharedFiles), then for each image its partial
// images and the full one. Returns the full paths written, or nothing when source declined
// a file; throws a Failure.
std::optional<QStringList> writePostprocessBitmaps(const TexelFont &font, Surface &work,
                                                   const PostprocessOptions &options,
                                                   const PostprocessSource &source, Feedback &feedback);

// Writes the glyph image (and for a masked font the mask image) as BMP files, the partial
// images first, each drawn on work from the document measured there (documentBitmaps,
// writePostprocessBitmaps). First refuses a file that would replace another
// (postprocessFiles, see refuseSharedFiles). Asks before overwriting the full images;
// declining returns false, keeping what was written before. Failures are reported, giving
// false.
bool ExportPostprocessBitmaps(const TexelFont &font, Surface &work, const PostprocessOptions &options,
                              Feedback &feedback);
