#include "postprocesssettings.h"
#include "texelfont.h"

#include <gtest/gtest.h>

namespace {

// Every setting, in the order of the struct, as one line.
std::string stored(const TexelFont &f)
{
    return QStringLiteral("%1 %2,%3 %4 %5 %6 %7,%8 %9,%10 %11,%12 %13")
        .arg(f.Postprocessed)
        .arg(f.CharWidthInc)
        .arg(f.CharHeightInc)
        .arg(f.Masked)
        .arg(f.ShadowMask)
        .arg(f.InvertMask)
        .arg(f.MaskWidthInc)
        .arg(f.MaskHeightInc)
        .arg(f.ShadowOX)
        .arg(f.ShadowOY)
        .arg(f.ShadowXPos)
        .arg(f.ShadowYPos)
        .arg(f.ShadowColor, 0, 16)
        .toStdString();
}

} // namespace

// The post-processing dialog and the command line store what counts and reset the rest: the
// increments count for a post-processed font, the mask for a post-processed masked one, the
// shadow values for a shadow mask. The derived variable name follows.
TEST(PostprocessSettingsTest, WhatDoesNotCountIsReset)
{
    struct Case
    {
        const char *what;
        bool postprocessed, masked, shadow;
        std::string expected, variableName;
    };
    const Case cases[] = {
        {"not post-processed", false, true, true, "0 0,0 0 0 1 0,0 0,0 0,0 0", "arial10"},
        {"post-processed without mask", true, false, true, "1 3,4 0 0 1 0,0 0,0 0,0 0", "arial10_p"},
        {"generic mask", true, true, false, "1 3,4 1 0 0 0,0 0,0 0,0 0", "arial10_pm"},
        {"shadow mask", true, true, true, "1 3,4 1 1 0 -1,-2 5,6 -7,8 102030", "arial10_pm"},
    };
    for (const Case &c : cases) {
        const PostprocessSettings settings{c.postprocessed, 3, 4, c.masked, c.shadow, false, -1, -2, 5, 6, -7, 8,
                                           0x102030};
        TexelFont font;
        applyPostprocessing(font, settings);
        EXPECT_EQ(stored(font), c.expected) << c.what;
        EXPECT_EQ(font.VariableName().toStdString(), c.variableName) << c.what;
    }
}

TEST(PostprocessSettingsTest, CustomNamesStay)
{
    TexelFont font;
    font.setVariableName(QStringLiteral("title"));
    font.setGP32FileName(QStringLiteral("title"));
    applyPostprocessing(font, {true});
    EXPECT_EQ(font.VariableName(), QStringLiteral("title"));
    EXPECT_EQ(font.GP32FileName(), QStringLiteral("title"));
}
