// C source generation (the array body, the generated files byte for byte, their failures,
// the system C compiler building them), fonts found and extracted inside other files, and
// the converter's names.

#include "cnames.h"
#include "csource.h"
#include "ctext.h"
#include "fontextractor.h"
#include "fontscanner.h"
#include "zgftest.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>

#include <algorithm>
#include <string>

std::ostream &operator<<(std::ostream &os, const FoundFont &f)
{
    return os << '(' << f.name.toStdString() << ", " << f.offset << ", " << f.size << ')';
}

bool operator==(const FoundFont &a, const FoundFont &b)
{
    return a.name == b.name && a.offset == b.offset && a.size == b.size;
}

namespace {

// The array body built the slow way: each word's bytes reversed and spelled in hex.
std::string referenceBody(const QByteArray &bytes)
{
    std::string out = "  ";
    for (qsizetype k = 0; 4 * k < bytes.size(); ++k) {
        QByteArray word = bytes.mid(4 * k, 4).leftJustified(4, '\0');
        std::reverse(word.begin(), word.end());
        out += (k % 10 != 0 ? ", 0x" : k > 0 ? ",\r\n  0x" : "0x") + word.toHex().toUpper().toStdString();
    }
    return out + "\r\n";
}

// size bytes: 1, 2, 3... or, scrambled, a fixed pseudo-random sequence.
QByteArray testBytes(qsizetype size, bool scrambled = false)
{
    QByteArray bytes(size, '\0');
    quint32 seed = 12345;
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = scrambled ? char((seed = seed * 1103515245u + 12345u) >> 24) : char(i + 1);
    return bytes;
}

TEST(CCharacterSetText, EscapesForTheCommentLine)
{
    const std::pair<QByteArray, QByteArray> rows[] = {{"ABC\"\\", "ABC\\\"\\\\"},
                                                      {"A\r\nB", "A\"\r\n//                  \"B"},
                                                      {"A\rB\nC", "A\\rB\\nC"},
                                                      {"\r\r\n\n", "\\r\"\r\n//                  \"\\n"},
                                                      {"", ""}};
    for (const auto &[in, out] : rows)
        EXPECT_EQ(cCharacterSetText(in).toStdString(), out.toStdString());
}

class CSourceTest : public ::testing::Test
{
protected:
    void SetUp() override { writeFile(path("arial12.zgf"), mFont); }
    QString path(const char *name) const { return mDir.filePath(QLatin1String(name)); }
    std::string file(const char *name) const { return readFile(path(name)).toStdString(); }
    bool generate(bool font, const char *source, const char *header, const char *name, bool split,
                  QChar separator = QLatin1Char(','))
    {
        try {
            reportCSourceWritten(
                font ? ZgfToCSource(path(source), path(header), QLatin1String(name), split, mFeedback, separator)
                     : FileToCSource(path(source), path(header), QLatin1String(name), split, mFeedback, separator),
                mFeedback);
            return true;
        } catch (const Failure &failure) {
            showFailure(failure, mFeedback);
            return false;
        }
    }

    QTemporaryDir mDir;
    const QByteArray mFont =
        fontBytes({.Flags = 33, .PointSize = 12, .FaceName = "Arial", .BitmapWidth = 300, .BitmapHeight = 14},
                  "ABC\"\\", 1234 - 96);
    RecordingFeedback mFeedback;
};

// The body of the array: ten words a line, the big sources exactly one read chunk, and more
// than two ending inside a word.
TEST_F(CSourceTest, ArrayBodyHasTenWordsALineAcrossReadChunks)
{
    const std::string tenWords = "  0x04030201, 0x08070605, 0x0C0B0A09, 0x100F0E0D, 0x14131211, 0x18171615, "
                                 "0x1C1B1A19, 0x201F1E1D, 0x24232221, 0x28272625";
    const QByteArray oneChunk = testBytes(1048560, true), threeChunks = testBytes(2 * 1048560 + 47, true);
    const std::pair<QByteArray, std::string> rows[] = {
        {testBytes(5), "  0x04030201, 0x00000005\r\n"},
        {testBytes(40), tenWords + "\r\n"},
        {testBytes(44), tenWords + ",\r\n  0x2C2B2A29\r\n"},
        {QByteArray::fromHex("5a474600ff10ab"), "  0x0046475A, 0x00AB10FF\r\n"},
        {oneChunk, referenceBody(oneChunk)},
        {threeChunks, referenceBody(threeChunks)},
    };
    for (const auto &[bytes, body] : rows) {
        writeFile(path("data.bin"), bytes);
        mFeedback = RecordingFeedback();
        ASSERT_TRUE(generate(false, "data.bin", "data.h", "data", false));
        const std::string text = file("data.h");
        const size_t start = text.find("data[] = {\r\n") + 12;
        EXPECT_TRUE(text.substr(start, text.rfind("};\r\n\r\n#endif") - start) == body) << body.substr(0, 80);
        const int lines = int((bytes.size() + 3) / 4 + 9) / 10;
        EXPECT_EQ(mFeedback.progressMaximum, lines);
        EXPECT_EQ(mFeedback.progressValue, lines);
        EXPECT_FALSE(mFeedback.progressVisible);
    }
}

TEST_F(CSourceTest, FontInOneHeaderOrSplit)
{
    ASSERT_TRUE(generate(true, "arial12.zgf", "font.h", "font", false));
    ASSERT_TRUE(generate(true, "arial12.zgf", "myfont.h", "arial", true, QLatin1Char('.')));
    const std::string comment = "//\r\n// GP32 C source file for font Arial 12\r\n"
                                "// Generated from ZGF font file arial12.zgf\r\n// File size      : 1,234 bytes\r\n"
                                "// Bitmap size    : 300x14\r\n// Mask size      : no mask\r\n"
                                "// Color depth    : 16 bpp\r\n//\r\n"
                                "// Generator      : TexelSmithy v2.0.1 by Velmora\r\n//\r\n\r\n\r\n";
    const std::string charset = "// Character set  : \"ABC\\\"\\\\\"\r\n\r\n";
    EXPECT_EQ(file("font.h"),
              comment + "#ifndef __font_h__\r\n#define __font_h__\r\n\r\n" + charset
                  + "unsigned long font_zgf[] = {\r\n" + referenceBody(mFont) + "};\r\n\r\n#endif /*__font_h__*/\r\n");
    EXPECT_FALSE(QFile::exists(path("font.c")));
    std::string dotted = comment;
    dotted.replace(comment.find("1,234"), 5, "1.234");
    EXPECT_EQ(file("myfont.h"),
              dotted + "#ifndef __myfont_h__\r\n#define __myfont_h__\r\n\r\n" + charset
                  + "extern unsigned long arial_zgf[];\r\n\r\n#endif /*__myfont_h__*/\r\n");
    EXPECT_EQ(file("myfont.c"), dotted + "unsigned long arial_zgf[] = {\r\n" + referenceBody(mFont) + "};\r\n");
    EXPECT_EQ(mFeedback.informations(), QStringList(2, QStringLiteral("C file(s) generated correctly.")));
    EXPECT_EQ(mFeedback.messages.last().title, Feedback::Title::Window);
    EXPECT_EQ(mFeedback.busyDepth, 0);
    EXPECT_FALSE(mFeedback.progressVisible);

    writeFile(path("mask.zgf"),
              fontBytes({.Flags = ZgfHeader::HasIndents | ZgfHeader::HasMask,
                         .PointSize = 9,
                         .FaceName = QByteArray("Bold\0Fa\nce", 11),
                         .BitmapWidth = 300,
                         .BitmapHeight = 14,
                         .MaskWidthInc = -1,
                         .MaskHeightInc = 2},
                        "abcde", 1000));
    ASSERT_TRUE(generate(true, "mask.zgf", "mask.h", "m", false, QChar(0x202F)));
    const std::string text = file("mask.h");
    EXPECT_NE(text.find("// GP32 C source file for font BoldFa\\nce 9\r\n"), std::string::npos);
    EXPECT_NE(text.find("// File size      : 1\xA0"
                        "608 bytes\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("// Mask size      : 295x16\r\n// Color depth    : 8 bpp\r\n"), std::string::npos);
}

// The split header's guard is repaired into an identifier; the array file lands beside it.
TEST_F(CSourceTest, FileInOneHeaderOrSplit)
{
    writeFile(path("data.bin"), testBytes(5));
    ASSERT_TRUE(generate(false, "data.bin", "data.h", "my_data", false));
    ASSERT_TRUE(generate(false, "data.bin", "my.font-1.h", "my_data", true));
    const std::string comment = "//\r\n// GP32 C source file for file data.bin\r\n// File size: 5 bytes\r\n"
                                "// Converter: TexelSmithy v2.0.1 by Velmora\r\n//\r\n\r\n\r\n";
    const std::string array = "unsigned long my_data[] = {\r\n  0x04030201, 0x00000005\r\n};\r\n";
    EXPECT_EQ(file("data.h"),
              comment + "#ifndef __data_h__\r\n#define __data_h__\r\n\r\n" + array + "\r\n#endif /*__data_h__*/\r\n");
    EXPECT_EQ(file("my.font-1.h"),
              comment
                  + "#ifndef __my_font_1_h__\r\n#define __my_font_1_h__\r\n\r\n"
                    "extern unsigned long my_data[];\r\n\r\n#endif /*__my_font_1_h__*/\r\n");
    EXPECT_EQ(file("my.font-1.c"), comment + array);
    EXPECT_EQ(mFeedback.informations().size(), 2);
}

// Every failure is reported, the program's own "Can't" messages with their reason under the
// application's title, and leaves no file behind; an old header stays as it was. Refused
// before any file is made: an array name that is no C identifier, an output that would
// replace the source or the other output, an empty source.
TEST_F(CSourceTest, FailuresWriteNothing)
{
    writeFile(path("out.h"), "old header");
    writeFile(path("empty.bin"), "");
    const QString rule = QStringLiteral("\" cannot be written into C: a C name is made of the letters");
    const std::tuple<bool, const char *, const char *, const char *, bool, QString> rows[] = {
        {false, "gone.bin", "out.h", "f", true,
         QStringLiteral("53: Can't open file ") + path("gone.bin") + QStringLiteral(": File not found")},
        {true, "missing.zgf", "f.h", "f", false,
         QStringLiteral("53: Can't open .ZGF file ") + path("missing.zgf") + QStringLiteral(": File not found")},
        {true, "arial12.zgf", "nowhere/f.h", "f", false,
         QStringLiteral("76: Can't create .H file ") + path("nowhere/f.h") + QStringLiteral(": Path not found")},
        {false, "arial12.zgf", "nowhere/f.h", "f", true,
         QStringLiteral("76: Can't create .H file ") + path("nowhere/f.h") + QStringLiteral(": Path not found")},
        {false, "arial12.zgf", "out.h", "x[1]; int evil", false,
         QStringLiteral("5: The variable name \"x[1]; int evil") + rule},
        {true, "arial12.zgf", "out.h", "../../x", false, QStringLiteral("5: The variable name \"../../x") + rule},
        {false, "arial12.zgf", "out.h", "int", false, QStringLiteral("5: The variable name \"int") + rule},
        {false, "empty.bin", "out.h", "f", false,
         QStringLiteral("5: The file ") + path("empty.bin") + QStringLiteral(" is empty, and C has no empty arrays")},
        {false, "out.h", "out.h", "f", false,
         QStringLiteral("5: The C file would replace the file to convert ") + path("out.h")},
        {false, "f.c", "f.h", "f", true,
         QStringLiteral("5: The .c file would replace the file to convert ") + path("f.c")},
        {false, "arial12.zgf", "f.c", "f", true,
         QStringLiteral("5: The .c file would replace the C file ") + path("f.c")},
    };
    for (const auto &[font, source, header, name, split, message] : rows) {
        mFeedback = RecordingFeedback();
        EXPECT_FALSE(generate(font, source, header, name, split));
        ASSERT_EQ(mFeedback.messages.size(), 1);
        EXPECT_TRUE(mFeedback.failures().value(0).startsWith(message)) << mFeedback.failures().value(0).toStdString();
        EXPECT_EQ(mFeedback.messages[0].title,
                  message.startsWith(QStringLiteral("5: ")) ? Feedback::Title::Window : Feedback::Title::Application);
        EXPECT_EQ(mFeedback.busyDepth, 0);
    }
    EXPECT_EQ(file("out.h"), "old header");
    EXPECT_EQ(QDir(mDir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList({QStringLiteral("arial12.zgf"), QStringLiteral("empty.bin"), QStringLiteral("out.h")}));
}

// Reads the source file four bytes at a time and compares each little-endian word with the
// array; for a whole array also checks that it has no extra element.
constexpr char kCheckMain[] = R"(#include <stdio.h>
#include GENERATED
int main(int argc, char **argv) {
    FILE *f = argc > 1 ? fopen(argv[1], "rb") : NULL;
    unsigned char b[4];
    size_t n, k = 0, i;
    unsigned long word;
    for (; f != NULL && (n = fread(b, 1, 4, f)) > 0; ++k) {
        for (word = 0, i = 0; i < n; ++i) word |= (unsigned long)b[i] << (8 * i);
        if (ARRAY[k] != word) return 1;
    }
#ifdef WHOLE
    if (k != sizeof ARRAY / sizeof ARRAY[0]) return 2;
#endif
    return f == NULL ? 3 : 0;
}
)";

// Whatever the inputs, the generated source compiles and its array holds the file's bytes.
TEST_F(CSourceTest, GeneratedSourceCompilesAndHoldsTheFileBytes)
{
    // A character set with every character that needs care in a comment line, and a face
    // name holding line breaks.
    writeFile(path("font.zgf"),
              fontBytes(validHeader(QByteArray("Odd\r\nFa\\ce\n", 12), 10),
                        "A\"\\\r\n??"
                        "/\r\nB\rC\nD*/E\\",
                        33));
    writeFile(path("main.c"), kCheckMain);
    const std::tuple<const char *, QByteArray, const char *, const char *, bool> rows[] = {
        // source, its bytes when not the font above, header, name, split
        {"font.zgf", {}, "my.font.h", "odd", false},
        {"font.zgf", {}, "1st font.h", "odd", true},
        {"data.bin", "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHI", "data.h", "data", false},
        {"data.bin", QByteArray::fromHex("fffefdfc80818283a0"), "data.h", "data", true},
    };
    for (const auto &[source, bytes, header, name, split] : rows) {
        SCOPED_TRACE(header);
        const bool font = QByteArrayView(source).endsWith(".zgf");
        if (!font)
            writeFile(path(source), bytes);
        ASSERT_TRUE(generate(font, source, header, name, split));
        QStringList arguments{QStringLiteral("-std=c99"), QStringLiteral("-pedantic-errors"), QStringLiteral("-Wall")};
        arguments << QStringLiteral("-Werror") << QStringLiteral("-o") << path("check")
                  << QStringLiteral("-DGENERATED=\"%1\"").arg(QLatin1String(header))
                  << QStringLiteral("-DARRAY=%1%2").arg(QLatin1String(name), QLatin1String(font ? "_zgf" : ""))
                  << path("main.c")
                  << (split ? path(header).chopped(2) + QStringLiteral(".c") : QStringLiteral("-DWHOLE"));
        QProcess compiler, check;
        compiler.setProcessChannelMode(QProcess::MergedChannels);
        compiler.start(QStringLiteral(TEXEL_C_COMPILER), arguments);
        ASSERT_TRUE(compiler.waitForFinished(60000));
        ASSERT_EQ(compiler.exitCode(), 0) << compiler.readAll().toStdString() << file(header);
        check.start(path("check"), {path(source)});
        ASSERT_TRUE(check.waitForFinished(60000));
        EXPECT_EQ(check.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(check.exitCode(), 0);
    }
}

// A scan input written as a marked string. "{Name}" is a valid header of a font called
// Name, size 10, stating 1000 bytes; "{Name/size}" states the given size. Rejected
// candidates: "{v2}" version 2, "{off}" data offset one too far, "{8off}" 8-bpp flags with
// the 16-bit offset, "{cut}" a valid header missing its last byte. "{8bpp}" is an accepted
// 8-bpp header (flags 0, 95 characters, offset 778). "0" is a NUL byte; every other
// character stands for itself. "^" marks a header that the scan must report.
std::pair<QByteArray, QList<FoundFont>> parse(const char *marked)
{
    static const QRegularExpression item(QStringLiteral("(\\^?)\\{([^}/]*)/?(\\d*)\\}|(.)"));
    QByteArray bytes;
    QList<FoundFont> expected;
    for (const QRegularExpressionMatch &m : item.globalMatch(QLatin1String(marked))) {
        if (m.hasCaptured(4)) {
            bytes.append(m.captured(4) == u'0' ? '\0' : m.captured(4).at(0).toLatin1());
            continue;
        }
        const QByteArray token = m.captured(2).toLatin1();
        ZgfHeader h = validHeader(token, 10, token == "8bpp" ? 0 : 33);
        h.Flags = token == "8off" ? 0 : h.Flags;
        h.Version = token == "v2" ? 2 : 1;
        h.GlyphOffset += token == "off" ? 1 : 0;
        h.FileLength = m.captured(3).isEmpty() ? 1000 : m.captured(3).toInt();
        if (!m.captured(1).isEmpty())
            expected.append({QString::fromLatin1(token) + QStringLiteral(" 10"), bytes.size(), h.FileLength});
        bytes.append(h.toBytes().left(token == "cut" ? 75 : 76));
    }
    return {bytes, expected};
}

TEST(FontScanner, ReportsExactlyTheMarkedFontsWhateverTheChunkSize)
{
    const char *cases[] = {
        "^{Arial}xxxxxxxxxx",
        "^{A}^{B}^{C}",                                   // back to back
        "Z^{A}ZG^{B}ZGF^{C}ZGZ^{D}ZGF0",                  // right after partial matches
        "^{Outer/400}xxxx^{Inner/60}xxxxxxxxxxxxxxxxxxx", // inside another font
        "^{ZGF}",                                         // the magic in the name field
        "^{A}xx{cut}",
        "xxxxZGF0xxZGF0",
        "xx{v2}xx^{A}",
        "{off}x",
        "x^{8bpp}{8off}",
        "",
        "zgf0 ZGF ZG0F ZGFF xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx",
    };
    // Chunk sizes that put every candidate across a buffer boundary somewhere.
    const qsizetype chunks[] = {1, 2, 3, 4, 5, 7, 16, 75, 76, 77, 100, 151, 4096, FontScanner::DefaultChunkSize};
    for (const char *marked : cases) {
        const auto [bytes, expected] = parse(marked);
        for (const qsizetype chunk : chunks) {
            QBuffer buffer;
            buffer.setData(bytes);
            buffer.open(QIODevice::ReadOnly);
            QList<FoundFont> found;
            FontScanner(chunk).scan(buffer, found);
            EXPECT_EQ(found, expected) << marked << " in chunks of " << chunk;
        }
    }
}

// Scanning a file and extracting what was found, as the extractor dialog does (listing and
// copying at offsets are the CLI suite's): names drop every NUL and read Windows-1252 escaped;
// a font at the very end of the file is found and copied exactly, over an older file. No font,
// a missing file and no path are reported or ignored; an extraction that does not fit, a
// missing source or folder is a failure that names the cause and writes nothing.
TEST(FontFiles, ScanFileFindsFontsAndExtractFontCopiesThem)
{
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("game.gxb")), dest = dir.filePath(QStringLiteral("font.zgf")),
                  missing = dir.filePath(QStringLiteral("gone")), noFolder = dir.filePath(QStringLiteral("no/a.zgf"));
    const QByteArray last = fontBytes(validHeader(QByteArray("\0Caf\xe9 \x80\t\\\x81\n", 11), 9), "ab", 10);
    const QByteArray bytes = QByteArray(FontScanner::DefaultChunkSize, 'y')
        + validHeader(QByteArray(32, 'W'), 255).toBytes() + last; // a name filling its field
    const qint64 length = bytes.size();
    writeFile(source, bytes);
    writeFile(dest, QByteArray(5000, 'o'));
    RecordingFeedback feedback;
    EXPECT_EQ(ScanFile(source, feedback),
              (QList<FoundFont>{{QString(32, u'W') + QStringLiteral(" 255"), FontScanner::DefaultChunkSize, 0},
                                {QStringLiteral("Caf\u00e9 \u20ac\\t\\\\\\x81\\n 9"), length - 94, 94}}));
    EXPECT_EQ(feedback.progressValue, feedback.progressMaximum);
    ASSERT_TRUE(ExtractFont(source, length - 94, 94, dest, feedback));
    EXPECT_EQ(readFile(dest), last);
    EXPECT_EQ(feedback.informations(), QStringList{QStringLiteral("ZGF font extracted correctly.")});
    EXPECT_EQ(feedback.messages.last().title, Feedback::Title::Window);
    EXPECT_EQ(feedback.busyDepth, 0);
    EXPECT_FALSE(feedback.progressVisible);

    feedback = RecordingFeedback();
    writeFile(dest, "ZZGF ZGFx");
    EXPECT_TRUE(ScanFile(dest, feedback).isEmpty());
    EXPECT_TRUE(ScanFile(missing, feedback).isEmpty());
    EXPECT_TRUE(ScanFile(QString(), feedback).isEmpty());
    EXPECT_TRUE(ScanFile(QStringLiteral("/dev/zero"), feedback).isEmpty());
    ASSERT_EQ(feedback.messages.size(), 3);
    EXPECT_EQ(feedback.informations(), QStringList{QStringLiteral("No ZGF fonts could be located in file\r\n") + dest});
    EXPECT_EQ(feedback.failures(),
              QStringList({QStringLiteral("53: File not found: ") + missing,
                           QStringLiteral("75: Path/File access error: /dev/zero is not a regular file")}));

    const QString fit = QStringLiteral(": the font at offset %1 states a size of %2 bytes, but %3 bytes are available "
                                       "there in ")
        + source;
    const QString past = QStringLiteral("62: Input past end of file");
    const QString invalid = QStringLiteral("5: Invalid procedure call or argument");
    const std::tuple<QString, qint64, qint32, QString, QString> rows[] = {
        {source, length - 94, 95, dest, past + fit.arg(length - 94).arg(95).arg(94)},
        {source, length + 5, 1, dest, past + fit.arg(length + 5).arg(1).arg(0)},
        {source, 100, -4, dest, invalid + fit.arg(100).arg(-4).arg(length - 100)},
        {missing, 0, 1, dest, QStringLiteral("53: File not found: ") + missing},
        {source, 100, 10, noFolder, QStringLiteral("76: Path not found: ") + noFolder},
        {source, 0, 1, source, QStringLiteral("5: The font file would replace the scanned file ") + source + u'.'},
    };
    for (const auto &[from, offset, size, to, message] : rows) {
        feedback = RecordingFeedback();
        EXPECT_FALSE(ExtractFont(from, offset, size, to, feedback));
        EXPECT_EQ(feedback.failures(), QStringList{message});
        EXPECT_TRUE(feedback.informations().isEmpty());
        EXPECT_EQ(feedback.busyDepth, 0);
    }
    EXPECT_EQ(readFile(dest), QByteArray("ZZGF ZGFx"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(), 2);
}

using H = ZgfHeader;
constexpr quint16 kRaw = H::Color16 | H::HasIndents;

TEST(ConverterNames, ZgfVariableNameFollowsFaceSizeAndFlags)
{
    const std::tuple<QByteArray, quint8, quint16, const char *> rows[] = {
        {"Courier New", 10, kRaw | H::ItalicFlag, "courierNew10i"},
        {"ARIAL", 8, kRaw, "arial8"},
        {QByteArray("Lu\0ci da", 8), 11, kRaw, "lucida11"},
        {"Times New Roman", 12, kRaw | H::BoldFlag | H::PostprocessedFlag | H::HasMask, "timesNewRoman12b_pm"},
        {"Verdana", 9, kRaw | H::HasMask, "verdana9"}, // a mask alone adds nothing
        {"Verdana", 9, kRaw | H::PostprocessedFlag, "verdana9_p"},
        {"X", 7, kRaw | H::StrikethroughFlag | H::UnderlineFlag | H::ItalicFlag | H::BoldFlag, "x7bius"},
        {"MS-DOS Font", 6, kRaw, "mS_DOSFont6"},
        {"3D Effect", 20, kRaw, "_3DEffect20"},
        {"Caf\xe9", 9, kRaw, "caf_9"},
        {"", 5, kRaw, "_5"},
        {"Nimbus Sans [urw]", 10, kRaw, "nimbusSans10"},
    };
    for (const auto &[face, size, flags, name] : rows)
        EXPECT_EQ(zgfVariableName(validHeader(face, size, flags)), QLatin1String(name));
}

TEST(ConverterNames, FileNamesAndTypedNames)
{
    const auto file = fileVariableName, header = headerFileName, typed = typedVariableName;
    const auto beside = [](const QString &path) { return cFileNameBeside(path, fileVariableName(path)); };
    const std::tuple<QString (*)(const QString &), const char *, const char *> rows[] = {
        {file, "/data/data.bin", "data"},
        {file, "/data/archive.tar.gz", "archive_tar"}, // only the last extension goes; the dot left is repaired
        {file, "/data/README", "README"},
        {file, "/data/int.bin", "int_"},
        {file, "/data/2 logo-big.bmp", "_2_logo_big"},
        {beside, "/data/data.bin", "/data/data.h"},
        {beside, "data.bin", "data.h"},
        {header, "/out/out.c", "/out/out.h"},
        {header, "/out/out", "/out/out.h"},
        {header, "C:\\out\\my.font.c", "C:\\out\\my.font.h"},
        {typed, " my var ", "myvar"},
        {typed, "my-var", "my-var"},
    };
    for (const auto &[function, in, out] : rows)
        EXPECT_EQ(function(QLatin1String(in)), QLatin1String(out)) << in;
}

} // namespace
