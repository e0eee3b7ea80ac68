#pragma once

#include <QString>

#include <optional>

class Surface;
class TexelFont;

// A new family, size or style chosen for the document; what is not set stays.
struct FontSelection
{
    std::optional<QString> family;   // as TTFName
    std::optional<QString> fontFile; // absolute; empty for an installed family
    std::optional<float> size;
    std::optional<bool> bold;
    std::optional<bool> italic;
    std::optional<bool> underline;
    std::optional<bool> strikethrough;
};

// The names that follow the font, unless they are custom: Name (only when newFamily), then
// VariableName and GP32FileName.
void refreshDerivedNames(TexelFont &font, bool newFamily);

// Applies choice as the main window and the command line do: the values chosen, then what
// renderer realises of them (a new family: its style and size, a bitmap font drawing the
// nearest of its sizes; a new size: the size on a 96 dpi raster), then the derived names.
// All or nothing: a font the renderer refuses throws its Failure with the document unchanged.
void applyFontChoice(TexelFont &font, const FontSelection &choice, Surface &renderer);
