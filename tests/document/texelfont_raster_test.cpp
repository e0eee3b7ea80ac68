// The document's measurements on the real renderer (Liberation Sans, what "Arial"
// resolves to), and the contract between measuring and drawing the strip.
#include "documenttesting.h"
#include "rastersurface.h"
#include "windows1252.h"

class RasterMeasure : public ::testing::Test
{
protected:
    RasterSurface surface;
    TexelFont font;
    KeptMeasurement measurement{font, surface};
};

TEST_F(RasterMeasure, DefaultDocumentAndItsSpaces)
{
    // Every default glyph has ink and a code: the CLI suite's export of the defaults.
    EXPECT_EQ(measurement.measured().DefaultWidth(), 4) << "a 13-pixel em has a 4-pixel space";
    EXPECT_TRUE(measurement.measured().DefaultHeight() > 10 && measurement.measured().DefaultHeight() <= 16
                && measurement.measured().GetFontTop() >= 0);
    font.setChars(QStringLiteral("A B"));
    const Char space = measurement.measure().glyphs.at(1);
    EXPECT_FALSE(space.hasInk());
    EXPECT_EQ(space.TextWidth, measurement.measured().DefaultWidth());
    EXPECT_EQ(quint8(measurement.measured().CharRightIndents().at(1)), space.TextWidth);
    font.setUnderline(true);
    const Char underlined = measurement.measure().glyphs.at(1);
    EXPECT_GE(underlined.Width, underlined.TextWidth - 1) << "the line spans the advance";
    EXPECT_FALSE(measurement.measure().images.at(0).whole) << "the line runs on from the space before";
}

// Italic overhang: the raster boxes hold every pixel drawn, italic too (platform suite), and
// negative lefts become the indent tables (texelfont_test). Here: ink in the transparent
// colour is no ink.
TEST_F(RasterMeasure, TheTransparentColourIsNoInk)
{
    font.Color = font.TransColor;
    EXPECT_EQ(measurement.measured().GetFontTop(), -1);
    EXPECT_EQ(measurement.measured().DefaultHeight(), 0);
    font.setChars(QString());
    EXPECT_EQ(measurement.measured().GetFontHeight(), 0);
}

// The strip copies the measured glyphs where the renderer draws alike everywhere (up to 64
// pixels an em) and draws the rest in place: either way it holds the pixels that drawing
// every character at its place gives, so the exports stay as they were.
TEST_F(RasterMeasure, StripEqualsEveryCharacterDrawnInPlace)
{
    RasterSurface strip;
    RasterSurface inPlace;
    font.setChars(printableCharacters(CodePage::Windows1252));
    font.CharWidthInc = font.CharHeightInc = 3;
    for (const auto &[size, italic] :
         {std::pair(9.75f, false), std::pair(24.0f, true), std::pair(48.0f, false), std::pair(72.0f, true)}) {
        font.setSize(size);
        font.setItalic(italic);
        measurement.measured().ZgfGenerateBitmap(strip);
        const GlyphMeasurement &m = measurement.measure();
        inPlace.setFont(surface.font());
        inPlace.setBackColor(font.TransColor);
        inPlace.setForeColor(font.Color);
        inPlace.setSize(strip.width(), strip.height());
        inPlace.clear();
        int x = 0;
        for (qsizetype i = 0; i < m.glyphs.size(); ++i) {
            inPlace.setCurrentX(x + 1 - m.glyphs.at(i).Left);
            inPlace.setCurrentY(1 - m.fontTop);
            inPlace.drawText(m.sequence.mid(i, 1));
            x += m.glyphs.at(i).Width + font.CharWidthInc;
        }
        EXPECT_EQ(strip.image(), inPlace.image()) << size;
    }
}
