// A program's arguments are file names, which are bytes: the first that does not come back
// from decoding as the same bytes is found, shown byte by byte.
#include "programarguments.h"

#include <gtest/gtest.h>

namespace {

TEST(ProgramArguments, TheFirstArgumentThatIsNoUtf8TextIsFound)
{
    struct Case
    {
        std::vector<const char *> arguments;
        QStringList texts;
        QByteArray undecodable;
        QString shown;
    };
    const Case cases[] = {
        {{"info", "caf\xc3\xa9.tsm"}, {QStringLiteral("info"), QStringLiteral("caf\u00e9.tsm")}, {}, {}},
        {{"info", "p\xff.tsm", "q\xfe"},
         {QStringLiteral("info"), QStringLiteral("p\uFFFD.tsm"), QStringLiteral("q\uFFFD")},
         "p\xff.tsm",
         QStringLiteral("p\\xFF.tsm")},
        // Overlong and surrogate forms: no decoder may turn them into the character they spell.
        {{"a\xc0\xaf"}, {QStringLiteral("a\uFFFD\uFFFD")}, "a\xc0\xaf", QStringLiteral("a\\xC0\\xAF")},
        {{"\xed\xa0\x80\tx"},
         {QStringLiteral("\uFFFD\uFFFD\uFFFD\tx")},
         "\xed\xa0\x80\tx",
         QStringLiteral("\\xED\\xA0\\x80\\x09x")},
        {{}, {}, {}, {}},
    };
    for (const Case &c : cases) {
        std::vector<const char *> argv{"texelsmithy"};
        argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
        const ProgramArguments given = programArguments(int(argv.size()), argv.data());
        SCOPED_TRACE(c.shown.toStdString());
        EXPECT_EQ(given.texts, c.texts);
        EXPECT_EQ(given.undecodable, c.undecodable);
        EXPECT_EQ(shownBytes(given.undecodable), c.shown);
    }
}

} // namespace
