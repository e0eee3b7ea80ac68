#include "editedbitmaps.h"

#include "paths.h"

EditedBitmaps proposedEditedBitmaps(const QString &variableName, const QString &bitmap,
                                    const QString &mask)
{
    EditedBitmaps names;
    names.bitmap = bitmap.isEmpty() ? variableName + QStringLiteral(".bmp") : bitmap;
    names.mask = mask.isEmpty()
        ? GetFolder(names.bitmap) + GetFileNameNoExt(names.bitmap) + QStringLiteral("_mask.bmp")
        : mask;
    return names;
}
