#pragma once

#include <QString>

class TexelFont;

// The names the export proposes for the edited images of a post-processed document, read
// from the current folder: VariableName + ".bmp" and VariableName + "_mask.bmp".
QString proposedBitmapFileName(const TexelFont &font);
QString proposedMaskFileName(const TexelFont &font);

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
