#include "failure.h"
#include "zgffont.h"
#include "zgftestfont.h"
#include "zgftextlayout.h"

#include <gtest/gtest.h>

namespace {

constexpr Color Red = 0x0000FF;
constexpr Color Blue = 0xFF0000;
constexpr Color Green = 0x00FF00; // the transparent colour

// "A": a 3 x 2 red box, left indent 1. "B": 2 x 2 blue but for its bottom-left pixel,
// left indent -2, right indent 2. " ": one transparent column, right indent 3.
// Character separation 1, line separation 1, default width 4.
ZgfFont layoutFont()
{
    ZgfTestFont wanted;
    wanted.codes = "AB ";
    wanted.widths = {3, 2, 1};
    wanted.leftIndents = {1, -2, 0};
    wanted.rightIndents = {0, 2, 3};
    wanted.height = 2;
    wanted.charSep = 1;
    wanted.lineSep = 1;
    wanted.defaultWidth = 4;
    wanted.transColor = Green;
    wanted.prepareSurfaces();
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x)
            wanted.image.setPixel(x, y, Red);
    }
    wanted.image.setPixel(3, 0, Blue);
    wanted.image.setPixel(4, 0, Blue);
    wanted.image.setPixel(4, 1, Blue);
    return ZgfFont::read(wanted.bytes());
}

struct LayoutCase
{
    const char *name;
    const char16_t *text;
    const char *glyphs; // "index@x,y" separated by spaces
    int width;
    int height;
};

class ZgfTextLayoutTest : public testing::TestWithParam<LayoutCase> {};

TEST_P(ZgfTextLayoutTest, PlacesCellsByIndentsWidthsAndSeparations)
{
    const LayoutCase &c = GetParam();
    const ZgfTextLayout layout(layoutFont(), QString::fromUtf16(c.text));
    QStringList placed;
    for (const ZgfPlacedGlyph &g : layout.glyphs())
        placed.append(QStringLiteral("%1@%2,%3").arg(g.index).arg(g.x).arg(g.y));
    EXPECT_EQ(placed.join(u' '), QLatin1String(c.glyphs));
    EXPECT_EQ(layout.width(), c.width);
    EXPECT_EQ(layout.height(), c.height);
}

INSTANTIATE_TEST_SUITE_P(Texts, ZgfTextLayoutTest, testing::Values(
    LayoutCase{"Empty", u"", "", 0, 0},
    LayoutCase{"One", u"A", "0@1,0", 5, 2},
    LayoutCase{"Pair", u"AB", "0@1,0 1@3,0", 8, 2},
    LayoutCase{"Space", u"A A", "0@1,0 2@5,0 0@11,0", 15, 2},
    // A missing character moves like a space: default width plus separation.
    LayoutCase{"Missing", u"AzA", "0@1,0 0@11,0", 15, 2},
    LayoutCase{"OutsideCodePage", u"A\U0001F600A", "0@1,0 0@11,0", 15, 2},
    LayoutCase{"Lines", u"A\nB", "0@1,0 1@-2,3", 5, 5},
    LayoutCase{"LineBreaks", u"A\r\nA\rA\n", "0@1,0 0@1,3 0@1,6", 5, 11}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(ZgfTextLayout, DrawsCellsOverEachOtherWithTheColourKey)
{
    const ZgfTextLayout layout(layoutFont(), QStringLiteral("AB"));
    const ZgfTextImage image = layout.render();
    ASSERT_EQ(image.width, 8);
    ASSERT_EQ(image.height, 2);
    const quint32 red = 0xffff0000u;
    const quint32 blue = 0xff0000ffu;
    const quint32 rows[2][8] = {{0, red, red, blue, blue, 0, 0, 0},
                                {0, red, red, red, blue, 0, 0, 0}};
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(image.pixel(x, y), rows[y][x]) << x << ',' << y;
    }
    const ZgfTextImage opaque = layout.render(false);
    EXPECT_EQ(opaque.pixel(0, 0), 0xff00ff00u);
    EXPECT_EQ(opaque.pixel(3, 1), red);
}

TEST(ZgfTextLayout, ClipsWhatFallsLeftOfTheImage)
{
    const ZgfTextImage image = ZgfTextLayout(layoutFont(), QStringLiteral("B")).render();
    // B's cell starts at -2: nothing of it is visible, its advance still counts.
    EXPECT_EQ(image.width, 3);
    EXPECT_EQ(image.pixels, QList<quint32>(6, 0u));
}

TEST(ZgfTextLayout, RefusesAnImageBeyondTheSizeLimit)
{
    EXPECT_THROW(ZgfTextLayout(layoutFont(), QString(20000, u'A')), Failure);
}

} // namespace
