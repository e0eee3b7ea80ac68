#include "windows1252.h"

#include <QList>

#include <gtest/gtest.h>

TEST(Windows1252, EveryAssignedByteRoundTrips)
{
    const QList<int> unassigned = {0x81, 0x8D, 0x8F, 0x90, 0x9D};
    for (int b = 0; b < 256; ++b) {
        const QChar c = windows1252Char(quint8(b));
        if (unassigned.contains(b)) {
            EXPECT_EQ(windows1252Code(c), -1) << b;
            continue;
        }
        EXPECT_EQ(windows1252Code(c), b) << b;
    }
}

TEST(Windows1252, TextConversion)
{
    const QString text = QStringLiteral("A\u20AC\u00F1\u0141\u2603");
    EXPECT_EQ(toWindows1252(text), QByteArray("A\x80\xF1??"));
    EXPECT_EQ(fromWindows1252(QByteArray("\x80\x9F\xE9")), QStringLiteral("\u20AC\u0178\u00E9"));
}
