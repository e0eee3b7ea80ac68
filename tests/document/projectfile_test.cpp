#include "projectrecord.h"
#include "projecttesting.h"
#include "recordingfeedback.h"
#include "texelfont.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <bit>
#include <csignal>
#include <functional>
#include <optional>
#include <sys/resource.h>

namespace {

using Kind = RecordingFeedback::Message::Kind;

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// Every document setting away from its default, the names customised.
TexelFont everyFieldSet()
{
    TexelFont f;
    f.setTTFName(QStringLiteral("Times New Roman"));
    f.setName(QStringLiteral("My Font"));
    f.Color = 0x00123456;
    f.setBold(true);
    f.setItalic(true);
    f.setSize(8.25f);
    f.setStrikethrough(true);
    f.setUnderline(true);
    f.Proportional = false;
    f.Script = true;
    f.Serif = true;
    f.CharSepExtra = -3;
    f.LineSepExtra = 4;
    f.TransColor = 0x00FF00FF;
    f.setChars(QStringLiteral("AB\r\nc\u00F1\u20AC"));
    f.Postprocessed = true;
    f.CharHeightInc = 6;
    f.CharWidthInc = -2;
    f.Masked = true;
    f.ShadowMask = true;
    f.ShadowColor = 0x00808080;
    f.InvertMask = false;
    f.MaskHeightInc = 2;
    f.MaskWidthInc = 3;
    f.ShadowOX = -1;
    f.ShadowOY = 1;
    f.ShadowXPos = 2;
    f.ShadowYPos = -32768;
    f.setVariableName(QStringLiteral("customVar"));
    f.setGP32FileName(QStringLiteral("myfnt"));
    f.SampleText = QStringLiteral("Hello, world");
    f.Background = QStringLiteral("/home/ana/back.png");
    return f;
}

QByteArray le16(qint16 value)
{
    QByteArray bytes(2, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray le32(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray padded(const QByteArray &text, qsizetype width)
{
    return text.leftJustified(width, ' ', true);
}

template <typename Case>
concept Labelled = requires(const Case &c) { c.label; };

// Names the cases of a table after their label field, in test names and in failures.
template <Labelled Case>
std::string labelOf(const ::testing::TestParamInfo<Case> &row)
{
    return row.param.label;
}

template <Labelled Case>
void PrintTo(const Case &c, std::ostream *out)
{
    *out << c.label;
}

class ProjectFileTest : public ::testing::Test
{
protected:
    QString path(const QString &name = QStringLiteral("font.tsm")) const
    {
        return mDir.filePath(name);
    }
    QByteArray saved(TexelFont font)
    {
        font.setFilename(path());
        RecordingFeedback feedback;
        EXPECT_TRUE(font.Save(feedback));
        EXPECT_TRUE(feedback.messages.isEmpty());
        return readFile(path());
    }

    QTemporaryDir mDir;
};

TEST_F(ProjectFileTest, EveryFieldRoundTrips)
{
    TexelFont original = everyFieldSet();
    original.setFilename(path());
    ASSERT_TRUE(original.CustomName && original.CustomVariableName && original.CustomGP32FileName);
    RecordingFeedback feedback;
    ASSERT_TRUE(original.Save(feedback));

    TexelFont loaded;
    ASSERT_TRUE(loaded.Load(path(), feedback));
    EXPECT_TRUE(feedback.messages.isEmpty());
    EXPECT_EQ(documentState(loaded), documentState(original));
    EXPECT_EQ(QDir(mDir.path()).entryList(QDir::Files), QStringList{QStringLiteral("font.tsm")});
}

TEST_F(ProjectFileTest, NewDocumentRoundTripsWithoutCustomNames)
{
    TexelFont fresh;
    fresh.setFilename(path());
    RecordingFeedback feedback;
    ASSERT_TRUE(fresh.Save(feedback));

    TexelFont loaded = everyFieldSet();
    ASSERT_TRUE(loaded.Load(path(), feedback));
    EXPECT_EQ(documentState(loaded), documentState(fresh));
    EXPECT_FALSE(loaded.CustomName);
    EXPECT_FALSE(loaded.CustomVariableName);
    EXPECT_FALSE(loaded.CustomGP32FileName);
}

TEST_F(ProjectFileTest, WritesTheVersion2RecordByteForByte)
{
    const QByteArray expected = QByteArray("TexelSmithy v2.0.1  ") + '\x02' + padded("My Font", 32)
        + le32(0x00123456) + le16(-1) + le16(-1) // Color, Bold, Italic
        + padded("Times New Roman", 32) + le32(0x41040000) // TTFName, Size 8.25
        + le16(-1) + le16(-1) + le16(0) + le16(-1) + le16(-1) // Strikethrough .. Serif
        + le16(-3) + le16(4) + le32(0x00FF00FF) // CharSepExtra, LineSepExtra, TransColor
        + le16(-1) + le16(6) + le16(-2) + le16(-1) + le16(-1) // Postprocessed .. ShadowMask
        + le32(0x00808080) + le16(0) + le16(2) + le16(3) // ShadowColor .. MaskWidthInc
        + le16(-1) + le16(1) + le16(2) + le16(-32768) // ShadowOX .. ShadowYPos
        + padded("customVar", 64) + padded("myfnt", 8) + padded("AB\r\nc\xF1\x80", 512)
        + padded("Hello, world", 512) + padded("/home/ana/back.png", 128);
    ASSERT_EQ(expected.size(), 1367);
    const QByteArray bytes = saved(everyFieldSet());
    EXPECT_EQ(bytes.size(), 1367);
    EXPECT_EQ(firstDifference(bytes, expected), -1);
    // The fields the format is most often checked by, by offset.
    EXPECT_EQ(bytes.mid(93, 4).toHex().toStdString(), "00000441");
    EXPECT_EQ(bytes.mid(215, 7).toHex().toStdString(), "41420d0a63f180");
    EXPECT_EQ(bytes.mid(1239, 18).toStdString(), "/home/ana/back.png");
}

struct TextCase
{
    const char *label;
    std::function<void(TexelFont &, const QString &)> set;
    std::function<QString(const TexelFont &)> get;
    qsizetype offset;
    QString written;
    QByteArray expectedBytes;
    QString loaded;
};

class TextFieldTest : public ProjectFileTest, public ::testing::WithParamInterface<TextCase>
{
};

TEST_P(TextFieldTest, IsWrittenAndReadBack)
{
    const TextCase &c = GetParam();
    TexelFont font;
    c.set(font, c.written);
    const QByteArray bytes = saved(font);
    EXPECT_EQ(bytes.mid(c.offset, c.expectedBytes.size()).toHex(' ').toStdString(),
              c.expectedBytes.toHex(' ').toStdString());

    TexelFont loaded;
    RecordingFeedback feedback;
    ASSERT_TRUE(loaded.Load(path(), feedback));
    EXPECT_EQ(c.get(loaded), c.loaded);
}

const QString kAlphabet600 = QStringLiteral("abcdefghijklmnopqrstuvwxyz").repeated(24).left(600);

INSTANTIATE_TEST_SUITE_P(Texts, TextFieldTest, ::testing::Values(
    TextCase{"CharsCutAt512",
             [](TexelFont &f, const QString &v) { f.setChars(v); },
             [](const TexelFont &f) { return f.Chars(); },
             215, kAlphabet600, kAlphabet600.left(512).toLatin1(), kAlphabet600.left(512)},
    TextCase{"EuroAndNTilde",
             [](TexelFont &f, const QString &v) { f.SampleText = v; },
             [](const TexelFont &f) { return f.SampleText; },
             727, QStringLiteral("\u20AC\u00F1"), QByteArray("\x80\xF1 ", 3), QStringLiteral("\u20AC\u00F1")},
    TextCase{"OutsideTheCodePage",
             [](TexelFont &f, const QString &v) { f.Background = v; },
             [](const TexelFont &f) { return f.Background; },
             1239, QStringLiteral("\u03A9\U0001F600x"), QByteArray("???x "), QStringLiteral("???x")},
    TextCase{"SpacesAroundDropped",
             [](TexelFont &f, const QString &v) { f.SampleText = v; },
             [](const TexelFont &f) { return f.SampleText; },
             727, QStringLiteral("  two  words "), QByteArray("  two  words  "), QStringLiteral("two  words")},
    TextCase{"TTFNameCutAt32",
             [](TexelFont &f, const QString &v) { f.setTTFName(v); },
             [](const TexelFont &f) { return f.TTFName(); },
             61, QStringLiteral("N").repeated(40), QByteArray(32, 'N'), QStringLiteral("N").repeated(32)}),
    labelOf<TextCase>);

// A version-1 record built by hand, texts padded with spaces, glyph margin 3.
QByteArray version1Record()
{
    QByteArray r(1261, ' ');
    auto put = [&r](qsizetype offset, const QByteArray &bytes) { r.replace(offset, bytes.size(), bytes); };
    put(0, "TexelSmithy v1.0.0  ");
    put(20, QByteArray(1, '\x01'));
    put(21, padded("Courier New", 32));
    put(53, le32(std::bit_cast<quint32>(10.0f)));
    put(57, le16(-1));
    put(59, le16(0));
    put(61, le16(0));
    put(63, le16(1));
    put(65, le16(5));
    put(67, le16(3));
    put(69, padded("courierNew10bu", 32));
    put(101, padded("XYZ", 512));
    put(613, padded("  Sample", 512));
    put(1125, le32(0x000000FF));
    put(1129, le32(0x00FF0000));
    put(1133, padded("bg.bmp", 128));
    return r;
}

TEST_F(ProjectFileTest, ReadsVersion1)
{
    writeFile(path(), version1Record());
    TexelFont font = everyFieldSet();
    RecordingFeedback feedback;
    ASSERT_TRUE(font.Load(path(), feedback));

    TexelFont expected;
    expected.setTTFName(QStringLiteral("Courier New"));
    expected.setName(QStringLiteral("Courier New"));
    expected.setBold(true);
    expected.setUnderline(true);
    expected.setSize(10.0f);
    expected.CharSepExtra = 5;
    expected.CharWidthInc = expected.CharHeightInc = 6;
    expected.setChars(QStringLiteral("XYZ"));
    expected.SampleText = QStringLiteral("Sample");
    expected.Color = 0xFF;
    expected.TransColor = 0xFF0000;
    expected.Background = QStringLiteral("bg.bmp");
    expected.setVariableName(QStringLiteral("courierNew10bu"));
    expected.setGP32FileName(QStringLiteral("cn101832"));
    expected.setFilename(path());
    EXPECT_EQ(documentState(font), documentState(expected));
    EXPECT_FALSE(font.CustomGP32FileName);
    EXPECT_FALSE(font.CustomVariableName);
}

struct LoadCase
{
    const char *label;
    std::function<void(QByteArray &)> damage;
    bool loads;
    bool appliesRecord;
    QString message; // %1 is the path
};

class LoadCaseTest : public ProjectFileTest, public ::testing::WithParamInterface<LoadCase>
{
};

TEST_P(LoadCaseTest, AcceptsOrLeavesTheDocumentAsItWas)
{
    const LoadCase &c = GetParam();
    QByteArray bytes = ProjectRecord::fromDocument(everyFieldSet()).toBytes();
    c.damage(bytes);
    writeFile(path(), bytes);

    TexelFont font;
    font.Obsolete = false;
    auto expected = documentState(font);
    if (c.loads) {
        // Only Filename changes when the record holds nothing.
        TexelFont loaded = c.appliesRecord ? everyFieldSet() : TexelFont();
        loaded.setFilename(path());
        expected = documentState(loaded);
    }
    RecordingFeedback feedback;
    EXPECT_EQ(font.Load(path(), feedback), c.loads);
    EXPECT_EQ(documentState(font), expected);
    if (c.message.isEmpty()) {
        EXPECT_TRUE(feedback.messages.isEmpty());
    } else {
        ASSERT_EQ(feedback.messages.size(), 1);
        EXPECT_EQ(feedback.messages[0].kind, Kind::Failure);
        EXPECT_EQ(feedback.messages[0].title, Feedback::Title::Application);
        const QString message = QString(c.message).replace(QStringLiteral("%1"), path());
        EXPECT_EQ(feedback.messages[0].text.toStdString(), message.toStdString());
    }
}

INSTANTIATE_TEST_SUITE_P(Records, LoadCaseTest, ::testing::Values(
    LoadCase{"NewerWriter", [](QByteArray &b) { b.replace(0, 20, "TexelSmithy v9.9.9  "); }, true, true, {}},
    LoadCase{"LongerFile", [](QByteArray &b) { b.append(QByteArray(5000, '\x7F')); }, true, true, {}},
    LoadCase{"VersionByte0", [](QByteArray &b) { b[20] = 0; }, true, false, {}},
    LoadCase{"VersionByte3", [](QByteArray &b) { b[20] = 3; }, false, false,
             QStringLiteral("-2147221502: This version of TexelSmithy can't manage the file %1.")},
    LoadCase{"VersionByte255", [](QByteArray &b) { b[20] = char(255); }, false, false,
             QStringLiteral("-2147221502: This version of TexelSmithy can't manage the file %1.")},
    LoadCase{"WrongSignature", [](QByteArray &b) { b.replace(0, 11, "TexelSmythy"); }, false, false,
             QStringLiteral("-2147221503: File %1 does not contain valid TexelSmithy data.")},
    LoadCase{"SignatureInLowerCase", [](QByteArray &b) { b.replace(0, 11, "texelsmithy"); }, false, false,
             QStringLiteral("-2147221503: File %1 does not contain valid TexelSmithy data.")},
    LoadCase{"EmptyFile", [](QByteArray &b) { b.clear(); }, false, false,
             QStringLiteral("-2147221503: File %1 does not contain valid TexelSmithy data.")},
    // Size too large for the derived names: the failure comes while applying.
    LoadCase{"SizeOverflowsTheNames",
             [](QByteArray &b) { b.replace(93, 4, le32(std::bit_cast<quint32>(1e30f))); }, false, false,
             QStringLiteral("6: Overflow")},
    LoadCase{"Version1MarginOverflows",
             [](QByteArray &b) { b[20] = 1; b.replace(67, 2, le16(20000)); }, false, false,
             QStringLiteral("6: Overflow")},
    LoadCase{"SizeNotANumber", [](QByteArray &b) { b.replace(93, 4, le32(0x7FC00000)); },
             false, false, QStringLiteral("6: Overflow")}),
    labelOf<LoadCase>);

TEST_F(ProjectFileTest, ShortFileReadsMissingTextsAsEmpty)
{
    writeFile(path(), ProjectRecord::fromDocument(everyFieldSet()).toBytes().left(300));
    TexelFont font;
    RecordingFeedback feedback;
    ASSERT_TRUE(font.Load(path(), feedback));
    EXPECT_EQ(font.Name(), QStringLiteral("My Font"));
    EXPECT_EQ(font.ShadowYPos, -32768);
    EXPECT_EQ(font.Chars(), QStringLiteral("AB\r\nc\u00F1\u20AC"));
    EXPECT_EQ(font.SampleText, QString());
    EXPECT_EQ(font.Background, QString());
}

// A file far larger than any record (sparse, so it costs no disk) loads from its start.
TEST_F(ProjectFileTest, HugeFileIsNotReadWhole)
{
    writeFile(path(), ProjectRecord::fromDocument(everyFieldSet()).toBytes());
    QFile file(path());
    if (!file.resize(qint64(6) << 30))
        GTEST_SKIP() << "the temporary folder cannot hold a sparse file";
    TexelFont font;
    RecordingFeedback feedback;
    ASSERT_TRUE(font.Load(path(), feedback));
    EXPECT_EQ(font.Name(), QStringLiteral("My Font"));
}

TEST_F(ProjectFileTest, EmptyPathsDoNothing)
{
    TexelFont font = everyFieldSet();
    const auto before = documentState(font);
    RecordingFeedback feedback;
    EXPECT_FALSE(font.Save(feedback));
    EXPECT_FALSE(font.Load(QString(), feedback));
    EXPECT_TRUE(feedback.messages.isEmpty());
    EXPECT_EQ(documentState(font), before);
}

TEST_F(ProjectFileTest, MissingFileIsReported)
{
    TexelFont font = everyFieldSet();
    const auto before = documentState(font);
    RecordingFeedback feedback;
    EXPECT_FALSE(font.Load(path(QStringLiteral("none.tsm")), feedback));
    EXPECT_EQ(feedback.failures(),
              QStringList{QStringLiteral("53: File not found: ") + path(QStringLiteral("none.tsm"))});
    EXPECT_EQ(documentState(font), before);
}

// Limits the size of files this process writes while alive; a write beyond it fails
// with EFBIG instead of raising SIGXFSZ. Works for root too.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &mOld);
        mOldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = mOld;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &mOld);
        std::signal(SIGXFSZ, mOldHandler);
    }

private:
    rlimit mOld{};
    void (*mOldHandler)(int) = nullptr;
};

// Whether permission bits stop this process from writing (they do not stop root).
bool permissionsBind(const QString &dir)
{
    const QString probe = dir + QStringLiteral("/probe");
    writeFile(probe, "x");
    QFile::setPermissions(probe, QFile::ReadOwner);
    QFile file(probe);
    const bool binds = !file.open(QIODevice::WriteOnly | QIODevice::Append);
    file.close();
    QFile::setPermissions(probe, QFile::ReadOwner | QFile::WriteOwner);
    QFile::remove(probe);
    return binds;
}

struct SaveFailureCase
{
    const char *label;
    // Prepares the temporary folder and returns the path to save to; empty to skip.
    std::function<QString(const QString &dir)> prepare;
    QString message; // %1 is the path saved to
    rlim_t fileSizeLimit = 0;
};

class SaveFailureTest : public ProjectFileTest, public ::testing::WithParamInterface<SaveFailureCase>
{
};

QMap<QString, QByteArray> folderContents(const QString &root)
{
    QMap<QString, QByteArray> contents;
    QDir dir(root);
    for (const QFileInfo &info : dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
        contents.insert(info.fileName(), info.isDir() ? QByteArray("<dir>") : readFile(info.filePath()));
        if (info.isDir()) {
            for (auto [name, bytes] : folderContents(info.filePath()).asKeyValueRange())
                contents.insert(info.fileName() + QLatin1Char('/') + name, bytes);
        }
    }
    return contents;
}

TEST_P(SaveFailureTest, ReportsAndKeepsTheOldFile)
{
    const SaveFailureCase &c = GetParam();
    const QString target = c.prepare(mDir.path());
    if (target.isEmpty())
        GTEST_SKIP() << "permission bits do not bind this process";
    const auto before = folderContents(mDir.path());

    TexelFont font = everyFieldSet();
    font.setFilename(target);
    RecordingFeedback feedback;
    bool saved = true;
    {
        std::optional<FileSizeLimit> limit;
        if (c.fileSizeLimit)
            limit.emplace(c.fileSizeLimit);
        saved = font.Save(feedback);
    }
    for (const QFileInfo &info : QDir(mDir.path()).entryInfoList(QDir::AllDirs | QDir::NoDotAndDotDot))
        QFile::setPermissions(info.filePath(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_FALSE(saved);
    ASSERT_EQ(feedback.messages.size(), 1);
    EXPECT_EQ(feedback.messages[0].title, Feedback::Title::Application);
    const QString message = QString(c.message).replace(QStringLiteral("%1"), target);
    EXPECT_EQ(feedback.messages[0].text.toStdString(), message.toStdString());
    EXPECT_EQ(folderContents(mDir.path()), before);
}

const QByteArray kOldFile = QByteArray("TexelSmithy v1.0.0  \x01 old", 25);

INSTANTIATE_TEST_SUITE_P(Targets, SaveFailureTest, ::testing::Values(
    SaveFailureCase{"TargetIsAFolder",
                    [](const QString &dir) {
                        QDir(dir).mkdir(QStringLiteral("font.tsm"));
                        writeFile(dir + QStringLiteral("/font.tsm/inside"), kOldFile);
                        return dir + QStringLiteral("/font.tsm");
                    },
                    QStringLiteral("-2147221501: File %1 could not be saved.")},
    SaveFailureCase{"FolderIsAFile",
                    [](const QString &dir) {
                        writeFile(dir + QStringLiteral("/plain"), kOldFile);
                        return dir + QStringLiteral("/plain/font.tsm");
                    },
                    QStringLiteral("76: Path not found: %1")},
    // The temporary file beside the target needs a longer name than the folder allows.
    SaveFailureCase{"NoRoomForTheTemporaryName",
                    [](const QString &dir) {
                        const QString target = dir + QLatin1Char('/') + QStringLiteral("n").repeated(251);
                        writeFile(target, kOldFile);
                        return target;
                    },
                    QStringLiteral("-2147221501: File %1 could not be saved.")},
    SaveFailureCase{"WriteFails",
                    [](const QString &dir) {
                        writeFile(dir + QStringLiteral("/font.tsm"), kOldFile);
                        return dir + QStringLiteral("/font.tsm");
                    },
                    QStringLiteral("57: Device I/O error: %1"), 1000},
    SaveFailureCase{"ReadOnlyFile",
                    [](const QString &dir) {
                        if (!permissionsBind(dir))
                            return QString();
                        writeFile(dir + QStringLiteral("/font.tsm"), kOldFile);
                        QFile::setPermissions(dir + QStringLiteral("/font.tsm"), QFile::ReadOwner);
                        return dir + QStringLiteral("/font.tsm");
                    },
                    QStringLiteral("75: Path/File access error: %1")},
    SaveFailureCase{"ReadOnlyFolder",
                    [](const QString &dir) {
                        if (!permissionsBind(dir))
                            return QString();
                        QDir(dir).mkdir(QStringLiteral("locked"));
                        writeFile(dir + QStringLiteral("/locked/font.tsm"), kOldFile);
                        QFile::setPermissions(dir + QStringLiteral("/locked"), QFile::ReadOwner | QFile::ExeOwner);
                        return dir + QStringLiteral("/locked/font.tsm");
                    },
                    QStringLiteral("75: Path/File access error: %1")}),
    labelOf<SaveFailureCase>);

TEST_F(ProjectFileTest, SaveReplacesAnOldFileWhole)
{
    writeFile(path(), QByteArray(4000, 'x'));
    const QByteArray bytes = saved(everyFieldSet());
    EXPECT_EQ(bytes, ProjectRecord::fromDocument(everyFieldSet()).toBytes());
    EXPECT_EQ(QDir(mDir.path()).entryList(QDir::Files), QStringList{QStringLiteral("font.tsm")});
}

} // namespace
