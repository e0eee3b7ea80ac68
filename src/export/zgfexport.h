#pragma once

#include <QString>

#include <functional>

class Feedback;
class Surface;
class TexelFont;

// What the export dialog (or the command line) asks of a ZGF export.
struct ZgfExportOptions
{
    QString zgfFileName;    // completed with ".zgf" when it has no extension
    bool rle = true;        // RLE, else RAW, for both images
    QString bitmapFileName; // the edited glyph image of a post-processed font
    QString maskFileName;   // the edited mask image of a masked font
    bool cFile = false;     // also write C source
    QString cFileName;      // completed with ".h" when it has no extension
    bool split = false;     // C source as .h and .c
    QChar groupSeparator = QLatin1Char(','); // thousands separator of the C comment block
    // Test seam: changes the bytes on their way to the disk, as a faulty write would.
    std::function<void(QByteArray &)> corruptWrite;
};

// The name with defaultExtension appended when it has no extension of at most four
// characters ("font" gives "font.zgf", "font.bin" stays, "font.longext" gets ".zgf").
QString completedFileName(const QString &fileName, const QString &defaultExtension);

// Writes the document as a ZGF file, and its C source when asked; completes the file names
// in options. The glyph image is rendered on work, or read from the edited bitmap of a
// post-processed font; the mask of a masked font is read from its bitmap. Asks before
// overwriting; the new file replaces an old one only once it is complete and reads back
// as exactly the bytes meant (otherwise the old file is kept and a failure shown). Returns true
// once the ZGF file is written (a failure of the C source after that still returns true).
bool ExportZgfFont(TexelFont &font, Surface &work, ZgfExportOptions &options, Feedback &feedback);
