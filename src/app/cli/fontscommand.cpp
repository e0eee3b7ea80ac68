#include "fontscommand.h"

#include "command.h"
#include "fontfamilies.h"
#include "guisession.h"
#include "terminalfeedback.h"

void FontsCommand::declare(CommandLine &)
{
}

FontsCommand::FontsCommand(const CommandLine &)
{
}

int FontsCommand::run(CommandEnvironment &environment)
{
    environment.gui.start();
    for (const QString &family : installedFontFamilies())
        writeResultLine(family);
    return exitStatus(true, environment.feedback);
}
