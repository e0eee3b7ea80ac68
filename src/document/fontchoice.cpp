#include "fontchoice.h"

#include "surface.h"
#include "texelfont.h"

void refreshDerivedNames(TexelFont &font, bool newFamily)
{
    if (newFamily && !font.CustomName)
        font.setName(font.familyName());
    if (!font.CustomVariableName)
        font.setVariableName(font.CalculateVariableName());
    if (!font.CustomGP32FileName)
        font.setGP32FileName(font.CalculateGP32FileName());
}

void applyFontChoice(TexelFont &font, const FontSelection &choice, Surface &renderer)
{
    TexelFont chosen(font);
    if (choice.fontFile)
        chosen.setFontFile(*choice.fontFile);
    if (choice.family)
        chosen.setTTFName(*choice.family);
    if (choice.bold)
        chosen.setBold(*choice.bold);
    if (choice.italic)
        chosen.setItalic(*choice.italic);
    if (choice.underline)
        chosen.setUnderline(*choice.underline);
    if (choice.strikethrough)
        chosen.setStrikethrough(*choice.strikethrough);
    if (choice.size)
        chosen.setSize(*choice.size);

    const bool newFamily = choice.family || choice.fontFile;
    if (newFamily || choice.size) {
        renderer.setFont(chosen.surfaceFont());
        const SurfaceFont realised = renderer.font();
        chosen.setSize(realised.size);
        if (newFamily) {
            chosen.setBold(realised.bold);
            chosen.setItalic(realised.italic);
            chosen.setStrikethrough(realised.strikethrough);
            chosen.setUnderline(realised.underline);
        }
    }
    refreshDerivedNames(chosen, newFamily);
    font = std::move(chosen);
}
