#pragma once

#include "fileroles.h"
#include "outputfile.h"

#include <QString>

#include <functional>

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

// What the bitmaps are drawn from.
struct PostprocessSource
{
    PostprocessDraw glyphs;
    PostprocessDraw mask;
};

// The bitmaps drawn from the document's measured glyphs. Holds a copy of what it needs.
PostprocessSource documentBitmaps(const TexelFont &font, const GlyphMeasurement &measured);

// The images of the bitmap export as BMP files in memory, each image's partial images first
// and the full one last, in the order they are written; every one follows options.existing.
struct PostprocessBitmaps
{
    QList<Output> glyphs;
    QList<Output> mask; // a masked font's only

    QList<Output> outputs() const { return glyphs + mask; }
};

// Draws the glyph image (and for a masked font the mask image) from source on work. Throws
// a Failure for what it refuses before drawing: a masked font without a mask file name, a
// file that would replace another (postprocessFiles, see refuseSharedFiles), a font file the
// renderer does not draw from.
PostprocessBitmaps buildPostprocessBitmaps(const TexelFont &font, Surface &work, const PostprocessOptions &options,
                                           const PostprocessSource &source);

// The images that may be written, asking before a full image replaces its file: "Overwrite
// bitmap file x?", then "Overwrite alpha mask bitmap file x?". A full image agreed to
// replaces its file. Declining the glyph image leaves nothing, declining the mask the glyph
// images alone; complete says whether everything was agreed to.
struct AgreedBitmaps
{
    QList<Output> outputs;
    bool complete = true;
};
AgreedBitmaps agreedBitmaps(const PostprocessBitmaps &bitmaps, Feedback &feedback);

// The bitmap export as the dialog runs it: measures the document on work, builds the images
// (buildPostprocessBitmaps), asks (agreedBitmaps), writes what was agreed (writeOutputs) and
// says so: "Bitmap(s) generated correctly." naming the files when everything was written.
// False, with the failure reported, when anything was refused, declined or failed.
bool ExportPostprocessBitmaps(const TexelFont &font, Surface &work, const PostprocessOptions &options,
                              Feedback &feedback);
