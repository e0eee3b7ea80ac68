#pragma once

#include "fileroles.h"
#include "outputfile.h"

#include <QString>

#include <optional>

class Feedback;
struct GlyphMeasurement;
class Surface;
class TexelFont;

// What the export dialog (or the command line) asks of a ZGF export.
struct ZgfExportOptions
{
    QString zgfFileName;                     // completed with ".zgf" when it has no extension
    bool rle = true;                         // RLE, else RAW, for both images
    QString bitmapFileName;                  // the edited glyph image of a post-processed font
    QString maskFileName;                    // the edited mask image of a masked font
    bool cFile = false;                      // also write C source
    QString cFileName;                       // completed with ".h" when it has no extension
    bool split = false;                      // C source as .h and .c
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

// The options with the file names completed as the export writes them: the font's with
// ".zgf", the C header's with ".h" when C source is asked for.
ZgfExportOptions completedExportNames(const ZgfExportOptions &options);

// The files the export reads and writes, by role, with the names as given: the project
// and the typeface file drawn from (when the document has them), the edited images of a
// post-processed or masked font, the font file, and the C files when asked (cSourceOutputs).
QList<FileRole> zgfExportFiles(const TexelFont &font, const ZgfExportOptions &options);

// What an export makes, built in memory and not yet written: the font file, and the C
// files when asked, in the order they are committed.
struct ZgfExport
{
    Output font;
    QList<Output> cSource; // with split the .c file then the header; else the header
    // The characters written as "?", having no code in the font's code page.
    QString unencodable;

    QList<Output> outputs() const { return QList<Output>{font} + cSource; }
};

// Builds the document's font file from measured (its measurement, see buildZgfFile), and
// its C source when asked, under the completed names (completedExportNames); touches no
// output and leaves options as they are. Throws a Failure for what it refuses before
// anything is written: an output without a name, a file that would replace another
// (zgfExportFiles, see refuseSharedFiles), with C source a variable name that is no C
// identifier, and whatever buildZgfFile refuses. progress drives the progress bar.
ZgfExport buildZgfExport(const TexelFont &font, const GlyphMeasurement &measured, Surface &work,
                         const ZgfExportOptions &options, Feedback &progress);

// The outputs of the export that may be written, asking before each file is replaced:
// "Overwrite .ZGF font file x?" (no: nothing is written) and "Overwrite C source file x?"
// (no: the font file alone). A file that exists and was agreed to is replaced; one nobody
// was asked about follows notAsked. Nothing when the font file was declined.
std::optional<QList<Output>> agreedOutputs(const ZgfExport &result, Existing notAsked, Feedback &feedback);

// Writes what was agreed to (writeOutputs) and tells the person: "Font file generated
// correctly." (with the characters written as "?"), then "C file(s) generated correctly."
// when C source was written, each naming its files. Throws writeOutputs' failure.
void writeZgfExport(const ZgfExport &result, const QList<Output> &agreed, Feedback &feedback);

// Asks (agreedOutputs), writes and says so (writeZgfExport), and reports a failure. True
// when every output agreed to was written.
bool commitZgfExport(const ZgfExport &result, Existing notAsked, Feedback &feedback);

// The whole export as the dialog runs it: measures the document on work, builds it, asks,
// writes, and reports every outcome through feedback. True when every output agreed to was
// written; false for a refusal, a declined font file or a failure (also one after the font
// file was written, which the failure names).
bool ExportZgfFont(const TexelFont &font, Surface &work, const ZgfExportOptions &options, Feedback &feedback);
