#include "fontfamilies.h"

#include <gtest/gtest.h>

namespace {

TEST(FontFamilies, InstalledListIsSortedWithoutRegardToCase)
{
    QStringList families = installedFontFamilies();
    EXPECT_TRUE(families.contains(QStringLiteral("Liberation Sans")));
    EXPECT_TRUE(families.contains(QStringLiteral("DejaVu Sans")));
    for (qsizetype i = 1; i < families.size(); ++i)
        EXPECT_LE(families[i - 1].compare(families[i], Qt::CaseInsensitive), 0)
            << families[i].toStdString();
    EXPECT_EQ(families.removeDuplicates(), 0);
}

TEST(FontFamilies, MissingFamiliesAreMatchedToInstalledOnes)
{
    const std::pair<const char *, const char *> cases[] = {
        {"Arial", "Liberation Sans"},
        {"Times New Roman", "Liberation Serif"},
        {"Courier New", "Liberation Mono"},
        {"Liberation Sans", "Liberation Sans"},
        {"DejaVu Sans Mono", "DejaVu Sans Mono"},
    };
    for (const auto &[requested, matched] : cases) {
        EXPECT_EQ(matchedFontFamily(QString::fromUtf8(requested)), QString::fromUtf8(matched))
            << requested;
    }
    const QString substitute = matchedFontFamily(QStringLiteral("No Such Family 7"));
    EXPECT_TRUE(installedFontFamilies().contains(substitute)) << substitute.toStdString();
}

} // namespace
