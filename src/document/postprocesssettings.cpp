#include "postprocesssettings.h"

#include "fontchoice.h"
#include "texelfont.h"

PostprocessSettings PostprocessSettings::of(const TexelFont &font)
{
    return {font.Postprocessed, font.CharWidthInc, font.CharHeightInc, font.Masked,   font.ShadowMask,
            font.InvertMask,    font.MaskWidthInc, font.MaskHeightInc, font.ShadowOX, font.ShadowOY,
            font.ShadowXPos,    font.ShadowYPos,   font.ShadowColor};
}

void applyPostprocessing(TexelFont &font, const PostprocessSettings &settings)
{
    const PostprocessSettings reset;
    const PostprocessSettings &increments = settings.incrementsCount() ? settings : reset;
    const PostprocessSettings &mask = settings.maskCounts() ? settings : reset;
    const PostprocessSettings &shadow = settings.shadowCounts() ? settings : reset;
    font.Postprocessed = settings.Postprocessed;
    font.CharHeightInc = increments.CharHeightInc;
    font.CharWidthInc = increments.CharWidthInc;
    font.Masked = mask.Masked;
    font.ShadowMask = mask.ShadowMask;
    font.MaskHeightInc = shadow.MaskHeightInc;
    font.MaskWidthInc = shadow.MaskWidthInc;
    font.ShadowOX = shadow.ShadowOX;
    font.ShadowOY = shadow.ShadowOY;
    font.ShadowXPos = shadow.ShadowXPos;
    font.ShadowYPos = shadow.ShadowYPos;
    font.ShadowColor = shadow.ShadowColor;
    font.InvertMask = mask.InvertMask;
    refreshDerivedNames(font, true);
}
