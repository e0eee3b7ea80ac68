#include "zgfexport.h"

#include "characternotes.h"
#include "fileerrors.h"
#include "feedback.h"
#include "paths.h"
#include "measuredfont.h"
#include "texelfont.h"
#include "csource.h"
#include "zgfbuilder.h"

#include <QFileInfo>

#include <algorithm>

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString writtenAsQuestionMarks(const QString &characters)
{
    return QStringLiteral("These characters have no code in the font file and were written as \"?\": ")
        + charactersWithCodes(characters);
}

} // namespace

QString completedFileName(const QString &fileName, const QString &defaultExtension)
{
    // A name without a file name is left for the export to refuse, not made a hidden file.
    if (GetFileName(fileName).trimmed().isEmpty())
        return fileName;
    return GetFileNameNoExt(fileName) == GetFileName(fileName) ? fileName + defaultExtension : fileName;
}

QList<FileRole> zgfExportFiles(const TexelFont &font, const ZgfExportOptions &options)
{
    QList<FileRole> files{{QStringLiteral("the project file"), font.Filename(), false},
                          {QStringLiteral("the typeface file"), font.FontFile(), false}};
    if (font.Postprocessed)
        files.append({QStringLiteral("the edited bitmap"), options.bitmapFileName, false});
    if (font.Masked && !zgfMaskIsDrawn(font))
        files.append({QStringLiteral("the edited mask"), options.maskFileName, false});
    files.append({QStringLiteral("the font file"), options.zgfFileName});
    if (options.cFile)
        files += cSourceOutputs(options.cFileName, options.split);
    return files;
}

ZgfExportOptions completedExportNames(const ZgfExportOptions &options)
{
    ZgfExportOptions completed = options;
    completed.zgfFileName = completedFileName(options.zgfFileName, QStringLiteral(".zgf"));
    if (options.cFile)
        completed.cFileName = completedFileName(options.cFileName, QStringLiteral(".h"));
    return completed;
}

ZgfExport buildZgfExport(const TexelFont &font, const GlyphMeasurement &measured, Surface &work,
                         const ZgfExportOptions &options, Feedback &progress)
{
    const ZgfExportOptions named = completedExportNames(options);
    refuseSharedFiles(zgfExportFiles(font, named));
    if (named.cFile)
        refuseCArrayName(font.VariableName(), font.VariableName() + zgfArraySuffix());
    ZgfExport result;
    const QByteArray bytes =
        buildZgfFile(font, measured, work, {named.rle, named.bitmapFileName, named.maskFileName}, progress);
    result.font = {named.zgfFileName, bytes, Existing::Keep, QStringLiteral("Can't create file ") + named.zgfFileName};
    if (named.cFile) {
        result.cSource = zgfCSource(named.zgfFileName, bytes, named.cFileName, font.VariableName(), named.split,
                                    named.groupSeparator, font.CodePage());
    }
    result.unencodable = unencodableCharacters(font.Chars(), font.CodePage());
    return result;
}

std::optional<QList<Output>> agreedOutputs(const ZgfExport &result, Existing notAsked, Feedback &feedback)
{
    // Whether the person lets the output replace its file, when there is one.
    const auto agreed = [&](Output &output, const QString &question) {
        output.existing = notAsked;
        if (!QFileInfo::exists(ordinaryPath(output.path)))
            return true;
        output.existing = Existing::Replace;
        return feedback.ask(question + output.path + QStringLiteral("?"));
    };
    QList<Output> outputs{result.font};
    if (!agreed(outputs.front(), QStringLiteral("Overwrite .ZGF font file ")))
        return std::nullopt;
    QList<Output> cSource = result.cSource;
    // The header first, the file the person named.
    for (auto output = cSource.rbegin(); output != cSource.rend(); ++output) {
        if (!agreed(*output, QStringLiteral("Overwrite C source file ")))
            return outputs;
    }
    return outputs + cSource;
}

void writeZgfExport(const ZgfExport &result, const QList<Output> &agreed, Feedback &feedback)
{
    QStringList written;
    {
        BusyGuard busy(feedback);
        written = writeOutputs(agreed);
    }
    QString done = QStringLiteral("Font file generated correctly.");
    if (!result.unencodable.isEmpty())
        done += kCrLf + writtenAsQuestionMarks(result.unencodable);
    feedback.informWritten(done, {written.takeFirst()});
    if (written.isEmpty())
        return;
    std::reverse(written.begin(), written.end()); // the header first
    reportCSourceWritten(written, feedback);
}

bool commitZgfExport(const ZgfExport &result, Existing notAsked, Feedback &feedback)
{
    try {
        const std::optional<QList<Output>> agreed = agreedOutputs(result, notAsked, feedback);
        if (!agreed)
            return false;
        writeZgfExport(result, *agreed, feedback);
        return true;
    } catch (const Failure &failure) {
        showFailure(failure, feedback);
        return false;
    }
}

bool ExportZgfFont(const TexelFont &font, Surface &work, const ZgfExportOptions &options, Feedback &feedback)
{
    std::optional<ZgfExport> result;
    try {
        BusyGuard busy(feedback);
        result.emplace(buildZgfExport(font, measureFont(font, work), work, options, feedback));
    } catch (const Failure &failure) {
        showFailure(failure, feedback);
        return false;
    }
    return commitZgfExport(*result, options.existing, feedback);
}
