#include "cidentifier.h"
#include "documenttesting.h"
#include "failure.h"
#include "measuredfont.h"
#include "testsurface.h"

#include <functional>

using Glyph = TestSurface::Glyph;

namespace {

// Name, TTFName, VariableName, GP32FileName and which of them are custom (N, V, G).
std::string names(const TexelFont &f)
{
    return QStringList{f.Name(), f.TTFName(), f.VariableName(), f.GP32FileName()}.join(QLatin1Char(' ')).toStdString()
        + ' ' + (f.CustomName ? 'N' : '-') + (f.CustomVariableName ? 'V' : '-') + (f.CustomGP32FileName ? 'G' : '-');
}

} // namespace

TEST(TexelFontNames, DefaultsAndCalculatedNames)
{
    TexelFont font;
    EXPECT_EQ(names(font), "Arial Arial arial10 a_100ba6 ---");
    EXPECT_FLOAT_EQ(font.Size(), 9.75f);
    const QString glyphs = TexelFont::glyphSequence(font.Chars());
    EXPECT_EQ(glyphs.size(), 130);
    EXPECT_EQ(font.Chars().count(QStringLiteral("\r\n")), 6);
    EXPECT_TRUE(glyphs.contains(QChar(0x20AC)) && glyphs.endsWith(QChar(0x00F1)));
    // Sizes round to whole points for the variable name, and + 0.25 to two digits for the file name.
    const std::tuple<float, const char *, const char *> sizes[] = {{8.25f, "a_09", "arial8"},
                                                                   {7.75f, "a_08", "arial8"},
                                                                   {11.25f, "a_12", "arial11"},
                                                                   {99.75f, "a_100", "arial100"}};
    for (const auto &[size, prefix, variable] : sizes) {
        font.setSize(size);
        EXPECT_TRUE(font.CalculateGP32FileName().startsWith(QLatin1String(prefix))) << size;
        EXPECT_EQ(font.CalculateVariableName(), QLatin1String(variable)) << size;
    }
    EXPECT_EQ(font.CalculateVariableName(QStringLiteral("MS Sans Serif")), QStringLiteral("mSSansSerif100"));
    EXPECT_TRUE(font.CalculateGP32FileName(QStringLiteral("Comic Sans MS")).startsWith(QLatin1String("cs")));
    EXPECT_TRUE(font.CalculateGP32FileName(QStringLiteral("  Tahoma  ")).startsWith(QLatin1String("t_")));

    TexelFont times;
    times.setTTFName(QStringLiteral("Times New Roman"));
    times.setName(QStringLiteral("Times New Roman"));
    times.setSize(12);
    times.setBold(true);
    times.Serif = true;
    times.setVariableName(QStringLiteral("timesNewRoman12b"));
    EXPECT_FALSE(times.CustomVariableName);
    EXPECT_EQ(times.CalculateGP32FileName(), QStringLiteral("tn1219c6"));
    times.Postprocessed = times.Masked = true;
    EXPECT_EQ(times.CalculateVariableName(), QStringLiteral("timesNewRoman12b_pm"));
}

TEST(TexelFontNames, CustomFlagRules)
{
    TexelFont font;
    font.setName(QStringLiteral("arial"));
    EXPECT_TRUE(font.CustomName) << "case differs";
    font.setName(QStringLiteral("Arial"));
    font.setVariableName(QStringLiteral("MY FONT"));
    font.setGP32FileName(QStringLiteral("My Fnt"));
    EXPECT_EQ(names(font), "Arial Arial myfont myfnt -VG");
    font.setVariableName(QStringLiteral("My Font"));
    EXPECT_EQ(font.VariableName(), QStringLiteral("myFont"));
    font.setVariableName(font.CalculateVariableName());
    font.setGP32FileName(font.CalculateGP32FileName());
    EXPECT_EQ(names(font), "Arial Arial arial10 a_100ba6 ---");
    // Proportional 0 drops the word from the checksum even though the document is proportional.
    EXPECT_NE(font.CalculateGP32FileName(QString(), QString(), 0), font.GP32FileName());
    EXPECT_EQ(font.CalculateGP32FileName(QString(), QString(), 1), font.GP32FileName());

    // The character after the first space is a second space: it is dropped, and the
    // stored name then equals the calculated one, so it is not marked custom.
    font.setName(QStringLiteral("A  B"));
    EXPECT_FALSE(font.CalculateGP32FileName().contains(QLatin1Char(' ')));
    font.setGP32FileName(font.CalculateGP32FileName());
    EXPECT_FALSE(font.CustomGP32FileName);
    font.setName(QString(400, QLatin1Char('z'))); // checksum well above 0xFFFF
    EXPECT_EQ(font.CalculateGP32FileName().size(), 8);
}

// Whatever the family, its names are C identifiers and file names without the font list's
// foundry tag; the converter derives the same from a face name (csource_test).
TEST(TexelFontNames, AnyFamilyGivesCIdentifiers)
{
    const std::pair<const char *, const char *> rows[] = {
        {"8-Bit Font", "8-Bit Font _8_BitFont10"},
        {"\u00C9clair", "\u00C9clair _clair10"},
        {"Nimbus Sans [urw]", "Nimbus Sans nimbusSans10"},
        {"D050000L [URW ]", "D050000L d050000l10"},
        {"Odd (Name) +1!", "Odd (Name) +1! odd_Name__1_10"},
        {"AC/DC", "AC/DC ac_dc10"},
        {"Forty Characters Are Too Many For A Face",
         "Forty Characters Are Too Many For A Face fortyCharactersAreTooManyForAFace10"}};
    for (const auto &[family, expected] : rows) {
        TexelFont font;
        font.setTTFName(QString::fromUtf8(family));
        font.setName(font.familyName());
        font.setVariableName(font.CalculateVariableName());
        font.setGP32FileName(font.CalculateGP32FileName());
        EXPECT_EQ(font.Name() + u' ' + font.VariableName(), QString::fromUtf8(expected));
        EXPECT_TRUE(isCIdentifier(font.VariableName()) && font.GP32FileName().size() == 8) << family;
        EXPECT_FALSE(font.CustomName || font.CustomVariableName || font.CustomGP32FileName) << family;
    }
}

// A font holds 255 glyphs; row breaks are none, a lone CR is one, a surrogate pair is one.
TEST(TexelFontCharacters, SetsOfMoreGlyphsThanAFontHoldsAreRefused)
{
    const QString pair = QStringLiteral("\U0001F600");
    const std::pair<QString, const char *> rows[] = {
        {QString(255, u'x'), nullptr},
        {QString(256, u'x'), "6: Overflow: the font has 256 characters, at most 255 fit"},
        {QStringLiteral("xxxxx\r\n").repeated(51) + QStringLiteral("\r\n").repeated(100000), nullptr},
        {QString(255, u'x') + u'\r', "6: Overflow: the font has 256 characters"},
        {pair.repeated(255), nullptr},
        {pair.repeated(255) + pair.left(1), "6: Overflow: the font has 256 characters"},
        {QString(1 << 20, u'A'), "6: Overflow: the font has 1048576 characters, at most 255 fit"},
    };
    for (const auto &[chars, refused] : rows) {
        const QString message = failureOf([&] { TexelFont::checkGlyphCount(chars); });
        EXPECT_TRUE(message.startsWith(QString::fromUtf8(refused ? refused : "<no failure>"))) << message.toStdString();
    }
}

class TexelFontMeasure : public ::testing::Test
{
protected:
    // Top, height, DefaultHeight, DefaultWidth and LineSep of the font.
    std::array<int, 5> metrics()
    {
        return {measured().GetFontTop(), measured().GetFontHeight(), measured().DefaultHeight(),
                measured().DefaultWidth(), measured().LineSep()};
    }
    const GlyphMeasurement &measure() { return measurement.measure(); }
    MeasuredFont measured() { return measurement.measured(); }

    TestSurface surface{15, 4};
    TexelFont font;
    KeptMeasurement measurement{font, surface};
};

TEST_F(TexelFontMeasure, UnionOfInkBoxes)
{
    surface.setGlyph(QLatin1Char('a'), Glyph{6, 1, 2, 4, 8});  // rows 2..9
    surface.setGlyph(QLatin1Char('b'), Glyph{6, 0, 3, 5, 10}); // rows 3..12
    surface.setGlyph(QLatin1Char('c'), Glyph{6, 2, 5, 3, 6});  // rows 5..10
    font.setChars(QStringLiteral("a b\r\nc "));
    EXPECT_EQ(metrics(), (std::array{2, 11, 11, 4, 4}));
    const GlyphMeasurement &m = measure();
    ASSERT_EQ(m.glyphs.size(), 5);
    EXPECT_EQ(m.glyphs.at(0), (Char{8, 1, 15, 6, 2, 4}));
    EXPECT_EQ(m.glyphs.at(1), (Char{0, 0, 15, 4, 0, 0}));
    EXPECT_EQ(measured().CharRightIndents().left(2), QByteArray("\x01\x04")) << "a space's right indent is its advance";

    surface.setMissing(QStringLiteral("\u2603x"));
    font.setChars(QStringLiteral("ax\u2603\r\nx"));
    EXPECT_EQ(measure().missing, QStringLiteral("x\u2603")) << "each listed once";

    font.setChars(QString());
    EXPECT_EQ(metrics(), (std::array{-1, 0, 0, 4, 15}));
    EXPECT_EQ(measured().ZgfGetBitmapWidth(), 0);
}

// Ink is never cut: left of a space's width, past the advance, above and below the line,
// whether the renderer tells the glyph's box or the ink found touching an edge shows it.
TEST_F(TexelFontMeasure, InkOutsideTheLineAndAdvance)
{
    struct Case
    {
        const char *what;
        Glyph glyph;
        bool boundsKnown;
        Char expected;
        std::array<int, 5> metrics;
    };
    // Char: Height, Left, TextHeight, TextWidth, Top, Width. Metrics with "a", rows 2..9.
    const Case cases[] = {
        {"wide", {6, -10, 2, 20, 8}, true, {8, -10, 15, 6, 2, 20}, {2, 8, 8, 4, 7}},
        {"below", {6, 0, 12, 6, 5}, true, {5, 0, 15, 6, 12, 6}, {2, 15, 15, 4, 0}},
        {"above", {6, 1, -3, 4, 9}, true, {9, 1, 15, 6, -3, 4}, {-3, 13, 13, 4, 2}},
        {"tall", {6, 1, -20, 4, 50}, true, {50, 1, 15, 6, -20, 4}, {-20, 50, 50, 4, -35}},
        {"wide, no bounds", {6, -10, 2, 20, 8}, false, {8, -10, 15, 6, 2, 20}, {2, 8, 8, 4, 7}},
        {"tall, no bounds", {6, 1, -20, 4, 50}, false, {50, 1, 15, 6, -20, 4}, {-20, 50, 50, 4, -35}},
    };
    surface.setGlyph(QLatin1Char('a'), Glyph{6, 1, 2, 4, 8});
    for (const Case &c : cases) {
        surface.setGlyph(QLatin1Char('o'), c.glyph);
        surface.setBoundsKnown(c.boundsKnown);
        font.setChars(QStringLiteral("oa"));
        measurement.forget();
        const GlyphMeasurement &m = measure();
        EXPECT_EQ(m.glyphs.at(0), c.expected) << c.what;
        EXPECT_EQ(metrics(), c.metrics) << c.what;
        const GlyphImage &image = m.images.at(0);
        EXPECT_EQ(image.whole, c.boundsKnown) << c.what << ": whole where the renderer vouches for the box";
        if (image.whole) {
            EXPECT_EQ(std::pair(image.ink.width(), image.ink.height()), std::pair(c.glyph.inkWidth, c.glyph.inkHeight));
        }
    }
    // An underline below the line, outside every glyph's box: the space's ink is the line
    // under its advance and the space drawn before it.
    surface.setBoundsKnown(true);
    surface.setUnderlineRow(16);
    font.setUnderline(true);
    font.setChars(QStringLiteral(" a"));
    EXPECT_EQ(measure().glyphs.at(0), (Char{1, -4, 15, 4, 16, 8}));
    EXPECT_EQ(metrics(), (std::array{2, 15, 15, 4, 0}));
    font.setUnderline(false);

    surface.setGlyph(QLatin1Char('o'), cases[0].glyph);
    surface.setGlyph(QLatin1Char('f'), Glyph{5, -2, 1, 6, 9});
    font.setChars(QStringLiteral("of"));
    measure();
    EXPECT_EQ((measured().CharLeftIndents() + measured().CharRightIndents()).toHex(), "f6fefc01");
}

// A measurement is of the settings it was measured from: each change of the look makes it
// out of date, names and spacing do not.
TEST_F(TexelFontMeasure, ChangesOfTheLookOutdateTheMeasurement)
{
    EXPECT_EQ(TexelFont::glyphSequence(QStringLiteral("AA\r\nA")), QStringLiteral("AAA"));
    EXPECT_EQ(TexelFont::glyphSequence(QStringLiteral("a\rb\nc")), QStringLiteral("a\rb\nc"));
    EXPECT_FALSE(isMeasurementOf(measurement.kept(), font)) << "nothing measured yet";
    const std::pair<const char *, std::function<void(TexelFont &)>> changes[] = {
        {"size", [](TexelFont &f) { f.setSize(12.0f); }},
        {"family", [](TexelFont &f) { f.setTTFName(QStringLiteral("Other")); }},
        {"font file", [](TexelFont &f) { f.setFontFile(QStringLiteral("/x.ttf")); }},
        {"bold", [](TexelFont &f) { f.setBold(true); }},
        {"italic", [](TexelFont &f) { f.setItalic(true); }},
        {"underline", [](TexelFont &f) { f.setUnderline(true); }},
        {"strikethrough", [](TexelFont &f) { f.setStrikethrough(true); }},
        {"hinting", [](TexelFont &f) { f.setHinting(Hinting::None); }},
        {"characters", [](TexelFont &f) { f.setChars(QStringLiteral("ba")); }},
        {"smooth mask",
         [](TexelFont &f) {
             f.setSmooth(true);
             f.Masked = true;
         }},
        {"colour", [](TexelFont &f) { f.Color = 0x123456; }},
        {"background", [](TexelFont &f) { f.TransColor = 1; }},
    };
    for (const auto &[what, change] : changes) {
        font = TexelFont();
        font.setChars(QStringLiteral("ab"));
        measure();
        change(font);
        EXPECT_FALSE(isMeasurementOf(measurement.kept(), font)) << what;
    }
    font = TexelFont();
    font.setChars(QStringLiteral("ab"));
    measure();
    font.setName(QStringLiteral("Other"));
    font.setVariableName(QStringLiteral("other"));
    font.CharWidthInc = 3;
    font.LineSepExtra = 2;
    font.SampleText = QStringLiteral("x");
    EXPECT_TRUE(isMeasurementOf(measurement.kept(), font)) << "names, spacing and the sample keep it";
}

// Changing the settings and reading every getter, of the document and of what was measured,
// measures nothing: only the owner measures.
TEST_F(TexelFontMeasure, NoGetterMeasures)
{
    font.setChars(QStringLiteral("ab"));
    font.Masked = true;
    const GlyphMeasurement before = measure();
    const int drawsBefore = surface.drawCount();
    font.setSize(20.0f);
    font.setBold(true);
    font.setChars(QStringLiteral("abc"));
    font.setSmooth(true);
    font.CharWidthInc = 3;
    QStringList read{font.Chars(),
                     font.Filename(),
                     font.FontFile(),
                     font.GP32FileName(),
                     font.Name(),
                     font.TTFName(),
                     font.familyName(),
                     font.VariableName(),
                     font.fontLabel(),
                     font.CalculateVariableName(),
                     font.CalculateGP32FileName(),
                     font.surfaceFont().name};
    read << QString::number(font.Size()) << QString::number(font.maskBackground())
         << QString::number(font.Bold() + font.Italic() + font.Underline() + font.Strikethrough() + font.Smooth()
                            + font.hasGenericMask() + font.smoothMask() + int(font.Hinting()) + int(font.CodePage()));
    const MeasuredFont m(font, before);
    read << QString::number(m.DefaultHeight() + m.DefaultWidth() + m.LineSep() + m.GetFontHeight() + m.GetFontTop()
                            + m.ZgfDefaultHeight() + m.ZgfMaxCharHeight() + m.ZgfMaxCharWidth() + m.ZgfGetBitmapHeight()
                            + m.ZgfGetMaskWidth() + m.ZgfGetMaskHeight());
    read << QString::fromLatin1((m.ZgfCharWidths() + m.CharLeftIndents() + m.CharRightIndents()).toHex());
    EXPECT_EQ(surface.drawCount(), drawsBefore) << read.join(u' ').toStdString();
    EXPECT_EQ(m.ZgfDefaultWidth(), 7) << "the measured space and today's increment";
    EXPECT_EQ(m.ZgfMaxCharWidth(), 7);
    EXPECT_EQ(m.ZgfCharWidths(), QByteArray("\x07\x07")) << "the two glyphs measured, not the three of the set";
    EXPECT_EQ(m.ZgfGetBitmapWidth(), 14);
    EXPECT_FALSE(isMeasurementOf(before, font));
}

// Every table value is checked against its byte, naming the character.
TEST_F(TexelFontMeasure, OverflowFails)
{
    surface.setGlyph(QLatin1Char('w'), Glyph{200, 0, 1, 2, 4});
    font.setChars(QStringLiteral("w"));
    font.CharWidthInc = 254;
    measure();
    EXPECT_EQ(failureOf([&] { measured().ZgfCharWidths(); }),
              QStringLiteral("6: Overflow: the width of \"w\" is 256, outside 0..255"));
    EXPECT_EQ(failureOf([&] { measured().CharRightIndents(); }),
              QStringLiteral("6: Overflow: the right indent of \"w\" is 198, outside -128..127"));
    font.CharWidthInc = 32767;
    EXPECT_THROW(measured().ZgfGetBitmapWidth(), Failure);
}

// Widths 5, 3, 7; tops 2, 4, 3; font top 2 and DefaultHeight 12; increments 2 and 3.
class TexelFontStrip : public TexelFontMeasure
{
protected:
    void SetUp() override
    {
        for (TestSurface *s : {&surface, &strip}) {
            s->setGlyph(QLatin1Char('a'), Glyph{7, 1, 2, 5, 12});
            s->setGlyph(QLatin1Char('b'), Glyph{5, 1, 4, 3, 5});
            s->setGlyph(QLatin1Char('c'), Glyph{9, 1, 3, 7, 8});
        }
        font.setChars(QStringLiteral("abc"));
        font.CharWidthInc = 2;
        font.CharHeightInc = 3;
    }
    std::pair<int, int> stripSize() const { return {strip.width(), strip.height()}; }
    TestSurface strip{15, 4};
};

// Cell placement is held byte for byte by the export's goldens; here sizes, colours and the
// mask's forms.
TEST_F(TexelFontStrip, StripSizesAndColours)
{
    measured().ZgfGenerateBitmap(strip);
    EXPECT_EQ(stripSize(), std::pair(21, 15));
    EXPECT_EQ(strip.backColor(), font.TransColor);
    EXPECT_EQ(inkBox(strip, 0, 21).bottom, 12) << "two rows of the increment below the ink";
    EXPECT_EQ(measured().ZgfGetBitmapWidth(true), 24) << "GP sizes round up to 8";
    EXPECT_EQ(measured().ZgfGetBitmapHeight(true), 16);

    font.Masked = true;
    font.MaskWidthInc = 4;
    font.MaskHeightInc = 2;
    measured().ZgfGenerateMask(strip);
    EXPECT_EQ(stripSize(), std::pair(33, 17));
    EXPECT_EQ(std::pair(strip.backColor(), strip.foreColor()), (std::pair<Color, Color>(0xFFFFFF, 0)))
        << "inverted: black on white";
    EXPECT_EQ(inkBox(strip, 11, 20).left, 14);
    EXPECT_EQ(inkBox(strip, 0, 33).top, 2);
    font.InvertMask = false;
    measured().ZgfGenerateMask(strip);
    EXPECT_EQ(std::pair(strip.backColor(), strip.foreColor()), (std::pair<Color, Color>(0, 0xFFFFFF)));
    font.Masked = false;
    EXPECT_EQ(measured().ZgfGetMaskWidth() + measured().ZgfGetMaskHeight(), 0);
    measured().ZgfGenerateMask(strip);
    EXPECT_EQ(strip.width(), 0);
}

TEST_F(TexelFontStrip, CountAndFromDealGlyphs)
{
    font.CharWidthInc = 0;
    font.setChars(QStringLiteral("abcabca"));
    TestSurface full{15, 4};
    for (const char c : {'a', 'b', 'c'})
        full.setGlyph(QLatin1Char(c), strip.glyph(QLatin1Char(c)));
    measured().ZgfGenerateBitmap(full);
    measured().ZgfGenerateBitmap(strip, 3, 2);
    // Glyph 2 starts at column 5 and glyph 5 at 5+3+7+5 = 20, as in the full strip.
    for (const int x : {5, 20})
        EXPECT_EQ(inkBox(strip, x, x + 3).left, inkBox(full, x, x + 3).left);
    for (const auto &[x0, x1] : {std::pair(0, 5), std::pair(8, 20), std::pair(23, 35)})
        EXPECT_EQ(inkBox(strip, x0, x1).right, -1) << x0 << ": only glyphs 2 and 5 are drawn";
    EXPECT_THROW(measured().ZgfGenerateBitmap(strip, 0, 1), Failure);
}

TEST_F(TexelFontStrip, NegativeIncrementsNarrowTheCells)
{
    font.setChars(QStringLiteral("aa"));
    font.CharWidthInc = -3;
    font.CharHeightInc = 0;
    EXPECT_EQ(measured().ZgfGetBitmapWidth(), 4);
    EXPECT_EQ(measured().ZgfCharWidths(), QByteArray("\x02\x02"));
    measured().ZgfGenerateBitmap(strip);
    // Two columns before the ink, one after: the first glyph starts at -2, the second at 0.
    EXPECT_EQ(inkBox(strip, 0, 4).left, 0);
    EXPECT_EQ(inkBox(strip, 0, 4).right, 3);
}

// The strip shows what was measured: glyph images are copied where whole, and a glyph cut
// while measuring, or any glyph of an underlined font, is drawn in place, whole.
TEST_F(TexelFontStrip, CopiesWholeImagesAndDrawsTheRest)
{
    strip.setGlyph(QLatin1Char('a'), Glyph{7, 1, 2, 5, 3});
    font.setChars(QStringLiteral("a"));
    font.CharHeightInc = 0;
    measured().ZgfGenerateBitmap(strip);
    EXPECT_EQ(inkBox(strip, 0, 7).bottom, 11) << "the 12 rows measured, not the 3 the strip's surface draws";
    font.setUnderline(true);
    measured().ZgfGenerateBitmap(strip);
    EXPECT_EQ(inkBox(strip, 0, 7).bottom, 2);
}

// Ink above the line and below it lies in the strip's cells, every pixel of it: the cell's
// top is the highest ink.
TEST_F(TexelFontStrip, CellsHoldInkBeyondTheLine)
{
    for (TestSurface *s : {&surface, &strip}) {
        s->setGlyph(QStringLiteral("\u00C3"), Glyph{7, 1, -3, 5, 14});
        s->setGlyph(QLatin1Char('_'), Glyph{6, -1, 13, 8, 4});
    }
    font.setChars(QStringLiteral("b\u00C3_"));
    font.CharWidthInc = 0;
    font.CharHeightInc = 0;
    measured().ZgfGenerateBitmap(strip);
    EXPECT_EQ(stripSize(), std::pair(3 + 5 + 8, 20)) << "rows -3 to 16";
    const std::array<Box, 3> expected{Box{0, 7, 2, 11}, Box{3, 0, 7, 13}, Box{8, 16, 15, 19}};
    for (int i = 0, x = 0; const int width : {3, 5, 8}) {
        EXPECT_EQ(inkBox(strip, x, x + width), expected.at(i++)) << x;
        x += width;
    }
    const std::vector<quint32> pixels = pixelsOf(strip);
    EXPECT_EQ(std::count(pixels.cbegin(), pixels.cend(), pixelFromColor(font.Color)), 3 * 5 + 5 * 14 + 8 * 4);
}
