#pragma once

#include <QtGlobal>

class TexelFont;

// How the font is post-processed by hand and what alpha mask it carries, as the
// post-processing properties edit it: three nested groups, each counting only while the
// choices above it are made (the increments of a post-processed font, the mask of a
// post-processed font, the shadow values of a shadow mask).
struct PostprocessSettings
{
    bool Postprocessed = false;
    qint16 CharWidthInc = 0;
    qint16 CharHeightInc = 0;
    bool Masked = false;
    bool ShadowMask = false;
    bool InvertMask = true;
    qint16 MaskWidthInc = 0;
    qint16 MaskHeightInc = 0;
    qint16 ShadowOX = 0;
    qint16 ShadowOY = 0;
    qint16 ShadowXPos = 0;
    qint16 ShadowYPos = 0;
    qint32 ShadowColor = 0;

    // The document's settings as they are.
    static PostprocessSettings of(const TexelFont &font);

    bool incrementsCount() const { return Postprocessed; }
    bool maskCounts() const { return Postprocessed && Masked; }
    bool shadowCounts() const { return maskCounts() && ShadowMask; }
};

// Stores the settings in the document: a value of a group that does not count is stored as
// its reset value (so a font without a mask keeps InvertMask true), never as given. The
// names that follow the document then follow the new settings (a post-processed and masked
// font's variable name ends in "_pm").
void applyPostprocessing(TexelFont &font, const PostprocessSettings &settings);
