#pragma once

#include <QString>

class TexelFont;

// The names the export proposes for the edited images of a post-processed document, read
// from the current folder: VariableName + ".bmp" and VariableName + "_mask.bmp".
QString proposedBitmapFileName(const TexelFont &font);
QString proposedMaskFileName(const TexelFont &font);
