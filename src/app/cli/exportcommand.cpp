#include "exportcommand.h"

#include "characternotes.h"
#include "command.h"
#include "commanddocument.h"
#include "commandline.h"
#include "dependencyfile.h"
#include "guisession.h"
#include "measuredfont.h"
#include "postprocessnames.h"
#include "numbers.h"
#include "parallel.h"
#include "paths.h"
#include "terminalfeedback.h"
#include "zgfexport.h"

#include <QDir>

#include <limits>

void ExportCommand::declare(CommandLine &line)
{
    line.addArgument(QStringLiteral("PROJECT.tsm"),
                     QStringLiteral("The projects to export, one after the other; without one, the "
                                    "new-document defaults."));
    line.addValueOption({QStringLiteral("o"), QStringLiteral("output")}, QStringLiteral("FILE"),
                        QStringLiteral("The ZGF file (default: the GP32 file name + .zgf)."));
    line.addFlag(QStringLiteral("raw"), QStringLiteral("Store the images plain."));
    line.addFlag(QStringLiteral("rle"), QStringLiteral("Store the images run-length coded (the default)."));
    line.addValueOption({QStringLiteral("c")}, QStringLiteral("FILE.h"),
                        QStringLiteral("Also write the font as C source."));
    line.addFlag(QStringLiteral("split"), QStringLiteral("Write the C source as a .h and a .c file."));
    line.addValueOption({QStringLiteral("bitmap")}, QStringLiteral("FILE"),
                        QStringLiteral("The edited glyph image of a post-processed project "
                                       "(default: the variable name + .bmp)."));
    line.addValueOption({QStringLiteral("mask")}, QStringLiteral("FILE"),
                        QStringLiteral("The edited mask image of a masked project "
                                       "(default: the bitmap's name + _mask.bmp)."));
    line.addFlag(QStringLiteral("force"), QStringLiteral("Overwrite existing files."));
    line.addValueOption({QStringLiteral("d"), QStringLiteral("directory")}, QStringLiteral("DIR"),
                        QStringLiteral("The folder of the outputs named after the project (default: the "
                                       "working folder; with several projects, each project's folder)."));
    line.addFlag(QStringLiteral("with-c"),
                 QStringLiteral("Also write C source named after the project: its variable name + .h, beside "
                                "the ZGF file (for several projects, where --c names one file)."));
    line.addValueOption({QStringLiteral("max-bytes")}, QStringLiteral("N"),
                        QStringLiteral("Fail, writing nothing, when the ZGF file would be larger than N bytes."));
    line.addValueOption({QStringLiteral("depfile")}, QStringLiteral("FILE"),
                        QStringLiteral("Also write a make-style dependency file: the files written, "
                                       "and the project and files they were made from."));
    DocumentOptions::declare(line);
}

ExportCommand::ExportCommand(const CommandLine &line)
    : mProjects(line.arguments()),
      mDocument(line),
      mOutput(line.value(QStringLiteral("output"))),
      mRaw(line.isSet(QStringLiteral("raw"))),
      mCFile(line.value(QStringLiteral("c"))),
      mWithC(line.isSet(QStringLiteral("with-c"))),
      mSplit(line.isSet(QStringLiteral("split"))),
      mBitmap(line.value(QStringLiteral("bitmap"))),
      mMask(line.value(QStringLiteral("mask"))),
      mFolder(line.value(QStringLiteral("directory"))),
      mMaxBytes(line.intValue(QStringLiteral("max-bytes"), 1, std::numeric_limits<int>::max(), 0)),
      mForce(line.isSet(QStringLiteral("force"))),
      mDepfile(line.value(QStringLiteral("depfile"))),
      mCharsFile(line.value(QStringLiteral("chars-file")))
{
    line.requireAtMostOne({QStringLiteral("raw"), QStringLiteral("rle")});
    line.requireAtMostOne({QStringLiteral("c"), QStringLiteral("with-c")});
    line.requireAtMostOne({QStringLiteral("output"), QStringLiteral("directory")});
    if (mSplit && !line.isSet(QStringLiteral("c")) && !mWithC)
        throw UsageError{QStringLiteral("--split needs --c FILE.h.")};
    if (line.isSet(QStringLiteral("c")) && mCFile.trimmed().isEmpty())
        throw UsageError{QStringLiteral("--c takes the name of the C header.")};
    if (line.isSet(QStringLiteral("depfile")) && mDepfile.trimmed().isEmpty())
        throw UsageError{QStringLiteral("--depfile takes the name of the dependency file.")};
    if (line.isSet(QStringLiteral("depfile")) && mProjects.size() > 1)
        throw UsageError{QStringLiteral("--depfile names the rule of one export, and %1 projects are given: "
                                        "export them one by one.")
                             .arg(mProjects.size())};
    if (line.isSet(QStringLiteral("directory")) && mFolder.trimmed().isEmpty())
        throw UsageError{QStringLiteral("-d takes the folder of the outputs.")};
    if (mProjects.size() > 1) {
        // Each names one file, which several projects cannot share.
        for (const QString &single :
             {QStringLiteral("output"), QStringLiteral("c"), QStringLiteral("bitmap"), QStringLiteral("mask")}) {
            if (line.isSet(single)) {
                throw UsageError{QStringLiteral("--%1 names one file, and %2 projects are given: -d DIR and "
                                                "--with-c name the outputs after each project.")
                                     .arg(single)
                                     .arg(mProjects.size())};
            }
        }
    }
}

// A project loaded, with the options of its export.
struct ExportCommand::Prepared
{
    Prepared(CommandEnvironment &environment, const QString &projectPath, const DocumentOptions &documentOptions)
        : document(environment, projectPath, documentOptions), project(projectPath)
    {
    }

    CommandDocument document;
    QString project;
    ZgfExportOptions options;
    QByteArray dependencies; // the --depfile rule, made before the outputs are written
};

ExportCommand::~ExportCommand() = default;

namespace {

// Runs step, telling a failure it throws as the tool does; false when there was one.
template <typename Step>
bool reported(Step step)
{
    try {
        return step();
    } catch (const CommandFailure &failure) {
        if (!failure.message.isEmpty())
            TerminalFeedback::print(failure.message);
    } catch (const UsageError &error) {
        TerminalFeedback::print(error.message);
    } catch (const Failure &failure) {
        TerminalFeedback::print(failure.message());
    }
    return false;
}

} // namespace

int ExportCommand::run(CommandEnvironment &environment)
{
    if (mProjects.size() > 1)
        return exportSeveral(environment);
    const std::unique_ptr<Prepared> prepared = load(environment, mProjects.value(0));
    claim(*prepared, nullptr);
    return exitStatus(finish(*prepared, environment.feedback), environment.feedback);
}

int ExportCommand::exportSeveral(CommandEnvironment &environment)
{
    // A project's own feedback, what it printed, and whether it was written.
    struct Job
    {
        TerminalFeedback feedback;
        QString printed;
        bool written = false;
    };
    std::vector<Job> jobs(size_t(mProjects.size()));
    environment.gui.start(); // on this thread, before the documents
    // The outputs are claimed in the projects' order, so that none replaces another's
    // whichever is written first.
    QList<FileRole> claimed;
    Turns turns;
    bool allWritten = true;
    forEachInParallel(
        jobs.size(),
        [&](size_t i) {
            Job &job = jobs[i];
            const QString &project = mProjects.at(qsizetype(i));
            const TerminalFeedback::Capture capture(project);
            CommandEnvironment own{job.feedback, environment.gui};
            job.written = reported([&] {
                std::unique_ptr<Prepared> prepared;
                try {
                    prepared = load(own, project);
                } catch (...) {
                    turns.take(i, [] {});
                    throw;
                }
                turns.take(i, [&] { claim(*prepared, &claimed); });
                return finish(*prepared, job.feedback);
            });
            job.printed = capture.text();
        },
        [&](size_t i) {
            if (!jobs[i].printed.isEmpty())
                TerminalFeedback::print(jobs[i].printed);
            allWritten = allWritten && jobs[i].written && !jobs[i].feedback.failed();
        });
    return allWritten ? ExitSuccess : ExitFailure;
}

QString ExportCommand::outputName(const QString &project, const QString &name) const
{
    if (!mFolder.isEmpty())
        return QDir(mFolder).filePath(name);
    return mProjects.size() > 1 ? GetFolder(project) + name : name;
}

std::unique_ptr<ExportCommand::Prepared> ExportCommand::load(CommandEnvironment &environment,
                                                             const QString &project) const
{
    auto prepared = std::make_unique<Prepared>(environment, project, mDocument);
    const TexelFont &font = prepared->document.font();

    const EditedBitmaps bitmaps = proposedEditedBitmaps(font, mBitmap, mMask);
    ZgfExportOptions &options = prepared->options;
    options.zgfFileName = completedFileName(
        mOutput.isEmpty() ? outputName(project, proposedZgfFileName(font)) : mOutput, QStringLiteral(".zgf"));
    options.rle = !mRaw;
    options.bitmapFileName = bitmaps.bitmap;
    options.maskFileName = bitmaps.mask;
    options.cFile = !mCFile.isEmpty() || mWithC;
    if (options.cFile) {
        options.cFileName = completedFileName(
            mWithC ? GetFolder(options.zgfFileName) + proposedCFileName(font) : mCFile, QStringLiteral(".h"));
    }
    options.split = mSplit;
    options.groupSeparator = kPortableGroupSeparator;
    options.existing = mForce ? Existing::Replace : Existing::Keep;
    environment.feedback.setForce(mForce);
    return prepared;
}

void ExportCommand::claim(Prepared &prepared, QList<FileRole> *claimed) const
{
    // An output of an earlier project of the run is never replaced, with or without --force.
    QList<FileRole> files = zgfExportFiles(prepared.document.font(), prepared.options);
    if (!mCharsFile.isEmpty())
        files.append({QStringLiteral("the characters file"), mCharsFile, false});
    if (!mDepfile.isEmpty()) {
        prepared.dependencies = dependencyRule(files);
        files.append({QStringLiteral("the dependency file"), mDepfile});
    }
    refuseOutputs(claimed ? files + *claimed : files, mForce);
    if (claimed) {
        for (const QString &path : outputPaths(files))
            claimed->append({QStringLiteral("an output of ") + prepared.project, path, false});
    }
}

bool ExportCommand::finish(Prepared &prepared, TerminalFeedback &feedback) const
{
    const TexelFont &font = prepared.document.font();
    Surface &work = prepared.document.work();
    // The export's own message names the characters written as "?".
    if (const QString missing = missingGlyphsNote(missingCharacters(font, work), font.TTFName()); !missing.isEmpty())
        TerminalFeedback::print(missing);
    const ZgfExport result = buildZgfExport(font, measureFont(font, work), work, prepared.options, feedback);
    if (mMaxBytes > 0 && result.font.bytes.size() > mMaxBytes) {
        throw CommandFailure{QStringLiteral("The font file %1 would hold %2 bytes, more than --max-bytes %3: "
                                            "nothing is written.")
                                 .arg(result.font.path)
                                 .arg(result.font.bytes.size())
                                 .arg(mMaxBytes)};
    }
    if (!commitZgfExport(result, prepared.options.existing, feedback))
        return false;
    if (!mDepfile.isEmpty() && !feedback.failed())
        writeOutputs({{mDepfile, prepared.dependencies, mForce ? Existing::Replace : Existing::Keep}});
    return true;
}
