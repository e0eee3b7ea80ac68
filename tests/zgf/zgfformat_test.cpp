// The ZGF format: pixel conversions, the header, the RAW/RLE encoders, the reader, and the
// text layout and viewer pictures drawn from a read font.

#include "zgfdecoder.h"
#include "zgfflagnames.h"
#include "zgffont.h"
#include "zgfpictures.h"
#include "zgftest.h"
#include "zgftextlayout.h"

#include <QtEndian>

#include <functional>
#include <vector>

namespace {

TEST(PixelConversion, FormatExamplesAndChannels)
{
    const std::pair<Color, qint32> pixels[] = {{0xFFFFFF, 0xFFFF}, {0x000000, 0x0001}, {0x0000FF, 0xF801},
                                               {0x00FF00, 0x07C1}, {0xFF0000, 0x003F}, {0x100807, 0x0045}};
    for (const auto &[color, pixel] : pixels) {
        EXPECT_EQ(ColorToPixel16(color, 1), pixel) << color;
        EXPECT_EQ(ColorToPixel16(color, 0), pixel - 1) << color;
    }
    for (int channel : {-1, 0, 4, 100})
        EXPECT_EQ(ColorChannel5(0xFFFFFF, channel), 0) << channel;
}

TEST(ZgfHeader, PutsEveryFieldAtItsOffset)
{
    // clang-format off
    ZgfHeader h{.Flags = 33, .PointSize = 9, .FaceName = "Arial", .FileLength = 14856, .GlyphOffset = 456,
                .MaskOffset = 7000, .TransColor = 0x07C1, .ShadowColor = 0x1234, .BitmapWidth = 600,
                .BitmapHeight = 12, .DefaultWidth = 5, .DefaultHeight = 12, .MaxCharWidth = 13, .MaxCharHeight = 14,
                .MaskWidthInc = -1, .MaskHeightInc = 2, .ShadowOX = -3, .ShadowOY = 4, .ShadowXPos = -5,
                .ShadowYPos = -128, .LineSep = 6, .CharSep = 127, .Count = 95};
    const QByteArray bytes = h.toBytes();
    EXPECT_EQ(bytes.toHex(' '), QByteArray::fromHex("5a474600 01 2100 09 417269616c" + QByteArray(54, '0')
                                                    + "083a0000 c8010000 581b0000 c107 3412 0000 5802 0c 05 0c 0d 0e"
                                                      "ff 02 fd 04 fb 80 06 7f 5f 0000").toHex(' '));
    // clang-format on
    EXPECT_EQ(ZgfHeader::fromBytes(bytes.constData(), bytes.size()).toBytes(), bytes);

    h.FaceName = QByteArray(32, 'b'); // fills the field, the rest stays as it was
    EXPECT_EQ(h.toBytes(), bytes.left(8) + h.FaceName + bytes.mid(40));
    h.FaceName = QByteArray(33, 'c');
    EXPECT_EQ(failureOf([&] { h.toBytes(); }),
              QStringLiteral("6: Overflow: the face name's length is 33, outside 0..32"));
}

// IsZgfFile answers as IsValidZgfHeader does for the file's first 76 bytes.
TEST(ZgfHeader, ValidityChecksMagicVersionAndGlyphOffset)
{
    // clang-format off
    const auto header = [](quint8 version, quint16 flags, quint8 count, qint32 glyphOffset) {
        return ZgfHeader{.Version = version, .Flags = flags, .FileLength = 12345 /* never checked */,
                         .GlyphOffset = glyphOffset, .Count = count}.toBytes();
    };
    const QByteArray raw = header(1, 33, 95, 456);
    const std::pair<QByteArray, bool> rows[] = {
        {raw, true}, {header(1, 47, 95, 456), true}, {header(1, 0, 95, 778), true}, // the last 8 bpp
        {header(1, 1, 95, 266), true}, {header(1, 32, 255, 1608), true}, {header(1, 33, 0, 76), true},
        {header(2, 33, 95, 456), false}, {header(1, 33, 95, 457), false}, {header(1, 33, 95, 455), false},
        {header(1, 32, 95, 456), false}, // 8 bpp without its 512-byte block
        {raw.left(75), false}, {QByteArray(raw).replace(3, 1, " "), false}, {raw + QByteArray(100, 'x'), true},
        {QByteArray(), false}, {QByteArray(200, 'Z'), false}};
    // clang-format on
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("f.zgf")), missing = dir.filePath(QStringLiteral("missing.zgf"));
    RecordingFeedback feedback;
    for (const auto &[bytes, valid] : rows) {
        writeFile(path, bytes);
        EXPECT_EQ(IsValidZgfHeader(bytes), valid) << bytes.toHex(' ').toStdString();
        EXPECT_EQ(IsZgfFile(path, feedback), valid) << bytes.toHex(' ').toStdString();
    }
    EXPECT_TRUE(feedback.messages.isEmpty());
    EXPECT_FALSE(IsZgfFile(missing, feedback));
    EXPECT_EQ(feedback.failures(), QStringList{QStringLiteral("53: File not found: ") + missing});
}

enum class Coder { Raw, Rle };

QByteArray encode(Coder coder, const Surface &surface, int channels, bool invert, Feedback &feedback)
{
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    (coder == Coder::Rle ? RLEEncodeBitmap16 : RAWEncodeBitmap16)(buffer, surface, channels, invert, feedback);
    return out;
}

PixelSurface picture(const QList<QList<Color>> &rows)
{
    PixelSurface surface(int(rows.value(0).size()), int(rows.size()));
    for (int y = 0; y < surface.height(); ++y)
        surface.setRow(y, rows.at(y));
    return surface;
}

// Mask rows (one channel) hold the red level: colour 8 x level.
TEST(Encoders, RunsRowsChannelsInversionAndProgress)
{
    std::vector<std::tuple<Coder, PixelSurface, int, bool, QByteArray>> rows = {
        {Coder::Rle, picture({{8, 8, 16}}), 1, false, "41 22"},
        {Coder::Rle, PixelSurface(3, 2, 8), 1, false, "61 61"},                 // runs never cross rows
        {Coder::Rle, picture({{0x000008, 0x001008}}), 3, false, "41 20 22 40"}, // red, green, blue runs apart
        {Coder::Rle, PixelSurface(2, 2, 0x0000F8), 3, true, "40 5f 5f 40 5f 5f"},
        {Coder::Rle, PixelSurface(1, 1, 0), 1, true, "3f"},
        {Coder::Raw, picture({{0xFFFFFF, 0x000000}, {0x0000FF, 0x100807}}), 3, false, "ff ff 01 00 01 f8 45 00"},
        {Coder::Raw, picture({{0, 248, 56}}), 1, false, "00 1f 07"},
        {Coder::Raw, picture({{0, 248, 56}}), 1, true, "1f 00 18"},
        {Coder::Raw, PixelSurface(1, 1), 3, true, "01 00"}, // invert is for the mask form only
        {Coder::Raw, PixelSurface(0, 5), 3, false, ""},
        {Coder::Rle, PixelSurface(5, 0), 3, false, ""},
        {Coder::Rle, PixelSurface(0, 0), 1, false, ""},
    };
    // Runs of one level in a mask row: length, level, bytes.
    // clang-format off
    const std::tuple<int, int, QByteArray> runs[] = {
        {1, 5, "25"},        {7, 5, "e5"},          {8, 5, "05 08"},          {10, 5, "05 0a"},
        {255, 9, "09 ff"},   {256, 9, "09 ff 29"},  {258, 9, "09 ff 69"},     {300, 31, "1f ff 1f 2d"},
        {510, 0, "00 ff 00 ff"}, {517, 2, "02 ff 02 ff e2"}};
    // clang-format on
    for (const auto &[length, level, hex] : runs)
        rows.emplace_back(Coder::Rle, PixelSurface(length, 1, Color(level * 8)), 1, false, hex);
    for (const auto &[coder, surface, channels, invert, hex] : rows) {
        RecordingFeedback feedback;
        EXPECT_EQ(encode(coder, surface, channels, invert, feedback).toHex(' '), hex) << surface.width();
        // One step per row (RLE: per row and channel), the bar shown once and hidden; none for no pixels.
        const int steps = hex.isEmpty() ? 0 : surface.height() * (coder == Coder::Rle ? channels : 1);
        EXPECT_EQ(feedback.progressMaximum, steps);
        EXPECT_EQ(feedback.progressValue, feedback.progressMaximum);
        EXPECT_EQ(feedback.progressShownCount, hex.isEmpty() ? 0 : 1);
        EXPECT_FALSE(feedback.progressVisible);
    }
}

// Whatever the coder, a decoded image is the quantised surface (mask: the red level).
TEST(Encoders, DecodeToTheQuantisedImage)
{
    std::mt19937 random(7);
    for (int round = 0; round < 80; ++round) {
        const bool rle = round % 2;
        const int channels = round % 4 < 2 ? 1 : 3, width = 1 + int(random() % 600), height = 1 + int(random() % 4);
        PixelSurface image(width, height);
        // Rows of runs of random lengths, so both short and long runs occur.
        for (int i = 0, color = 0; i < width * height; ++i) {
            color = i % width == 0 ? 0 : random() % 40 == 0 ? int(random() & 0xFFFFFF) : color;
            image.setPixel(i % width, i / width, Color(color));
        }
        RecordingFeedback feedback;
        const QByteArray data = encode(rle ? Coder::Rle : Coder::Raw, image, channels, false, feedback);
        const QString context = QStringLiteral("image");
        const QList<quint16> pixels = channels == 1
            ? QList<quint16>()
            : (rle ? decodeRlePixels16 : decodeRawPixels16)(data, width, height, context);
        const QList<quint8> levels =
            channels == 3 ? QList<quint8>() : (rle ? decodeRleLevels : decodeRawLevels)(data, width, height, context);
        for (int i = 0; i < width * height; ++i) {
            const Color color = image.pixel(i % width, i / width);
            ASSERT_EQ(channels == 3 ? pixels.at(i) : levels.at(i),
                      channels == 3 ? ColorToPixel16(color, 1) : ColorChannel5(color, 1))
                << i;
        }
        EXPECT_TRUE(rle ? data.size() >= minimumRleSize(width, height, channels)
                        : data.size() == qsizetype(width) * height * (channels == 1 ? 1 : 2))
            << round;
        // The export's read-back check finds no difference, and the one a changed first level makes.
        EXPECT_EQ(firstCodingDifference(data, image, rle, channels, false, context), std::nullopt);
        QByteArray changed = data;
        changed[0] = char(changed[0] ^ 1);
        EXPECT_EQ(firstCodingDifference(changed, image, rle, channels, false, context), QPoint(0, 0)) << round;
        // A level of one channel of a pixel in the last row, changed after coding, is found there.
        const QPoint moved(int(random() % width), height - 1);
        const int channel = channels == 1 ? 0 : int(random() % 3);
        image.setPixel(moved.x(), moved.y(), image.pixel(moved.x(), moved.y()) ^ (Color(8) << (8 * channel)));
        EXPECT_EQ(firstCodingDifference(data, image, rle, channels, false, context), moved) << round << channel;
    }
}

// The check compares all channels at once: a channel whose runs end elsewhere than the
// others' (here green, the same level in both colours), and inverted mask levels.
TEST(Encoders, TheReadBackCheckFindsAChangeInAnyChannelAndInInvertedMasks)
{
    struct Case
    {
        const char *what;
        int channels;
        bool invert;
        Color changedBits; // XORed into the pixel at (37, 1) after coding
    };
    const Case cases[] = {
        {"red inside a long green run", 3, false, 0x000008},  {"green inside a long green run", 3, false, 0x000800},
        {"blue inside a long green run", 3, false, 0x080000}, {"an inverted mask level", 1, true, 0x000008},
        {"a plain mask level", 1, false, 0x000008},
    };
    for (const Case &c : cases) {
        for (const bool rle : {false, true}) {
            SCOPED_TRACE(std::string(c.what) + (rle ? " (RLE)" : " (RAW)"));
            // Bars of magenta and blue, which share their green level, in runs of 1 to 9.
            PixelSurface image(300, 3);
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x)
                    image.setPixel(x, y, (x * 7 + y) % 11 < 1 + x % 9 ? 0xFF00FF : 0xFF0000);
            }
            RecordingFeedback feedback;
            const QByteArray data = encode(rle ? Coder::Rle : Coder::Raw, image, c.channels, c.invert, feedback);
            EXPECT_EQ(firstCodingDifference(data, image, rle, c.channels, c.invert, QStringLiteral("image")),
                      std::nullopt);
            image.setPixel(37, 1, image.pixel(37, 1) ^ c.changedBits);
            EXPECT_EQ(firstCodingDifference(data, image, rle, c.channels, c.invert, QStringLiteral("image")),
                      QPoint(37, 1));
        }
    }
}

TEST(Encoders, AFailedWriteIsADeviceErrorAndHidesTheProgressBar)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("font.zgf")));
    writeFile(file.fileName(), {});
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    for (const auto encoder : {RAWEncodeBitmap16, RLEEncodeBitmap16}) {
        RecordingFeedback feedback;
        const QString message = failureOf([&] { encoder(file, PixelSurface(3, 2), 3, false, feedback); });
        EXPECT_TRUE(message.startsWith(QLatin1String("57: ")) && message.contains(QLatin1String("font.zgf")))
            << message.toStdString();
        EXPECT_EQ(feedback.progressShownCount, 1);
        EXPECT_FALSE(feedback.progressVisible);
    }
}

TEST(ZgfFont, GivesBackTablesImageAndMaskOfEveryCoding)
{
    for (int combination = 0; combination < 8; ++combination) {
        const bool rle = combination & 1, masked = combination & 2, invertMask = combination & 4;
        SCOPED_TRACE(combination);
        const ZgfTestFont wanted = sampleFont(rle, masked, invertMask);
        const ZgfFont font = ZgfFont::read(wanted.bytes());
        EXPECT_EQ(font.header().Flags, QList<int>({33, 35, 37, 47}).at(rle + 2 * masked)); // 16 bpp, indents, coding
        ASSERT_EQ(font.characters(), QString::fromUtf16(u"A\u20ACg"));
        const QList<int> indexes = {font.indexOf(u'\u20AC'), font.indexOf(u'g'), font.indexOf(u'z'),
                                    font.indexOf(u'\u4E00')};
        EXPECT_EQ(indexes, QList<int>({1, 2, -1, -1}));
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(font.charWidth(i), wanted.widths.at(i));
            EXPECT_EQ(font.leftIndent(i), wanted.leftIndents.at(i));
            EXPECT_EQ(font.rightIndent(i), wanted.rightIndents.at(i));
        }
        EXPECT_EQ(font.cellX(2), 14);
        EXPECT_EQ(font.maskCellX(2), 18);
        ASSERT_EQ(QSize(font.imageWidth(), font.imageHeight()), QSize(18, 7));
        for (int i = 0; i < 18 * 7; ++i) {
            const int x = i % 18, y = i / 18;
            const Color color = wanted.image.pixel(x, y);
            ASSERT_EQ(font.pixel16(x, y), ColorToPixel16(color, 1)) << x << ',' << y;
            for (int channel = 1; channel <= 3; ++channel)
                ASSERT_EQ(ColorChannel5(font.color(x, y), channel), ColorChannel5(color, channel));
        }
        ASSERT_EQ(font.hasMask(), masked);
        ASSERT_EQ(QSize(font.maskWidth(), font.maskHeight()), masked ? QSize(24, 10) : QSize(0, 0));
        // Inverted or not, a generated mask is stored as 31 on the glyphs and 0 around them.
        for (int i = 0; masked && i < 240; ++i) {
            const int x = i % 24, y = i / 24;
            const bool glyph = wanted.mask.pixel(x, y) == (invertMask ? 0 : 0xFFFFFF);
            ASSERT_EQ(font.maskLevel(x, y), glyph ? 31 : 0) << x << ',' << y;
            ASSERT_EQ(font.maskAlpha(x, y), glyph ? 255 : 0);
        }
    }
}

TEST(ZgfFont, ReadsAFontWithoutCharactersOrIndentTables)
{
    const ZgfFont empty = ZgfFont::read(ZgfTestFont{.height = 4}.prepared().bytes());
    EXPECT_EQ(empty.count(), 0);
    EXPECT_TRUE(empty.imagePixels().isEmpty());

    // Without flag bit 5 the indent tables are absent and the indents are 0.
    const ZgfHeader h{.Flags = ZgfHeader::Color16,
                      .FileLength = 80,
                      .GlyphOffset = 78,
                      .BitmapWidth = 1,
                      .BitmapHeight = 1,
                      .Count = 1};
    const ZgfFont plain = ZgfFont::read(h.toBytes() + QByteArray("x\x01\x01\xF8", 4));
    EXPECT_EQ(plain.leftIndent(0), 0);
    EXPECT_EQ(plain.rightIndent(0), 0);
    EXPECT_EQ(plain.pixel16(0, 0), 0xF801);
}

qint32 int32At(const QByteArray &data, int at)
{
    return qFromLittleEndian<qint32>(data.constData() + at);
}
void setInt32(QByteArray &data, int at, qint32 value)
{
    qToLittleEndian(value, data.data() + at);
}
// Shortens the file and its declared length together.
void cut(QByteArray &data, int bytes)
{
    data.chop(bytes);
    setInt32(data, 40, int32At(data, 40) - bytes);
}

TEST(ZgfFont, RefusesMalformedFilesWithAClearFailure)
{
    const int MaskOffset = 48, GlyphStart = 76 + 4 * 3;
    const std::tuple<bool, std::function<void(QByteArray &)>, const char *> rows[] = {
        // rle, change, message part
        {false, [](QByteArray &d) { d.clear(); }, "fewer than the 76"},
        {false, [](QByteArray &d) { d.truncate(75); }, "fewer than the 76"},
        {false, [](QByteArray &d) { d[2] = 'X'; }, "no ZGF signature"},
        {false, [](QByteArray &d) { d[4] = 2; }, "version 2"},
        {false, [](QByteArray &d) { d[5] = char(d[5] & ~1); }, "8-bpp fonts are not supported"},
        {false, [](QByteArray &d) { d.chop(1); }, "truncated"},
        {false, [](QByteArray &d) { setInt32(d, 40, 80); }, "declared length"},
        {false, [&](QByteArray &d) { setInt32(d, 44, GlyphStart + 1); }, "not right after the tables"},
        {false, [](QByteArray &d) { d[73] = 4; }, "not right after the tables"},
        {false, [&](QByteArray &d) { setInt32(d, MaskOffset, int32At(d, 40) + 1); }, "mask data offset"},
        {false, [&](QByteArray &d) { setInt32(d, MaskOffset, GlyphStart - 1); }, "mask data offset"},
        {false, [](QByteArray &d) { d[76 + 3] = 6; }, "add up to 19"},
        {false, [&](QByteArray &d) { setInt32(d, MaskOffset, int32At(d, MaskOffset) - 1); },
         "glyph image: data ends after"},
        {false, [](QByteArray &d) { cut(d, 1); }, "mask: data ends after 239 of 240 bytes"},
        {false, [&](QByteArray &d) { d[int32At(d, MaskOffset)] = 32; }, "level 32 at (0, 0)"},
        {true, [&](QByteArray &d) { cut(d, int(d.size()) - int32At(d, MaskOffset) - 9); }, "too short"},
        {true, [&](QByteArray &d) { setInt32(d, MaskOffset, GlyphStart + 20); }, "too short"},
        {true,
         [&](QByteArray &d) {
             d[GlyphStart] = 0;
             d[GlyphStart + 1] = 19;
         },
         "RLE run of 19 pixels overflows row 0 at column 0"},
        {true, [](QByteArray &d) { cut(d, 1); }, "RLE data ends early in row 9"},
    };
    for (const auto &[rle, mutate, expected] : rows) {
        QByteArray data = sampleFont(rle, true, true).bytes(); // read whole by the test above
        mutate(data);
        const QString message = failureOf([&] { ZgfFont::read(data); });
        EXPECT_TRUE(message.startsWith(QLatin1String("321: Invalid file format: "))
                    && message.contains(QLatin1String(expected)))
            << message.toStdString();
    }
}

// Mask increments that would put a mask cell outside the mask image are refused where the font
// is read, naming the character; a cell of width 0 or a mask of no rows is drawable.
TEST(ZgfFont, RefusesMaskCellsOutsideTheMaskImage)
{
    // clang-format off
    const std::tuple<QByteArray, QList<int>, int, int, const char *> rows[] = {
        // codes, widths, MaskWidthInc, MaskHeightInc (height 7), message part ("" is a valid font)
        {"Ag", {1, 5}, -2, 0, "the mask cell of character \"A\" (code 65) is -1 pixels wide (its width 1 plus "
                              "MaskWidthInc -2)"},
        {"A\x01g", {4, 0, 6}, -1, 0, "the mask cell of character code 1 is -1 pixels wide"},
        {"A\x80g", {5, 9, 4}, -7, 0, "character \"A\" (code 65) is -2 pixels wide"},
        {"Ag", {3, 4}, 0, -8, "the mask size 7 x -1 is negative"},
        {"Ag", {2, 5}, -2, 0, ""},
        {"Ag", {3, 4}, -3, -7, ""},
    };
    // clang-format on
    for (const auto &[codes, widths, widthInc, heightInc, expected] : rows) {
        ZgfTestFont wanted = ZgfTestFont{.codes = codes,
                                         .widths = widths,
                                         .leftIndents = QList<int>(widths.size()),
                                         .rightIndents = QList<int>(widths.size()),
                                         .height = 7,
                                         .masked = true}
                                 .prepared();
        for (int x = 0; x < wanted.maskWidth(); ++x)
            wanted.mask.setPixel(x, 0, 0x808080);
        QByteArray data = wanted.bytes();
        data[65] = char(widthInc); // the mask data left is longer than needed, which is allowed
        data[66] = char(heightInc);
        if (*expected) {
            const QString message = failureOf([&] { ZgfFont::read(data); });
            EXPECT_TRUE(message.contains(QLatin1String(expected))) << message.toStdString();
            continue;
        }
        const ZgfFont font = ZgfFont::read(data);
        for (int i = 0; i < font.count(); ++i) {
            EXPECT_GE(font.maskCellX(i), 0);
            EXPECT_LE(font.maskCellX(i) + font.charWidth(i) + widthInc, font.maskWidth());
        }
        const ZgfTextLayout layout(font, QString::fromLatin1(codes));
        QList<quint16> pixels(qsizetype(layout.width()) * layout.height());
        EXPECT_NO_THROW(layout.draw(pixels));
    }
}

// Also what the extractor's "View" button reads: a font at a non-zero offset of a larger file
// (its messages naming file and offset are the extractor suite's).
TEST(ZgfFont, ReadFileReadsAtAnOffsetOnly)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("font.zgf"));
    const QByteArray data = sampleFont(true, true, false).bytes();
    writeFile(path, QByteArray(1000, 'x') + data + QByteArray(50, 'y')); // the bytes after the font are not read
    const ZgfFont font = ZgfFont::readFile(path, 1000);
    EXPECT_EQ(font.imagePixels(), ZgfFont::read(data).imagePixels());
    EXPECT_EQ(font.maskLevels(), ZgfFont::read(data).maskLevels());
    for (const qint64 offset : {qint64(0), qint64(999), qint64(1001), qint64(-1), qint64(100000)}) {
        const QString message = failureOf([&] { ZgfFont::readFile(path, offset); });
        EXPECT_TRUE(message.startsWith(QLatin1String("321: ")) && message.contains(path)) << message.toStdString();
    }
    EXPECT_EQ(failureOf([&] { ZgfFont::readFile(path + u'x'); }), QStringLiteral("53: File not found: ") + path + u'x');
}

constexpr Color Red = 0x0000FF, Blue = 0xFF0000, Green = 0x00FF00; // green is transparent
constexpr QRgb RedPixel = 0xFFFF0000, BluePixel = 0xFF0000FF, GreenPixel = 0xFF00FF00;

// "A": a 3 x 2 red box, left indent 1. "B": 2 x 2 blue but for its bottom-left pixel,
// left indent -2, right indent 2. " ": one transparent column, right indent 3.
// Character separation 1, line separation 1, default width 4. The mask, one column wider
// per character and one row taller, is opaque only at (0, 0).
ZgfFont layoutFont()
{
    ZgfTestFont wanted = ZgfTestFont{.codes = "AB ",
                                     .widths = {3, 2, 1},
                                     .leftIndents = {1, -2, 0},
                                     .rightIndents = {0, 2, 3},
                                     .height = 2,
                                     .masked = true,
                                     .maskWidthInc = 1,
                                     .maskHeightInc = 1,
                                     .lineSep = 1,
                                     .charSep = 1,
                                     .defaultWidth = 4}
                             .prepared();
    wanted.image.setRow(0, {Red, Red, Red, Blue, Blue});
    wanted.image.setRow(1, {Red, Red, Red, Green, Blue});
    wanted.mask.setPixel(0, 0, 0xFFFFFF);
    return ZgfFont::read(wanted.bytes());
}

// The box of everything a text may touch; the cells themselves are held by the device suite.
TEST(ZgfTextLayout, MeasuresByIndentsWidthsAndSeparations)
{
    const std::pair<const char16_t *, QSize> rows[] = {
        {u"", {0, 0}},
        {u"A", {5, 2}},
        {u"AB", {8, 2}},
        {u"A A", {15, 2}},
        // A missing character moves like a space: default width plus separation.
        {u"AzA", {15, 2}},
        {u"A\U0001F600A", {15, 2}},
        {u"A\nB", {5, 5}},
        {u"A\r\nA\rA\n", {5, 11}},
    };
    const ZgfFont font = layoutFont();
    for (const auto &[text, size] : rows) {
        const ZgfTextLayout layout(font, QString::fromUtf16(text));
        EXPECT_EQ(QSize(layout.width(), layout.height()), size) << QString::fromUtf16(text).toStdString();
    }
    EXPECT_THROW(ZgfTextLayout(layoutFont(), QString(20000, u'A')), Failure);
}

// The mask's level is each glyph pixel's opacity: A's first column opaque, its second at
// level 16 blended in 5-bit channels over the white screen, the rest hidden.
TEST(ZgfTextLayout, DrawsThroughTheMask)
{
    ZgfTestFont wanted = ZgfTestFont{.codes = "A",
                                     .widths = {3},
                                     .leftIndents = {0},
                                     .rightIndents = {0},
                                     .height = 2,
                                     .masked = true,
                                     .maskWidthInc = 2}
                             .prepared();
    wanted.image.setRow(0, {Red, Red, Red});
    wanted.mask.setRow(0, {0, 0xFFFFFF, 0x808080, 0}); // centred: the cell starts one column in
    const ZgfFont font = ZgfFont::read(wanted.bytes());
    const QImage onWhite = ZgfPictures::textImage(font, QStringLiteral("A"), 0xFFFFFF);
    const int faded = int(expandLevel5((31 * 15 + 15) / 31)); // (31 x (31 - 16) + 0 x 16 + 15) / 31
    EXPECT_EQ(onWhite.pixel(0, 0), RedPixel);
    EXPECT_EQ(onWhite.pixel(1, 0), qRgb(255, faded, faded));
    EXPECT_EQ(onWhite.pixel(2, 0), 0xFFFFFFFFu);
}

TEST(ZgfPictures, FlagNamesAndGlyphAndMaskImagesAsStored)
{
    // The names of the known bits are listed by the CLI's info; bits without one get their number.
    EXPECT_EQ(zgfFlagNames(0xC011).join(u','), QStringLiteral("16-bit pixels,shadow mask,bit 14,bit 15"));

    const QImage glyphs = ZgfPictures::glyphImage(layoutFont());
    ASSERT_EQ(glyphs.size(), QSize(6, 2));
    EXPECT_EQ(glyphs.pixel(0, 0), RedPixel);
    EXPECT_EQ(glyphs.pixel(3, 0), BluePixel);
    EXPECT_EQ(glyphs.pixel(3, 1), GreenPixel);
    const QImage mask = ZgfPictures::maskImage(layoutFont());
    ASSERT_EQ(mask.size(), QSize(9, 3));
    EXPECT_EQ(mask.pixel(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(mask.pixel(8, 2), 0xFF000000u);
    EXPECT_TRUE(ZgfPictures::maskImage(ZgfFont::read(sampleFont(false, false, false).bytes())).isNull());
}

// layoutFont's mask shows only A's top-left pixel; the screen keeps its exact colour where
// nothing is drawn.
TEST(ZgfPictures, TextOverCheckerColourOrPicture)
{
    // Cells at x = 1, 6 and 11 of a 15 x 2 picture; checker squares 4 pixels wide.
    const QImage checker = ZgfPictures::textImage(layoutFont(), QStringLiteral("AAA"));
    ASSERT_EQ(checker.size(), QSize(15, 2));
    EXPECT_EQ(checker.pixel(6, 0), RedPixel);
    EXPECT_EQ(checker.pixel(7, 0), ZgfPictures::CheckerDark); // hidden by the mask
    EXPECT_EQ(checker.pixel(0, 0), ZgfPictures::CheckerLight);
    EXPECT_EQ(checker.pixel(5, 1), ZgfPictures::CheckerDark); // the second square

    const QImage plain = ZgfPictures::textImage(layoutFont(), QStringLiteral("AAA"), Color(0x336699));
    EXPECT_EQ(plain.pixel(11, 0), RedPixel);
    EXPECT_EQ(plain.pixel(5, 1), 0xFF996633u);

    QImage picture(2, 1, QImage::Format_RGB32);
    picture.fill(0xFF123456);
    const QImage over = ZgfPictures::textImage(layoutFont(), QStringLiteral("A"), picture);
    EXPECT_EQ(over.pixel(1, 0), RedPixel);
    EXPECT_EQ(over.pixel(0, 0), 0xFF123456u);
    EXPECT_EQ(over.pixel(2, 0), 0xFFFFFFFFu); // past the picture
}

// Smoothing would blend the pixels where red meets blue.
TEST(ZgfPictures, ZoomRepeatsEveryPixelWithoutSmoothing)
{
    const QImage image = ZgfPictures::glyphImage(layoutFont());
    const QImage zoomed = ZgfPictures::zoomed(image, 3);
    ASSERT_EQ(zoomed.size(), QSize(18, 6));
    for (int i = 0; i < 18 * 6; ++i)
        EXPECT_EQ(zoomed.pixel(i % 18, i / 18), image.pixel(i % 18 / 3, i / 18 / 3)) << i;
    EXPECT_THROW(ZgfPictures::zoomed(image, 0), Failure);
    EXPECT_THROW(ZgfPictures::zoomed(image, ZgfPictures::MaxZoom + 1), Failure);
}

} // namespace
