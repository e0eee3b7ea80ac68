// The output writer: a new output never replaces a file that appeared after the caller's
// check (another run writing the same name), an agreed one replaces it keeping its
// permissions, failures name the file, and no temporary file is ever left behind.
#include "outputfile.h"
#include "testfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace {

QStringList listing(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System);
}

struct RaceCase
{
    const char *name;
    Existing existing;
    bool before = false; // a file of the name exists when the writer opens
    bool during = false; // one appears between writing and the commit
    const char *failure = "";
    QByteArray left; // the file's bytes afterwards
};

class OutputFileRace : public testing::TestWithParam<RaceCase>
{
};

TEST_P(OutputFileRace, ReplacesOnlyWhatWasAgreedTo)
{
    const RaceCase &c = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("font.zgf"));
    if (c.before) {
        writeFile(path, "old");
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    }
    const QString failure = failureOf([&] {
        OutputFile file(path, c.existing);
        file.open();
        file.write("mine");
        if (c.during)
            writeFile(path, "theirs");
        file.commit();
    });
    EXPECT_EQ(failure, *c.failure ? QString::fromLatin1(c.failure).arg(path) : QStringLiteral("<no failure>"));
    EXPECT_EQ(readFile(path), c.left);
    EXPECT_EQ(listing(dir.path()), QStringList{QStringLiteral("font.zgf")});
    struct stat written;
    ASSERT_EQ(stat(QFile::encodeName(path).constData(), &written), 0);
    if (c.before && c.left == "mine") {
        EXPECT_EQ(written.st_mode & 0777, 0640u);
    }
}

const char *const appeared = "58: File already exists: %1 appeared while it was written, and is left as it is";

INSTANTIATE_TEST_SUITE_P(
    Outputs, OutputFileRace,
    testing::Values(RaceCase{"new", Existing::Keep, false, false, "", "mine"},
                    RaceCase{"newOneAppearedMeanwhile", Existing::Keep, false, true, appeared, "theirs"},
                    RaceCase{"newOneThereUnchecked", Existing::Keep, true, false, appeared, "old"},
                    RaceCase{"agreedReplace", Existing::Replace, true, false, "", "mine"},
                    RaceCase{"forcedOverOneAppearedMeanwhile", Existing::Replace, false, true, "", "mine"}),
    [](const testing::TestParamInfo<RaceCase> &row) { return std::string(row.param.name); });

TEST(OutputFile, NamesWhatItCannotWrite)
{
    QTemporaryDir dir;
    const struct
    {
        QString name;
        QString failure; // %1: the path
    } rows[] = {
        {QString(255, u'n'), QString()}, // the longest name: the temporary file's name is short
        {QString(256, u'n'), QStringLiteral("75: Can't create file %1: File name too long")},
        {QStringLiteral("missing/a.zgf"), QStringLiteral("76: Can't create file %1: Path not found")},
        // clang-format off
        {QStringLiteral("a\u0000b.zgf"), QStringLiteral("75: Path/File access error: the name %1 holds characters no file name can hold")},
        {QStringLiteral("a\xD800" "b.zgf"), QStringLiteral("75: Path/File access error: the name %1 holds characters no file name can hold")},
        // clang-format on
    };
    for (const auto &row : rows) {
        const QString path = dir.filePath(row.name);
        const QString failure = failureOf([&] {
            OutputFile file(path, Existing::Keep);
            file.open(QStringLiteral("Can't create file ") + path);
            file.write("bytes");
            file.commit();
        });
        EXPECT_EQ(failure, row.failure.isEmpty() ? QStringLiteral("<no failure>") : row.failure.arg(path));
        EXPECT_EQ(listing(dir.path()), row.failure.isEmpty() ? QStringList{row.name} : QStringList{});
        QFile::remove(path);
    }
}

TEST(OutputFile, ReplacingThroughALinkKeepsTheLink)
{
    QTemporaryDir dir;
    const QString real = writeFile(dir.filePath(QStringLiteral("real.h")), "old");
    const QString link = dir.filePath(QStringLiteral("link.h"));
    ASSERT_TRUE(QFile::link(real, link));
    writeOutputs({{link, "new", Existing::Replace}});
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(readFile(real), "new");
}

TEST(OutputFile, SeveralOutputsCommitInOrderAndSayWhatWasWritten)
{
    QTemporaryDir dir;
    const QString first = dir.filePath(QStringLiteral("font.c"));
    const QString second = dir.filePath(QStringLiteral("font.h"));
    // A folder that cannot be written to fails before any output is named.
    const QString unwritable = dir.filePath(QStringLiteral("missing/font.h"));
    EXPECT_EQ(failureOf([&] {
                  writeOutputs({{first, "c"}, {unwritable, "h"}});
              }),
              QStringLiteral("76: Path not found: ") + unwritable);
    EXPECT_EQ(listing(dir.path()), QStringList{});

    // A commit that fails names the outputs already written before it.
    OutputFile c(first, Existing::Keep), h(second, Existing::Keep);
    c.open();
    h.open();
    c.write("c");
    h.write("h");
    writeFile(second, "theirs");
    EXPECT_EQ(failureOf([&] {
                  commitInOrder({&c, &h});
              }),
              QString::fromLatin1(appeared).arg(second) + QStringLiteral(" (already written: %1)").arg(first));
    EXPECT_EQ(readFile(first), "c");
    EXPECT_EQ(readFile(second), "theirs");
}

// A file whose writes reach the disk with the byte at offset 100 changed, as a faulty device's.
class CorruptingFile : public QFile
{
public:
    using QFile::QFile;

protected:
    qint64 writeData(const char *data, qint64 size) override
    {
        QByteArray bytes(data, size);
        const qint64 at = 100 - pos();
        if (at >= 0 && at < size)
            bytes[at] = char(bytes.at(at) ^ 0x10);
        return QFile::writeData(bytes.constData(), size);
    }
};

TEST(OutputFile, AWriteCorruptedOnItsWayToTheDiskIsCaught)
{
    QTemporaryDir dir;
    const QByteArray meant(300, 'z');
    CorruptingFile file(dir.filePath(QStringLiteral("font.zgf")));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite | QIODevice::Unbuffered)); // each write reaches writeData
    ASSERT_EQ(file.write(meant), meant.size());
    const QString failure = failureOf([&] { verifyWritten(file, meant); });
    EXPECT_TRUE(failure.startsWith(QStringLiteral("57: ")) && failure.contains(QStringLiteral("offset 100")))
        << failure.toStdString();
    QFile good(dir.filePath(QStringLiteral("good.zgf")));
    ASSERT_TRUE(good.open(QIODevice::ReadWrite) && good.write(meant) == meant.size());
    EXPECT_NO_THROW(verifyWritten(good, meant));
}

// A file that cannot be created is told with the output's own text, as an OperationFailure.
TEST(OutputFile, CreationFailuresCarryTheOutputsText)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("missing/a.zgf"));
    try {
        writeOutputs({{missing, "bytes", Existing::Keep, QStringLiteral("Can't create file ") + missing}});
        FAIL() << "written into a missing folder";
    } catch (const OperationFailure &failure) {
        EXPECT_EQ(failure.message(), QStringLiteral("76: Can't create file %1: Path not found").arg(missing));
    }
}

} // namespace
