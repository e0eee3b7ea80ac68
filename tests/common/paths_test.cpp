#include "paths.h"

#include <gtest/gtest.h>

// Windows and Unix paths: file name, file name without extension, folder.
TEST(Paths, Split)
{
    const std::tuple<const char *, const char *, const char *, const char *> rows[] = {
        {"C:\\dir\\", "", "", "C:\\dir\\"},
        {"dir\\file", "file", "file", "dir\\"},
        {"file", "file", "file", ""},
        {"C:a.txt", "a.txt", "a", "C:"},
        {"C:\\dir\\file.txt", "file.txt", "file", "C:\\dir\\"},
        {"C:\\a.b\\file", "file", "file", "C:\\a.b\\"},
        {"name.", "name.", "name", ""},
        {"a.b.jpeg", "a.b.jpeg", "a.b", ""},
        {"archive.tar5x", "archive.tar5x", "archive.tar5x", ""},
        {"/home/ana/glyphs.bmp", "glyphs.bmp", "glyphs", "/home/ana/"},
        {"/tmp/font.longext", "font.longext", "font.longext", "/tmp/"}};
    for (const auto &[path, fileName, noExt, folder] : rows) {
        const QString p = QString::fromLatin1(path);
        EXPECT_EQ(GetFileName(p) + u'|' + GetFileNameNoExt(p) + u'|' + GetFolder(p),
                  QLatin1String(fileName) + u'|' + QLatin1String(noExt) + u'|' + QLatin1String(folder))
            << path;
    }
}

TEST(Fields, GetField)
{
    const std::tuple<const char *, int, const char *> rows[] = {
        {"10,20,,40", 1, "10"}, {"10,20,,40", 2, "20"}, {"10,20,,40", 3, ""}, {"10,20,,40", 4, "40"},
        {"10,20,,40", 5, ""},   {"10,20,,40", 0, ""},   {"abc", 1, "abc"}};
    for (const auto &[text, index, field] : rows)
        EXPECT_EQ(GetField(QLatin1String(text), index, QStringLiteral(",")), QLatin1String(field)) << index;
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
