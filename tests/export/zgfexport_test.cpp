#include "../document/documenttesting.h"
#include "cidentifier.h"
#include "failure.h"
#include "csource.h"
#include "measuredfont.h"
#include "postprocessbitmaps.h"
#include "postprocessnames.h"
#include "recordingfeedback.h"
#include "zgfgoldens.h"
#include "testsurface.h"
#include "zgfexport.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <functional>

namespace {

// Names the first differing offset, or is empty when the bytes are equal.
std::string difference(const QByteArray &actual, const QByteArray &expected)
{
    const qsizetype at = firstDifference(actual, expected);
    return at < 0 ? std::string()
                  : "first difference at offset " + std::to_string(at) + ": actual "
            + actual.mid(at, 8).toHex(' ').toStdString() + ", expected " + expected.mid(at, 8).toHex(' ').toStdString();
}

} // namespace

// A two-glyph document on the deterministic surface whose ZGF bytes were worked out by
// hand: "a" has a 2 x 3 box at (1, 1) and advance 4, "b" a 1 x 3 box at (0, 2) and
// advance 3, line height 6, space 2; cells widened by 2 columns and 1 row.
class ZgfExporting : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (TestSurface *s : {&measure, &work}) {
            s->setGlyph(QLatin1Char('a'), TestSurface::Glyph{4, 1, 1, 2, 3});
            s->setGlyph(QLatin1Char('b'), TestSurface::Glyph{3, 0, 2, 1, 3});
        }
        font.setChars(QStringLiteral("ab"));
        font.CharWidthInc = 2;
        font.CharHeightInc = 1;
        ASSERT_TRUE(dir.isValid());
    }
    QString path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }

    TestSurface measure{6, 2};
    TestSurface work{6, 2};
    TexelFont font;
    RecordingFeedback feedback;
    QTemporaryDir dir;
};

// Plain, then post-processed with a mask 2 columns wider, in both codings.
TEST_F(ZgfExporting, Goldens)
{
    const PostprocessOptions bitmaps{path("glyphs.bmp"), path("glyphs_mask.bmp")};
    for (const bool masked : {false, true}) {
        if (masked) {
            font.Postprocessed = font.Masked = true;
            font.MaskWidthInc = 2;
            ASSERT_TRUE(ExportPostprocessBitmaps(font, work, bitmaps, feedback));
        }
        for (const bool rle : {false, true}) {
            ZgfExportOptions options{path(rle ? "rle" : "raw"), rle, masked ? bitmaps.bitmapFileName : QString(),
                                     masked ? bitmaps.maskFileName : QString()};
            ASSERT_TRUE(ExportZgfFont(font, work, options, feedback)) << feedback.failures().join(u'\n').toStdString();
            EXPECT_EQ(options.zgfFileName, path(rle ? "rle" : "raw"))
                << "the caller's name is completed only for writing";
            const QByteArray expected = goldenZgfFont(masked, rle);
            EXPECT_EQ(difference(readFile(path(rle ? "rle.zgf" : "raw.zgf")), expected), "") << masked << rle;
        }
    }
    EXPECT_EQ(feedback.informations().count(QStringLiteral("Font file generated correctly.")), 4);
    EXPECT_EQ(feedback.busyDepth, 0);
}

TEST(ZgfExportNames, Completion)
{
    const std::pair<const char *, const char *> cases[] = {{"font", "font.zgf"},
                                                           {"font.bin", "font.bin"},
                                                           {"font.longext", "font.longext.zgf"},
                                                           {"/tmp/a.b/font", "/tmp/a.b/font.zgf"},
                                                           {"name.", "name."}};
    for (const auto &[name, expected] : cases)
        EXPECT_EQ(completedFileName(QLatin1String(name), QStringLiteral(".zgf")), QLatin1String(expected));
    EXPECT_EQ(partialBitmapName(QStringLiteral("C:\\f\\font.bmp"), 3), QStringLiteral("C:\\f\\font3.bmp"));
    // A project's names choose a file, never a folder.
    TexelFont font;
    font.setGP32FileName(QStringLiteral("../zz"));
    font.setVariableName(QStringLiteral("/abs/x"));
    EXPECT_EQ(proposedZgfFileName(font), QStringLiteral(".._zz.zgf"));
    EXPECT_EQ(proposedCFileName(font), QStringLiteral("_abs_x.h"));
    EXPECT_EQ(proposedMaskFileName(font), QStringLiteral("_abs_x_mask.bmp"));
}

// Refused before anything is written, with or without leave to overwrite (CLI and dialog
// tests cover the plain cases): a .c beside the header over the font, a link to the project,
// a stored variable name that is no C identifier, a font over the font file it is drawn
// from, a mask over a partial bitmap.
TEST_F(ZgfExporting, RefusesWhatWouldLoseAFile)
{
    writeFile(path("p.tsm"), "project");
    writeFile(path("face.ttf"), "typeface");
    QFile::link(path("p.tsm"), path("link.zgf"));
    font.setFilename(path("p.tsm"));
    ZgfExportOptions split{path("y.c"), true, {}, {}, true, path("y.h"), true}, link{path("link.zgf")},
        named{path("f"), true, {}, {}, true, path("f.h")}, face{path("face.ttf")};
    const auto refusal = [](const char *text) { return QStringLiteral("5: ") + QLatin1String(text); };
    const std::pair<std::function<bool()>, QString> rows[] = {
        {[&] { return ExportZgfFont(font, work, split, feedback); },
         refusal("The .c file would replace the font file ") + path("y.c")},
        {[&] { return ExportZgfFont(font, work, link, feedback); },
         refusal("The font file would replace the project file ") + path("p.tsm")},
        {[&] {
             font.setVariableName(QStringLiteral("../../x"));
             return ExportZgfFont(font, work, named, feedback);
         },
         refusal("The variable name \"../../x\" cannot be written into C: ") + cIdentifierRule()},
        {[&] {
             font.setFontFile(path("face.ttf"));
             return ExportZgfFont(font, work, face, feedback);
         },
         refusal("The font file would replace the typeface file ") + path("face.ttf")},
    };
    for (const auto &[run, message] : rows) {
        feedback = RecordingFeedback();
        EXPECT_FALSE(run());
        EXPECT_EQ(feedback.failures(), QStringList{message + u'.'});
        EXPECT_TRUE(feedback.questions().isEmpty());
    }
    font.Masked = true;
    EXPECT_FALSE(ExportPostprocessBitmaps(font, work, {path("g.bmp"), path("g2.bmp"), 2}, feedback));
    EXPECT_EQ(feedback.failures().constLast(),
              refusal("The alpha mask bitmap file would replace the partial bitmap file 2 ") + path("g2.bmp") + u'.');
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::System).join(u' '),
              QStringLiteral("face.ttf link.zgf p.tsm"));
}

TEST_F(ZgfExporting, TheOldFileIsKeptWhenDeclinedOrFailed)
{
    writeFile(path("font.zgf"), "old");
    feedback.answers = {false};
    ZgfExportOptions declined{path("font.zgf")};
    EXPECT_FALSE(ExportZgfFont(font, work, declined, feedback));
    EXPECT_EQ(feedback.questions(),
              QStringList{QStringLiteral("Overwrite .ZGF font file ") + path("font.zgf") + QStringLiteral("?")});

    font.Postprocessed = true;
    ZgfExportOptions missing{path("font.zgf"), true, path("missing.bmp")};
    EXPECT_FALSE(ExportZgfFont(font, work, missing, feedback));
    font.Postprocessed = false;
    ZgfExportOptions unwritable{path("no/such/folder/font.zgf"), true};
    EXPECT_FALSE(ExportZgfFont(font, work, unwritable, feedback));

    const QStringList failures = feedback.failures();
    ASSERT_EQ(failures.size(), 2);
    EXPECT_TRUE(failures.at(0).startsWith(QStringLiteral("53: File not found"))
                && failures.at(0).contains(path("missing.bmp")))
        << failures.at(0).toStdString();
    EXPECT_EQ(failures.at(1),
              QStringLiteral("76: Can't create file ") + path("no/such/folder/font.zgf")
                  + QStringLiteral(": Path not found"));
    EXPECT_EQ(feedback.messages.last().title, Feedback::Title::Application);
    EXPECT_EQ(readFile(path("font.zgf")), QByteArray("old"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("font.zgf")}) << "no partial file";
    EXPECT_TRUE(feedback.informations().isEmpty());
    EXPECT_EQ(feedback.busyDepth, 0);
}

TEST_F(ZgfExporting, RefusesWhatCannotBeStoredFaithfully)
{
    const std::pair<std::function<void(TexelFont &)>, const char *> cases[] = {
        {[](TexelFont &f) { f.LineSepExtra = 200; }, "the line separation"},
        {[](TexelFont &f) { f.CharSepExtra = -129; }, "the character separation"},
        {[](TexelFont &f) { f.ShadowXPos = 128; }, "the shadow's x position"},
        {[](TexelFont &f) { f.Masked = true; }, "no mask bitmap file"},
        {[](TexelFont &f) { f.setTTFName(QString(33, QLatin1Char('x'))); }, "longer than 32"},
        {[](TexelFont &f) { f.setChars(QString(256, QLatin1Char('a'))); }, "256 characters"},
        // A mask cell of negative width: a font every reader refuses.
        {[](TexelFont &f) {
             f.Masked = true;
             f.setSmooth(true);
             f.MaskWidthInc = -3;
         },
         "Overflow: the mask cell width of \"a\" is -1, outside 0..382"},
    };
    for (const auto &[change, named] : cases) {
        TexelFont doc;
        doc.setChars(QStringLiteral("ab"));
        change(doc);
        ZgfExportOptions options{path("bad.zgf")};
        RecordingFeedback record;
        EXPECT_FALSE(ExportZgfFont(doc, work, options, record)) << named;
        ASSERT_EQ(record.failures().size(), 1) << named;
        EXPECT_TRUE(record.failures().at(0).contains(QLatin1String(named))) << record.failures().at(0).toStdString();
        EXPECT_FALSE(QFile::exists(path("bad.zgf")));
    }
}

TEST_F(ZgfExporting, CSourceFollowsTheFont)
{
    ZgfExportOptions options{path("font.zgf")};
    options.cFile = true;
    options.cFileName = path("font");
    ASSERT_TRUE(ExportZgfFont(font, work, options, feedback));
    // Made from the bytes written, it is what the converter makes of the file.
    ZgfToCSource(path("font.zgf"), path("again.h"), QStringLiteral("arial10"), false, feedback, u',');
    EXPECT_EQ(readFile(path("font.h")).replace("__font_h__", "__again_h__"), readFile(path("again.h")));

    // Declining the C overwrite still counts as a written font; the .c beside a split header
    // is asked about, too.
    writeFile(path("font.h"), "old");
    feedback.answers = {true, false};
    EXPECT_TRUE(ExportZgfFont(font, work, options, feedback));
    EXPECT_EQ(readFile(path("font.h")), QByteArray("old"));
    writeFile(path("font.c"), "old");
    options.split = true;
    feedback.answers = {true, true, false};
    EXPECT_TRUE(ExportZgfFont(font, work, options, feedback));
    EXPECT_EQ(feedback.questions().constLast(), QStringLiteral("Overwrite C source file ") + path("font.c") + u'?');
    EXPECT_EQ(readFile(path("font.c")) + readFile(path("font.h")), QByteArray("oldold"));
}

// The export is built whole in memory before anything is written: into a folder that does
// not exist it builds, and only writing fails.
TEST_F(ZgfExporting, BuildsItsOutputsWithoutTouchingTheDisk)
{
    ZgfExportOptions options{path("none/font"), true, {}, {}, true, path("none/font"), true};
    const ZgfExport built = buildZgfExport(font, measureFont(font, work), work, options, feedback);
    EXPECT_EQ(options.zgfFileName, path("none/font")) << "the caller's options are left as they were";
    QStringList names;
    for (const Output &output : built.outputs())
        names.append(output.path);
    EXPECT_EQ(names, QStringList({path("none/font.zgf"), path("none/font.c"), path("none/font.h")}));
    EXPECT_EQ(difference(built.font.bytes, goldenZgfFont(false, true)), "");
    EXPECT_TRUE(QDir(dir.path()).isEmpty());

    // The C source is the converter's for the same file.
    writeFile(path("font.zgf"), built.font.bytes);
    ZgfToCSource(path("font.zgf"), path("font.h"), font.VariableName(), true, feedback, u',');
    EXPECT_EQ(built.cSource.at(0).bytes, readFile(path("font.c")));
    EXPECT_EQ(built.cSource.at(1).bytes, readFile(path("font.h")));

    EXPECT_EQ(failureOf([&] { writeOutputs(built.outputs()); }),
              QStringLiteral("76: Can't create file ") + path("none/font.zgf") + QStringLiteral(": Path not found"));
}

// A C file that cannot be written after the font file was: the export fails, names the font
// written, and tells no success.
TEST_F(ZgfExporting, ACFailureAfterTheFontIsAFailure)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("font.h"))); // agreed to, then not replaceable
    const ZgfExportOptions options{path("font"), true, {}, {}, true, path("font.h")};
    EXPECT_FALSE(ExportZgfFont(font, work, options, feedback));
    EXPECT_EQ(feedback.questions(), QStringList{QStringLiteral("Overwrite C source file ") + path("font.h") + u'?'});
    ASSERT_EQ(feedback.failures().size(), 1);
    EXPECT_TRUE(feedback.failures().at(0).endsWith(QStringLiteral("(already written: %1)").arg(path("font.zgf"))))
        << feedback.failures().at(0).toStdString();
    EXPECT_TRUE(feedback.informations().isEmpty());
    EXPECT_EQ(readFile(path("font.zgf")), goldenZgfFont(false, true));
}

// Partial images first, then the full one; the mask only for a masked font, asked about
// apart: declining it keeps the glyph bitmaps written and shows no success message.
TEST_F(ZgfExporting, BitmapsPartialImagesFirstAndTheMaskOfAMaskedFontOnly)
{
    writeFile(path("font_mask.bmp"), "old");
    PostprocessOptions options{path("font.bmp"), path("font_mask.bmp"), 1};
    ASSERT_TRUE(ExportPostprocessBitmaps(font, work, options, feedback));
    EXPECT_EQ(feedback.written, QStringList{path("font.bmp")});
    EXPECT_TRUE(feedback.questions().isEmpty());

    font.Postprocessed = font.Masked = true;
    feedback = RecordingFeedback();
    feedback.answers = {true, false};
    options.count = 3;
    EXPECT_FALSE(ExportPostprocessBitmaps(font, work, options, feedback));
    for (const char *name : {"font1.bmp", "font2.bmp", "font3.bmp"})
        EXPECT_TRUE(QFile::exists(path(name))) << name;
    EXPECT_FALSE(QFile::exists(path("font_mask1.bmp")));
    EXPECT_EQ(readFile(path("font_mask.bmp")), QByteArray("old"));
    EXPECT_EQ(feedback.questions(),
              QStringList({QStringLiteral("Overwrite bitmap file ") + path("font.bmp") + u'?',
                           QStringLiteral("Overwrite alpha mask bitmap file ") + path("font_mask.bmp") + u'?'}));
    EXPECT_TRUE(feedback.informations().isEmpty());

    feedback = RecordingFeedback();
    ASSERT_TRUE(ExportPostprocessBitmaps(font, work, options, feedback));
    QStringList names;
    for (const QString &written : feedback.written)
        names.append(QFileInfo(written).fileName());
    EXPECT_EQ(names.join(QLatin1Char(' ')),
              QStringLiteral("font1.bmp font2.bmp font3.bmp font.bmp "
                             "font_mask1.bmp font_mask2.bmp font_mask3.bmp font_mask.bmp"));
    EXPECT_EQ(feedback.informations(),
              QStringList{QStringLiteral("Bitmap(s) generated correctly.\r\n"
                                         "Now it's time to use your favorite image processor to enhance the font.")});
}

// Without leave to replace (the command line without --force), an image whose file
// appeared after the check stops the writing, and the failure names the images written.
TEST_F(ZgfExporting, BitmapsStoppedPartwayNameWhatWasWritten)
{
    font.Postprocessed = true;
    PostprocessOptions options{path("font.bmp"), QString(), 3, Existing::Keep};
    writeFile(path("font2.bmp"), "theirs");
    EXPECT_FALSE(ExportPostprocessBitmaps(font, work, options, feedback));
    EXPECT_EQ(feedback.failures(),
              QStringList{QStringLiteral("58: File already exists: %1 appeared while it was written, and is left as it "
                                         "is (already written: %2)")
                              .arg(path("font2.bmp"), path("font1.bmp"))});
    EXPECT_EQ(readFile(path("font2.bmp")), QByteArray("theirs"));
    EXPECT_FALSE(QFile::exists(path("font.bmp")));
}
