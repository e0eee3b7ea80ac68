#pragma once

#include <QString>

// The edited images of a post-processed document, named as the export dialog proposes them.
struct EditedBitmaps
{
    QString bitmap;
    QString mask;
};

// The names given, the proposed ones where a name is empty: the bitmap VariableName +
// ".bmp", the mask beside the bitmap with "_mask" added to its name.
EditedBitmaps proposedEditedBitmaps(const QString &variableName, const QString &bitmap,
                                    const QString &mask);
