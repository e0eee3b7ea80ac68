#include "bitmapscommand.h"

#include "command.h"
#include "commanddocument.h"
#include "commandline.h"
#include "postprocessnames.h"
#include "postprocessbitmaps.h"
#include "terminalfeedback.h"

void BitmapsCommand::declare(CommandLine &line)
{
    line.addArgument(QStringLiteral("PROJECT.tsm"), QStringLiteral("A post-processed project."));
    line.addValueOption({QStringLiteral("bitmap")}, QStringLiteral("FILE"),
                        QStringLiteral("The glyph image (default: the variable name + .bmp)."));
    line.addValueOption({QStringLiteral("mask")}, QStringLiteral("FILE"),
                        QStringLiteral("The mask image of a masked project "
                                       "(default: the bitmap's name + _mask.bmp)."));
    line.addValueOption({QStringLiteral("split")}, QStringLiteral("N"),
                        QStringLiteral("Also distribute the characters over N partial images, "
                                       "FILE1.bmp to FILEN.bmp (2 to 255)."));
    line.addFlag(QStringLiteral("force"), QStringLiteral("Overwrite existing files."));
    DocumentOptions::declare(line);
}

BitmapsCommand::BitmapsCommand(const CommandLine &line)
    : mProject(line.argument(0)),
      mDocument(line),
      mBitmap(line.value(QStringLiteral("bitmap"))),
      mMask(line.value(QStringLiteral("mask"))),
      mCount(line.intValue(QStringLiteral("split"), 1, 255, 1)),
      mForce(line.isSet(QStringLiteral("force")))
{
}

int BitmapsCommand::run(CommandEnvironment &environment)
{
    CommandDocument document(environment, mProject, mDocument);
    TexelFont &font = document.font();
    if (!font.Postprocessed) {
        throw CommandFailure{QStringLiteral("%1 is not post-processed: bitmaps for editing are "
                                            "written for post-processed fonts only.")
                                 .arg(mProject)};
    }

    const EditedBitmaps names = proposedEditedBitmaps(font, mBitmap, mMask);
    PostprocessOptions options;
    options.bitmapFileName = names.bitmap;
    options.maskFileName = font.Masked ? names.mask : QString();
    options.count = mCount;
    options.existing = mForce ? Existing::Replace : Existing::Keep;

    refuseOutputs(postprocessFiles(font, options), mForce);
    environment.feedback.setForce(mForce);
    const bool written = ExportPostprocessBitmaps(font, document.work(), options, environment.feedback);
    return exitStatus(written, environment.feedback);
}
