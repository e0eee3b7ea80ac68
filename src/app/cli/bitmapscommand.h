#pragma once

#include "documentoptions.h"

#include <QString>

class CommandLine;
struct CommandEnvironment;

// bitmaps PROJECT.tsm: writes the glyph (and mask) images of a post-processed project as
// BMP files for editing by hand, through the routine the export dialog runs.
class BitmapsCommand
{
public:
    static void declare(CommandLine &line);
    explicit BitmapsCommand(const CommandLine &line);
    int run(CommandEnvironment &environment);

private:
    QString mProject;
    DocumentOptions mDocument;
    QString mBitmap;
    QString mMask;
    int mCount = 1;
    bool mForce = false;
};
