#include "fontnaming.h"
#include "texelfont.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// Name, VariableName and GP32FileName, each followed by "*" when custom; "=" when the GP32
// file name is the one calculated for the document's flags.
std::string names(const TexelFont &f)
{
    return QStringLiteral("%1%2 %3%4 %5%6")
        .arg(f.Name(), QLatin1String(f.CustomName ? "*" : ""), f.VariableName(),
             QLatin1String(f.CustomVariableName ? "*" : ""),
             QLatin1String(f.GP32FileName() == f.CalculateGP32FileName() ? "=" : f.GP32FileName().toLatin1()),
             QLatin1String(f.CustomGP32FileName ? "*" : ""))
        .toStdString();
}

} // namespace

// The font properties dialog and the command line store names and flags through one routine.
TEST(FontNamingTest, NamesFollowUnlessCustom)
{
    struct Case
    {
        const char *what;
        std::function<void(TexelFont &)> before;
        FontNaming naming;
        std::string expected;
    };
    const auto none = [](TexelFont &) {};
    const auto customVariable = [](TexelFont &f) { f.setVariableName(QStringLiteral("mine")); };
    const Case cases[] = {
        {"a new name renames the derived names", none, {QStringLiteral("My Font")}, "My Font* myFont10 ="},
        {"a custom variable name stays", customVariable, {QStringLiteral("Other")}, "Other* mine* ="},
        {"spaces only: the family's name again",
         [](TexelFont &f) { f.setName(QStringLiteral("X")); },
         {QStringLiteral("   ")},
         "Arial arial10 ="},
        {"names as typed lose their spaces",
         none,
         {{}, QStringLiteral("my font"), QStringLiteral("My Fnt")},
         "Arial myfont* myfnt*"},
        {"an empty variable name keeps the document's", customVariable, {{}, QString()}, "Arial mine* ="},
        {"a flag renames the derived GP32 file name", none, {{}, {}, {}, {}, true}, "Arial arial10 ="},
    };
    for (const Case &c : cases) {
        TexelFont font;
        c.before(font);
        applyFontNaming(font, c.naming);
        EXPECT_EQ(names(font), c.expected) << c.what;
    }
}

// A GP32 file name calculated for the new flags is not custom: the flags are stored first.
TEST(FontNamingTest, FlagsBeforeNames)
{
    TexelFont font;
    const QString forSerif = font.CalculateGP32FileName(QString(), QString(), -1, 1, -1);
    ASSERT_NE(forSerif, font.GP32FileName());
    applyFontNaming(font, {{}, {}, forSerif, {}, true});
    EXPECT_TRUE(font.Serif);
    EXPECT_EQ(font.GP32FileName(), forSerif);
    EXPECT_FALSE(font.CustomGP32FileName);
}
