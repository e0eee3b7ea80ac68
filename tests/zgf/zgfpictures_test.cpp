#include "failure.h"
#include "zgfflagnames.h"
#include "zgffont.h"
#include "zgfpictures.h"
#include "zgftestfont.h"
#include "zgftextlayout.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

constexpr Color Red = 0x0000FF;
constexpr Color Green = 0x00FF00; // the transparent colour
constexpr QRgb RedPixel = 0xFFFF0000;

// "A": 2 x 2, red top-left pixel, the rest transparent; a mask 2 columns wider per
// character and 1 row taller, opaque where "A" is red.
ZgfFont twoByTwo(bool masked)
{
    ZgfTestFont wanted;
    wanted.codes = "A";
    wanted.widths = {2};
    wanted.leftIndents = {0};
    wanted.rightIndents = {0};
    wanted.height = 2;
    wanted.transColor = Green;
    wanted.masked = masked;
    wanted.maskWidthInc = 2;
    wanted.maskHeightInc = 1;
    wanted.prepareSurfaces();
    wanted.image.setPixel(0, 0, Red);
    if (masked)
        wanted.mask.setPixel(0, 0, 0xFFFFFF);
    return ZgfFont::read(wanted.bytes());
}

} // namespace

struct FlagCase
{
    quint16 flags;
    const char *names;
};

class ZgfFlagNamesTest : public testing::TestWithParam<FlagCase> {};

TEST_P(ZgfFlagNamesTest, NamesEverySetBitInOrder)
{
    EXPECT_EQ(zgfFlagNames(GetParam().flags).join(QStringLiteral(", ")), QLatin1String(GetParam().names));
}

INSTANTIATE_TEST_SUITE_P(
    Flags, ZgfFlagNamesTest,
    testing::Values(FlagCase{0, ""}, FlagCase{33, "16-bit pixels, indent tables"},
                    FlagCase{47 | 128 | 1024, "16-bit pixels, RLE image, mask, RLE mask, indent tables, "
                                              "proportional, bold"},
                    FlagCase{16 | 64 | 256 | 512 | 2048 | 4096 | 8192,
                             "shadow mask, post-processed, serif, script, italic, underline, strikethrough"},
                    FlagCase{0xC001, "16-bit pixels, bit 14, bit 15"}));

TEST(ZgfPicturesTest, TextKeysOutTheTransparentColourOverCheckerOrColour)
{
    const ZgfFont font = twoByTwo(false);
    // Three cells: 6 x 2 pixels, only (0,0), (2,0) and (4,0) drawn.
    const QImage checker = ZgfPictures::textImage(font, QStringLiteral("AAA"));
    ASSERT_EQ(checker.size(), QSize(6, 2));
    EXPECT_EQ(checker.pixel(2, 0), RedPixel);
    EXPECT_EQ(checker.pixel(1, 0), ZgfPictures::CheckerLight);
    EXPECT_EQ(checker.pixel(3, 1), ZgfPictures::CheckerLight);
    EXPECT_EQ(checker.pixel(5, 1), ZgfPictures::CheckerDark); // the second square

    const QImage plain = ZgfPictures::textImage(font, QStringLiteral("AAA"), Color(0x336699));
    EXPECT_EQ(plain.pixel(4, 0), RedPixel);
    EXPECT_EQ(plain.pixel(5, 1), 0xFF996633u);

    const QImage transparent = ZgfPictures::transparentImage(ZgfTextLayout(font, QStringLiteral("A")).render(true));
    EXPECT_EQ(transparent.pixel(0, 0), RedPixel);
    EXPECT_EQ(qAlpha(transparent.pixel(1, 1)), 0);
}

TEST(ZgfPicturesTest, GlyphImageAndMaskAsStored)
{
    const ZgfFont font = twoByTwo(true);
    const QImage glyphs = ZgfPictures::glyphImage(font);
    EXPECT_EQ(glyphs.pixel(0, 0), RedPixel);
    EXPECT_EQ(glyphs.pixel(1, 1), 0xFF00FF00u);
    const QImage mask = ZgfPictures::maskImage(font);
    ASSERT_EQ(mask.size(), QSize(4, 3));
    EXPECT_EQ(mask.pixel(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(mask.pixel(3, 2), 0xFF000000u);
    EXPECT_TRUE(ZgfPictures::maskImage(twoByTwo(false)).isNull());
}

TEST(ZgfPicturesTest, ZoomRepeatsEveryPixelWithoutSmoothing)
{
    QImage image(2, 1, QImage::Format_RGB32);
    image.setPixel(0, 0, 0xFF000000);
    image.setPixel(1, 0, 0xFFFFFFFF);
    const QImage zoomed = ZgfPictures::zoomed(image, 3);
    ASSERT_EQ(zoomed.size(), QSize(6, 3));
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(zoomed.pixel(x, y), x < 3 ? 0xFF000000u : 0xFFFFFFFFu) << x << "," << y;
    }
    EXPECT_THROW(ZgfPictures::zoomed(image, 0), Failure);
    EXPECT_THROW(ZgfPictures::zoomed(image, ZgfPictures::MaxZoom + 1), Failure);
}

TEST(ZgfFontFileTest, ReadsAFontEmbeddedAtAnOffset)
{
    ZgfTestFont wanted;
    wanted.codes = "A";
    wanted.widths = {2};
    wanted.leftIndents = {0};
    wanted.rightIndents = {0};
    wanted.height = 2;
    wanted.prepareSurfaces();
    const QByteArray font = wanted.bytes();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("program.fxe"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(1000, 'x') + font + QByteArray(50, 'y'));
    file.close();

    EXPECT_EQ(ZgfFont::readFile(path, 1000).header().FileLength, font.size());
    for (const qint64 offset : {qint64(0), qint64(999), qint64(1001), qint64(-1), qint64(100000)}) {
        try {
            ZgfFont::readFile(path, offset);
            ADD_FAILURE() << "offset " << offset << " was accepted";
        } catch (const Failure &failure) {
            EXPECT_EQ(failure.number, Failure::InvalidFileFormat);
            EXPECT_TRUE(failure.description.contains(path)) << qPrintable(failure.description);
        }
    }
}
