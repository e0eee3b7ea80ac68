#include "failure.h"
#include "testsurface.h"
#include "texelfont.h"

#include <gtest/gtest.h>

namespace {

using Glyph = TestSurface::Glyph;

QString crlf(std::initializer_list<const char *> rows)
{
    QStringList parts;
    for (const char *row : rows)
        parts.append(QString::fromUtf8(row));
    return parts.join(QStringLiteral("\r\n"));
}

// Inclusive ink bounds of the pixels in columns [x0, x1) that differ from the background.
struct Box
{
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
};

Box inkBox(const Surface &s, int x0, int x1)
{
    Box b;
    const quint32 back = pixelFromColor(s.backColor());
    for (int y = 0; y < s.height(); ++y) {
        for (int x = std::max(x0, 0); x < std::min(x1, s.width()); ++x) {
            if (s.scanLine(y)[x] != back) {
                b.left = std::min(b.left, x);
                b.right = std::max(b.right, x);
                b.top = std::min(b.top, y);
                b.bottom = std::max(b.bottom, y);
            }
        }
    }
    return b;
}

} // namespace

TEST(TexelFontNames, NewDocumentDefaults)
{
    TexelFont font;
    EXPECT_EQ(font.Name(), QStringLiteral("Arial"));
    EXPECT_EQ(font.TTFName(), QStringLiteral("Arial"));
    EXPECT_FLOAT_EQ(font.Size(), 9.75f);
    EXPECT_EQ(font.VariableName(), QStringLiteral("arial10"));
    EXPECT_EQ(font.GP32FileName(), QStringLiteral("a_100ba6"));
    EXPECT_FALSE(font.CustomName);
    EXPECT_FALSE(font.CustomVariableName);
    EXPECT_FALSE(font.CustomGP32FileName);
    EXPECT_EQ(font.SampleText, font.Chars());
    EXPECT_EQ(font.TransColor, 0x00FF00);
    EXPECT_TRUE(font.InvertMask);
    EXPECT_TRUE(font.Proportional);
    EXPECT_TRUE(font.Obsolete);
    EXPECT_TRUE(font.glyphs().isEmpty());

    const QString glyphs = TexelFont::glyphSequence(font.Chars());
    EXPECT_EQ(glyphs.size(), 130);
    EXPECT_EQ(font.Chars().count(QStringLiteral("\r\n")), 6);
    EXPECT_TRUE(glyphs.contains(QChar(0x20AC)));
    EXPECT_TRUE(glyphs.endsWith(QChar(0x00F1)));
}

TEST(TexelFontNames, WorkedExamples)
{
    TexelFont font;
    font.setName(QStringLiteral("Times New Roman"));
    font.setSize(12);
    font.setBold(true);
    font.Postprocessed = true;
    font.Masked = true;
    EXPECT_EQ(font.CalculateVariableName(), QStringLiteral("timesNewRoman12b_pm"));

    TexelFont sans;
    sans.setSize(8.25f);
    EXPECT_EQ(sans.CalculateVariableName(QStringLiteral("MS Sans Serif")), QStringLiteral("mSSansSerif8"));

    TexelFont times;
    times.setTTFName(QStringLiteral("Times New Roman"));
    times.setName(QStringLiteral("Times New Roman"));
    times.setSize(12);
    times.setBold(true);
    times.Serif = true;
    times.setVariableName(QStringLiteral("timesNewRoman12b"));
    EXPECT_FALSE(times.CustomVariableName);
    EXPECT_EQ(times.CalculateGP32FileName(), QStringLiteral("tn1219c6"));
}

TEST(TexelFontNames, SizeRoundingInNames)
{
    TexelFont font;
    const std::pair<float, const char *> cases[] = {
        {9.75f, "a_10"}, {8.25f, "a_09"}, {7.75f, "a_08"}, {11.25f, "a_12"}, {99.75f, "a_100"}};
    for (const auto &[size, prefix] : cases) {
        font.setSize(size);
        EXPECT_TRUE(font.CalculateGP32FileName().startsWith(QLatin1String(prefix))) << size;
    }
    font.setSize(8.25f);
    EXPECT_EQ(font.CalculateVariableName(), QStringLiteral("arial8"));
    font.setSize(11.25f);
    EXPECT_EQ(font.CalculateVariableName(), QStringLiteral("arial11"));
}

TEST(TexelFontNames, CustomFlagRules)
{
    TexelFont font;
    font.setName(QStringLiteral("arial"));
    EXPECT_TRUE(font.CustomName) << "case differs";
    font.setName(QStringLiteral("Arial"));
    EXPECT_FALSE(font.CustomName);

    font.setVariableName(QStringLiteral("MY FONT"));
    EXPECT_EQ(font.VariableName(), QStringLiteral("myfont"));
    EXPECT_TRUE(font.CustomVariableName);
    font.setVariableName(QStringLiteral("My Font"));
    EXPECT_EQ(font.VariableName(), QStringLiteral("myFont"));
    font.setVariableName(font.CalculateVariableName());
    EXPECT_FALSE(font.CustomVariableName);

    font.setGP32FileName(QStringLiteral("My Fnt"));
    EXPECT_EQ(font.GP32FileName(), QStringLiteral("myfnt"));
    EXPECT_TRUE(font.CustomGP32FileName);
    font.setGP32FileName(font.CalculateGP32FileName());
    EXPECT_FALSE(font.CustomGP32FileName);
}

TEST(TexelFontNames, GP32PrefixAndFlags)
{
    TexelFont font;
    EXPECT_TRUE(font.CalculateGP32FileName(QStringLiteral("Comic Sans MS")).startsWith(QLatin1String("cs")));
    EXPECT_TRUE(font.CalculateGP32FileName(QStringLiteral("  Tahoma  ")).startsWith(QLatin1String("t_")));
    // Proportional 0 drops the word from the checksum even though the document is proportional.
    EXPECT_NE(font.CalculateGP32FileName(QString(), QString(), 0), font.GP32FileName());
    EXPECT_EQ(font.CalculateGP32FileName(QString(), QString(), -1), font.GP32FileName());
    EXPECT_EQ(font.CalculateGP32FileName(QString(), QString(), 1), font.GP32FileName());
}

TEST(TexelFontNames, GP32NameHasNoSpacesAndFourHexDigits)
{
    TexelFont font;
    // The character after the first space is a second space: it is dropped, and the
    // stored name then equals the calculated one, so it is not marked custom.
    font.setName(QStringLiteral("A  B"));
    const QString calculated = font.CalculateGP32FileName();
    EXPECT_FALSE(calculated.contains(QLatin1Char(' ')));
    font.setGP32FileName(calculated);
    EXPECT_FALSE(font.CustomGP32FileName);

    font.setName(QString(400, QLatin1Char('z'))); // checksum well above 0xFFFF
    EXPECT_EQ(font.CalculateGP32FileName().size(), 8);
}

TEST(TexelFontChars, GlyphSequenceRules)
{
    EXPECT_EQ(TexelFont::glyphSequence(crlf({"AA", "A"})), QStringLiteral("AAA"));
    EXPECT_EQ(TexelFont::glyphSequence(QStringLiteral("a\rb\nc")), QStringLiteral("a\rb\nc"));

    TexelFont font;
    TestSurface surface;
    font.setMeasuringSurface(&surface);
    font.DefaultHeight();
    EXPECT_FALSE(font.Obsolete);
    font.SetCharsToDefault();
    EXPECT_TRUE(font.Obsolete) << "even when the set was already the default";
    font.Color = 0x123456;
    font.setName(QStringLiteral("Other"));
    font.DefaultHeight();
    font.TransColor = 1;
    EXPECT_FALSE(font.Obsolete) << "colours and names do not invalidate measurements";
}

class TexelFontMeasure : public ::testing::Test
{
protected:
    TestSurface surface{15, 4};
    TexelFont font{&surface};
};

TEST_F(TexelFontMeasure, UnionOfInkBoxes)
{
    surface.setGlyph(QLatin1Char('a'), Glyph{6, 1, 2, 4, 8});  // rows 2..9
    surface.setGlyph(QLatin1Char('b'), Glyph{6, 0, 3, 5, 10}); // rows 3..12
    surface.setGlyph(QLatin1Char('c'), Glyph{6, 2, 5, 3, 6});  // rows 5..10
    font.setChars(QStringLiteral("a b\r\nc "));

    EXPECT_EQ(font.GetFontTop(), 2);
    EXPECT_EQ(font.GetFontHeight(), 11);
    EXPECT_EQ(font.DefaultHeight(), 11);
    EXPECT_EQ(font.DefaultWidth(), 4);
    EXPECT_EQ(font.LineSep(), 4);
    ASSERT_EQ(font.glyphs().size(), 5);

    const Char a = font.glyphs().at(0);
    EXPECT_EQ(a, (Char{8, 1, 15, 6, 2, 4}));
    const Char space = font.glyphs().at(1);
    EXPECT_EQ(space, (Char{0, 0, 15, 4, 0, 0}));
    EXPECT_EQ(quint8(font.CharRightIndents().at(1)), 4) << "a space's right indent is its advance";
    EXPECT_EQ(quint8(font.CharRightIndents().at(0)), 1);
}

TEST_F(TexelFontMeasure, MissingGlyphsAreListedOnce)
{
    surface.setMissing(QStringLiteral("\u2603x"));
    font.setChars(QStringLiteral("ax\u2603\r\nx"));
    EXPECT_EQ(font.missingGlyphs(), QStringLiteral("x\u2603"));
}

TEST_F(TexelFontMeasure, InkBeyondTheSurfaceIsCut)
{
    surface.setGlyph(QLatin1Char('o'), Glyph{6, -10, 2, 20, 30});
    font.setChars(QStringLiteral("o"));
    const Char o = font.glyphs().isEmpty() ? (font.DefaultHeight(), font.glyphs().at(0)) : Char{};
    EXPECT_EQ(o.Left, -4) << "never left of one space width";
    EXPECT_EQ(o.Width, 6 + 2 * 4);
    EXPECT_EQ(o.Height, 13) << "cut at the line height";
}

TEST_F(TexelFontMeasure, NegativeLeftIsStoredAsTwosComplement)
{
    surface.setGlyph(QLatin1Char('f'), Glyph{5, -2, 1, 6, 9});
    font.setChars(QStringLiteral("f"));
    font.DefaultHeight();
    EXPECT_EQ(font.glyphs().at(0).Left, -2);
    EXPECT_EQ(quint8(font.CharLeftIndents().at(0)), 254);
    EXPECT_EQ(quint8(font.CharRightIndents().at(0)), 1);
}

TEST_F(TexelFontMeasure, EmptyAndInklessSets)
{
    font.setChars(QString());
    EXPECT_EQ(font.GetFontTop(), -1);
    EXPECT_EQ(font.GetFontHeight(), 0);
    EXPECT_EQ(font.DefaultHeight(), 0);
    EXPECT_EQ(font.LineSep(), 15);
    EXPECT_EQ(font.ZgfGetBitmapWidth(), 0);

    font.setChars(QStringLiteral("abc"));
    font.Color = font.TransColor;
    font.setBold(true); // any look change: measure again
    EXPECT_EQ(font.GetFontTop(), -1);
    for (const Char &g : font.glyphs())
        EXPECT_FALSE(g.hasInk());
}

TEST_F(TexelFontMeasure, IncrementsApplyWithoutMeasuringAgain)
{
    font.setChars(QStringLiteral("ab"));
    font.DefaultHeight();
    const int drawsBefore = surface.drawCount();
    font.CharWidthInc = 3;
    EXPECT_EQ(font.ZgfDefaultWidth(), 7);
    EXPECT_EQ(font.ZgfMaxCharWidth(), 7);
    EXPECT_EQ(font.ZgfCharWidths(), QByteArray("\x07\x07"));
    EXPECT_EQ(surface.drawCount(), drawsBefore);
}

TEST_F(TexelFontMeasure, OverflowFailsWithoutPartialResult)
{
    font.setChars(QStringLiteral("ab"));
    font.DefaultHeight();
    font.CharWidthInc = 252; // 4 + 252 > 255
    try {
        font.ZgfCharWidths();
        FAIL() << "expected Overflow";
    } catch (const Failure &f) {
        EXPECT_EQ(f.number, Failure::Overflow);
        EXPECT_EQ(f.message(), QStringLiteral("6: Overflow"));
    }
    font.CharWidthInc = -5;
    EXPECT_THROW(font.ZgfCharWidths(), Failure);

    font.CharWidthInc = 32767;
    font.setChars(QStringLiteral("abc"));
    EXPECT_THROW(font.ZgfGetBitmapWidth(), Failure);

    TexelFont unmeasured;
    EXPECT_THROW(unmeasured.DefaultHeight(), Failure) << "no surface to measure on";
}

class TexelFontStrip : public TexelFontMeasure
{
protected:
    void SetUp() override
    {
        // Widths 5, 3, 7; tops 2, 4, 3; font top 2 and DefaultHeight 12.
        for (TestSurface *s : {&surface, &strip}) {
            s->setGlyph(QLatin1Char('a'), Glyph{7, 1, 2, 5, 12});
            s->setGlyph(QLatin1Char('b'), Glyph{5, 1, 4, 3, 5});
            s->setGlyph(QLatin1Char('c'), Glyph{9, 1, 3, 7, 8});
        }
        font.setChars(QStringLiteral("abc"));
        font.CharWidthInc = 2;
        font.CharHeightInc = 3;
    }
    TestSurface strip{15, 4};
};

TEST_F(TexelFontStrip, GlyphStripLayout)
{
    EXPECT_EQ(font.DefaultHeight(), 12);
    EXPECT_EQ(font.GetFontTop(), 2);
    font.ZgfGenerateBitmap(strip);
    EXPECT_EQ(strip.width(), 21);
    EXPECT_EQ(strip.height(), 15);
    EXPECT_EQ(strip.backColor(), font.TransColor);

    const int cells[][2] = {{0, 7}, {7, 12}, {12, 21}};
    const int inkLeft[] = {1, 8, 13};
    const int inkTop[] = {1, 3, 2}; // font top on row 1, each glyph keeps its offset
    for (int i = 0; i < 3; ++i) {
        const Box b = inkBox(strip, cells[i][0], cells[i][1]);
        EXPECT_EQ(b.left, inkLeft[i]) << i;
        EXPECT_EQ(b.top, inkTop[i]) << i;
    }
    EXPECT_EQ(inkBox(strip, 0, 21).bottom, 12) << "two rows of the increment below the ink";
}

TEST_F(TexelFontStrip, MaskStripLayout)
{
    font.Masked = true;
    font.MaskWidthInc = 4;
    font.MaskHeightInc = 2;
    EXPECT_EQ(font.ZgfGetMaskWidth(), 33);
    EXPECT_EQ(font.ZgfGetMaskHeight(), 17);
    font.ZgfGenerateMask(strip);
    EXPECT_EQ(strip.width(), 33);
    EXPECT_EQ(strip.height(), 17);
    EXPECT_EQ(strip.backColor(), 0xFFFFFF) << "inverted mask: black on white";
    EXPECT_EQ(strip.foreColor(), 0);
    const int cells[][2] = {{0, 11}, {11, 20}, {20, 33}};
    const int inkLeft[] = {3, 14, 23};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(inkBox(strip, cells[i][0], cells[i][1]).left, inkLeft[i]) << i;
    EXPECT_EQ(inkBox(strip, 0, 33).top, 2);

    font.InvertMask = false;
    font.ZgfGenerateMask(strip);
    EXPECT_EQ(strip.backColor(), 0);
    EXPECT_EQ(strip.foreColor(), 0xFFFFFF);

    font.Masked = false;
    EXPECT_EQ(font.ZgfGetMaskWidth(), 0);
    EXPECT_EQ(font.ZgfGetMaskHeight(), 0);
    font.ZgfGenerateMask(strip);
    EXPECT_EQ(strip.width(), 0);
}

TEST_F(TexelFontStrip, CountAndFromDealGlyphs)
{
    font.CharWidthInc = 0;
    font.setChars(QStringLiteral("abcabca"));
    TestSurface full{15, 4};
    for (const char c : {'a', 'b', 'c'})
        full.setGlyph(QLatin1Char(c), strip.glyph(QLatin1Char(c)));
    font.ZgfGenerateBitmap(full);
    font.ZgfGenerateBitmap(strip, 3, 2);
    EXPECT_EQ(strip.drawCount(), 2) << "glyphs 2 and 5 only";
    // Glyph 2 starts at column 5 and glyph 5 at 5+3+7+5 = 20, as in the full strip.
    for (const int x : {5, 20})
        EXPECT_EQ(inkBox(strip, x, x + 3).left, inkBox(full, x, x + 3).left);
    EXPECT_EQ(inkBox(strip, 0, 5).right, -1) << "glyph 1 left as background";

    EXPECT_THROW(font.ZgfGenerateBitmap(strip, 0, 1), Failure);
}

TEST_F(TexelFontStrip, NegativeIncrementsNarrowTheCells)
{
    font.setChars(QStringLiteral("aa"));
    font.CharWidthInc = -3;
    font.CharHeightInc = 0;
    EXPECT_EQ(font.ZgfGetBitmapWidth(), 4);
    EXPECT_EQ(font.ZgfCharWidths(), QByteArray("\x02\x02"));
    font.ZgfGenerateBitmap(strip);
    // Two columns before the ink, one after: the first glyph starts at -2, the second at 0.
    EXPECT_EQ(inkBox(strip, 0, 4).left, 0);
    EXPECT_EQ(inkBox(strip, 0, 4).right, 3);
}

TEST_F(TexelFontStrip, GPSizeRoundsUpToEight)
{
    EXPECT_EQ(font.ZgfGetBitmapWidth(true), 24);
    EXPECT_EQ(font.ZgfGetBitmapHeight(true), 16);
}
