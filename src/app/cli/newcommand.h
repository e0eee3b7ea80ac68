#pragma once

#include "documentoptions.h"

#include <QString>

class CommandLine;
struct CommandEnvironment;

// new -o PROJECT.tsm: saves the new-document defaults, changed by the document options, as
// a project file.
class NewCommand
{
public:
    static void declare(CommandLine &line);
    explicit NewCommand(const CommandLine &line);
    int run(CommandEnvironment &environment);

private:
    DocumentOptions mDocument;
    QString mOutput;
    bool mForce = false;
};
