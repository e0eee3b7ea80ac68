#include "fontfamilies.h"
#include "fontfiles.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The list is sorted without regard to case; a family that is not installed is matched to one
// that is (what "Arial" resolving to Liberation Sans relies on everywhere else).
TEST(FontFamilies, SortedListAndMatchedFamilies)
{
    QStringList families = installedFontFamilies();
    for (qsizetype i = 1; i < families.size(); ++i)
        EXPECT_LE(families[i - 1].compare(families[i], Qt::CaseInsensitive), 0) << families[i].toStdString();
    EXPECT_EQ(families.removeDuplicates(), 0);
    for (const auto &[requested, matched] : {std::pair("Times New Roman", "Liberation Serif"),
                                             {"Courier New", "Liberation Mono"},
                                             {"DejaVu Sans Mono", "DejaVu Sans Mono"}})
        EXPECT_EQ(matchedFontFamily(QString::fromUtf8(requested)), QString::fromUtf8(matched)) << requested;
    EXPECT_TRUE(families.contains(matchedFontFamily(QStringLiteral("No Such Family 7"))));
}

// A name from a project that no file can have opens no file, though a file named as the
// system would cut or change it exists.
TEST(FontFileNames, NameThatIsNoFileNameOpensNothing)
{
    QTemporaryDir dir;
    const QString font = QStringLiteral("/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf");
    ASSERT_TRUE(QFile::copy(font, dir.filePath(QStringLiteral("x"))));
    ASSERT_TRUE(QFile::copy(font, dir.filePath(QStringLiteral("y\uFFFD.ttf"))));
    EXPECT_FALSE(fontFileFaces(dir.filePath(QStringLiteral("x"))).families.isEmpty());
    for (const QString &name : {QStringLiteral("x\u0000.ttf"), QStringLiteral("y\xD800.ttf")})
        EXPECT_TRUE(fontFileFaces(dir.filePath(name)).families.isEmpty()) << name.size();
}

} // namespace
