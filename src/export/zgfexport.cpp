#include "zgfexport.h"

#include "characternotes.h"
#include "fileerrors.h"
#include "feedback.h"
#include "paths.h"
#include "measuredfont.h"
#include "texelfont.h"
#include "csource.h"
#include "zgfbuilder.h"

#include <QFile>
#include <QFileInfo>

// Reads the written, not yet committed file back from the disk and names the first byte
// that differs from what was meant.
void verifyWritten(QFileDevice &file, const QByteArray &meant)
{
    if (!file.flush())
        throw ioFailure(file);
    // The temporary file's own handle, read from its start; the save file writes only.
    QFile back;
    if (!back.open(file.handle(), QIODevice::ReadOnly, QFileDevice::DontCloseHandle) || !back.seek(0))
        throw ioFailure(file);
    const QByteArray written = back.read(meant.size() + 1);
    if (back.error() != QFileDevice::NoError)
        throw ioFailure(file);
    if (written == meant)
        return;
    qsizetype at = 0;
    while (at < written.size() && at < meant.size() && written.at(at) == meant.at(at))
        ++at;
    throw Failure(Failure::DeviceIO,
                  QStringLiteral("Device I/O error: the font file %1 did not read back as written "
                                 "(first difference at offset %2); the old file is kept.")
                      .arg(file.fileName()).arg(at));
}

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

bool ExportZgfFont(const TexelFont &font, Surface &work, ZgfExportOptions &options, Feedback &feedback)
{
    options.zgfFileName = completedFileName(options.zgfFileName, QStringLiteral(".zgf"));
    if (options.cFile)
        options.cFileName = completedFileName(options.cFileName, QStringLiteral(".h"));
    const QString path = options.zgfFileName;
    try {
        refuseSharedFiles(zgfExportFiles(font, options));
        if (options.cFile)
            refuseCArrayName(font.VariableName(), font.VariableName() + zgfArraySuffix());
    } catch (const Failure &failure) {
        feedback.fail(failure.message());
        return false;
    }
    const bool replacing = QFileInfo::exists(ordinaryPath(path));
    if (replacing && !feedback.ask(QStringLiteral("Overwrite .ZGF font file ") + path + QStringLiteral("?")))
        return false;

    QByteArray bytes;
    try {
        BusyGuard busy(feedback);
        const GlyphMeasurement measured = measureFont(font, work);
        bytes = buildZgfFile(font, measured, work, {options.rle, options.bitmapFileName, options.maskFileName}, feedback);
        OutputFile file(path, replacing ? Existing::Replace : options.existing);
        try {
            file.open(QStringLiteral("Can't create file ") + path);
        } catch (const Failure &failure) {
            feedback.fail(failure.message(), Feedback::Title::Application);
            return false;
        }
        file.write(bytes);
        verifyWritten(file.device(), bytes);
        file.finish();
        try {
            file.commit();
        } catch (const Failure &failure) {
            feedback.fail(replacing ? QStringLiteral("Couldn't delete old font file ") + path + QStringLiteral(".")
                              : failure.message());
            return false;
        }
    } catch (const Failure &failure) {
        feedback.fail(failure.message());
        return false;
    }

    QString done = QStringLiteral("Font file generated correctly.");
    if (const QString lost = unencodableCharacters(font.Chars(), font.CodePage()); !lost.isEmpty())
        done += kCrLf + writtenAsQuestionMarks(lost);
    feedback.informWritten(done, {QFileInfo(ordinaryPath(path)).absoluteFilePath()});

    if (!options.cFile)
        return true;
    Existing cExisting = options.existing;
    for (const QString &cPath : outputPaths(cSourceOutputs(options.cFileName, options.split))) {
        if (!QFileInfo::exists(ordinaryPath(cPath)))
            continue;
        if (!feedback.ask(QStringLiteral("Overwrite C source file ") + cPath + QStringLiteral("?")))
            return true;
        cExisting = Existing::Replace;
    }
    ZgfToCSource(path, bytes, options.cFileName, font.VariableName(), options.split, feedback, options.groupSeparator,
                 font.CodePage(), cExisting);
    return true;
}
