#include "extractcommand.h"

#include "command.h"
#include "commandline.h"
#include "fontextractor.h"
#include "fontscanner.h"
#include "paths.h"
#include "terminalfeedback.h"
#include "zgfexport.h"

#include <QDir>
#include <QSet>

void ExtractCommand::declare(CommandLine &line)
{
    line.addArgument(QStringLiteral("FILE"), QStringLiteral("The file to search (a GP32 program, for example)."));
    line.addValueOption({QStringLiteral("offset")}, QStringLiteral("N"),
                        QStringLiteral("Save the font found at this offset."));
    line.addValueOption({QStringLiteral("o"), QStringLiteral("output")}, QStringLiteral("OUT.zgf"),
                        QStringLiteral("With --offset: the file to write (default: the font's list name + .zgf)."));
    line.addFlag(QStringLiteral("all"), QStringLiteral("Save every font found."));
    line.addValueOption({QStringLiteral("d"), QStringLiteral("directory")}, QStringLiteral("DIR"),
                        QStringLiteral("With --all: the folder to save into, created when missing "
                                       "(default: the current folder)."));
    line.addFlag(QStringLiteral("force"), QStringLiteral("Overwrite existing files."));
}

ExtractCommand::ExtractCommand(const CommandLine &line)
    : mSource(line.argument(0)),
      mOutput(line.value(QStringLiteral("output"))),
      mAll(line.isSet(QStringLiteral("all"))),
      mFolder(line.value(QStringLiteral("directory"))),
      mForce(line.isSet(QStringLiteral("force")))
{
    line.requireAtMostOne({QStringLiteral("offset"), QStringLiteral("all")});
    if (line.isSet(QStringLiteral("offset"))) {
        bool ok = false;
        mOffset = line.value(QStringLiteral("offset")).toLongLong(&ok);
        if (!ok || *mOffset < 0) {
            throw UsageError{QStringLiteral("--offset takes a byte offset (0 or more), not '%1'.")
                                 .arg(line.value(QStringLiteral("offset")))};
        }
    }
    if (line.isSet(QStringLiteral("output")) && !mOffset)
        throw UsageError{QStringLiteral("-o goes with --offset.")};
    if (line.isSet(QStringLiteral("directory")) && !mAll)
        throw UsageError{QStringLiteral("-d goes with --all.")};
}

int ExtractCommand::run(CommandEnvironment &environment)
{
    const QList<FoundFont> fonts = ScanFile(mSource, environment.feedback);
    if (environment.feedback.failed())
        return ExitFailure;
    if (mOffset)
        return extractOne(fonts, environment);
    if (mAll)
        return extractAll(fonts, environment);
    return list(fonts, environment);
}

int ExtractCommand::list(const QList<FoundFont> &fonts, CommandEnvironment &environment) const
{
    for (const FoundFont &font : fonts)
        writeResultLine(QStringLiteral("%1\t%2\t%3").arg(font.offset).arg(font.size).arg(font.name));
    return exitStatus(true, environment.feedback);
}

int ExtractCommand::extractOne(const QList<FoundFont> &fonts, CommandEnvironment &environment) const
{
    const auto found =
        std::find_if(fonts.begin(), fonts.end(), [&](const FoundFont &font) { return font.offset == *mOffset; });
    if (found == fonts.end())
        throw CommandFailure{QStringLiteral("No ZGF font starts at offset %1 of %2.").arg(*mOffset).arg(mSource)};
    const QString destination =
        mOutput.isEmpty() ? extractedFileName(*found) : completedFileName(mOutput, QStringLiteral(".zgf"));
    refuseOutputs(
        {{QStringLiteral("the scanned file"), mSource, false}, {QStringLiteral("the font file"), destination}}, mForce);
    const bool written = ExtractFont(mSource, found->offset, found->size, destination, environment.feedback,
                                     mForce ? Existing::Replace : Existing::Keep);
    return exitStatus(written, environment.feedback);
}

int ExtractCommand::extractAll(const QList<FoundFont> &fonts, CommandEnvironment &environment) const
{
    // Joined as text: QDir would take a name that begins with ":" for a path of its own.
    QString folder = mFolder.isEmpty() ? QStringLiteral(".") : mFolder;
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    // Fonts listed under the same name would replace each other; later ones are numbered.
    QStringList destinations;
    QList<FileRole> files{{QStringLiteral("the scanned file"), mSource, false}};
    QSet<QString> taken;
    for (const FoundFont &font : fonts) {
        QString name = extractedFileName(font);
        for (int n = 2; taken.contains(name); ++n)
            name = extractedFileName(font).chopped(4) + QStringLiteral(" (%1).zgf").arg(n);
        taken.insert(name);
        destinations.append(folder + name);
        files.append({QStringLiteral("the font file"), destinations.last()});
    }
    refuseOutputs(files, mForce);
    if (!fonts.isEmpty() && !QDir().mkpath(ordinaryPath(folder)))
        throw CommandFailure{QStringLiteral("Cannot create the folder %1.").arg(folder)};

    QStringList written;
    for (qsizetype i = 0; i < fonts.size(); ++i) {
        const FoundFont &font = fonts.at(i);
        if (ExtractFont(mSource, font.offset, font.size, destinations.at(i), environment.feedback,
                        mForce ? Existing::Replace : Existing::Keep))
            written.append(destinations.at(i));
    }
    // The fonts are saved one by one: after a failure, say which files were written.
    if (written.size() < fonts.size() && !written.isEmpty())
        TerminalFeedback::print(QStringLiteral("Written: %1").arg(written.join(QStringLiteral(", "))));
    return exitStatus(written.size() == fonts.size(), environment.feedback);
}
