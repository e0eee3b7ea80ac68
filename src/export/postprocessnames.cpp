#include "postprocessnames.h"

#include "paths.h"
#include "texelfont.h"

// The names come from the document, which a project file sets: they name a file, never a
// folder.
QString proposedBitmapFileName(const TexelFont &font)
{
    return safeFileName(font.VariableName()) + QStringLiteral(".bmp");
}

QString proposedZgfFileName(const TexelFont &font)
{
    return safeFileName(font.GP32FileName()) + QStringLiteral(".zgf");
}

QString proposedCFileName(const TexelFont &font)
{
    return safeFileName(font.VariableName()) + QStringLiteral(".h");
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
