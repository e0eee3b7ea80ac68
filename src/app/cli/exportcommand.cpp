#include "exportcommand.h"

#include "characternotes.h"
#include "command.h"
#include "commanddocument.h"
#include "commandline.h"
#include "dependencyfile.h"
#include "measuredfont.h"
#include "postprocessnames.h"
#include "numbers.h"
#include "terminalfeedback.h"
#include "zgfexport.h"

void ExportCommand::declare(CommandLine &line)
{
    line.addArgument(QStringLiteral("PROJECT.tsm"),
                     QStringLiteral("The project to export; without one, the new-document defaults."));
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
    line.addValueOption({QStringLiteral("depfile")}, QStringLiteral("FILE"),
                        QStringLiteral("Also write a make-style dependency file: the files written, "
                                       "and the project and files they were made from."));
    DocumentOptions::declare(line);
}

ExportCommand::ExportCommand(const CommandLine &line)
    : mProject(line.argument(0)),
      mDocument(line),
      mOutput(line.value(QStringLiteral("output"))),
      mRaw(line.isSet(QStringLiteral("raw"))),
      mCFile(line.value(QStringLiteral("c"))),
      mSplit(line.isSet(QStringLiteral("split"))),
      mBitmap(line.value(QStringLiteral("bitmap"))),
      mMask(line.value(QStringLiteral("mask"))),
      mForce(line.isSet(QStringLiteral("force"))),
      mDepfile(line.value(QStringLiteral("depfile"))),
      mCharsFile(line.value(QStringLiteral("chars-file")))
{
    line.requireAtMostOne({QStringLiteral("raw"), QStringLiteral("rle")});
    if (mSplit && !line.isSet(QStringLiteral("c")))
        throw UsageError{QStringLiteral("--split needs --c FILE.h.")};
    if (line.isSet(QStringLiteral("c")) && mCFile.trimmed().isEmpty())
        throw UsageError{QStringLiteral("--c takes the name of the C header.")};
    if (line.isSet(QStringLiteral("depfile")) && mDepfile.trimmed().isEmpty())
        throw UsageError{QStringLiteral("--depfile takes the name of the dependency file.")};
}

int ExportCommand::run(CommandEnvironment &environment)
{
    CommandDocument document(environment, mProject, mDocument);
    TexelFont &font = document.font();

    const EditedBitmaps bitmaps = proposedEditedBitmaps(font, mBitmap, mMask);
    ZgfExportOptions options;
    options.zgfFileName = completedFileName(
        mOutput.isEmpty() ? proposedZgfFileName(font) : mOutput, QStringLiteral(".zgf"));
    options.rle = !mRaw;
    options.bitmapFileName = bitmaps.bitmap;
    options.maskFileName = bitmaps.mask;
    options.cFile = !mCFile.isEmpty();
    options.cFileName = options.cFile ? completedFileName(mCFile, QStringLiteral(".h")) : QString();
    options.split = mSplit;
    options.groupSeparator = kPortableGroupSeparator;
    options.existing = mForce ? Existing::Replace : Existing::Keep;

    QList<FileRole> files = zgfExportFiles(font, options);
    if (!mCharsFile.isEmpty())
        files.append({QStringLiteral("the characters file"), mCharsFile, false});
    const QByteArray dependencies = mDepfile.isEmpty() ? QByteArray() : dependencyRule(files);
    if (!mDepfile.isEmpty())
        files.append({QStringLiteral("the dependency file"), mDepfile});
    refuseOutputs(files, mForce);
    environment.feedback.setForce(mForce);
    // The export's own message names the characters written as "?".
    if (const QString missing = missingGlyphsNote(missingCharacters(font, document.work()), font.TTFName()); !missing.isEmpty())
        TerminalFeedback::print(missing);
    const bool written = ExportZgfFont(font, document.work(), options, environment.feedback);
    const int status = exitStatus(written, environment.feedback);
    if (status == ExitSuccess && !mDepfile.isEmpty())
        writeOutputs({{mDepfile, dependencies, mForce ? Existing::Replace : Existing::Keep}});
    return status;
}
