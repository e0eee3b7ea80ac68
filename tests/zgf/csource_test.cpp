#include "carraywriter.h"
#include "csource.h"
#include "csourcefixtures.h"
#include "ctext.h"
#include "recordingfeedback.h"

#include <QDir>
#include <QSaveFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

#include <cstdio>
#include <string>

namespace {

using Kind = RecordingFeedback::Message::Kind;
using Title = Feedback::Title;

// The array body built the slow way: each byte's two digits put in front of the word's.
std::string referenceBody(const QByteArray &bytes)
{
    std::string out = "  ";
    for (qsizetype k = 0; 4 * k < bytes.size(); ++k) {
        if (k % 10 != 0)
            out += ", ";
        else if (k > 0)
            out += ",\r\n  ";
        std::string word;
        for (qsizetype j = 0; j < 4; ++j) {
            const qsizetype at = 4 * k + j;
            char digits[3];
            std::snprintf(digits, sizeof digits, "%02X", at < bytes.size() ? quint8(bytes.at(at)) : 0);
            word = digits + word;
        }
        out += "0x" + word;
    }
    return out + "\r\n";
}

QByteArray countingBytes(int size)
{
    QByteArray bytes;
    for (int i = 0; i < size; ++i)
        bytes.append(char(i + 1));
    return bytes;
}

const std::string kFontComment =
    "//\r\n"
    "// GP32 C source file for font Arial 12\r\n"
    "// Generated from ZGF font file arial12.zgf\r\n"
    "// File size      : 1,234 bytes\r\n"
    "// Bitmap size    : 300x14\r\n"
    "// Mask size      : no mask\r\n"
    "// Color depth    : 16 bpp\r\n"
    "//\r\n"
    "// Generator      : TexelSmithy v2.0.1 by Velmora\r\n"
    "//\r\n"
    "\r\n"
    "\r\n";

class CSourceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mDir.isValid());
        ZgfHeader h = validHeader("Arial", 12);
        h.BitmapWidth = 300;
        h.BitmapHeight = 14;
        mFont = fontBytes(h, "ABC\"\\", 1234 - 96);
        writeFile(fontPath(), mFont);
    }

    QString path(const QString &name) const { return mDir.filePath(name); }
    QString fontPath() const { return path(QStringLiteral("arial12.zgf")); }
    std::string file(const QString &name) const { return readFile(path(name)).toStdString(); }

    QTemporaryDir mDir;
    QByteArray mFont;
    RecordingFeedback mFeedback;
};

struct BodyCase
{
    const char *label;
    QByteArray source;
    std::string body;
};

void PrintTo(const BodyCase &c, std::ostream *os)
{
    *os << c.label;
}

class WriteCArrayBody : public ::testing::TestWithParam<BodyCase>
{
};

TEST_P(WriteCArrayBody, FormatsWordsAndLines)
{
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("source.bin"));
    writeFile(source, GetParam().source);
    QSaveFile out(dir.filePath(QStringLiteral("out.txt")));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    RecordingFeedback feedback;

    ASSERT_TRUE(WriteCArray(source, out, feedback));
    ASSERT_TRUE(out.commit());
    EXPECT_EQ(readFile(out.fileName()).toStdString(), GetParam().body);
    EXPECT_TRUE(feedback.messages.isEmpty());
    EXPECT_FALSE(feedback.progressVisible);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WriteCArrayBody,
    ::testing::Values(
        BodyCase{"five_bytes", countingBytes(5), "  0x04030201, 0x00000005\r\n"},
        BodyCase{"empty", QByteArray(), "  \r\n"},
        BodyCase{"one_full_line", countingBytes(40),
                 "  0x04030201, 0x08070605, 0x0C0B0A09, 0x100F0E0D, 0x14131211, 0x18171615, "
                 "0x1C1B1A19, 0x201F1E1D, 0x24232221, 0x28272625\r\n"},
        BodyCase{"line_and_one_word", countingBytes(44),
                 "  0x04030201, 0x08070605, 0x0C0B0A09, 0x100F0E0D, 0x14131211, 0x18171615, "
                 "0x1C1B1A19, 0x201F1E1D, 0x24232221, 0x28272625,\r\n  0x2C2B2A29\r\n"},
        BodyCase{"magic_and_high_bytes", QByteArray::fromHex("5a474600ff10ab"),
                 "  0x0046475A, 0x00AB10FF\r\n"}),
    [](const auto &row) { return std::string(row.param.label); });

TEST(WriteCArrayStream, MatchesTheWordByWordFormAcrossReadChunks)
{
    // Exactly one read chunk, and more than two ending inside a word.
    for (const qsizetype size : {qsizetype(1048560), qsizetype(2 * 1048560 + 47)}) {
        QByteArray bytes(size, '\0');
        quint32 seed = 12345;
        for (char &b : bytes) {
            seed = seed * 1103515245u + 12345u;
            b = char(seed >> 24);
        }
        QTemporaryDir dir;
        const QString source = dir.filePath(QStringLiteral("big.bin"));
        writeFile(source, bytes);
        QSaveFile out(dir.filePath(QStringLiteral("big.txt")));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        RecordingFeedback feedback;

        ASSERT_TRUE(WriteCArray(source, out, feedback));
        ASSERT_TRUE(out.commit());
        EXPECT_TRUE(readFile(out.fileName()).toStdString() == referenceBody(bytes)) << size;
        const int lines = int((size + 3) / 4 + 9) / 10;
        EXPECT_EQ(feedback.progressMaximum, lines);
        EXPECT_EQ(feedback.progressValue, lines);
    }
}

TEST(WriteCArrayStream, MissingSourceWritesNothingAndSaysSo)
{
    QTemporaryDir dir;
    QSaveFile file(dir.filePath(QStringLiteral("out.txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    RecordingFeedback feedback;
    const QString missing = dir.filePath(QStringLiteral("missing.bin"));

    EXPECT_FALSE(WriteCArray(missing, file, feedback));
    EXPECT_EQ(file.size(), 0);
    ASSERT_EQ(feedback.messages.size(), 1);
    EXPECT_EQ(feedback.messages[0].text, QStringLiteral("Can't open file ") + missing);
    EXPECT_EQ(feedback.messages[0].title, Title::Application);
}

TEST_F(CSourceTest, FontInOneHeader)
{
    ASSERT_TRUE(ZgfToCSource(fontPath(), path(QStringLiteral("font.h")), QStringLiteral("font"), false,
                             mFeedback, QLatin1Char(',')));
    EXPECT_EQ(file(QStringLiteral("font.h")),
              kFontComment
                  + "#ifndef __font_h__\r\n#define __font_h__\r\n\r\n"
                    "// Character set  : \"ABC\\\"\\\\\"\r\n\r\n"
                    "unsigned long font_zgf[] = {\r\n"
                  + referenceBody(mFont) + "};\r\n\r\n#endif /*__font_h__*/\r\n");
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("font.c"))));
    EXPECT_EQ(mFeedback.informations(), QStringList{QStringLiteral("C file(s) generated correctly.")});
    EXPECT_EQ(mFeedback.messages.last().title, Title::Window);
    EXPECT_EQ(mFeedback.busyDepth, 0);
    EXPECT_FALSE(mFeedback.progressVisible);
}

TEST_F(CSourceTest, FontSplitIntoHeaderAndSource)
{
    ASSERT_TRUE(ZgfToCSource(fontPath(), path(QStringLiteral("myfont.h")), QStringLiteral("arial"), true,
                             mFeedback, QLatin1Char('.')));
    std::string comment = kFontComment;
    comment.replace(comment.find("1,234"), 5, "1.234");
    EXPECT_EQ(file(QStringLiteral("myfont.h")),
              comment
                  + "#ifndef __myfont_h__\r\n#define __myfont_h__\r\n\r\n"
                    "// Character set  : \"ABC\\\"\\\\\"\r\n\r\n"
                    "extern unsigned long arial_zgf[];\r\n\r\n#endif /*__myfont_h__*/\r\n");
    EXPECT_EQ(file(QStringLiteral("myfont.c")),
              comment + "unsigned long arial_zgf[] = {\r\n" + referenceBody(mFont) + "};\r\n");
}

TEST_F(CSourceTest, FontCommentShowsMaskAndDepth)
{
    ZgfHeader h = validHeader("", 9, ZgfHeader::HasIndents | ZgfHeader::HasMask);
    h.FaceName = QByteArray("Bold\0Fa\nce", 11);
    h.BitmapWidth = 300;
    h.BitmapHeight = 14;
    h.MaskWidthInc = -1;
    h.MaskHeightInc = 2;
    writeFile(path(QStringLiteral("mask.zgf")), fontBytes(h, "abcde", 1000));

    ASSERT_TRUE(ZgfToCSource(path(QStringLiteral("mask.zgf")), path(QStringLiteral("mask.h")),
                             QStringLiteral("m"), false, mFeedback, QChar(0x202F)));
    const std::string text = file(QStringLiteral("mask.h"));
    EXPECT_NE(text.find("// GP32 C source file for font BoldFa\\nce 9\r\n"), std::string::npos);
    EXPECT_NE(text.find("// File size      : 1\xA0" "608 bytes\r\n"), std::string::npos);
    EXPECT_NE(text.find("// Mask size      : 295x16\r\n// Color depth    : 8 bpp\r\n"), std::string::npos);
}

TEST_F(CSourceTest, FileInOneHeaderAndSplit)
{
    writeFile(path(QStringLiteral("data.bin")), countingBytes(5));
    const std::string comment = "//\r\n// GP32 C source file for file data.bin\r\n// File size: 5 bytes\r\n"
                                "// Converter: TexelSmithy v2.0.1 by Velmora\r\n//\r\n\r\n\r\n";
    const std::string guard = "#ifndef __data_h__\r\n#define __data_h__\r\n\r\n";
    const std::string array = "unsigned long my data[] = {\r\n  0x04030201, 0x00000005\r\n};\r\n";

    ASSERT_TRUE(FileToCSource(path(QStringLiteral("data.bin")), path(QStringLiteral("data.h")),
                              QStringLiteral("my data"), false, mFeedback, QLatin1Char(',')));
    EXPECT_EQ(file(QStringLiteral("data.h")), comment + guard + array + "\r\n#endif /*__data_h__*/\r\n");

    ASSERT_TRUE(FileToCSource(path(QStringLiteral("data.bin")), path(QStringLiteral("data.h")),
                              QStringLiteral("my data"), true, mFeedback, QLatin1Char(',')));
    EXPECT_EQ(file(QStringLiteral("data.h")),
              comment + guard + "extern unsigned long my data[];\r\n\r\n#endif /*__data_h__*/\r\n");
    EXPECT_EQ(file(QStringLiteral("data.c")), comment + array);
    EXPECT_EQ(mFeedback.informations().size(), 2);
}

TEST_F(CSourceTest, GuardIsRepairedAndSourceLandsBesideHeader)
{
    writeFile(path(QStringLiteral("x")), "x");
    ASSERT_TRUE(FileToCSource(path(QStringLiteral("x")), path(QStringLiteral("my.font-1.h")),
                              QStringLiteral("x"), true, mFeedback, QLatin1Char(',')));
    const std::string header = file(QStringLiteral("my.font-1.h"));
    EXPECT_NE(header.find("#ifndef __my_font_1_h__\r\n#define __my_font_1_h__\r\n"), std::string::npos);
    EXPECT_NE(header.find("#endif /*__my_font_1_h__*/\r\n"), std::string::npos);
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("my.font-1.c"))));
}

TEST(CCharacterSetText, EscapesForTheCommentLine)
{
    const struct
    {
        QByteArray in;
        QByteArray out;
    } rows[] = {
        {"ABC\"\\", "ABC\\\"\\\\"},
        {"A\r\nB", "A\"\r\n//                  \"B"},
        {"A\rB\nC", "A\\rB\\nC"},
        {"\r\r\n\n", "\\r\"\r\n//                  \"\\n"},
        {"", ""},
    };
    for (const auto &row : rows)
        EXPECT_EQ(cCharacterSetText(row.in).toStdString(), row.out.toStdString());
}

TEST_F(CSourceTest, MissingSourceFailsAndKeepsTheOldHeader)
{
    writeFile(path(QStringLiteral("out.h")), "old header");
    const QString missing = path(QStringLiteral("gone.bin"));

    EXPECT_FALSE(FileToCSource(missing, path(QStringLiteral("out.h")), QStringLiteral("v"), true,
                               mFeedback, QLatin1Char(',')));
    EXPECT_EQ(file(QStringLiteral("out.h")), "old header");
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("out.c"))));
    EXPECT_EQ(mFeedback.failures(), QStringList{QStringLiteral("Can't open file ") + missing});
    EXPECT_TRUE(mFeedback.informations().isEmpty());
    EXPECT_EQ(mFeedback.busyDepth, 0);
    EXPECT_EQ(QDir(mDir.path()).entryList(QDir::Files).size(), 2); // no temporary file left
}

TEST_F(CSourceTest, OpenAndCreateFailuresAreReportedUnderTheApplicationTitle)
{
    const QString noFolder = path(QStringLiteral("nowhere/f.h"));
    const QString missingFont = path(QStringLiteral("missing.zgf"));
    const struct
    {
        bool font;
        QString source;
        QString cPath;
        bool split;
        QString message;
    } rows[] = {
        {true, missingFont, path(QStringLiteral("f.h")), false,
         QStringLiteral("Can't open .ZGF file ") + missingFont},
        {true, fontPath(), noFolder, false, QStringLiteral("Can't create .H file ") + noFolder},
        {false, fontPath(), noFolder, true, QStringLiteral("Can't create .H file ") + noFolder},
        // A header named .c would be overwritten by the array file.
        {false, fontPath(), path(QStringLiteral("f.c")), true,
         QStringLiteral("Can't create .C file ") + path(QStringLiteral("f.c"))},
    };
    for (const auto &row : rows) {
        RecordingFeedback feedback;
        const bool written = row.font
            ? ZgfToCSource(row.source, row.cPath, QStringLiteral("f"), row.split, feedback, QLatin1Char(','))
            : FileToCSource(row.source, row.cPath, QStringLiteral("f"), row.split, feedback, QLatin1Char(','));
        EXPECT_FALSE(written);
        ASSERT_EQ(feedback.messages.size(), 1);
        EXPECT_EQ(feedback.messages[0].kind, Kind::Failure);
        EXPECT_EQ(feedback.messages[0].text, row.message);
        EXPECT_EQ(feedback.messages[0].title, Title::Application);
        EXPECT_EQ(feedback.busyDepth, 0);
    }
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("f.h"))));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("f.c"))));
}

} // namespace
