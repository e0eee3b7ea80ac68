#include "texelfont.h"
#include "testsurface.h"

#include <gtest/gtest.h>

TEST(TexelFontDefaults, NewDocument)
{
    TexelFont font;
    EXPECT_EQ(font.Name(), QStringLiteral("Arial"));
    EXPECT_EQ(font.VariableName(), QStringLiteral("arial10"));
    EXPECT_EQ(font.GP32FileName(), QStringLiteral("a_100ba6"));
}
