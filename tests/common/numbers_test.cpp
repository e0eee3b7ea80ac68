// Rounding, leading numbers and checked narrowing; formatTwoDigits and formatGrouped are held
// by the GP32 file name tests and the C source goldens.
#include "checked.h"
#include "numbers.h"

#include <gtest/gtest.h>

TEST(Numbers, RoundingHalvesToEven)
{
    const std::pair<double, int> cases[] = {{0.5, 0},   {1.5, 2},    {2.5, 2},     {-0.5, 0},
                                            {-1.5, -2}, {12.49, 12}, {13.333, 13}, {32767.4, 32767}};
    for (const auto &[value, expected] : cases)
        EXPECT_EQ(roundToInt16(value), expected) << value;
    EXPECT_THROW(roundToInt16(32767.5), Failure);
    EXPECT_THROW(roundToInt16(-40000), Failure);
    EXPECT_THROW(roundToInt16(std::numeric_limits<double>::quiet_NaN()), Failure);
}

TEST(Numbers, LeadingNumber)
{
    const std::pair<const char *, double> cases[] = {{"12", 12}, {"12abc", 12}, {" 7.5x", 7.5}, {"-3", -3},
                                                     {"+4", 4},  {".5", 0.5},   {"abc", 0},     {"", 0},
                                                     {"-", 0},   {"1,5", 1},    {"9.75", 9.75}, {"1e3", 1}};
    for (const auto &[text, expected] : cases)
        EXPECT_DOUBLE_EQ(leadingNumber(QString::fromLatin1(text)), expected) << text;
}

TEST(Checked, NarrowingFailsInsteadOfWrapping)
{
    EXPECT_EQ(toInt16(-32768), -32768);
    EXPECT_THROW(toInt16(32768), Failure);
    EXPECT_EQ(toUByte(255), 255);
    EXPECT_THROW(toUByte(-1), Failure);
    EXPECT_THROW(toUByte(256), Failure);
    try {
        toInt32(qint64(1) << 40);
        FAIL();
    } catch (const Failure &f) {
        EXPECT_EQ(f.message(), QStringLiteral("6: Overflow: 1099511627776 is outside -2147483648..2147483647"));
    }
}
