#include "cnames.h"
#include "converter.h"
#include "csourcefixtures.h"
#include "recordingfeedback.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

constexpr quint16 kRaw = ZgfHeader::Color16 | ZgfHeader::HasIndents;

TEST(ZgfVariableName, FollowsFaceSizeAndFlags)
{
    const struct
    {
        QByteArray face;
        quint8 size;
        quint16 flags;
        const char *name;
    } rows[] = {
        {"Courier New", 10, kRaw | ZgfHeader::ItalicFlag, "courierNew10i"},
        {"ARIAL", 8, kRaw, "arial8"},
        {"Times New Roman", 12, kRaw | ZgfHeader::BoldFlag | ZgfHeader::PostprocessedFlag | ZgfHeader::HasMask,
         "timesNewRoman12b_pm"},
        {"Verdana", 9, kRaw | ZgfHeader::HasMask, "verdana9"}, // a mask alone adds nothing
        {"Verdana", 9, kRaw | ZgfHeader::PostprocessedFlag, "verdana9_p"},
        {"X", 7, kRaw | ZgfHeader::StrikethroughFlag | ZgfHeader::UnderlineFlag | ZgfHeader::ItalicFlag
                     | ZgfHeader::BoldFlag, "x7bius"},
        {QByteArray("Lu\0ci da", 8), 11, kRaw, "lucida11"},
        {"MS-DOS Font", 6, kRaw, "mS_DOSFont6"},
        {"3D Effect", 20, kRaw, "_3DEffect20"},
        {"Caf\xe9", 9, kRaw, "caf_9"},
        {"", 5, kRaw, "_5"},
    };
    for (const auto &row : rows) {
        ZgfHeader h = validHeader(row.face, row.size, row.flags);
        EXPECT_EQ(zgfVariableName(h), QLatin1String(row.name)) << row.name;
    }
}

TEST(ConverterNames, FileNamesAndTypedNames)
{
    EXPECT_EQ(fileVariableName(QStringLiteral("/data/data.bin")), QStringLiteral("data"));
    // archive.tar.gz loses only its last extension; the dot left is repaired.
    EXPECT_EQ(fileVariableName(QStringLiteral("/data/archive.tar.gz")), QStringLiteral("archive_tar"));
    EXPECT_EQ(fileVariableName(QStringLiteral("/data/README")), QStringLiteral("README"));
    EXPECT_EQ(fileVariableName(QStringLiteral("/data/int.bin")), QStringLiteral("int_"));
    EXPECT_EQ(fileVariableName(QStringLiteral("/data/2 logo-big.bmp")), QStringLiteral("_2_logo_big"));

    EXPECT_EQ(cFileNameBeside(QStringLiteral("/fonts/cour.zgf"), QStringLiteral("courierNew10i")),
              QStringLiteral("/fonts/courierNew10i.h"));
    EXPECT_EQ(cFileNameBeside(QStringLiteral("data.bin"), QStringLiteral("data")), QStringLiteral("data.h"));

    EXPECT_EQ(headerFileName(QStringLiteral("/out/out.c")), QStringLiteral("/out/out.h"));
    EXPECT_EQ(headerFileName(QStringLiteral("/out/out")), QStringLiteral("/out/out.h"));
    EXPECT_EQ(headerFileName(QStringLiteral("C:\\out\\my.font.c")), QStringLiteral("C:\\out\\my.font.h"));

    EXPECT_EQ(typedVariableName(QStringLiteral(" my var ")), QStringLiteral("myvar"));
    EXPECT_EQ(typedVariableName(QStringLiteral("my-var")), QStringLiteral("my-var"));
}

class ConverterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mDir.isValid());
        writeFile(path(QStringLiteral("cour.bin")),
                  fontBytes(validHeader("Courier New", 10, kRaw | ZgfHeader::ItalicFlag), "AB", 8));
        // Named like a font, but its header fails the test.
        writeFile(path(QStringLiteral("fake.zgf")), QByteArray("ZGF\0\2", 5) + QByteArray(100, 'x'));
    }
    QString path(const QString &name) const { return mDir.filePath(name); }

    QTemporaryDir mDir;
    RecordingFeedback mFeedback;
};

TEST_F(ConverterTest, DerivedNamesGoByContent)
{
    EXPECT_EQ(derivedVariableName(path(QStringLiteral("cour.bin")), mFeedback), QStringLiteral("courierNew10i"));
    EXPECT_EQ(derivedVariableName(path(QStringLiteral("fake.zgf")), mFeedback), QStringLiteral("fake"));
    EXPECT_TRUE(mFeedback.messages.isEmpty());
}

TEST_F(ConverterTest, ConversionChoosesTheGeneratorByContent)
{
    ASSERT_TRUE(convertToCSource(path(QStringLiteral("cour.bin")), path(QStringLiteral("out.c")),
                                 QStringLiteral("my var"), false, mFeedback, QLatin1Char(',')));
    const QByteArray font = readFile(path(QStringLiteral("out.h")));
    EXPECT_TRUE(font.contains("// GP32 C source file for font Courier New 10\r\n"));
    EXPECT_TRUE(font.contains("\r\nunsigned long myvar_zgf[] = {\r\n"));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("out.c"))));

    ASSERT_TRUE(convertToCSource(path(QStringLiteral("fake.zgf")), path(QStringLiteral("fake.h")),
                                 QStringLiteral("fake"), false, mFeedback, QLatin1Char(',')));
    const QByteArray raw = readFile(path(QStringLiteral("fake.h")));
    EXPECT_TRUE(raw.contains("// GP32 C source file for file fake.zgf\r\n"));
    EXPECT_TRUE(raw.contains("\r\nunsigned long fake[] = {\r\n"));
    EXPECT_EQ(mFeedback.informations().size(), 2);
}

} // namespace
