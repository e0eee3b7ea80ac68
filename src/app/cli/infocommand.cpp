#include "infocommand.h"

#include "command.h"
#include "commanddocument.h"
#include "commandline.h"
#include "documentreport.h"
#include "postprocessnames.h"
#include "exportfacts.h"
#include "fileerrors.h"
#include "zgffont.h"
#include "zgfheader.h"
#include "version.h"
#include "zgfreport.h"

#include <QFile>

#include <optional>

namespace {

// The first bytes of the file, as many as a ZGF header takes.
QByteArray leadingBytes(const QString &path)
{
    QFile file;
    openForReading(file, path);
    const QByteArray bytes = file.read(ZgfHeader::Size);
    if (file.error() != QFileDevice::NoError)
        throw ioFailure(file);
    return bytes;
}

} // namespace

void InfoCommand::declare(CommandLine &line)
{
    line.addArgument(QStringLiteral("FILE"),
                     QStringLiteral("A project or a ZGF font; without one, the new-document defaults."));
    line.addFlag(QStringLiteral("json"), QStringLiteral("Print one JSON object."));
    line.addValueOption({QStringLiteral("bitmap")}, QStringLiteral("FILE"),
                        QStringLiteral("The edited glyph image a post-processed project's size is counted from "
                                       "(default: the variable name + .bmp)."));
    line.addValueOption({QStringLiteral("mask")}, QStringLiteral("FILE"),
                        QStringLiteral("The edited mask image of a masked project "
                                       "(default: the bitmap's name + _mask.bmp)."));
    DocumentOptions::declare(line);
}

InfoCommand::InfoCommand(const CommandLine &line)
    : mFile(line.argument(0)),
      mDocument(line),
      mBitmap(line.value(QStringLiteral("bitmap"))),
      mMask(line.value(QStringLiteral("mask"))),
      mJson(line.isSet(QStringLiteral("json")))
{
}

int InfoCommand::run(CommandEnvironment &environment)
{
    std::optional<InfoReport> report;
    const QByteArray leading = mFile.isEmpty() ? QByteArray() : leadingBytes(mFile);
    // A damaged font is told as one (by the font reader), not as a file that is no project.
    const bool project = leading.startsWith(Version::Product);
    const bool zgfNamed = mFile.endsWith(QLatin1String(".zgf"), Qt::CaseInsensitive);
    if (!mFile.isEmpty() && !project && (leading.startsWith(QByteArrayView("ZGF\0", 4)) || zgfNamed)) {
        if (!mDocument.onlyCodePage() || !mBitmap.isEmpty() || !mMask.isEmpty())
            throw UsageError{QStringLiteral("Document options other than --codepage do not apply to a ZGF font.")};
        ZgfFont font = ZgfFont::readFile(mFile);
        font.setCodePage(mDocument.codePage().value_or(CodePage::Windows1252));
        report = zgfReport(font, IsValidZgfHeader(leading));
    } else {
        // Anything that is no ZGF font is read as a project, which refuses other files.
        CommandDocument document(environment, mFile, mDocument);
        report = documentReport(document.font(), document.measurement());
        addExportFacts(*report, document.font(), document.measurement(), document.work(),
                       proposedEditedBitmaps(document.font(), mBitmap, mMask));
    }
    if (mJson)
        writeResult(report->json());
    else
        writeResult(report->text().toUtf8());
    return exitStatus(true, environment.feedback);
}
