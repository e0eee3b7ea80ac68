#include "csourcefixtures.h"
#include "fontextractor.h"
#include "recordingfeedback.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class ExtractFontTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mDir.isValid());
        mFont = fontBytes(validHeader("Inner", 10), "xyz", 50);
        mSource = QByteArray(100, 'p') + mFont + QByteArray(30, 'q');
        writeFile(path(QStringLiteral("game.gxb")), mSource);
    }

    QString path(const QString &name) const { return mDir.filePath(name); }
    bool extract(qint64 offset, qint32 size, const QString &dest)
    {
        return ExtractFont(path(QStringLiteral("game.gxb")), offset, size, path(dest), mFeedback);
    }

    QTemporaryDir mDir;
    QByteArray mFont;
    QByteArray mSource;
    RecordingFeedback mFeedback;
};

TEST_F(ExtractFontTest, CopiesExactlyTheStatedBytesOverALargerFile)
{
    writeFile(path(QStringLiteral("Inner 10.zgf")), QByteArray(5000, 'o'));
    ASSERT_TRUE(extract(100, qint32(mFont.size()), QStringLiteral("Inner 10.zgf")));
    EXPECT_EQ(readFile(path(QStringLiteral("Inner 10.zgf"))), mFont);
    EXPECT_EQ(mFeedback.informations(), QStringList{QStringLiteral("ZGF font extracted correctly.")});
    EXPECT_EQ(mFeedback.messages.last().title, Feedback::Title::Window);
    EXPECT_EQ(mFeedback.busyDepth, 0);
    EXPECT_FALSE(mFeedback.progressVisible);
}

TEST_F(ExtractFontTest, CopiesUpToTheLastByteOfTheSource)
{
    ASSERT_TRUE(extract(100, qint32(mSource.size() - 100), QStringLiteral("tail.zgf")));
    EXPECT_EQ(readFile(path(QStringLiteral("tail.zgf"))), mSource.mid(100));
    ASSERT_TRUE(extract(0, 0, QStringLiteral("empty.zgf")));
    EXPECT_EQ(readFile(path(QStringLiteral("empty.zgf"))), QByteArray());
}

TEST_F(ExtractFontTest, SizesThatDoNotFitFailAndWriteNothing)
{
    const QString source = path(QStringLiteral("game.gxb"));
    const qint64 length = mSource.size();
    const struct
    {
        qint64 offset;
        qint32 size;
        QString message;
    } rows[] = {
        {100, qint32(length - 99),
         QStringLiteral("62: Input past end of file: the font at offset 100 states a size of %1 bytes, "
                        "but %2 bytes are available there in %3")
             .arg(length - 99).arg(length - 100).arg(source)},
        {length + 5, 1,
         QStringLiteral("62: Input past end of file: the font at offset %1 states a size of 1 bytes, "
                        "but 0 bytes are available there in %2")
             .arg(length + 5).arg(source)},
        {100, -4,
         QStringLiteral("5: Invalid procedure call or argument: the font at offset 100 states a size "
                        "of -4 bytes, but %1 bytes are available there in %2")
             .arg(length - 100).arg(source)},
    };
    writeFile(path(QStringLiteral("keep.zgf")), "old");
    for (const auto &row : rows) {
        RecordingFeedback feedback;
        EXPECT_FALSE(ExtractFont(source, row.offset, row.size, path(QStringLiteral("keep.zgf")), feedback));
        EXPECT_EQ(feedback.failures(), QStringList{row.message});
        EXPECT_TRUE(feedback.informations().isEmpty());
        EXPECT_EQ(readFile(path(QStringLiteral("keep.zgf"))), QByteArray("old"));
    }
    EXPECT_EQ(QDir(mDir.path()).entryList(QDir::Files).size(), 2);
}

TEST_F(ExtractFontTest, FileFailuresNameTheFile)
{
    const QString missing = path(QStringLiteral("missing.gxb"));
    EXPECT_FALSE(ExtractFont(missing, 0, 1, path(QStringLiteral("a.zgf")), mFeedback));
    const QString noFolder = path(QStringLiteral("none/a.zgf"));
    EXPECT_FALSE(extract(100, 10, QStringLiteral("none/a.zgf")));
    EXPECT_EQ(mFeedback.failures(), (QStringList{QStringLiteral("53: File not found: ") + missing,
                                                 QStringLiteral("76: Path not found: ") + noFolder}));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("a.zgf"))));
}

} // namespace
