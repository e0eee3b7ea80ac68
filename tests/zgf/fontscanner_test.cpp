#include "csourcefixtures.h"
#include "fontscanner.h"
#include "recordingfeedback.h"

#include <QBuffer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>
#include <ostream>

std::ostream &operator<<(std::ostream &os, const FoundFont &f)
{
    return os << '(' << f.name.toStdString() << ", " << f.offset << ", " << f.size << ')';
}

bool operator==(const FoundFont &a, const FoundFont &b)
{
    return a.name == b.name && a.offset == b.offset && a.size == b.size;
}

namespace {

// A scan input written as a marked string. "{Name}" is a valid header of a font called
// Name, size 10, stating 1000 bytes; "{Name/size}" states the given size. Rejected
// candidates: "{v2}" version 2, "{off}" data offset one too far, "{8off}" 8-bpp flags with
// the 16-bit offset, "{cut}" a valid header missing its last byte. "{8bpp}" is an accepted
// 8-bpp header (flags 0, 95 characters, offset 778) named Eight. "0" is a NUL byte; every
// other character stands for itself. "^" marks where the scan must report a font: the
// header that follows it.
struct MarkedInput
{
    QByteArray bytes;
    QList<FoundFont> expected;
};

MarkedInput parse(const char *marked)
{
    MarkedInput in;
    bool mark = false;
    for (const char *p = marked; *p != 0; ++p) {
        if (*p == '^') {
            mark = true;
            continue;
        }
        if (*p != '{') {
            in.bytes.append(*p == '0' ? '\0' : *p);
            continue;
        }
        const char *end = std::strchr(p, '}');
        const QByteArray token(p + 1, end - p - 1);
        p = end;
        ZgfHeader h = validHeader(token.split('/').first(), 10);
        h.FileLength = token.contains('/') ? token.split('/').last().toInt() : 1000;
        qsizetype keep = ZgfHeader::Size;
        if (token == "v2")
            h.Version = 2;
        else if (token == "off")
            h.GlyphOffset += 1;
        else if (token == "8off")
            h.Flags = 0;
        else if (token == "cut")
            keep -= 1;
        else if (token == "8bpp") {
            h = validHeader("Eight", 10, 0);
            h.FileLength = 1000;
        }
        if (mark)
            in.expected.append({QString::fromLatin1(h.FaceName) + QStringLiteral(" 10"),
                                qint64(in.bytes.size()), h.FileLength});
        mark = false;
        in.bytes.append(h.toBytes().left(keep));
    }
    return in;
}

// Read chunk sizes that put every candidate across a buffer boundary somewhere.
const qsizetype kChunkSizes[] = {1, 2, 3, 4, 5, 7, 16, 75, 76, 77, 100, 151, 4096,
                                 FontScanner::DefaultChunkSize};

struct ScanCase
{
    const char *label;
    const char *marked;
};

void PrintTo(const ScanCase &c, std::ostream *os)
{
    *os << c.label;
}

class ScanMarked : public ::testing::TestWithParam<ScanCase>
{
};

TEST_P(ScanMarked, ReportsExactlyTheMarkedFonts)
{
    const MarkedInput in = parse(GetParam().marked);
    for (const qsizetype chunk : kChunkSizes) {
        SCOPED_TRACE(chunk);
        QBuffer buffer;
        buffer.setData(in.bytes);
        ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
        QList<FoundFont> found;
        FontScanner(chunk).scan(buffer, found);
        EXPECT_EQ(found, in.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScanMarked,
    ::testing::Values(
        ScanCase{"at_start", "^{Arial}xxxxxxxxxx"},
        ScanCase{"back_to_back", "^{A}^{B}^{C}"},
        ScanCase{"after_partial_matches", "Z^{A}ZG^{B}ZGF^{C}ZGZ^{D}ZGF0"},
        ScanCase{"inside_another_font", "^{Outer/400}xxxx^{Inner/60}xxxxxxxxxxxxxxxxxxx"},
        ScanCase{"magic_in_the_name_field", "^{ZGF}"},
        ScanCase{"header_cut_off_at_the_end", "^{A}xx{cut}"},
        ScanCase{"magic_in_the_last_bytes", "xxxxZGF0xxZGF0"},
        ScanCase{"version_2", "xx{v2}xx^{A}"},
        ScanCase{"data_offset_off_by_one", "{off}x"},
        ScanCase{"eight_bpp", "x^{8bpp}{8off}"},
        ScanCase{"no_magic", "zgf0 ZGF ZG0F ZGFF xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"},
        ScanCase{"empty", ""}),
    [](const auto &row) { return std::string(row.param.label); });

TEST(FontScanner, MagicStraddlingTheBufferBoundary)
{
    // Filler pushes the magic across the end of the first 100-byte chunk at every split.
    for (int before = 95; before <= 100; ++before) {
        SCOPED_TRACE(before);
        QByteArray bytes(before, 'x');
        bytes += validHeader("Split", 7).toBytes();
        QBuffer buffer(&bytes);
        ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
        QList<FoundFont> found;
        FontScanner(100).scan(buffer, found);
        ASSERT_EQ(found.size(), 1);
        EXPECT_EQ(found[0].offset, before);
    }
}

TEST(FontScanner, NamesDropEveryNulAndReadWindows1252)
{
    const struct
    {
        QByteArray face;
        quint8 size;
        QString name;
    } rows[] = {
        {QByteArray("Abc"), 8, QStringLiteral("Abc 8")},
        {QByteArray("Ab\0cd", 5), 8, QStringLiteral("Abcd 8")},
        {QByteArray("\0Times New Roman", 16), 12, QStringLiteral("Times New Roman 12")},
        {QByteArray(32, 'W'), 255, QString(32, QLatin1Char('W')) + QStringLiteral(" 255")},
        {QByteArray("Caf\xe9 \x80", 6), 9, QStringLiteral("Caf\u00e9 \u20ac 9")},
    };
    for (const auto &row : rows) {
        QByteArray bytes = validHeader(row.face, row.size).toBytes();
        QBuffer buffer(&bytes);
        ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
        QList<FoundFont> found;
        FontScanner().scan(buffer, found);
        ASSERT_EQ(found.size(), 1);
        EXPECT_EQ(found[0].name, row.name);
    }
}

class ScanFileTest : public ::testing::Test
{
protected:
    QString path(const QString &name) const { return mDir.filePath(name); }

    QTemporaryDir mDir;
    RecordingFeedback mFeedback;
};

TEST_F(ScanFileTest, FindsFontsAcrossTheDefaultBuffer)
{
    // Two fonts across the first read's end, one at the end of the file.
    const qsizetype chunk = FontScanner::DefaultChunkSize;
    QByteArray bytes(chunk - 2, 'x');
    bytes += validHeader("First", 8).toBytes() + QByteArray(chunk, 'y');
    const qint64 last = bytes.size();
    bytes += fontBytes(validHeader("Last", 9), "ab", 10);
    writeFile(path(QStringLiteral("big.gxb")), bytes);

    const QList<FoundFont> found = ScanFile(path(QStringLiteral("big.gxb")), mFeedback);
    const QList<FoundFont> expected = {{QStringLiteral("First 8"), chunk - 2, 0},
                                       {QStringLiteral("Last 9"), last, 76 + 8 + 10}};
    EXPECT_EQ(found, expected);
    EXPECT_TRUE(mFeedback.messages.isEmpty());
    EXPECT_EQ(mFeedback.busyDepth, 0);
    EXPECT_FALSE(mFeedback.progressVisible);
    EXPECT_EQ(mFeedback.progressValue, mFeedback.progressMaximum);
}

TEST_F(ScanFileTest, NoFontIsReportedWithThePath)
{
    writeFile(path(QStringLiteral("plain.fxe")), "ZZGF ZGFx");
    EXPECT_TRUE(ScanFile(path(QStringLiteral("plain.fxe")), mFeedback).isEmpty());
    ASSERT_EQ(mFeedback.messages.size(), 1);
    EXPECT_EQ(mFeedback.messages[0].kind, RecordingFeedback::Message::Kind::Information);
    EXPECT_EQ(mFeedback.messages[0].text,
              QStringLiteral("No ZGF fonts could be located in file\r\n") + path(QStringLiteral("plain.fxe")));
    EXPECT_EQ(mFeedback.messages[0].title, Feedback::Title::Window);
}

TEST_F(ScanFileTest, MissingFileIsAFailureAndEmptyPathDoesNothing)
{
    const QString missing = path(QStringLiteral("missing.gxb"));
    EXPECT_TRUE(ScanFile(missing, mFeedback).isEmpty());
    EXPECT_EQ(mFeedback.failures(), QStringList{QStringLiteral("53: File not found: ") + missing});
    EXPECT_TRUE(mFeedback.informations().isEmpty());

    RecordingFeedback quiet;
    EXPECT_TRUE(ScanFile(QString(), quiet).isEmpty());
    EXPECT_TRUE(quiet.messages.isEmpty());
    EXPECT_EQ(quiet.busyDepth, 0);
}

} // namespace
