#pragma once

#include "codepage.h"

#include <QString>

class CommandLine;
struct CommandEnvironment;

// to-c FILE: writes a ZGF font (or any other file) as C source, with the names and the
// generators the converter window uses.
class ToCCommand
{
public:
    static void declare(CommandLine &line);
    explicit ToCCommand(const CommandLine &line);
    int run(CommandEnvironment &environment);

private:
    QString mSource;
    QString mOutput;
    QString mName;
    bool mSplit = false;
    bool mForce = false;
    CodePage mCodePage = CodePage::Windows1252;
};
