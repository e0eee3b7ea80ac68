#include "documenttesting.h"
#include "projectrecord.h"
#include "recordingfeedback.h"

#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>

#include <bit>
#include <csignal>
#include <sys/resource.h>

namespace {

// Every document setting away from its default, the names customised.
TexelFont everyFieldSet()
{
    TexelFont f;
    f.setTTFName(QStringLiteral("Times New Roman"));
    f.setName(QStringLiteral("My Font"));
    f.setSize(8.25f);
    f.setBold(true);
    f.setItalic(true);
    f.setStrikethrough(true);
    f.setUnderline(true);
    f.setChars(QStringLiteral("AB\r\nc\u00F1\u20AC"));
    f.Color = 0x00123456;
    f.TransColor = 0x00FF00FF;
    f.ShadowColor = 0x00808080;
    f.Proportional = f.InvertMask = false;
    f.Script = f.Serif = f.Postprocessed = f.Masked = f.ShadowMask = true;
    f.CharSepExtra = -3;
    f.LineSepExtra = 4;
    f.CharHeightInc = 6;
    f.CharWidthInc = -2;
    f.MaskHeightInc = 2;
    f.MaskWidthInc = 3;
    f.ShadowOX = -1;
    f.ShadowOY = 1;
    f.ShadowXPos = 2;
    f.ShadowYPos = -32768;
    f.SampleText = QStringLiteral("Hello, world");
    f.Background = QStringLiteral("/home/ana/back.png");
    f.setVariableName(QStringLiteral("customVar"));
    f.setGP32FileName(QStringLiteral("myfnt"));
    return f;
}

QByteArray w16(int value)
{
    return le(quint32(value), 2);
}
QByteArray padded(const QByteArray &text, qsizetype width)
{
    return text.leftJustified(width, ' ', true);
}

// The only message is a failure with this text (%1 standing for path) titled with the program.
void expectOnlyFailure(const RecordingFeedback &feedback, const QString &message, const QString &path)
{
    ASSERT_EQ(feedback.messages.size(), 1);
    EXPECT_EQ(feedback.failures(), QStringList{QString(message).replace(QStringLiteral("%1"), path)});
    EXPECT_EQ(feedback.messages[0].title, Feedback::Title::Application);
}

class ProjectFile : public ::testing::Test
{
protected:
    QString path() const { return mDir.filePath(QStringLiteral("font.tsm")); }
    QByteArray saved(TexelFont font)
    {
        font.setFilename(path());
        EXPECT_TRUE(font.Save(feedback));
        EXPECT_TRUE(feedback.messages.isEmpty());
        return readFile(path());
    }

    QTemporaryDir mDir;
    RecordingFeedback feedback;
};

TEST_F(ProjectFile, WritesTheVersion2RecordByteForByte)
{
    writeFile(path(), QByteArray(4000, 'x')); // replaced whole
    // clang-format off
    const QByteArray expected = QByteArray("TexelSmithy v2.0.1  ") + '\x02' + padded("My Font", 32)
        + le(0x00123456, 4) + w16(-1) + w16(-1) // Color, Bold, Italic
        + padded("Times New Roman", 32) + le(0x41040000, 4) // TTFName, Size 8.25
        + w16(-1) + w16(-1) + w16(0) + w16(-1) + w16(-1) // Strikethrough .. Serif
        + w16(-3) + w16(4) + le(0x00FF00FF, 4) // CharSepExtra, LineSepExtra, TransColor
        + w16(-1) + w16(6) + w16(-2) + w16(-1) + w16(-1) // Postprocessed .. ShadowMask
        + le(0x00808080, 4) + w16(0) + w16(2) + w16(3) // ShadowColor .. MaskWidthInc
        + w16(-1) + w16(1) + w16(2) + w16(-32768) // ShadowOX .. ShadowYPos
        + padded("customVar", 64) + padded("myfnt", 8) + padded("AB\r\nc\xF1\x80", 512)
        + padded("Hello, world", 512) + padded("/home/ana/back.png", 128);
    // clang-format on
    ASSERT_EQ(expected.size(), 1367);
    // The extension follows the record (see projectextension_test).
    TexelFont original = everyFieldSet();
    original.setFilename(path());
    const QByteArray bytes = saved(original);
    EXPECT_EQ(bytes.mid(1367, 4), QByteArray("TSX1"));
    EXPECT_EQ(firstDifference(bytes.left(1367), expected), -1);
    EXPECT_EQ(QDir(mDir.path()).entryList(QDir::Files), QStringList{QStringLiteral("font.tsm")});
    TexelFont loaded;
    ASSERT_TRUE(loaded.Load(path(), feedback));
    EXPECT_EQ(documentState(loaded), documentState(original));
}

TEST_F(ProjectFile, TextsAreCutEncodedAndTrimmed)
{
    const QString alphabet600 = QStringLiteral("abcdefghijklmnopqrstuvwxyz").repeated(24).left(600);
    TexelFont font;
    font.setTTFName(QStringLiteral("N").repeated(40));
    font.setChars(alphabet600);
    font.SampleText = QStringLiteral("  two  words ");
    font.Background = QStringLiteral("\u03A9\U0001F600x");
    const QByteArray bytes = saved(font);
    EXPECT_EQ(bytes.mid(61, 32), QByteArray(32, 'N'));
    EXPECT_EQ(bytes.mid(215, 512), alphabet600.left(512).toLatin1());
    EXPECT_EQ(bytes.mid(727, 14), QByteArray("  two  words  "));
    EXPECT_EQ(bytes.mid(1239, 5), QByteArray("???x "));

    // The record alone, as the original program writes it (the extension keeps the texts).
    writeFile(path(), bytes.left(1367));
    TexelFont loaded;
    ASSERT_TRUE(loaded.Load(path(), feedback));
    EXPECT_EQ(loaded.TTFName(), QStringLiteral("N").repeated(32));
    EXPECT_EQ(loaded.Chars(), alphabet600.left(512));
    EXPECT_EQ(loaded.SampleText, QStringLiteral("two  words"));
    EXPECT_EQ(loaded.Background, QStringLiteral("???x"));

    // Cut short, the record reads the missing texts as empty.
    writeFile(path(), ProjectRecord::fromDocument(everyFieldSet()).toBytes().left(300));
    ASSERT_TRUE(loaded.Load(path(), feedback));
    EXPECT_EQ(loaded.Name(), QStringLiteral("My Font"));
    EXPECT_EQ(loaded.ShadowYPos, -32768);
    EXPECT_EQ(loaded.Chars(), QStringLiteral("AB\r\nc\u00F1\u20AC"));
    EXPECT_EQ(loaded.SampleText, QString());
    EXPECT_EQ(loaded.Background, QString());
}

TEST_F(ProjectFile, ReadsVersion1)
{
    // A version-1 record built by hand, texts padded with spaces, glyph margin 3.
    QByteArray r(1261, ' ');
    auto put = [&r](qsizetype offset, const QByteArray &bytes) { r.replace(offset, bytes.size(), bytes); };
    put(0, "TexelSmithy v1.0.0  \x01");
    put(21, padded("Courier New", 32));
    put(53, le(std::bit_cast<quint32>(10.0f), 4) + w16(-1) + w16(0) + w16(0) + w16(1) + w16(5) + w16(3));
    put(69, padded("courierNew10bu", 32));
    put(101, padded("XYZ", 512));
    put(613, padded("  Sample", 512));
    put(1125, le(0x000000FF, 4) + le(0x00FF0000, 4) + padded("bg.bmp", 128));
    writeFile(path(), r);
    TexelFont font = everyFieldSet();
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
    EXPECT_FALSE(font.CustomGP32FileName || font.CustomVariableName);
}

// Names as earlier versions derived them (characters no C identifier allows, the family's
// "[foundry]" tag and the unrepaired variable name in the checksum) load as derived names and
// get today's; names that differ from both rules stay custom.
TEST_F(ProjectFile, NamesEarlierVersionsDerivedLoadAsDerived)
{
    const struct
    {
        const char16_t *family;
        float size;
        const char16_t *storedVariable, *storedFile, *variable, *file;
        bool customVariable, customFile;
    } rows[] = {
        {u"\u00C9clair Se\u00F1or", 8.25f, u"\u00E9clairSe\u00F1or8", u"\u00E9s0915f3", u"_clairSe_or8",
         u"\u00E9s0914d7", false, false},
        {u"\u00C9clair Se\u00F1or", 8.25f, u"_clairSe_or8", u"\u00E9s0914d7", u"_clairSe_or8", u"\u00E9s0914d7", false,
         false},
        {u"\u00C9clair Se\u00F1or", 8.25f, u"\u00E9clairSe\u00F1or8", u"mine", u"_clairSe_or8", u"mine", false, true},
        {u"\u00C9clair Se\u00F1or", 8.25f, u"\u00E9clairSe\u00F1or9", u"\u00E9s0915f5", u"\u00E9clairSe\u00F1or9",
         u"\u00E9s0915f5", true, true},
        {u"8-Bit Font", 8.25f, u"8-BitFont8", u"8f090f0a", u"_8_BitFont8", u"8f090f9b", false, false},
        {u"Nimbus Sans [urw]", 9.75f, u"nimbusSans[urw]10", u"ns1018b6", u"nimbusSans_urw_10", u"ns101686", false,
         false},
    };
    for (const auto &row : rows) {
        const QString family = QString::fromUtf16(row.family);
        SCOPED_TRACE(family.toStdString());
        TexelFont original;
        original.setTTFName(family);
        original.setName(family);
        original.setSize(row.size);
        ProjectRecord record = ProjectRecord::fromDocument(original);
        record.VariableName = QString::fromUtf16(row.storedVariable);
        record.GP32FileName = QString::fromUtf16(row.storedFile);
        writeFile(path(), record.toBytes());
        TexelFont font;
        ASSERT_TRUE(font.Load(path(), feedback));
        EXPECT_EQ(font.VariableName(), QString::fromUtf16(row.variable));
        EXPECT_EQ(font.CustomVariableName, row.customVariable);
        EXPECT_EQ(font.GP32FileName(), QString::fromUtf16(row.file));
        EXPECT_EQ(font.CustomGP32FileName, row.customFile);
    }
}

TEST_F(ProjectFile, LoadAppliesAllOrNothing)
{
    const char *unmanageable = "-2147221502: This version of TexelSmithy can't manage the file %1.";
    const char *invalid = "-2147221503: File %1 does not contain valid TexelSmithy data.";
    struct Case
    {
        const char *label;
        void (*damage)(QByteArray &); // null: no file at all
        bool loads, appliesRecord;
        const char *message = nullptr;
    };
    const Case cases[] = {
        {"newer writer", [](QByteArray &b) { b.replace(0, 20, "TexelSmithy v9.9.9  "); }, true, true},
        {"version byte 0", [](QByteArray &b) { b[20] = 0; }, true, false},
        {"version byte 3", [](QByteArray &b) { b[20] = 3; }, false, false, unmanageable},
        {"version byte 255", [](QByteArray &b) { b[20] = char(255); }, false, false, unmanageable},
        {"wrong signature", [](QByteArray &b) { b.replace(0, 11, "TexelSmythy"); }, false, false, invalid},
        {"lower case signature", [](QByteArray &b) { b.replace(0, 11, "texelsmithy"); }, false, false, invalid},
        {"empty file", [](QByteArray &b) { b.clear(); }, false, false, invalid},
        {"no file", nullptr, false, false, "53: File not found: %1"},
        // Values too large for the derived names: the failure comes while applying.
        {"size overflows the names", [](QByteArray &b) { b.replace(93, 4, le(std::bit_cast<quint32>(1e30f), 4)); },
         false, false, "6: Overflow: the size is 1e+30 points, outside -2147483648..2147483647"},
        {"size not a number", [](QByteArray &b) { b.replace(93, 4, le(0x7FC00000, 4)); }, false, false,
         "6: Overflow: the size is nan points, outside -2147483648..2147483647"},
        {"version 1 margin overflows",
         [](QByteArray &b) {
             b[20] = 1;
             b.replace(67, 2, w16(20000));
         },
         false, false, "6: Overflow: 40000 is outside -32768..32767"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        QByteArray bytes = ProjectRecord::fromDocument(everyFieldSet()).toBytes();
        QFile::remove(path());
        if (c.damage) {
            c.damage(bytes);
            writeFile(path(), bytes);
        }
        TexelFont font;
        auto expected = documentState(font);
        if (c.loads) { // only Filename changes when the record holds nothing
            TexelFont loaded = c.appliesRecord ? everyFieldSet() : TexelFont();
            loaded.setFilename(path());
            expected = documentState(loaded);
        }
        RecordingFeedback record;
        EXPECT_EQ(font.Load(path(), record), c.loads);
        EXPECT_EQ(documentState(font), expected);
        if (c.message)
            expectOnlyFailure(record, QString::fromUtf8(c.message), path());
        else
            EXPECT_TRUE(record.messages.isEmpty());
    }
}

// A file far larger than any record (sparse, so it costs no disk) loads from its start.
TEST_F(ProjectFile, HugeFileLoadsFromItsStart)
{
    writeFile(path(), ProjectRecord::fromDocument(everyFieldSet()).toBytes());
    TexelFont font;
    if (!QFile(path()).resize(qint64(6) << 30))
        GTEST_SKIP() << "the temporary folder cannot hold a sparse file";
    ASSERT_TRUE(font.Load(path(), feedback));
    EXPECT_EQ(font.SampleText, QStringLiteral("Hello, world"));
}

TEST_F(ProjectFile, EmptyPathsDoNothing)
{
    TexelFont font = everyFieldSet();
    const auto before = documentState(font);
    EXPECT_FALSE(font.Save(feedback));
    EXPECT_FALSE(font.Load(QString(), feedback));
    EXPECT_TRUE(feedback.messages.isEmpty());
    EXPECT_EQ(documentState(font), before);
}

QMap<QString, QByteArray> folderContents(const QString &root)
{
    QMap<QString, QByteArray> contents;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info = it.nextFileInfo();
        contents.insert(info.filePath(), info.isDir() ? QByteArray("<dir>") : readFile(info.filePath()));
    }
    return contents;
}

TEST_F(ProjectFile, FailedSaveReportsAndKeepsTheOldFile)
{
    const QString unsaved = QStringLiteral("-2147221501: File %1 could not be saved.");
    const QString denied = QStringLiteral("70: Permission denied: %1");
    const QString longName = QStringLiteral("n").repeated(256);
    struct Case
    {
        QString oldFile, target, message;
        QString locked = {};  // made read-only
        rlim_t sizeLimit = 0; // on the files this process writes
    };
    const Case cases[] = {
        {QStringLiteral("font.tsm/inside"), QStringLiteral("font.tsm"), unsaved},
        {QStringLiteral("plain"), QStringLiteral("plain/font.tsm"), QStringLiteral("76: Path not found: %1")},
        {QStringLiteral("font.tsm"), longName, QStringLiteral("75: File name too long: %1")},
        {QStringLiteral("font.tsm"), QStringLiteral("font.tsm"), QStringLiteral("61: File too large: %1"), {}, 1000},
        {QStringLiteral("font.tsm"), QStringLiteral("font.tsm"), denied, QStringLiteral("font.tsm")},
        {QStringLiteral("locked/font.tsm"), QStringLiteral("locked/font.tsm"), denied, QStringLiteral("locked")},
    };
    // Permission bits do not stop root: the read-only cases then have nothing to test.
    const QString probe = mDir.filePath(QStringLiteral("probe"));
    writeFile(probe, "x");
    QFile::setPermissions(probe, QFile::ReadOwner);
    const bool permissionsBind = !QFile(probe).open(QIODevice::Append);
    QFile::remove(probe);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN); // a write beyond the limit fails with EFBIG
    for (int i = 0; i < int(std::size(cases)); ++i) {
        const Case &c = cases[i];
        SCOPED_TRACE(i);
        if (!c.locked.isEmpty() && !permissionsBind)
            continue;
        const QDir dir(mDir.filePath(QString::number(i)));
        dir.mkpath(QFileInfo(c.oldFile).path());
        writeFile(dir.filePath(c.oldFile), QByteArray("TexelSmithy v1.0.0  \x01 old", 25));
        const QString locked = dir.filePath(c.locked);
        if (!c.locked.isEmpty())
            QFile::setPermissions(locked,
                                  QFileInfo(locked).isDir() ? QFile::ReadOwner | QFile::ExeOwner : QFile::ReadOwner);
        const auto before = folderContents(dir.path());

        TexelFont font = everyFieldSet();
        font.setFilename(dir.filePath(c.target));
        RecordingFeedback record;
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit limit = old;
        limit.rlim_cur = c.sizeLimit ? c.sizeLimit : old.rlim_cur;
        setrlimit(RLIMIT_FSIZE, &limit);
        const bool saved = font.Save(record);
        setrlimit(RLIMIT_FSIZE, &old);
        if (!c.locked.isEmpty())
            QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        EXPECT_FALSE(saved);
        expectOnlyFailure(record, c.message, dir.filePath(c.target));
        EXPECT_EQ(folderContents(dir.path()), before);
    }
    std::signal(SIGXFSZ, oldHandler);
}

} // namespace
