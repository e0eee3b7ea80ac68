#include "postprocessnames.h"

#include "texelfont.h"

QString proposedBitmapFileName(const TexelFont &font)
{
    return font.VariableName() + QStringLiteral(".bmp");
}

QString proposedMaskFileName(const TexelFont &font)
{
    return font.VariableName() + QStringLiteral("_mask.bmp");
}
