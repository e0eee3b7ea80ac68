#pragma once

#include "fileroles.h"
#include "outputfile.h"

#include <QString>

class Feedback;
class QFileDevice;
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
    // What happens to a file of an output's name that nobody was asked about (one that
    // appeared after the check): the windows replace it; the command line keeps it and
    // fails, unless --force.
    Existing existing = Existing::Replace;
};

// The name with defaultExtension appended when it has no extension of at most four
// characters ("font" gives "font.zgf", "font.bin" stays, "font.longext" gets ".zgf"). A
// name without a file name ("", "out/") stays as it is.
QString completedFileName(const QString &fileName, const QString &defaultExtension);

// The files the export reads and writes, by role, with the names as given: the project
// and the typeface file drawn from (when the document has them), the edited images of a
// post-processed or masked font, the font file, and the C files when asked (cSourceOutputs).
QList<FileRole> zgfExportFiles(const TexelFont &font, const ZgfExportOptions &options);

// Reads the written, not yet committed file back from the disk; throws 57 naming the first
// byte that differs from what was meant.
void verifyWritten(QFileDevice &file, const QByteArray &meant);

// Measures the document on work and writes it as a ZGF file, and its C source when asked; completes the file names
// in options. Before anything else it refuses (reports, returns false) an output without a
// name, a file that would replace another (zgfExportFiles, see refuseSharedFiles) and, with
// C source, a variable name that is no C identifier. The glyph image is rendered on work,
// or read from the edited bitmap of a post-processed font; the mask of a masked font is
// read from its bitmap. Asks before overwriting the font file and each C file; the new file
// replaces an old one only once it is complete and reads back as exactly the bytes meant
// (otherwise the old file is kept and a failure shown). Returns true once the ZGF file is
// written (a failure or a declined C file after that still returns true).
bool ExportZgfFont(const TexelFont &font, Surface &work, ZgfExportOptions &options, Feedback &feedback);
