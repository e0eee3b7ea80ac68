#pragma once

#include "codepage.h"

#include <QString>

class CommandLine;
struct CommandEnvironment;
struct TextDefinition;

// text [--codepage CP] [--font FONT.zgf] TEXT: the text as a C string literal in the code
// page, printed; text -f STRINGS.txt [-o OUT.h]: the file's "KEY=text" lines as "#define"
// lines. Characters without a code in the page, and with --font those the font has no glyph
// for, fail the command, named, and nothing is written.
class TextCommand
{
public:
    static void declare(CommandLine &line);
    explicit TextCommand(const CommandLine &line);
    int run(CommandEnvironment &environment);

private:
    QList<TextDefinition> definitions() const;
    void refuseWhatCannotBeDrawn(const QList<TextDefinition> &definitions) const;

    QString mText;
    QString mFile;
    QString mOutput;
    QString mFont;
    CodePage mCodePage = CodePage::Windows1252;
    bool mForce = false;
};
