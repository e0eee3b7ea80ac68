#pragma once

#include "codepage.h"
#include "surface.h"

#include <QString>

#include <optional>

class CommandLine;
struct CommandEnvironment;

// render FONT.zgf -o OUT.png: draws a ZGF font with the reader, for looking at it: the
// glyph image or the mask as stored, or a text as a GP32 program draws it with the font.
class RenderCommand
{
public:
    static void declare(CommandLine &line);
    explicit RenderCommand(const CommandLine &line);
    int run(CommandEnvironment &environment);

private:
    QString mFont;
    QString mOutput;
    std::optional<QString> mText;
    bool mMask = false;
    int mScale = 1;
    // The colour behind a text; a checker board when not set.
    std::optional<Color> mBackground;
    bool mForce = false;
    CodePage mCodePage = CodePage::Windows1252;
};
