#pragma once

#include <QString>

class TexelFont;

// The names the export proposes, without a folder: for the edited images of a
// post-processed document VariableName + ".bmp" and VariableName + "_mask.bmp", for the font
// GP32FileName + ".zgf", for its C source VariableName + ".h". Each name is made a safe
// file name (see safeFileName), so a project's names never choose a folder.
QString proposedBitmapFileName(const TexelFont &font);
QString proposedMaskFileName(const TexelFont &font);
QString proposedZgfFileName(const TexelFont &font);
QString proposedCFileName(const TexelFont &font);

// The mask beside an edited glyph bitmap: "/w/glyphs.bmp" gives "/w/glyphs_mask.bmp".
QString maskFileNameBeside(const QString &bitmapFileName);

// The edited images of a post-processed document.
struct EditedBitmaps
{
    QString bitmap;
    QString mask;
};

// The names given, the proposed ones where a name is empty: the bitmap as proposed, the
// mask beside the bitmap.
EditedBitmaps proposedEditedBitmaps(const TexelFont &font, const QString &bitmap = QString(),
                                    const QString &mask = QString());
