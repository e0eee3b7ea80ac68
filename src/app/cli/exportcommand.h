#pragma once

#include "documentoptions.h"

#include <QString>

class CommandLine;
struct CommandEnvironment;

// export [PROJECT.tsm]: writes the document as a ZGF font, and its C source when asked,
// through the export the dialog runs.
class ExportCommand
{
public:
    static void declare(CommandLine &line);
    explicit ExportCommand(const CommandLine &line);
    int run(CommandEnvironment &environment);

private:
    QString mProject;
    DocumentOptions mDocument;
    QString mOutput;
    bool mRaw = false;
    QString mCFile;
    bool mSplit = false;
    QString mBitmap;
    QString mMask;
    bool mForce = false;
    QString mDepfile;
    QString mCharsFile;
};
