// Crafted bitmaps the generic picture reader gets wrong: colour indices past the colour
// table (which drawing would read beyond it, whatever the memory around it holds) and the
// 52- and 56-byte headers Qt does not read.
#include "picturefile.h"
#include "rastersurface.h"
#include "testfiles.h"

#include <QTemporaryDir>
#include <QtEndian>

namespace {

enum Compression : quint32 { Rgb = 0, Rle8 = 1, BitFields = 3, AlphaBitFields = 6 };

struct Crafted
{
    int headerSize;
    int bits;
    quint32 compression;
    QList<quint32> table; // 0xRRGGBB
    QList<quint32> masks; // red, green, blue (and alpha) in the header
    QByteArray pixels;    // bottom row first, rows padded to 4 bytes
    int width = 2;
    int height = 2;
    qint64 dataOffsetShift = 0;
};

QByteArray bitmap(const Crafted &c)
{
    QByteArray header(c.headerSize, '\0');
    const auto put = [](QByteArray &to, int at, quint32 value) { qToLittleEndian(value, to.data() + at); };
    put(header, 0, quint32(c.headerSize));
    put(header, 4, quint32(c.width));
    put(header, 8, quint32(c.height));
    qToLittleEndian(quint16(1), header.data() + 12);
    qToLittleEndian(quint16(c.bits), header.data() + 14);
    put(header, 16, c.compression);
    put(header, 32, quint32(c.table.size()));
    for (int i = 0; i < c.masks.size(); ++i)
        put(header, 40 + 4 * i, c.masks[i]);
    QByteArray table;
    for (quint32 color : c.table)
        table.append(char(color & 0xFF)).append(char(color >> 8 & 0xFF)).append(char(color >> 16)).append('\0');
    QByteArray file("BM" + QByteArray(12, '\0'));
    const qint64 offset = file.size() + header.size() + table.size();
    put(file, 2, quint32(offset + c.pixels.size()));
    put(file, 10, quint32(offset + c.dataOffsetShift));
    return file + header + table + c.pixels;
}

struct PictureCase
{
    const char *name;
    Crafted file;
    std::vector<QRgb> pixels; // top left, top right, bottom left, bottom right
    const char *problem = "";
};

class PictureFile : public testing::TestWithParam<PictureCase>
{
};

TEST_P(PictureFile, ReadsTheBitmapOrNamesWhatIsWrong)
{
    const PictureCase &c = GetParam();
    QTemporaryDir dir;
    const QString path = writeFile(dir.filePath(QStringLiteral("crafted.bmp")), bitmap(c.file));
    const QString failure = failureOf([&] {
        const QImage picture = readPictureFile(path);
        const std::vector<QRgb> seen{picture.pixel(0, 0), picture.pixel(1, 0), picture.pixel(0, 1),
                                     picture.pixel(1, 1)};
        EXPECT_EQ(seen, c.pixels);
    });
    if (*c.problem == '\0')
        EXPECT_EQ(failure, QStringLiteral("<no failure>"));
    else
        EXPECT_EQ(failure, QStringLiteral("481: Invalid picture: %1: %2").arg(path, QLatin1String(c.problem)));

    // Drawing goes through the same reader: a refused file leaves the surface untouched.
    RasterSurface surface;
    surface.setSize(2, 2);
    surface.clear();
    EXPECT_EQ(failureOf([&] { surface.loadPicture(path); }), failure);
}

constexpr quint32 Red = 0xFF0000, Blue = 0x0000FF;
const QRgb R = qRgb(255, 0, 0), B = qRgb(0, 0, 255), G = qRgb(0x11, 0x22, 0x33), W = qRgb(0x44, 0x55, 0x66);

// clang-format off
INSTANTIATE_TEST_SUITE_P(Crafted, PictureFile, testing::Values(
    PictureCase{"indexed", {40, 8, Rgb, {Red, Blue}, {}, QByteArray::fromHex("0001000001000000")}, {B, R, R, B}},
    PictureCase{"indexPastTable", {40, 8, Rgb, {Red, Blue}, {}, QByteArray::fromHex("0001000001FF0000")}, {},
                "the pixel at (1, 0) has colour 255, but its colour table holds 2"},
    PictureCase{"oneColourMono", {40, 1, Rgb, {Red}, {}, QByteArray::fromHex("0000000040000000")}, {},
                "the pixel at (1, 0) has colour 1, but its colour table holds 1"},
    PictureCase{"runLengthPastTable", {40, 8, Rle8, {Red, Blue}, {}, QByteArray::fromHex("0201" "0000" "0107" "0101" "0001")}, {},
                "the pixel at (0, 0) has colour 7, but its colour table holds 2"},
    // Pixels the codes skip would keep whatever the reader's memory held.
    PictureCase{"runLengthLineEndsEarly", {40, 8, Rle8, {Red, Blue}, {}, QByteArray::fromHex("0201" "0000" "0101" "0000" "0001")}, {},
                "its run-length codes give no colour to row 0 from pixel 1 on"},
    PictureCase{"runLengthBitmapEndsEarly", {40, 8, Rle8, {Red, Blue}, {}, QByteArray::fromHex("0201" "0001")}, {},
                "its run-length codes give no colour to row 0 from pixel 0 on"},
    PictureCase{"runLengthMove", {40, 8, Rle8, {Red, Blue}, {}, QByteArray::fromHex("0002" "0101" "0101" "0000" "0001")}, {},
                "its run-length codes move past pixels, leaving them without colour"},
    PictureCase{"tableOverPixels", {40, 8, Rgb, {Red, Blue}, {}, QByteArray::fromHex("0001000001000000"), 2, 2, -4}, {},
                "its colour table of 2 colours runs past the start of its pixels at byte 58"},
    PictureCase{"masks52", {52, 32, BitFields, {}, {0xFF0000, 0xFF00, 0xFF}, QByteArray::fromHex("33221100665544003322110066554400")},
                {G, W, G, W}},
    PictureCase{"masks52Swapped", {52, 32, BitFields, {}, {0xFF, 0xFF00, 0xFF0000}, QByteArray::fromHex("11223300445566001122330044556600")},
                {G, W, G, W}},
    PictureCase{"alphaMask56", {56, 32, BitFields, {}, {0xFF0000, 0xFF00, 0xFF, 0xFF000000},
                                QByteArray::fromHex("332211FF665544FF332211FF665544FF")}, {G, W, G, W}},
    PictureCase{"alphaBitFields56", {56, 32, AlphaBitFields, {}, {0xFF0000, 0xFF00, 0xFF, 0xFF000000},
                                     QByteArray::fromHex("332211FF665544FF332211FF665544FF")}, {G, W, G, W}},
    // Without bit fields the masks mean nothing: not even the alpha mask applies.
    PictureCase{"unusedMasks56", {56, 32, Rgb, {}, {0xFF, 0xFF00, 0xFF0000, 0xFF000000},
                                  QByteArray::fromHex("3322110066554400332211FF66554400")}, {G, W, G, W}},
    PictureCase{"indexed52", {52, 8, Rgb, {Red, Blue}, {}, QByteArray::fromHex("0100000000010000")}, {R, B, B, R}},
    PictureCase{"pixelsInHeader52", {52, 32, BitFields, {}, {0xFF0000, 0xFF00, 0xFF}, QByteArray(16, '\0'), 2, 2, -20}, {},
                "its pixels would start at byte 46, inside its header"}),
    [](const testing::TestParamInfo<PictureCase> &row) { return std::string(row.param.name); });
// clang-format on

} // namespace
