// The extension after a project's record: exact texts, font file, rendering choices,
// unknown keys, and damaged or foreign extensions.
#include "documenttesting.h"
#include "projectextension.h"
#include "projectrecord.h"
#include "recordingfeedback.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

namespace {

QByteArray extension(const QByteArray &json)
{
    return QByteArray("TSX1") + le(quint32(json.size()), 4) + json;
}

class ProjectExtensionTest : public ::testing::Test
{
protected:
    QString path(const QString &name = QStringLiteral("font.tsm")) const { return mDir.filePath(name); }

    QTemporaryDir mDir;
    RecordingFeedback feedback;
};

TEST_F(ProjectExtensionTest, EveryMemberRoundTripsAfterTodaysRecord)
{
    TexelFont original;
    original.setTTFName(QStringLiteral("F").repeated(60));
    original.setName(QStringLiteral("  Spaced \u03A9 name "));
    original.setChars(QStringLiteral(" A\u0416\U0001F600\r\nB "));
    original.SampleText = QStringLiteral("  \u4E2D sample  ") + QStringLiteral("x").repeated(600);
    original.Background = QStringLiteral("/pictures/\u00E9t\u00E9 ") + QStringLiteral("d/").repeated(100);
    original.setVariableName(QStringLiteral("\u0416var"));
    original.setGP32FileName(QStringLiteral("mine"));
    original.setFontFile(QStringLiteral("/fonts/elsewhere.ttf"));
    original.setHinting(Hinting::Slight);
    original.setSmooth(true);
    original.setCodePage(CodePage::Koi8U);
    original.UnknownProjectKeys.insert(QStringLiteral("FromANewerWriter"), QJsonObject{{QStringLiteral("a"), 1}});
    original.setFilename(path());
    ASSERT_TRUE(original.Save(feedback));

    const QByteArray bytes = readFile(path());
    EXPECT_EQ(firstDifference(bytes.left(1367), ProjectRecord::fromDocument(original).toBytes()), -1);
    TexelFont loaded;
    ASSERT_TRUE(loaded.Load(path(), feedback));
    EXPECT_EQ(documentState(loaded), documentState(original));
    EXPECT_EQ(loaded.UnknownProjectKeys, original.UnknownProjectKeys);
    // The one message: the font file is not on this machine.
    ASSERT_EQ(feedback.informations().size(), 1);
    EXPECT_TRUE(feedback.informations()[0].contains(QStringLiteral("/fonts/elsewhere.ttf is missing")));
}

TEST_F(ProjectExtensionTest, DamagedExtensionLoadsTheRecordAndSaysSoOnce)
{
    TexelFont original;
    original.setChars(QStringLiteral("ABC"));
    const QByteArray record = ProjectRecord::fromDocument(original).toBytes();
    const QByteArray good = extension(R"({"Chars":"XYZ","Smooth":true})");
    const struct
    {
        const char *label;
        QByteArray tail;
        const char *fault; // null: no message
    } cases[] = {
        {"none, as a file of today without the new members", {}, nullptr},
        {"garbage", QByteArray(5000, '\x7F'), "5000 bytes follow the record that are no extension"},
        {"cut short", good.left(good.size() - 3), "it is cut short"},
        {"bytes after it", good + "??", "2 bytes follow its"},
        {"states too much", QByteArray("TSX1\xFF\xFF\xFF\x7F{}", 10), "more than an extension holds"},
        {"bad JSON", extension(R"({"Chars":"XYZ",})"), "its JSON is bad"},
        {"not an object", extension("[1, 2]"), "its JSON is not an object"},
        {"text of the wrong type", extension(R"({"Chars":5})"), "Chars is not a text"},
        {"unknown hinting", extension(R"({"Hinting":"medium"})"), "Hinting is not none, slight or full"},
        {"smooth not a Boolean", extension(R"({"Smooth":"yes"})"), "Smooth is not true or false"},
        {"unknown code page", extension(R"({"CodePage":"UTF-8"})"), "CodePage \"UTF-8\" is no code page this program knows"},
        {"code page not a text", extension(R"({"CodePage":1251})"), "CodePage is not a text"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.label);
        writeFile(path(), record + c.tail);
        TexelFont font;
        font.setFontFile(path(QStringLiteral("old.ttf")));
        font.setHinting(Hinting::None);
        font.setSmooth(true);
        font.setCodePage(CodePage::Cp437);
        font.UnknownProjectKeys.insert(QStringLiteral("Old"), 1);
        RecordingFeedback told;
        ASSERT_TRUE(font.Load(path(), told));
        EXPECT_EQ(font.Chars(), QStringLiteral("ABC"));
        EXPECT_EQ(font.FontFile(), QString());
        EXPECT_EQ(font.Hinting(), Hinting::Full);
        EXPECT_FALSE(font.Smooth());
        EXPECT_EQ(font.CodePage(), CodePage::Windows1252);
        EXPECT_TRUE(font.UnknownProjectKeys.isEmpty());
        ASSERT_EQ(told.messages.size(), c.fault ? 1 : 0);
        EXPECT_TRUE(!c.fault || told.informations().value(0).contains(QString::fromUtf8(c.fault)))
            << told.messages[0].text.toStdString();
    }
    // The good one, for contrast: its values win over the record's.
    writeFile(path(), record + good);
    TexelFont font;
    ASSERT_TRUE(font.Load(path(), feedback));
    EXPECT_EQ(font.Chars(), QStringLiteral("XYZ"));
    EXPECT_TRUE(font.Smooth());
    EXPECT_TRUE(feedback.messages.isEmpty());
}

// Windows-1252 is no key at all, so the projects of that page are what they always were; the
// others are kept by name and read back in any spelling the command line takes.
TEST_F(ProjectExtensionTest, CodePageIsStoredOnlyWhenNotWindows1252)
{
    const struct {
        CodePage page;
        const char *stored; // null: no key
    } cases[] = {
        {CodePage::Windows1252, nullptr},
        {CodePage::Windows1251, "Windows-1251"},
        {CodePage::Iso8859_7, "ISO-8859-7"},
        {CodePage::Cp866, "CP866"},
    };
    for (const auto &c : cases) {
        TexelFont font;
        font.setCodePage(c.page);
        font.UnknownProjectKeys.insert(QStringLiteral("CodePage"), QStringLiteral("stale"));
        const QJsonObject stored = QJsonDocument::fromJson(ProjectExtension::toBytes(font, path()).mid(8)).object();
        EXPECT_EQ(stored.contains(QStringLiteral("CodePage")), c.stored != nullptr) << c.stored;
        if (c.stored) {
            EXPECT_EQ(stored.value(QStringLiteral("CodePage")).toString(), QString::fromLatin1(c.stored));
        }
    }
    TexelFont font;
    font.setCodePage(CodePage::Windows1250);
    EXPECT_EQ(ProjectExtension::applyTo(extension(R"({"CodePage":"koi8r"})"), font, path()), QString());
    EXPECT_EQ(font.CodePage(), CodePage::Koi8R);
    EXPECT_EQ(ProjectExtension::applyTo(extension("{}"), font, path()), QString());
    EXPECT_EQ(font.CodePage(), CodePage::Windows1252);
}

TEST_F(ProjectExtensionTest, FontFileMovesWithTheProjectAndAMissingOneIsNamed)
{
    QDir(mDir.path()).mkpath(QStringLiteral("a/fonts"));
    writeFile(path(QStringLiteral("a/fonts/my.ttf")), "not read here");
    TexelFont font;
    font.setFontFile(path(QStringLiteral("a/fonts/my.ttf")));
    font.setFilename(path(QStringLiteral("a/font.tsm")));
    ASSERT_TRUE(font.Save(feedback));
    const QByteArray bytes = readFile(path(QStringLiteral("a/font.tsm")));
    const QJsonObject stored = QJsonDocument::fromJson(bytes.mid(1367 + 8)).object();
    EXPECT_EQ(stored.value(QStringLiteral("FontFile")).toString(), QStringLiteral("fonts/my.ttf"));

    ASSERT_TRUE(QDir(mDir.path()).rename(QStringLiteral("a"), QStringLiteral("b")));
    TexelFont moved;
    ASSERT_TRUE(moved.Load(path(QStringLiteral("b/font.tsm")), feedback));
    EXPECT_EQ(moved.FontFile(), path(QStringLiteral("b/fonts/my.ttf")));
    EXPECT_TRUE(feedback.messages.isEmpty());

    // Without the font: the message names the file and what is drawn, the rest loads.
    QFile::remove(path(QStringLiteral("b/fonts/my.ttf")));
    TexelFont missing;
    ASSERT_TRUE(missing.Load(path(QStringLiteral("b/font.tsm")), feedback));
    EXPECT_EQ(documentState(missing), documentState(moved));
    ASSERT_EQ(feedback.informations().size(), 1);
    EXPECT_TRUE(feedback.informations()[0].contains(path(QStringLiteral("b/fonts/my.ttf"))));
    EXPECT_TRUE(feedback.informations()[0].contains(QStringLiteral("the installed family Arial")));

    // A font outside the project's folder is stored with its absolute path.
    missing.setFontFile(QStringLiteral("/usr/share/fonts/x.ttf"));
    const QByteArray outside = ProjectExtension::toBytes(missing, path(QStringLiteral("b/font.tsm")));
    EXPECT_TRUE(outside.contains(R"("FontFile":"/usr/share/fonts/x.ttf")"));
}

// Texts too long for an extension are refused at save, so they cannot come back damaged.
TEST_F(ProjectExtensionTest, TextsBeyondTheExtensionAreNotSaved)
{
    TexelFont font;
    font.SampleText = QStringLiteral("x").repeated(ProjectExtension::MaxLength);
    font.setFilename(path());
    writeFile(path(), "KEEP");
    EXPECT_FALSE(font.Save(feedback));
    EXPECT_EQ(readFile(path()), "KEEP");
    ASSERT_EQ(feedback.failures().size(), 1);
    EXPECT_TRUE(feedback.failures()[0].contains(QStringLiteral("the size in bytes of the project's texts")));
}

} // namespace
