#include "failure.h"
#include "zgfpixel.h"

#include <gtest/gtest.h>

namespace {

struct PixelCase
{
    Color color;
    qint32 pixel;
};

class ColorToPixel16Test : public testing::TestWithParam<PixelCase> {};

TEST_P(ColorToPixel16Test, GivesTheGp32Pixel)
{
    EXPECT_EQ(ColorToPixel16(GetParam().color, 1), GetParam().pixel);
    EXPECT_EQ(ColorToPixel16(GetParam().color, 0), GetParam().pixel - 1);
}

INSTANTIATE_TEST_SUITE_P(Colors, ColorToPixel16Test, testing::Values(
    PixelCase{0xFFFFFF, 0xFFFF},
    PixelCase{0x000000, 0x0001},
    PixelCase{0x0000FF, 0xF801},   // red
    PixelCase{0x00FF00, 0x07C1},   // green
    PixelCase{0xFF0000, 0x003F},   // blue
    PixelCase{0x100807, 0x0045})); // red 7, green 8, blue 16

// Every 8-bit value of every channel: the level is the value divided by 8, lands in its
// own bits only, and comes back from the pixel as the same level.
TEST(PixelConversion, EveryChannelValueRoundTrips)
{
    const int pixelShift[] = {11, 6, 1};
    for (int channel = 1; channel <= 3; ++channel) {
        for (int value = 0; value < 256; ++value) {
            const Color color = Color(value << (8 * (channel - 1)));
            const int level = value / 8;
            ASSERT_EQ(ColorChannel5(color, channel), level) << channel << ' ' << value;
            const qint32 pixel = ColorToPixel16(color, 1);
            ASSERT_EQ(pixel, (level << pixelShift[channel - 1]) | 1) << channel << ' ' << value;
            ASSERT_EQ(scanPixelToPixel16(pixelFromColor(color)) | 1, pixel);
            const Color back = pixel16ToColor(quint16(pixel));
            for (int other = 1; other <= 3; ++other)
                ASSERT_EQ(ColorChannel5(back, other), other == channel ? level : 0);
        }
    }
}

TEST(PixelConversion, EveryPixelSurvivesColorAndBack)
{
    for (int pixel = 1; pixel < 65536; pixel += 2)
        ASSERT_EQ(ColorToPixel16(pixel16ToColor(quint16(pixel)), 1), pixel);
    EXPECT_EQ(pixel16ToColor(0xFFFF), 0xFFFFFF);
}

TEST(PixelConversion, UnknownChannelsGiveZero)
{
    for (int channel : {-1, 0, 4, 100})
        EXPECT_EQ(ColorChannel5(0xFFFFFF, channel), 0) << channel;
}

struct RangeCase
{
    qint32 in;
    qint32 out;
};

class ToSigned16Test : public testing::TestWithParam<RangeCase> {};

TEST_P(ToSigned16Test, KeepsTheLow16Bits)
{
    EXPECT_EQ(ToSigned16(GetParam().in), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(Values, ToSigned16Test, testing::Values(
    RangeCase{-32768, -32768}, RangeCase{-1, -1}, RangeCase{0, 0}, RangeCase{32767, 32767},
    RangeCase{32768, -32768}, RangeCase{0xFFFF, -1}, RangeCase{0xF801, -2047}));

class ToByte8Test : public testing::TestWithParam<RangeCase> {};

TEST_P(ToByte8Test, GivesTheTwosComplementByte)
{
    EXPECT_EQ(ToByte8(GetParam().in), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(Values, ToByte8Test, testing::Values(
    RangeCase{-256, 0}, RangeCase{-129, 127}, RangeCase{-128, 128}, RangeCase{-1, 255},
    RangeCase{0, 0}, RangeCase{127, 127}, RangeCase{128, 128}, RangeCase{255, 255}));

TEST(PixelConversion, OutOfRangeIsOverflow)
{
    for (qint32 value : {-32769, 65536, 100000}) {
        try {
            ToSigned16(value);
            ADD_FAILURE() << "ToSigned16 accepted " << value;
        } catch (const Failure &failure) {
            EXPECT_EQ(failure.number, Failure::Overflow);
        }
    }
    for (qint32 value : {-257, 256, 32767}) {
        try {
            ToByte8(value);
            ADD_FAILURE() << "ToByte8 accepted " << value;
        } catch (const Failure &failure) {
            EXPECT_EQ(failure.number, Failure::Overflow);
        }
    }
}

} // namespace
