// The extension after a project's record: exact texts, font file, rendering choices,
// unknown keys, and damaged or foreign extensions.
#include "documenttesting.h"
#include "projectextension.h"
#include "projectrecord.h"
#include "recordingfeedback.h"
#include "strictjson.h"
#include "testsurface.h"

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
        // JSON a lenient reader takes, with texts other than those written.
        {"a key twice", extension(R"({"Chars":"XYZ","Smooth":true,"Chars":"Q"})"),
         "byte 29: the member \"Chars\" appears twice"},
        {"half a surrogate pair", extension(R"({"Chars":"X\ud800YZ"})"),
         "byte 11: a \\u escape is half a surrogate pair"},
        {"invalid UTF-8", extension("{\"Chars\":\"X\xC3(\"}"), "byte 11: invalid UTF-8"},
        {"a raw control character", extension("{\"Chars\":\"X\tY\"}"), "control character 9"},
        {"an unknown escape", extension(R"({"Chars":"\x41"})"), "an unknown escape"},
        {"a byte-order mark", extension("\xEF\xBB\xBF{\"Chars\":\"XYZ\"}"), "byte 0: a JSON value"},
        {"a number Qt repairs", extension(R"({"Chars":"XYZ","Size":.5})"), "a JSON value was expected"},
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

// A value that cannot be used is left out alone: every other value and unknown key loads, the
// message names each damaged value once, and the first save over the file asks.
TEST_F(ProjectExtensionTest, ADamagedValueIsLeftOutAloneAndTheFirstSaveAsks)
{
    TexelFont original;
    original.setChars(QStringLiteral("ABC"));
    original.setName(QStringLiteral("Record name"));
    const QByteArray record = ProjectRecord::fromDocument(original).toBytes();
    const QByteArray damaged = record
        + extension(R"({"Chars":" X\u0416Z ","Smooth":"true","Hinting":"slight",)"
                    R"("Name":7,"Later":{"k":[1,"two"]}})");
    writeFile(path(), damaged);
    TexelFont font;
    RecordingFeedback told;
    ASSERT_TRUE(font.Load(path(), told));
    EXPECT_EQ(font.Chars(), QStringLiteral(" X\u0416Z "));
    EXPECT_EQ(font.Hinting(), Hinting::Slight);
    EXPECT_FALSE(font.Smooth());
    EXPECT_EQ(font.Name(), QStringLiteral("Record name"));
    EXPECT_EQ(font.UnknownProjectKeys.keys(), QStringList{QStringLiteral("Later")});
    ASSERT_EQ(told.messages.size(), 1);
    EXPECT_EQ(told.informations()[0],
              QStringLiteral("The extension of the project file %1 is damaged: Name is not "
                             "a text; Smooth is not true or false. Those values were left "
                             "out; the rest of the extension was loaded.")
                  .arg(path()));

    // No: nothing is written. Yes: written, and later saves no longer ask.
    told.messages.clear();
    told.answers = {false, true};
    EXPECT_FALSE(font.Save(told));
    EXPECT_EQ(readFile(path()), damaged);
    ASSERT_TRUE(font.Save(told));
    ASSERT_TRUE(font.Save(told));
    ASSERT_EQ(told.questions().size(), 2);
    EXPECT_TRUE(told.questions()[1].contains(QStringLiteral("Smooth is not true or false")));
    EXPECT_EQ(told.failures(), QStringList());
    TexelFont saved;
    ASSERT_TRUE(saved.Load(path(), feedback));
    EXPECT_EQ(documentState(saved), documentState(font));
    EXPECT_EQ(saved.UnknownProjectKeys, font.UnknownProjectKeys);
    EXPECT_TRUE(feedback.messages.isEmpty());

    // Saved elsewhere, nothing is replaced that was damaged: no question.
    TexelFont other;
    writeFile(path(), damaged);
    ASSERT_TRUE(other.Load(path(), told));
    told.messages.clear();
    other.setFilename(path(QStringLiteral("copy.tsm")));
    ASSERT_TRUE(other.Save(told));
    EXPECT_TRUE(told.messages.isEmpty());
}

// An extension may hold more characters than the record; a set of more glyphs than a record
// holds is refused before anything measures it, the document unchanged. Up to 512 glyphs it
// opens, to be cut down to what a font holds.
TEST_F(ProjectExtensionTest, ACharacterSetBeyondTheRecordIsRefused)
{
    const QByteArray record = ProjectRecord::fromDocument(TexelFont()).toBytes();
    const std::pair<qsizetype, bool> rows[] = {{512, true}, {513, false}, {1000000, false}};
    for (const auto &[glyphs, loads] : rows) {
        const QString chars = QString(glyphs, u'x') + QStringLiteral("\r\n").repeated(1000);
        writeFile(path(), record + extension("{\"Chars\":\"" + chars.toUtf8().replace("\r\n", "\\r\\n") + "\"}"));
        TexelFont font;
        font.setChars(QStringLiteral("kept"));
        RecordingFeedback told;
        EXPECT_EQ(font.Load(path(), told), loads);
        EXPECT_EQ(font.Chars(), loads ? chars : QStringLiteral("kept"));
        EXPECT_EQ(told.failures(),
                  loads ? QStringList()
                        : QStringList{QStringLiteral("6: Overflow: the font has %1 "
                                                     "characters, at most 255 fit")
                                          .arg(glyphs)});
    }
}

// The strict reading accepts every JSON text, whatever its spacing, nesting and escapes.
TEST(StrictJson, AcceptsValidTextsAndNamesWhereOthersBreak)
{
    const std::pair<QByteArray, const char *> rows[] = {
        // text, "offset: fault" or "" for a valid one
        {R"( {"a" : [1, -0, 0.25, 1E+9, -3e-2, true, false, null, {}, []] ,"b":{"a":"\"\\\/\b\f\n\r\t"}} )", ""},
        {"{\"\\u00e9\": \"\\ud83d\\ude00 \xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\", \"\xC3\xA9\": 1}",
         "37: the member \"\u00E9\" appears twice"},
        {R"({"ab":1,"a\u0062":2})", "8: the member \"ab\" appears twice"},
        {R"({"a":{"x":1},"b":{"x":1}})", ""},
        {R"("just a text")", ""},
        {"", "0: a JSON value was expected"},
        {"{} {}", "3: something follows the JSON value"},
        {QByteArray("{}\x00", 3), "2: something follows the JSON value"},
        {R"({"a":01})", "6: a number with a leading zero"},
        {R"({"a":1.})", "7: a digit was expected"},
        {R"({"a":-})", "6: a digit was expected"},
        {R"({"a":tru})", "5: a JSON value was expected"},
        {R"({"a":1,})", "7: a member name was expected"},
        {R"({"a" 1})", "5: \":\" was expected"},
        {R"([1 2])", "3: \",\" was expected"},
        {R"({"a":"\u12"})", "10: a \\u escape needs four hexadecimal digits"},
        {R"({"a":"\udc00\ud800"})", "6: a \\u escape is half a surrogate pair"},
        {R"({"a":"\ud800\u0041"})", "6: a \\u escape is half a surrogate pair"},
        {"{\"a\":\"\xC0\xAF\"}", "6: invalid UTF-8"},
        {"{\"a\":\"\xED\xA0\x80\"}", "6: invalid UTF-8"},
        {"{\"a\":\"\xF4\x90\x80\x80\"}", "6: invalid UTF-8"},
        {"{\"a\":\"\xE2\x82\"}", "6: invalid UTF-8"},
        {QByteArray("{\"a\":\"\x00\"}", 9), "6: control character 0 inside a text"},
        {R"({"a":"open)", "10: the text is not closed"},
        {QByteArray(512, '[') + QByteArray(512, ']'), ""},
        {QByteArray(513, '[') + QByteArray(513, ']'), "512: more than 512 levels of nesting"},
    };
    for (const auto &[json, expected] : rows) {
        const std::optional<JsonFault> fault = strictJsonFault(json);
        const QString found = fault ? QStringLiteral("%1: %2").arg(fault->offset).arg(fault->what) : QString();
        EXPECT_EQ(found, QString::fromUtf8(expected)) << json.toStdString();
    }
}

// Windows-1252 is no key at all, so the projects of that page are what they always were; the
// others are kept by name and read back in any spelling the command line takes.
TEST_F(ProjectExtensionTest, CodePageIsStoredOnlyWhenNotWindows1252)
{
    const struct
    {
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
    EXPECT_TRUE(ProjectExtension::applyTo(extension(R"({"CodePage":"koi8r"})"), font, path()).values.isEmpty());
    EXPECT_EQ(font.CodePage(), CodePage::Koi8R);
    EXPECT_TRUE(ProjectExtension::applyTo(extension("{}"), font, path()).values.isEmpty());
    EXPECT_EQ(font.CodePage(), CodePage::Windows1252);
    // A name no code page has, or no text, is dropped alone: the page stays the default.
    for (const char *json : {R"({"CodePage":"UTF-8","Chars":"Q"})", R"({"CodePage":1251,"Chars":"Q"})"}) {
        font.setCodePage(CodePage::Windows1250);
        const ProjectExtension::Damage damage = ProjectExtension::applyTo(extension(json), font, path());
        EXPECT_EQ(damage.values.size(), 1) << json;
        EXPECT_TRUE(damage.values.value(0).startsWith(QStringLiteral("CodePage"))) << json;
        EXPECT_EQ(font.CodePage(), CodePage::Windows1252);
        EXPECT_EQ(font.Chars(), QStringLiteral("Q"));
    }
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
    // Tried on the surface Load is given, the message says what that surface draws instead.
    struct FallbackSurface : TestSurface
    {
        void setFont(const SurfaceFont &font) override
        {
            TestSurface::setFont({QStringLiteral("DejaVu Sans"), font.size});
        }
    } fallback;
    RecordingFeedback told;
    TexelFont tried;
    ASSERT_TRUE(tried.Load(path(QStringLiteral("b/font.tsm")), told, &fallback));
    ASSERT_EQ(told.informations().size(), 1);
    EXPECT_TRUE(told.informations()[0].contains(QStringLiteral("so DejaVu Sans is drawn in place of its family Arial")))
        << told.informations()[0].toStdString();

    // A font outside the project's folder is stored with its absolute path.
    missing.setFontFile(QStringLiteral("/usr/share/fonts/x.ttf"));
    const QByteArray outside = ProjectExtension::toBytes(missing, path(QStringLiteral("b/font.tsm")));
    EXPECT_TRUE(outside.contains(R"("FontFile":"/usr/share/fonts/x.ttf")"));
}

// Texts too long for an extension are refused at save, so they cannot come back damaged; the
// bytes a window compares to tell a changed document are what Save writes, with that check.
TEST_F(ProjectExtensionTest, TextsBeyondTheExtensionAreNotSaved)
{
    TexelFont font;
    font.SampleText = QStringLiteral("x").repeated(ProjectExtension::MaxLength / 2);
    font.setFilename(path());
    ASSERT_TRUE(font.Save(feedback));
    EXPECT_EQ(font.projectBytes(), readFile(path()));
    font.SampleText = QStringLiteral("x").repeated(ProjectExtension::MaxLength);
    EXPECT_TRUE(failureOf([&] { font.projectBytes(); }).startsWith(QStringLiteral("6: Overflow")));
    writeFile(path(), "KEEP");
    EXPECT_FALSE(font.Save(feedback));
    EXPECT_EQ(readFile(path()), "KEEP");
    ASSERT_EQ(feedback.failures().size(), 1);
    EXPECT_TRUE(feedback.failures()[0].contains(QStringLiteral("the size in bytes of the project's texts")));
}

} // namespace
