#include "newcommand.h"

#include "command.h"
#include "commandline.h"
#include "guisession.h"
#include "rastersurface.h"
#include "terminalfeedback.h"
#include "texelfont.h"
#include "zgfexport.h"

#include <optional>

void NewCommand::declare(CommandLine &line)
{
    line.addValueOption({QStringLiteral("o"), QStringLiteral("output")}, QStringLiteral("PROJECT.tsm"),
                        QStringLiteral("The project file to write (required)."));
    line.addFlag(QStringLiteral("force"), QStringLiteral("Overwrite an existing file."));
    DocumentOptions::declare(line);
}

NewCommand::NewCommand(const CommandLine &line)
    : mDocument(line), mOutput(line.value(QStringLiteral("output"))), mForce(line.isSet(QStringLiteral("force")))
{
    if (mOutput.trimmed().isEmpty())
        throw UsageError{QStringLiteral("new needs -o PROJECT.tsm.")};
}

int NewCommand::run(CommandEnvironment &environment)
{
    TexelFont font;
    // Only a size to realise or a family to look up needs the renderer.
    std::optional<RasterSurface> renderer;
    if (mDocument.needsRenderer()) {
        environment.gui.start();
        renderer.emplace();
    }
    mDocument.apply(font, renderer ? &*renderer : nullptr);

    const QString path = completedFileName(mOutput, QStringLiteral(".tsm"));
    refuseOutputs({{QStringLiteral("the project file"), path}}, mForce);
    font.setFilename(path);
    return exitStatus(font.Save(environment.feedback, mForce ? Existing::Replace : Existing::Keep),
                      environment.feedback);
}
