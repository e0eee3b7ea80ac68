#include "windows1252.h"

#include <gtest/gtest.h>

TEST(Windows1252, EveryByteRoundTrips)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b) {
        EXPECT_EQ(windows1252Code(windows1252Char(quint8(b))), b) << b;
        all.append(char(b));
    }
    EXPECT_EQ(toWindows1252(fromWindows1252(all)), all);
    EXPECT_EQ(windows1252Code(QChar(0x80)), -1) << "U+0080 is not the euro's byte";
}

TEST(Windows1252, TextConversion)
{
    const QString text = QStringLiteral("A\u20AC\u00F1\u0141\u2603");
    EXPECT_EQ(toWindows1252(text), QByteArray("A\x80\xF1??"));
    EXPECT_EQ(fromWindows1252(QByteArray("\x80\x9F\xE9")), QStringLiteral("\u20AC\u0178\u00E9"));
}
