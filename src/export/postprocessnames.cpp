#include "postprocessnames.h"

#include "paths.h"
#include "texelfont.h"

QString proposedBitmapFileName(const TexelFont &font)
{
    return font.VariableName() + QStringLiteral(".bmp");
}

QString proposedMaskFileName(const TexelFont &font)
{
    return maskFileNameBeside(proposedBitmapFileName(font));
}

QString maskFileNameBeside(const QString &bitmapFileName)
{
    return GetFolder(bitmapFileName) + GetFileNameNoExt(bitmapFileName) + QStringLiteral("_mask.bmp");
}

EditedBitmaps proposedEditedBitmaps(const TexelFont &font, const QString &bitmap, const QString &mask)
{
    EditedBitmaps names;
    names.bitmap = bitmap.isEmpty() ? proposedBitmapFileName(font) : bitmap;
    names.mask = mask.isEmpty() ? maskFileNameBeside(names.bitmap) : mask;
    return names;
}
