#pragma once

#include "codepage.h"
#include "settingoptions.h"
#include "surface.h"

#include <QString>

#include <optional>

class CommandLine;
class TexelFont;

// The options that change a document before a command uses it: font (installed or from a
// file), size, style, character set and rendering, and the settings of SettingOptions. They
// override what the project (or the new-document defaults) holds, and the derived names
// follow as in the main window: a new family renames the font unless its name was
// customised, and a new family, size or style recalculates the variable and GP32 file names
// unless those were customised.
class DocumentOptions
{
public:
    // Declares the options on a command line.
    static void declare(CommandLine &line);

    // Reads the options of a parsed command line; throws UsageError for a value that is not
    // a size or lies outside a setting's range (see SettingOptions), the file's Failure for a
    // character file that cannot be read or is no regular file, CommandFailure for one above
    // 64 KiB (refused unread) or not UTF-8, and Failure 6 for a character set of more glyphs
    // than a font holds.
    explicit DocumentOptions(const CommandLine &line);

    // Whether no document option was given.
    bool isEmpty() const;
    // The --codepage given, which also reads a ZGF font's codes.
    std::optional<CodePage> codePage() const { return mCodePage; }
    // Whether no option other than --codepage was given.
    bool onlyCodePage() const;
    // Whether applying needs the renderer (to realise a size, or to look up a family).
    bool needsRenderer() const { return mFont.has_value() || mSize.has_value() || mFontFile.has_value(); }

    // Applies the options to the document. The renderer realises a size as the font box
    // does (10 points become 9.75) and may be null when needsRenderer() is false. Throws
    // UsageError for a size the renderer refuses or a bitmap font file lacks (listing its
    // sizes) or a setting that would not count (see SettingOptions::apply), and
    // CommandFailure for a font file that holds no font the renderer reads or not
    // the family asked for. A font file's face gives the style; a style it lacks is
    // synthesised, with a note. A bitmap font kept at a size it does not have gets a note
    // that lists its sizes.
    void apply(TexelFont &font, Surface *renderer) const;

private:
    std::optional<QString> mFont;
    std::optional<QString> mFontFile;
    std::optional<Hinting> mHinting;
    bool mSmooth = false;
    std::optional<float> mSize;
    bool mBold = false;
    bool mItalic = false;
    bool mUnderline = false;
    bool mStrikethrough = false;
    std::optional<QString> mChars;
    bool mAllChars = false;
    std::optional<CodePage> mCodePage;
    SettingOptions mSettings;
};

// Declares --codepage NAME; what it is for ends the description ("The code page of the
// font's character codes").
void declareCodePageOption(CommandLine &line, const QString &purpose);
// The code page of --codepage; nothing when it is not set; UsageError naming the accepted
// names for one this program does not know.
std::optional<CodePage> codePageOption(const CommandLine &line);

// The text of a UTF-8 file: the file's Failure for one that cannot be read or is no regular
// file; CommandFailure for one above maxSize bytes (refused unread: "PATH holds N bytes; " +
// limit, its %1 the size) or not UTF-8.
QString utf8FileText(const QString &path, qint64 maxSize, const QString &limit);

// A character set as typed or read from a file: LF and lone CR become the CR LF that
// separates the set's rows, and one line end at the very end is dropped.
QString characterSetFromText(const QString &text);

// The colour as "RRGGBB", hexadecimal in upper case.
QString colorToHex(Color color);

// The colour of "RRGGBB" (or "#RRGGBB"), hexadecimal, as 0x00BBGGRR; nothing otherwise.
std::optional<Color> colorFromHex(const QString &text);
// The colour of the option's value; UsageError naming the option for one that is no colour.
Color colorOption(const CommandLine &line, const QString &name);
