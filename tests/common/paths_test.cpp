#include "paths.h"

#include <gtest/gtest.h>

namespace {

struct PathCase
{
    const char *path;
    const char *fileName;
    const char *noExt;
    const char *folder;
};

class Paths : public ::testing::TestWithParam<PathCase>
{
};

} // namespace

TEST_P(Paths, Split)
{
    const PathCase c = GetParam();
    const QString path = QString::fromLatin1(c.path);
    EXPECT_EQ(GetFileName(path), QLatin1String(c.fileName));
    EXPECT_EQ(GetFileNameNoExt(path), QLatin1String(c.noExt));
    EXPECT_EQ(GetFolder(path), QLatin1String(c.folder));
}

INSTANTIATE_TEST_SUITE_P(WindowsAndUnix, Paths, ::testing::Values(
    PathCase{"C:\\dir\\", "", "", "C:\\dir\\"},
    PathCase{"dir\\file", "file", "file", "dir\\"},
    PathCase{"file", "file", "file", ""},
    PathCase{"C:a.txt", "a.txt", "a", "C:"},
    PathCase{"C:\\dir\\file.txt", "file.txt", "file", "C:\\dir\\"},
    PathCase{"C:\\a.b\\file", "file", "file", "C:\\a.b\\"},
    PathCase{"name.", "name.", "name", ""},
    PathCase{"a.b.jpeg", "a.b.jpeg", "a.b", ""},
    PathCase{"archive.tar5x", "archive.tar5x", "archive.tar5x", ""},
    PathCase{"/home/ana/glyphs.bmp", "glyphs.bmp", "glyphs", "/home/ana/"},
    PathCase{"/tmp/font.longext", "font.longext", "font.longext", "/tmp/"}));

TEST(Fields, GetField)
{
    const QString text = QStringLiteral("10,20,,40");
    const QString comma = QStringLiteral(",");
    EXPECT_EQ(GetField(text, 1, comma), QStringLiteral("10"));
    EXPECT_EQ(GetField(text, 2, comma), QStringLiteral("20"));
    EXPECT_EQ(GetField(text, 3, comma), QString());
    EXPECT_EQ(GetField(text, 4, comma), QStringLiteral("40"));
    EXPECT_EQ(GetField(text, 5, comma), QString());
    EXPECT_EQ(GetField(text, 0, comma), QString());
    EXPECT_EQ(GetField(QStringLiteral("abc"), 1, comma), QStringLiteral("abc"));
}

TEST(Fields, SetField)
{
    const QString sep = QStringLiteral(" - ");
    EXPECT_EQ(SetField(QStringLiteral("X"), QStringLiteral("A - B"), 4, sep), QStringLiteral("A - B -  - X"));
    EXPECT_EQ(SetField(QStringLiteral("P"), QStringLiteral("TexelSmithy v2.0.1"), 2, sep),
              QStringLiteral("TexelSmithy v2.0.1 - P"));
    EXPECT_EQ(SetField(QString(), QStringLiteral("TexelSmithy v2.0.1 - P"), 2, sep),
              QStringLiteral("TexelSmithy v2.0.1"));
    EXPECT_EQ(SetField(QStringLiteral("X"), QStringLiteral("A"), 0, sep), QString());
    EXPECT_EQ(SetField(QString(), QString(), 1, sep), QString());
}
