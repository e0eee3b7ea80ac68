#pragma once

#include "documentoptions.h"

#include <QString>

class CommandLine;
struct CommandEnvironment;

// info [FILE]: what a project (recognised by its signature) or a ZGF font (recognised by its
// header) holds, or without a file the new-document defaults; readable text or JSON.
class InfoCommand
{
public:
    static void declare(CommandLine &line);
    explicit InfoCommand(const CommandLine &line);
    int run(CommandEnvironment &environment);

private:
    QString mFile;
    DocumentOptions mDocument;
    QString mBitmap;
    QString mMask;
    bool mJson = false;
};
