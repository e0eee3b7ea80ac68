#pragma once

#include <QString>

#include <optional>

class TexelFont;

// The names the font carries and its descriptive flags, as the font properties edit them;
// what is not set stays.
struct FontNaming
{
    std::optional<QString> name;         // spaces at both ends dropped; empty: the family's name
    std::optional<QString> variableName; // spaces dropped; empty: the document's own
    std::optional<QString> gp32FileName; // lower-cased, spaces dropped; empty: the document's own
    std::optional<bool> proportional;
    std::optional<bool> serif;
    std::optional<bool> script;

    // The most characters each name field holds.
    static constexpr qsizetype MaxName = 32;
    static constexpr qsizetype MaxVariableName = 64;
    static constexpr qsizetype MaxGP32FileName = 8;
};

// Applies naming: the flags first (the GP32 file name's checksum counts them, so a name
// calculated for the new flags is not custom), then Name, VariableName and GP32FileName
// through their setters, which mark a name custom when it differs from the derived one. A
// name not given follows the ones before it unless it is custom, as in the dialog.
void applyFontNaming(TexelFont &font, const FontNaming &naming);
