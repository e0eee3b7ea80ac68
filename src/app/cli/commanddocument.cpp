#include "commanddocument.h"

#include "command.h"
#include "commanderrors.h"
#include "documentoptions.h"
#include "guisession.h"
#include "measuredfont.h"
#include "terminalfeedback.h"

CommandDocument::CommandDocument(CommandEnvironment &environment, const QString &projectPath,
                                 const DocumentOptions &options)
{
    environment.gui.start();
    mMeasure.emplace();
    mWork.emplace();
    if (!projectPath.isEmpty() && !mFont.Load(projectPath, environment.feedback, &*mMeasure))
        throw CommandFailure{};
    options.apply(mFont, &*mWork);
    // Before a command measures a glyph: a set no font holds would only cost time and memory.
    TexelFont::checkGlyphCount(mFont.Chars());
}

const GlyphMeasurement &CommandDocument::measurement()
{
    return remeasured(mMeasured, mFont, *mMeasure);
}
