#include "dependencyfile.h"
#include "failure.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

// Names as make and ninja read them back: each special character escaped once, nothing else.
TEST(DependencyFile, EscapesNamesAsMakeAndNinjaReadThem)
{
    const std::pair<const char *, const char *> rows[] = {
        {"font.zgf", "font.zgf"},
        {"my fonts/title font.tsm", "my\\ fonts/title\\ font.tsm"},
        {"a#1.ttf", "a\\#1.ttf"},
        {"price$5.txt", "price$$5.txt"},
        {"$$", "$$$$"},
        {"c:d.bmp", "c\\:d.bmp"},
        {"/abs/f\xC3\xBCr.ttf", "/abs/f\xC3\xBCr.ttf"},
    };
    for (const auto &[name, written] : rows) {
        EXPECT_EQ(dependencyRule({QStringLiteral("out.zgf")}, {QString::fromUtf8(name)}),
                  QByteArray("out.zgf: ") + written + '\n')
            << name;
        EXPECT_EQ(dependencyRule({QString::fromUtf8(name)}, {}), QByteArray(written) + ":\n") << name;
    }
}

// Names that neither tool reads back are refused, naming the file, before anything is written.
TEST(DependencyFile, RefusesNamesNeitherToolReads)
{
    for (const char *name : {"new\nline.tsm", "tab\t.ttf", "back\\slash.h", "bell\a", ""}) {
        try {
            dependencyRule({QStringLiteral("out.zgf")}, {QString::fromUtf8(name)});
            ADD_FAILURE() << "accepted " << name;
        } catch (const Failure &failure) {
            EXPECT_EQ(failure.number, Failure::InvalidCall);
            EXPECT_TRUE(failure.description.contains(QString::fromUtf8(name))) << failure.description.toStdString();
        }
    }
}

// The outputs are the targets as given, in order; the inputs are absolute, each once, and
// those without a path are left out; a name beginning with ":" is a file like any other.
TEST(DependencyFile, RuleOfAnOperationsFiles)
{
    const QList<FileRole> files{{QStringLiteral("the project file"), QStringLiteral("fonts/../t.tsm"), false},
                                {QStringLiteral("the typeface file"), QString(), false},
                                {QStringLiteral("the edited bitmap"), QStringLiteral("/art/t b.bmp"), false},
                                {QStringLiteral("the edited mask"), QStringLiteral(":m.bmp"), false},
                                {QStringLiteral("the font file"), QStringLiteral("out/t.zgf")},
                                {QStringLiteral("the C file"), QStringLiteral("t.h")},
                                {QStringLiteral("the .c file"), QStringLiteral("t.c")},
                                {QStringLiteral("the characters file"), QStringLiteral("t.tsm"), false}};
    const QByteArray here = QFile::encodeName(QDir::currentPath()).replace(" ", "\\ ").replace(":", "\\:");
    EXPECT_EQ(dependencyRule(files), "out/t.zgf t.h t.c: " + here + "/t.tsm /art/t\\ b.bmp " + here + "/\\:m.bmp\n");
    EXPECT_EQ(dependencyRule(files.mid(0, 2) + files.mid(4, 1)), "out/t.zgf: " + here + "/t.tsm\n");
    EXPECT_THROW(dependencyRule(files.mid(0, 3)), Failure);
}
