#include "csource.h"
#include "csourcefixtures.h"
#include "recordingfeedback.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

namespace {

// Reads the source file four bytes at a time and compares each little-endian word with the
// array; for a whole array also checks that it has no extra element.
constexpr char kCheckMain[] = R"(#include <stdio.h>
#include GENERATED
int main(int argc, char **argv)
{
    FILE *f = fopen(argv[1], "rb");
    unsigned char b[4];
    size_t n, k = 0, i;
    if (argc < 2 || f == NULL)
        return 3;
    while ((n = fread(b, 1, 4, f)) > 0) {
        unsigned long word = 0;
        for (i = 0; i < n; ++i)
            word |= (unsigned long)b[i] << (8 * i);
        if (ARRAY[k] != word)
            return 1;
        ++k;
    }
    fclose(f);
#ifdef WHOLE
    if (k != sizeof ARRAY / sizeof ARRAY[0])
        return 2;
#endif
    return 0;
}
)";

struct CompileCase
{
    const char *label;
    bool font;
    bool split;
    QByteArray bytes;
    QString header;     // file name of the generated header
    QString name;
    QString array;      // the array's identifier
    QStringList flags;
};

void PrintTo(const CompileCase &c, std::ostream *os)
{
    *os << c.label;
}

QByteArray trickyFont()
{
    // A character set with every character that needs care in a comment line, and a face
    // name holding line breaks.
    ZgfHeader h = validHeader("", 10);
    h.FaceName = QByteArray("Odd\r\nFa\\ce\n", 12);
    return fontBytes(h, "A\"\\\r\n??" "/\r\nB\rC\nD*/E\\", 33);
}

const QStringList kStrict = {QStringLiteral("-std=c99"), QStringLiteral("-pedantic-errors"),
                             QStringLiteral("-Wall"), QStringLiteral("-Werror")};

class CompileGenerated : public ::testing::TestWithParam<CompileCase>
{
};

TEST_P(CompileGenerated, ArrayHoldsTheFileBytes)
{
    const CompileCase &c = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString source = dir.filePath(c.font ? QStringLiteral("font.zgf") : QStringLiteral("data.bin"));
    writeFile(source, c.bytes);
    const QString header = dir.filePath(c.header);
    RecordingFeedback feedback;
    const bool written = c.font
        ? ZgfToCSource(source, header, c.name, c.split, feedback, QLatin1Char(','))
        : FileToCSource(source, header, c.name, c.split, feedback, QLatin1Char(','));
    ASSERT_TRUE(written) << feedback.failures().join(QLatin1Char('\n')).toStdString();
    writeFile(dir.filePath(QStringLiteral("main.c")), kCheckMain);

    QStringList arguments = c.flags;
    arguments << QStringLiteral("-DGENERATED=\"%1\"").arg(c.header)
              << QStringLiteral("-DARRAY=") + c.array << QStringLiteral("-o")
              << dir.filePath(QStringLiteral("check")) << dir.filePath(QStringLiteral("main.c"));
    if (c.split)
        arguments << dir.filePath(c.header.left(c.header.lastIndexOf(QLatin1Char('.')))
                                  + QStringLiteral(".c"));
    else
        arguments << QStringLiteral("-DWHOLE");
    QProcess compiler;
    compiler.setWorkingDirectory(dir.path());
    compiler.setProcessChannelMode(QProcess::MergedChannels);
    compiler.start(QStringLiteral(TEXEL_C_COMPILER), arguments);
    ASSERT_TRUE(compiler.waitForFinished(60000));
    ASSERT_EQ(compiler.exitCode(), 0) << compiler.readAll().toStdString()
                                      << readFile(header).toStdString();

    QProcess check;
    check.start(dir.filePath(QStringLiteral("check")), {source});
    ASSERT_TRUE(check.waitForFinished(60000));
    EXPECT_EQ(check.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(check.exitCode(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Sources, CompileGenerated,
    ::testing::Values(
        CompileCase{"font_whole", true, false, trickyFont(), QStringLiteral("my.font.h"),
                    QStringLiteral("odd"), QStringLiteral("odd_zgf"), kStrict},
        CompileCase{"font_split", true, true, trickyFont(), QStringLiteral("1st font.h"),
                    QStringLiteral("odd"), QStringLiteral("odd_zgf"), kStrict},
        CompileCase{"file_whole_partial_word", false, false, QByteArray("0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHI"),
                    QStringLiteral("data.h"), QStringLiteral("data"), QStringLiteral("data"), kStrict},
        CompileCase{"file_split_high_bytes", false, true, QByteArray::fromHex("fffefdfc80818283a0"),
                    QStringLiteral("data.h"), QStringLiteral("data"), QStringLiteral("data"), kStrict},
        // An empty array is a GNU C extension, which every GP32 compiler accepts.
        CompileCase{"file_empty", false, false, QByteArray(), QStringLiteral("empty.h"),
                    QStringLiteral("empty"), QStringLiteral("empty"),
                    {QStringLiteral("-std=gnu99"), QStringLiteral("-Wall"), QStringLiteral("-Werror")}}),
    [](const auto &row) { return std::string(row.param.label); });

} // namespace
