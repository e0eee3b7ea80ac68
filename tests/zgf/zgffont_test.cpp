#include "zgfdecoder.h"
#include "zgffont.h"
#include "zgftestfont.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace {

// Three glyphs "A", "€" (0x80) and "g" with a negative left indent, their ink drawn as
// random colours in the glyph image and as solid boxes in the mask.
ZgfTestFont sampleFont(bool rle, bool masked, bool invertMask)
{
    ZgfTestFont font;
    font.codes = QByteArray("A\x80g");
    font.widths = {5, 9, 4};
    font.leftIndents = {1, 0, -3};
    font.rightIndents = {1, 2, -128};
    font.height = 7;
    font.rle = rle;
    font.masked = masked;
    font.invertMask = invertMask;
    font.maskWidthInc = 2;
    font.maskHeightInc = 3;
    font.prepareSurfaces();
    std::mt19937 random(11);
    for (int y = 1; y < font.height - 1; ++y) {
        for (int x = 0; x < font.imageWidth(); ++x) {
            if (random() % 3 != 0)
                font.image.setPixel(x, y, Color(random() & 0xFFFFFF));
        }
    }
    if (masked) {
        const Color ink = invertMask ? 0 : 0xFFFFFF;
        for (int y = 2; y < font.maskHeight() - 2; ++y) {
            for (int x = 1; x < font.maskWidth() - 1; x += 2)
                font.mask.setPixel(x, y, ink);
        }
    }
    return font;
}

class ZgfFontRoundTripTest : public testing::TestWithParam<std::tuple<bool, bool, bool>> {};

TEST_P(ZgfFontRoundTripTest, GivesBackTablesImageAndMask)
{
    const auto [rle, masked, invertMask] = GetParam();
    const ZgfTestFont wanted = sampleFont(rle, masked, invertMask);
    const ZgfFont font = ZgfFont::read(wanted.bytes());

    EXPECT_EQ(font.header().Flags, ZgfHeader::formatFlags(rle, masked));
    ASSERT_EQ(font.count(), 3);
    EXPECT_EQ(font.characters(), QString::fromUtf16(u"A\u20ACg"));
    EXPECT_EQ(font.indexOf(u'\u20AC'), 1);
    EXPECT_EQ(font.indexOf(u'g'), 2);
    EXPECT_EQ(font.indexOf(u'z'), -1);
    EXPECT_EQ(font.indexOf(u'\u4E00'), -1);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(font.charWidth(i), wanted.widths.at(i));
        EXPECT_EQ(font.leftIndent(i), wanted.leftIndents.at(i));
        EXPECT_EQ(font.rightIndent(i), wanted.rightIndents.at(i));
    }
    EXPECT_EQ(font.cellX(0), 0);
    EXPECT_EQ(font.cellX(2), 14);

    ASSERT_EQ(font.imageWidth(), 18);
    ASSERT_EQ(font.imageHeight(), 7);
    for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < 18; ++x) {
            const Color color = wanted.image.pixel(x, y);
            ASSERT_EQ(font.pixel16(x, y), ColorToPixel16(color, 1)) << x << ',' << y;
            for (int channel = 1; channel <= 3; ++channel)
                ASSERT_EQ(ColorChannel5(font.color(x, y), channel), ColorChannel5(color, channel));
        }
    }

    ASSERT_EQ(font.hasMask(), masked);
    if (!masked) {
        EXPECT_EQ(font.maskWidth(), 0);
        EXPECT_TRUE(font.maskLevels().isEmpty());
        return;
    }
    ASSERT_EQ(font.maskWidth(), 24);
    ASSERT_EQ(font.maskHeight(), 10);
    EXPECT_EQ(font.maskCellX(2), 18);
    // Inverted or not, a generated mask is stored as 31 on the glyphs and 0 around them.
    const Color ink = invertMask ? 0 : 0xFFFFFF;
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 24; ++x) {
            const bool glyph = wanted.mask.pixel(x, y) == ink;
            ASSERT_EQ(font.maskLevel(x, y), glyph ? 31 : 0) << x << ',' << y;
            ASSERT_EQ(font.maskAlpha(x, y), glyph ? 255 : 0);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Codings, ZgfFontRoundTripTest,
                         testing::Combine(testing::Bool(), testing::Bool(), testing::Bool()));

TEST(ZgfFont, ReadsAFontWithoutCharactersOrIndentTables)
{
    ZgfTestFont wanted;
    wanted.height = 4;
    wanted.prepareSurfaces();
    const ZgfFont empty = ZgfFont::read(wanted.bytes());
    EXPECT_EQ(empty.count(), 0);
    EXPECT_TRUE(empty.imagePixels().isEmpty());

    // Without flag bit 5 the indent tables are absent and the indents are 0.
    ZgfHeader h;
    h.Flags = ZgfHeader::Color16;
    h.Count = 1;
    h.BitmapWidth = 1;
    h.BitmapHeight = 1;
    h.GlyphOffset = 78;
    h.FileLength = 80;
    const ZgfFont plain = ZgfFont::read(h.toBytes() + QByteArray("x\x01\x01\xF8", 4));
    EXPECT_EQ(plain.leftIndent(0), 0);
    EXPECT_EQ(plain.rightIndent(0), 0);
    EXPECT_EQ(plain.pixel16(0, 0), 0xF801);
}

using Mutation = std::function<void(QByteArray &)>;

void setInt32(QByteArray &data, int offset, qint32 value)
{
    qToLittleEndian(value, data.data() + offset);
}

qint32 int32At(const QByteArray &data, int offset)
{
    return qFromLittleEndian<qint32>(data.constData() + offset);
}

// Shortens the file and its declared length together.
void cut(QByteArray &data, int bytes)
{
    data.chop(bytes);
    setInt32(data, 40, int32At(data, 40) - bytes);
}

struct MalformedCase
{
    const char *name;
    bool rle;
    Mutation mutate;
    const char *expected; // part of the description
};

class ZgfFontMalformedTest : public testing::TestWithParam<MalformedCase> {};

TEST_P(ZgfFontMalformedTest, IsRefusedWithAClearFailure)
{
    const MalformedCase &c = GetParam();
    QByteArray data = sampleFont(c.rle, true, true).bytes();
    ASSERT_NO_THROW(ZgfFont::read(data));
    c.mutate(data);
    try {
        ZgfFont::read(data);
        ADD_FAILURE() << "accepted";
    } catch (const Failure &failure) {
        EXPECT_EQ(failure.number, Failure::InvalidFileFormat);
        EXPECT_TRUE(failure.description.startsWith(QStringLiteral("Invalid file format: ")));
        EXPECT_TRUE(failure.description.contains(QLatin1String(c.expected))) << failure.message().toStdString();
    }
}

const int MaskOffset = 48;
const int GlyphStart = 76 + 4 * 3;

INSTANTIATE_TEST_SUITE_P(Files, ZgfFontMalformedTest, testing::Values(
    MalformedCase{"Empty", false, [](QByteArray &d) { d.clear(); }, "fewer than the 76"},
    MalformedCase{"HeaderCut", false, [](QByteArray &d) { d.truncate(75); }, "fewer than the 76"},
    MalformedCase{"Magic", false, [](QByteArray &d) { d[2] = 'X'; }, "no ZGF signature"},
    MalformedCase{"Version", false, [](QByteArray &d) { d[4] = 2; }, "version 2"},
    MalformedCase{"EightBpp", false, [](QByteArray &d) { d[5] = char(d[5] & ~1); }, "8-bpp fonts are not supported"},
    MalformedCase{"Truncated", false, [](QByteArray &d) { d.chop(1); }, "truncated"},
    MalformedCase{"LengthBeforeTables", false, [](QByteArray &d) { setInt32(d, 40, 80); }, "declared length"},
    MalformedCase{"GlyphOffset", false, [](QByteArray &d) { setInt32(d, 44, GlyphStart + 1); }, "not right after the tables"},
    MalformedCase{"CountTooLarge", false, [](QByteArray &d) { d[73] = 4; }, "not right after the tables"},
    MalformedCase{"MaskOffsetPastEnd", false, [](QByteArray &d) { setInt32(d, MaskOffset, int32At(d, 40) + 1); }, "mask data offset"},
    MalformedCase{"MaskOffsetInTables", false, [](QByteArray &d) { setInt32(d, MaskOffset, GlyphStart - 1); }, "mask data offset"},
    MalformedCase{"Widths", false, [](QByteArray &d) { d[76 + 3] = 6; }, "add up to 19"},
    MalformedCase{"RawGlyphShort", false, [](QByteArray &d) { setInt32(d, MaskOffset, int32At(d, MaskOffset) - 1); }, "glyph image: data ends after"},
    MalformedCase{"RawMaskShort", false, [](QByteArray &d) { cut(d, 1); }, "mask: data ends after 239 of 240 bytes"},
    MalformedCase{"RawMaskLevel", false, [](QByteArray &d) { d[int32At(d, MaskOffset)] = 32; }, "level 32 at (0, 0)"},
    MalformedCase{"NegativeMask", false, [](QByteArray &d) { d[65] = char(-7); }, "negative"},
    MalformedCase{"RleMaskTooShort", true, [](QByteArray &d) { cut(d, d.size() - int32At(d, MaskOffset) - 9); }, "too short"},
    MalformedCase{"RleGlyphTooShort", true, [](QByteArray &d) { setInt32(d, MaskOffset, GlyphStart + 20); }, "too short"},
    MalformedCase{"RleRunOverflows", true, [](QByteArray &d) { d[GlyphStart] = char(0); d[GlyphStart + 1] = char(19); }, "RLE run of 19 pixels overflows row 0 at column 0"},
    MalformedCase{"RleEndsEarly", true, [](QByteArray &d) { cut(d, 1); }, "RLE data ends early in row 9"}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(ZgfFont, ReadFileNamesTheFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("font.zgf"));
    try {
        ZgfFont::readFile(path);
        ADD_FAILURE() << "read a missing file";
    } catch (const Failure &failure) {
        EXPECT_EQ(failure.message(), QStringLiteral("53: File not found: ") + path);
    }

    const QByteArray data = sampleFont(true, true, false).bytes();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(data + QByteArray(1000, '\xFF')); // bytes past the declared length are not read
    file.close();
    EXPECT_EQ(ZgfFont::readFile(path).imagePixels(), ZgfFont::read(data).imagePixels());

    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(data.left(100));
    file.close();
    try {
        ZgfFont::readFile(path);
        ADD_FAILURE() << "read a truncated file";
    } catch (const Failure &failure) {
        EXPECT_TRUE(failure.description.startsWith(QStringLiteral("Invalid file format: ") + path + QStringLiteral(": ")))
            << failure.message().toStdString();
    }
}

} // namespace
