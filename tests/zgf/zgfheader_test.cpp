#include "failure.h"
#include "recordingfeedback.h"
#include "zgfheader.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

struct FlagsCase
{
    bool rle;
    bool masked;
    quint16 flags;
};

class FormatFlagsTest : public testing::TestWithParam<FlagsCase> {};

TEST_P(FormatFlagsTest, CarryColourIndentsAndCoding)
{
    EXPECT_EQ(ZgfHeader::formatFlags(GetParam().rle, GetParam().masked), GetParam().flags);
}

INSTANTIATE_TEST_SUITE_P(Codings, FormatFlagsTest, testing::Values(
    FlagsCase{false, false, 33}, FlagsCase{true, false, 35},
    FlagsCase{false, true, 37}, FlagsCase{true, true, 47}));

ZgfHeader rawFont95()
{
    ZgfHeader h;
    h.Flags = ZgfHeader::formatFlags(false, false);
    h.PointSize = 9;
    h.FaceName = "Arial";
    h.Count = 95;
    h.GlyphOffset = 456;
    h.BitmapWidth = 600;
    h.BitmapHeight = 12;
    h.FileLength = 456 + 600 * 12 * 2;
    return h;
}

TEST(ZgfHeader, PutsEveryFieldAtItsOffset)
{
    ZgfHeader h = rawFont95();
    h.TransColor = 0x07C1;
    h.MaskWidthInc = -1;
    h.ShadowYPos = -128;
    h.CharSep = 127;
    const QByteArray bytes = h.toBytes();
    ASSERT_EQ(bytes.size(), 76);
    const auto *p = reinterpret_cast<const uchar *>(bytes.constData());
    EXPECT_EQ(bytes.left(4), QByteArray("ZGF\0", 4));
    EXPECT_EQ(p[4], 1);
    EXPECT_EQ(qFromLittleEndian<quint16>(p + 5), 33);
    EXPECT_EQ(p[7], 9);
    EXPECT_EQ(bytes.mid(8, 32), QByteArray("Arial") + QByteArray(27, '\0'));
    EXPECT_EQ(qFromLittleEndian<qint32>(p + 40), 456 + 600 * 12 * 2);
    EXPECT_EQ(qFromLittleEndian<qint32>(p + 44), 456);
    EXPECT_EQ(qFromLittleEndian<qint32>(p + 48), 0);
    EXPECT_EQ(qFromLittleEndian<quint16>(p + 52), 0x07C1);
    EXPECT_EQ(qFromLittleEndian<quint16>(p + 58), 600);
    EXPECT_EQ(p[60], 12);
    EXPECT_EQ(p[65], 0xFF);
    EXPECT_EQ(p[70], 0x80);
    EXPECT_EQ(p[72], 127);
    EXPECT_EQ(p[73], 95);
    EXPECT_EQ(bytes.mid(74, 2), QByteArray(2, '\0'));

    const ZgfHeader back = ZgfHeader::fromBytes(bytes.constData(), bytes.size());
    EXPECT_EQ(back.toBytes(), bytes);
    EXPECT_EQ(back.MaskWidthInc, -1);
    EXPECT_EQ(back.faceNameText(), QStringLiteral("Arial"));
}

TEST(ZgfHeader, FaceNameFillsAtMost32Bytes)
{
    ZgfHeader h;
    h.FaceName = QByteArray(31, 'a');
    EXPECT_EQ(h.toBytes().mid(8, 32), QByteArray(31, 'a') + '\0');
    h.FaceName = QByteArray(32, 'b');
    EXPECT_EQ(h.toBytes().mid(8, 33), QByteArray(32, 'b') + '\0');
    h.FaceName = QByteArray(33, 'c');
    EXPECT_THROW(h.toBytes(), Failure);
}

struct ValidityCase
{
    const char *name;
    quint8 version;
    quint16 flags;
    quint8 count;
    qint32 glyphOffset;
    bool valid;
};

class IsValidZgfHeaderTest : public testing::TestWithParam<ValidityCase> {};

TEST_P(IsValidZgfHeaderTest, ChecksMagicVersionAndGlyphOffset)
{
    const ValidityCase &c = GetParam();
    ZgfHeader h;
    h.Version = c.version;
    h.Flags = c.flags;
    h.Count = c.count;
    h.GlyphOffset = c.glyphOffset;
    h.FileLength = 12345; // never checked
    EXPECT_EQ(IsValidZgfHeader(h.toBytes()), c.valid);
}

INSTANTIATE_TEST_SUITE_P(Headers, IsValidZgfHeaderTest, testing::Values(
    ValidityCase{"Raw95", 1, 33, 95, 456, true},
    ValidityCase{"RleMasked", 1, 47, 95, 456, true},
    ValidityCase{"EightBpp95", 1, 0, 95, 778, true},
    ValidityCase{"NoIndents", 1, 1, 95, 266, true},
    ValidityCase{"Largest", 1, 32, 255, 1608, true},
    ValidityCase{"Empty", 1, 33, 0, 76, true},
    ValidityCase{"Version2", 2, 33, 95, 456, false},
    ValidityCase{"OffsetPlusOne", 1, 33, 95, 457, false},
    ValidityCase{"OffsetMinusOne", 1, 33, 95, 455, false},
    ValidityCase{"EightBppWithoutBlock", 1, 32, 95, 456, false}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(IsValidZgfHeader, NeedsTheMagicAnd76Bytes)
{
    QByteArray bytes = rawFont95().toBytes();
    EXPECT_TRUE(IsValidZgfHeader(bytes));
    EXPECT_FALSE(IsValidZgfHeader(bytes.left(75)));
    bytes[3] = ' ';
    EXPECT_FALSE(IsValidZgfHeader(bytes));
}

TEST(IsZgfFile, TestsTheFirst76Bytes)
{
    QTemporaryDir dir;
    const QByteArray header = rawFont95().toBytes();
    const struct {
        const char *name;
        QByteArray content;
        bool expected;
    } cases[] = {
        {"empty.zgf", QByteArray(), false},
        {"short.zgf", header.left(75), false},
        {"header.zgf", header, true},
        {"longer.zgf", header + QByteArray(100, 'x'), true},
        {"other.bin", QByteArray(200, 'Z'), false},
    };
    for (const auto &c : cases) {
        const QString path = dir.filePath(QLatin1String(c.name));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.content);
        file.close();
        RecordingFeedback feedback;
        EXPECT_EQ(IsZgfFile(path, feedback), c.expected) << c.name;
        EXPECT_TRUE(feedback.messages.isEmpty()) << c.name;
    }
}

TEST(IsZgfFile, ReportsAFileThatCannotBeOpened)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("missing.zgf"));
    RecordingFeedback feedback;
    EXPECT_FALSE(IsZgfFile(path, feedback));
    EXPECT_EQ(feedback.failures(), QStringList{QStringLiteral("53: File not found: ") + path});
}

} // namespace
