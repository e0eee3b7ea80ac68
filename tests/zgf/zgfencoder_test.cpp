#include "failure.h"
#include "pixelsurface.h"
#include "recordingfeedback.h"
#include "zgfdecoder.h"
#include "zgfencoder.h"
#include "zgfpixel.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

namespace {

enum class Coder { Raw, Rle };

// Records every progress call in order.
class ProgressLog : public RecordingFeedback
{
public:
    QStringList events;
    void setProgressRange(int minimum, int maximum) override
    {
        events.append(QStringLiteral("range %1 %2").arg(minimum).arg(maximum));
    }
    void setProgressValue(int value) override { events.append(QString::number(value)); }
    void setProgressVisible(bool visible) override
    {
        events.append(visible ? QStringLiteral("show") : QStringLiteral("hide"));
    }
};

QByteArray encode(Coder coder, const Surface &surface, int channels, bool invert, Feedback &feedback)
{
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    if (coder == Coder::Rle)
        RLEEncodeBitmap16(buffer, surface, channels, invert, feedback);
    else
        RAWEncodeBitmap16(buffer, surface, channels, invert, feedback);
    return out;
}

QByteArray encode(Coder coder, const Surface &surface, int channels, bool invert = false)
{
    RecordingFeedback feedback;
    return encode(coder, surface, channels, invert, feedback);
}

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

// A mask row: red level per pixel.
PixelSurface levelRow(const QList<int> &levels)
{
    PixelSurface surface(int(levels.size()), 1);
    for (int x = 0; x < int(levels.size()); ++x)
        surface.setPixel(x, 0, Color(levels.at(x) * 8));
    return surface;
}

struct RunCase
{
    int length;
    int level;
    QByteArray expected;
};

class RleRunTest : public testing::TestWithParam<RunCase> {};

TEST_P(RleRunTest, WritesTheRunTable)
{
    const RunCase &c = GetParam();
    const PixelSurface row = levelRow(QList<int>(c.length, c.level));
    EXPECT_EQ(encode(Coder::Rle, row, 1).toHex(' '), c.expected.toHex(' '));
}

INSTANTIATE_TEST_SUITE_P(Lengths, RleRunTest, testing::Values(
    RunCase{1, 5, bytes({37})},
    RunCase{7, 5, bytes({229})},
    RunCase{8, 5, bytes({5, 8})},
    RunCase{10, 5, bytes({5, 10})},
    RunCase{255, 9, bytes({9, 255})},
    RunCase{256, 9, bytes({9, 255, 32 + 9})},
    RunCase{258, 9, bytes({9, 255, 96 + 9})},
    RunCase{300, 31, bytes({31, 255, 31, 45})},
    RunCase{510, 0, bytes({0, 255, 0, 255})},
    RunCase{517, 2, bytes({2, 255, 2, 255, 7 * 32 + 2})}));

TEST(RleEncoder, SplitsARowIntoRunsOfEqualLevels)
{
    EXPECT_EQ(encode(Coder::Rle, levelRow({1, 1, 2}), 1), bytes({65, 34}));
}

TEST(RleEncoder, RunsNeverCrossRows)
{
    EXPECT_EQ(encode(Coder::Rle, PixelSurface(3, 2, 8), 1), bytes({97, 97}));
}

TEST(RleEncoder, CodesRedGreenBlueAsIndependentRuns)
{
    PixelSurface row(2, 1);
    row.setPixel(0, 0, 0x000008);
    row.setPixel(1, 0, 0x001008);
    EXPECT_EQ(encode(Coder::Rle, row, 3), bytes({65, 32, 34, 64}));
}

TEST(RleEncoder, AnEqualRowCostsThreeBytesUpToSevenPixelsThenSix)
{
    for (int width : {1, 7, 8, 100, 255})
        EXPECT_EQ(encode(Coder::Rle, PixelSurface(width, 1, 0x123456), 3).size(), width <= 7 ? 3 : 6) << width;
}

TEST(RleEncoder, InvertAppliesToEveryChannel)
{
    EXPECT_EQ(encode(Coder::Rle, levelRow({0}), 1, true), bytes({32 + 31}));
    EXPECT_EQ(encode(Coder::Rle, PixelSurface(1, 1, 0x0000F8), 3, true), bytes({32 + 0, 32 + 31, 32 + 31}));
}

TEST(RawEncoder, WritesLittleEndianPixelsRowByRow)
{
    PixelSurface image(2, 2);
    image.setRow(0, {0xFFFFFF, 0x000000});
    image.setRow(1, {0x0000FF, 0x100807});
    EXPECT_EQ(encode(Coder::Raw, image, 3).toHex(' '), QByteArray("ff ff 01 00 01 f8 45 00"));
}

TEST(RawEncoder, WritesOneLevelPerMaskPixelInvertedOnRequest)
{
    const PixelSurface row = levelRow({0, 31, 7});
    EXPECT_EQ(encode(Coder::Raw, row, 1), bytes({0, 31, 7}));
    EXPECT_EQ(encode(Coder::Raw, row, 1, true), bytes({31, 0, 24}));
    // Invert is for the mask form only.
    EXPECT_EQ(encode(Coder::Raw, PixelSurface(1, 1), 3, true), bytes({1, 0}));
}

struct ProgressCase
{
    Coder coder;
    int channels;
    int width;
    int height;
    const char *events; // the calls, "|" between them
};

class EncoderProgressTest : public testing::TestWithParam<ProgressCase> {};

TEST_P(EncoderProgressTest, StepsOncePerRowAndChannel)
{
    const ProgressCase &c = GetParam();
    ProgressLog log;
    const QByteArray out = encode(c.coder, PixelSurface(c.width, c.height), c.channels, false, log);
    EXPECT_EQ(log.events.join(u'|'), QLatin1String(c.events));
    EXPECT_EQ(out.isEmpty(), c.width * c.height == 0);
}

INSTANTIATE_TEST_SUITE_P(Images, EncoderProgressTest, testing::Values(
    ProgressCase{Coder::Raw, 3, 4, 3, "range 0 3|0|show|1|2|3|hide"},
    ProgressCase{Coder::Raw, 1, 4, 2, "range 0 2|0|show|1|2|hide"},
    ProgressCase{Coder::Rle, 3, 4, 2, "range 0 6|0|show|1|2|3|4|5|6|hide"},
    ProgressCase{Coder::Rle, 1, 4, 2, "range 0 2|0|show|1|2|hide"},
    ProgressCase{Coder::Raw, 3, 0, 5, ""},
    ProgressCase{Coder::Rle, 3, 5, 0, ""},
    ProgressCase{Coder::Rle, 1, 0, 0, ""}));

class EncoderContractTest : public testing::TestWithParam<std::tuple<Coder, int>> {};

// Whatever the coder, a decoded image is the quantised surface (mask: the red level).
TEST_P(EncoderContractTest, DecodesToTheQuantisedImage)
{
    const auto [coder, channels] = GetParam();
    std::mt19937 random(7);
    for (int round = 0; round < 20; ++round) {
        const int width = 1 + int(random() % 600);
        const int height = 1 + int(random() % 4);
        PixelSurface image(width, height);
        // Runs of random lengths, so both short and long runs occur.
        for (int y = 0; y < height; ++y) {
            Color color = 0;
            for (int x = 0; x < width; ++x) {
                if (random() % 40 == 0)
                    color = Color(random() & 0xFFFFFF);
                image.setPixel(x, y, color);
            }
        }
        const QByteArray data = encode(coder, image, channels);
        const QString context = QStringLiteral("image");
        if (channels == 3) {
            const QList<quint16> pixels = coder == Coder::Rle ? decodeRlePixels16(data, width, height, context)
                                                               : decodeRawPixels16(data, width, height, context);
            for (int i = 0; i < width * height; ++i)
                ASSERT_EQ(pixels.at(i), ColorToPixel16(image.pixel(i % width, i / width), 1)) << i;
        } else {
            const QList<quint8> levels = coder == Coder::Rle ? decodeRleLevels(data, width, height, context)
                                                              : decodeRawLevels(data, width, height, context);
            for (int i = 0; i < width * height; ++i)
                ASSERT_EQ(levels.at(i), ColorChannel5(image.pixel(i % width, i / width), 1)) << i;
        }
        if (coder == Coder::Raw)
            EXPECT_EQ(data.size(), qsizetype(width) * height * (channels == 1 ? 1 : 2));
        else
            EXPECT_GE(data.size(), minimumRleSize(width, height, channels));
    }
}

INSTANTIATE_TEST_SUITE_P(Coders, EncoderContractTest,
                         testing::Combine(testing::Values(Coder::Raw, Coder::Rle), testing::Values(1, 3)));

TEST(Encoders, AFailedWriteIsADeviceErrorAndHidesTheProgressBar)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("font.zgf"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    for (Coder coder : {Coder::Raw, Coder::Rle}) {
        ProgressLog log;
        try {
            if (coder == Coder::Rle)
                RLEEncodeBitmap16(file, PixelSurface(3, 2), 3, false, log);
            else
                RAWEncodeBitmap16(file, PixelSurface(3, 2), 3, false, log);
            ADD_FAILURE() << "no failure";
        } catch (const Failure &failure) {
            EXPECT_EQ(failure.number, Failure::DeviceIO);
            EXPECT_TRUE(failure.description.contains(QStringLiteral("font.zgf"))) << failure.message().toStdString();
        }
        EXPECT_EQ(log.events.last(), QStringLiteral("hide"));
    }
}

} // namespace
