#include "projectrecord.h"
#include "texelfont.h"

#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>

#include <QImage>
#include <QTest>
#include <QtCore>

using namespace Qt::StringLiterals;

namespace {

const QByteArrayList kCommands{"export", "bitmaps", "new", "info", "render", "extract", "to-c", "fonts"};

struct Run { int exitCode; QByteArray out, err; };

// A command line split at spaces; "~" stands for a space inside an argument.
QStringList words(const QByteArray &line)
{
    return QString::fromUtf8(line).split(u' ', Qt::SkipEmptyParts).replaceInStrings(u"~"_s, u" "_s);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

// Every key of the JSON object `expected` has the same value in `actual`.
void expectFields(const QJsonObject &actual, const char *expected)
{
    const QJsonObject fields = QJsonDocument::fromJson(expected).object();
    QVERIFY(!fields.isEmpty());
    for (auto it = fields.begin(); it != fields.end(); ++it) {
        const QByteArray shown = QJsonDocument(QJsonArray{actual.value(it.key())}).toJson(QJsonDocument::Compact);
        QVERIFY2(actual.value(it.key()) == it.value(), qPrintable(it.key() + u" is "_s + QString::fromUtf8(shown)));
    }
}

QSet<QRgb> colours(const QImage &image)
{
    QSet<QRgb> found;
    for (int i = 0; i < image.width() * image.height(); ++i)
        found.insert(image.pixel(i % image.width(), i / image.width()) & 0xFFFFFFu);
    return found;
}

} // namespace

// Runs a command line that must succeed and keeps its outcome in `run`.
#define CLI_OK(run, line) const Run run = cli(line); QVERIFY2(run.exitCode == 0, run.err.constData())

class CliTest : public QObject
{
    Q_OBJECT

    // Copied into every working folder: default.zgf (the default document exported with RLE),
    // damaged.zgf (its first 60 bytes), big.txt (70000 bytes), plain.tsm (the default
    // document), post.tsm (masked, post-processed) and notes.txt.
    std::unique_ptr<QTemporaryDir> mShared;
    std::unique_ptr<QTemporaryDir> mWork;

    // Runs the tool in the test's working folder, with a file size limit when one is given.
    Run cli(const QByteArray &line, rlim_t fileSizeLimit = 0) const
    {
        QProcess process;
        process.setWorkingDirectory(mWork->path());
        if (fileSizeLimit > 0) {
            process.setChildProcessModifier([fileSizeLimit] {
                const rlimit limit{fileSizeLimit, fileSizeLimit};
                setrlimit(RLIMIT_FSIZE, &limit);
            });
        }
        process.start(QStringLiteral(TEXELSMITHY_CLI), words(line));
        const bool ended = process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit;
        return {ended ? process.exitCode() : -1, process.readAllStandardOutput(), process.readAllStandardError()};
    }
    // Runs a command whose result the caller checks; says why it failed, if it did.
    Run tried(const QByteArray &line) const
    {
        const Run run = cli(line);
        if (run.exitCode != 0)
            qWarning() << line << run.err;
        return run;
    }
    QJsonObject infoJson(const QByteArray &line) const
    {
        return QJsonDocument::fromJson(tried("info --json " + line).out).object();
    }
    QImage render(const QByteArray &line) const // null if the tool failed, never an older picture
    {
        return tried("render -o render.png --force " + line).exitCode == 0 ? QImage(path(u"render.png"_s)) : QImage();
    }
    // The size budget that info gives for `document` equals the files the export writes.
    void expectBudget(const QByteArray &document, bool masked) const
    {
        const QJsonObject budget = infoJson(document).value(u"SizeBudget"_s).toObject();
        for (const QByteArray &name : {"Raw"_ba, "Rle"_ba}) {
            CLI_OK(exported, "export -o " + name + " --" + name.toLower() + ' ' + document);
            const QJsonObject file = infoJson(name + ".zgf");
            const qint64 length = file.value(u"FileLength"_s).toInteger();
            const qint64 maskOffset = file.value(u"MaskOffset"_s).toInteger();
            const QJsonObject sizes = budget.value(QString::fromLatin1(name)).toObject();
            QCOMPARE(sizes.value(u"Total"_s).toInteger(), QFileInfo(path(QString::fromLatin1(name + ".zgf"))).size());
            QCOMPARE(sizes.value(u"GlyphImage"_s).toInteger(),
                     (maskOffset > 0 ? maskOffset : length) - file.value(u"GlyphOffset"_s).toInteger());
            QCOMPARE(sizes.value(u"Mask"_s).toInteger(), maskOffset > 0 ? length - maskOffset : 0);
            QCOMPARE(maskOffset > 0, masked);
        }
    }
    // Runs a shell script in the working folder, the tool being "$CLI": for arguments that are
    // bytes, not text.
    Run shell(const QByteArray &script) const
    {
        QProcess process;
        process.setWorkingDirectory(mWork->path());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"CLI"_s, QStringLiteral(TEXELSMITHY_CLI));
        process.setProcessEnvironment(environment);
        process.start(u"/bin/sh"_s, {u"-c"_s, QString::fromUtf8(script)});
        const bool ended = process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit;
        return {ended ? process.exitCode() : -1, process.readAllStandardOutput(), process.readAllStandardError()};
    }
    // Mounts a small file system at "full" in the working folder and fills it; false when this
    // process may not mount one. The mount is this process's (and its children's) alone.
    bool mountFullDisk() const
    {
        static const bool ownMounts = unshare(CLONE_NEWNS) == 0
            && mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
        const QByteArray folder = QFile::encodeName(path(u"full"_s));
        if (!ownMounts || !QDir(mWork->path()).mkdir(u"full"_s)
            || mount("tmpfs", folder.constData(), "tmpfs", 0, "size=64k") != 0)
            return false;
        QFile filler(path(u"full/filler"_s));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return false;
        while (filler.write(QByteArray(4096, 'f')) > 0) {
        }
        return true;
    }
    QString path(const QString &name) const { return mWork->path() + u'/' + name; } // also ":name"
    QStringList entries() const { return QDir(mWork->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries); }

private slots:
    void initTestCase()
    {
        mWork = std::make_unique<QTemporaryDir>();
        CLI_OK(exported, "export -o default.zgf");
        CLI_OK(plain, "new -o plain");
        writeFile(path(u"notes.txt"_s), "plain text, neither a project nor a font");
        writeFile(path(u"damaged.zgf"_s), readFile(path(u"default.zgf"_s)).left(60));
        writeFile(path(u"big.txt"_s), QByteArray(70000, 'a'));
        // A project the options of the tool cannot make: post-processed with a mask, and
        // cells widened so the mask differs from the glyph image.
        TexelFont font;
        font.setChars(u"AB\r\nc"_s);
        font.Postprocessed = font.Masked = true;
        font.CharWidthInc = 2;
        font.MaskWidthInc = 1;
        font.setVariableName(font.CalculateVariableName());
        font.setGP32FileName(font.CalculateGP32FileName());
        writeFile(path(u"post.tsm"_s), ProjectRecord::fromDocument(font).toBytes());
        mShared = std::move(mWork);
    }

    void init()
    {
        mWork = std::make_unique<QTemporaryDir>();
        for (const QString &name : QDir(mShared->path()).entryList(QDir::Files))
            QVERIFY(QFile::copy(mShared->filePath(name), path(name)));
    }

    // Exit 0: stdout starts with `expected`. Usage errors (exit 2), missing inputs and other
    // failures (exit 1): stderr holds `expected`, stdout stays empty. The usage is on stderr
    // exactly with a usage error. Nothing is written.
    void answers_data()
    {
        QTest::addColumn<QByteArray>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("expected");
        const auto row = [](const char *name, int exitCode, const char *arguments, const char *expected) {
            QTest::newRow(name) << QByteArray(arguments) << exitCode << QByteArray(expected);
        };
        row("version", 0, "--version", "texelsmithy-cli 2.0.1\n");
        row("tool help", 0, "--help", "Usage: texelsmithy-cli COMMAND");
        for (const QByteArray &command : kCommands)
            QTest::addRow("%s --help", command.constData())
                << command + " --help" << 0 << "Usage: texelsmithy-cli " + command;
        row("no command", 2, "", "Usage: texelsmithy-cli COMMAND");
        row("unknown command", 2, "paint", "unknown command 'paint'");
        row("export: RAW and RLE", 2, "export --raw --rle", "--raw and --rle cannot be used together");
        row("export: unknown option", 2, "export --colour red", "Unknown option 'colour'");
        row("export: size not a number", 2, "export --size big", "--size takes a number of points, not 'big'");
        row("export: size the renderer refuses", 2, "export --size 0.1", "--size: the renderer cannot draw 0.1 points");
        row("export: colour not hex", 2, "export --color 12345G", "--color takes a colour as RRGGBB");
        row("export: split without C", 2, "export --split", "--split needs --c");
        row("bitmaps: no project", 2, "bitmaps", "Missing argument");
        row("bitmaps: split out of range", 2, "bitmaps p.tsm --split 0", "--split takes a whole number from 1 to 255");
        row("new: no output", 2, "new --bold", "new needs -o PROJECT.tsm");
        row("info: two files", 2, "info a b", "Unexpected argument 'b'");
        row("info: options on a font", 2, "info default.zgf --bold", "Document options do not apply to a ZGF font.");
        row("render: no output", 2, "render font.zgf", "render needs -o OUT.png");
        row("render: text and mask", 2, "render f -o x --text a --mask", "--text and --mask cannot be used together");
        row("render: scale too large", 2, "render f -o x.png --scale 65", "--scale takes a whole number from 1 to 64");
        row("extract: negative offset", 2, "extract font.zgf --offset -1", "--offset takes a byte offset");
        row("extract: directory without all", 2, "extract font.zgf -d x", "-d goes with --all");
        row("to-c: empty name", 2, "to-c font.zgf --name ~~", "--name takes a variable name");
        row("fonts: argument", 2, "fonts Arial", "Unexpected argument 'Arial'");
        for (const char *line : {"export missing.bin", "export --chars-file missing.bin", "bitmaps missing.bin",
                                 "info missing.bin", "render missing.bin -o x.png", "extract missing.bin",
                                 "to-c missing.bin"})
            QTest::addRow("missing input: %s", line) << QByteArray(line) << 1 << "53: File not found: missing.bin"_ba;
        QTest::addRow("info: name too long") << "info " + QByteArray(256, 'n') << 1 << "75: File name too long"_ba;
        row("info: neither project nor font", 1, "info notes.txt", "notes.txt does not contain valid TexelSmithy data");
        row("info: damaged font", 1, "info damaged.zgf", "321: Invalid file format: damaged.zgf is not a valid ZGF font");
        row("export: C file is the font", 1, "export -o y.zgf --c y.zgf --force", "5: The C file would replace the font file y.zgf.");
        row("export: over its project", 1, "export plain.tsm -o plain.tsm --force",
            "5: The font file would replace the project file plain.tsm.");
        row("export: device as characters", 1, "export --chars-file /dev/zero",
            "75: Path/File access error: /dev/zero is not a regular file");
        row("export: characters beyond the bound", 1, "export --chars-file big.txt", "big.txt holds 70000 bytes");
        row("bitmaps: mask is the bitmap", 1, "bitmaps post.tsm --bitmap x.bmp --mask x.bmp --force",
            "5: The alpha mask bitmap file would replace the bitmap file x.bmp.");
        row("render: over its font", 1, "render default.zgf -o default.zgf --force",
            "5: The picture would replace the font file default.zgf.");
        QTest::addRow("render: text too long") << "render default.zgf -o t.png --text " + QByteArray(4097, 'a') << 2
                                               << "--text takes at most 4096 characters"_ba;
        row("to-c: name is no identifier", 1, "to-c notes.txt --name x[1];~int~evil",
            "5: The variable name \"x[1];intevil\" cannot be written into C: a C name is made of");
        row("bitmaps: not post-processed", 1, "bitmaps plain.tsm", "plain.tsm is not post-processed");
        row("render: no mask to draw", 1, "render default.zgf -o m.png --mask", "The font has no mask.");
        row("extract: no font at the offset", 1, "extract default.zgf --offset 7", "No ZGF font starts at offset 7");
        row("info: unknown hinting", 2, "info --hinting medium", "--hinting takes none, slight or full, not 'medium'");
        row("info: missing font file", 1, "info --font-file missing.ttf", "53: File not found: missing.ttf");
        row("export: font file of no font", 1, "export --font-file notes.txt", "notes.txt holds no font that can be read");
    }

    void answers()
    {
        QFETCH(QByteArray, arguments);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, expected);
        const QStringList before = entries();
        const Run run = cli(arguments);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(exitCode == 0 ? run.out.startsWith(expected) : run.err.contains(expected) && run.out.isEmpty(),
                 (run.out + run.err).constData());
        const QByteArray command = arguments.split(' ').first();
        const QByteArray usage = "Usage: texelsmithy-cli " + (kCommands.contains(command) ? command : "COMMAND"_ba);
        QCOMPARE(run.err.contains(usage), exitCode == 2);
        QCOMPARE(entries(), before);
        if (arguments == "--help") { // the tool's help lists every command
            for (const QByteArray &listed : kCommands)
                QVERIFY2(run.out.contains("\n  " + listed + ' '), listed.constData());
        }
    }

    void existingOutputs_data()
    {
        QTest::addColumn<QByteArray>("arguments");
        QTest::addColumn<QString>("existing");
        QTest::newRow("export") << "export --chars ab"_ba << u"a_100ba6.zgf"_s;
        QTest::newRow("export: C header") << "export -o new.zgf --c old"_ba << u"old.h"_s;
        QTest::newRow("bitmaps: mask") << "bitmaps post.tsm --bitmap g.bmp"_ba << u"g_mask.bmp"_s;
        QTest::newRow("new") << "new -o old"_ba << u"old.tsm"_s;
        QTest::newRow("render") << "render default.zgf -o old.png"_ba << u"old.png"_s;
        QTest::newRow("extract: one") << "extract default.zgf --offset 0"_ba << u"Arial 10.zgf"_s;
        QTest::newRow("extract: all") << "extract default.zgf --all -d fonts"_ba << u"fonts/Arial 10.zgf"_s;
        QTest::newRow("to-c") << "to-c default.zgf -o old.c"_ba << u"old.h"_s;
        QTest::newRow("to-c: named from the font") << "to-c default.zgf"_ba << u"arial10.h"_s;
        // Every output is checked before the first is written; a name starting with ":" is a file.
        QTest::newRow("export: .c beside the header") << "export -o new.zgf --c w.h --split"_ba << u"w.c"_s;
        QTest::newRow("to-c: .c beside the header") << "to-c default.zgf -o w.h --split"_ba << u"w.c"_s;
        QTest::newRow("bitmaps: partial image") << "bitmaps post.tsm --bitmap g.bmp --split 2"_ba << u"g2.bmp"_s;
        QTest::newRow("bitmaps: partial mask") << "bitmaps post.tsm --bitmap g.bmp --split 2"_ba << u"g_mask1.bmp"_s;
        QTest::newRow("export: colon name") << "export -o :y.zgf"_ba << u":y.zgf"_s;
        QTest::newRow("new: colon name") << "new -o :p.tsm"_ba << u":p.tsm"_s;
        QTest::newRow("extract: colon name") << "extract default.zgf --offset 0 -o :e"_ba << u":e.zgf"_s;
    }

    void existingOutputs()
    {
        QFETCH(QByteArray, arguments);
        QFETCH(QString, existing);
        QDir(mWork->path()).mkpath(u"fonts"_s);
        writeFile(path(existing), "precious");
        const QStringList before = entries();
        const Run refused = cli(arguments);
        QCOMPARE(refused.exitCode, 1);
        QVERIFY2(refused.err.contains("use --force") && refused.err.contains(existing.section(u'/', -1).toUtf8()),
                 refused.err.constData());
        QCOMPARE(readFile(path(existing)), "precious"_ba);
        QCOMPARE(entries(), before);
        CLI_OK(forced, arguments + " --force");
        QVERIFY(readFile(path(existing)) != "precious");
    }

    // The default document: exported and read back, and shown by info.
    void exportAndInfoOfTheDefaults()
    {
        CLI_OK(run, "export --c font --split"); // every character has a glyph and a code: no warnings
        QCOMPARE(run.err, "Font file generated correctly.\nC file(s) generated correctly.\n"_ba);
        QVERIFY(readFile(path(u"font.c"_s)).contains("arial10_zgf[]"));

        const QJsonObject info = infoJson("a_100ba6.zgf");
        expectFields(info, R"({"Count": 130, "IsValidZgfHeader": true, "Rle": true, "FaceName": "Arial",
                               "PointSize": 10, "TransColor": 65280})"); // 0x00FF00
        QCOMPARE(info.value(u"Chars"_s).toString(), TexelFont::glyphSequence(TexelFont::defaultCharacterSet()));
        QCOMPARE(info.value(u"Widths"_s).toArray().size(), 130);
        QCOMPARE(info.value(u"FileLength"_s).toInteger(), QFileInfo(path(u"a_100ba6.zgf"_s)).size());

        // Without a file, info shows the default document with the options given; the readable
        // form has one aligned line per field and the glyph list as a table.
        CLI_OK(text, "info --size 12 --bold");
        const QList<QByteArray> lines = text.out.split('\n');
        for (const char *line : {"TTFName             Arial", "Size                12", "VariableName        arial12b",
                                 "Glyphs              130", "MissingGlyphs       none", "Unencodable         none",
                                 "  Char  Height  Left  TextHeight  TextWidth  Top  Width"})
            QVERIFY2(lines.contains(line), line);
        QVERIFY(cli("info default.zgf").out.contains(
            "Flags             163 (16-bit pixels, RLE image, indent tables, proportional)"));
    }

    // The coders' own cases are the zgf suite's; here the options that choose them, and render's.
    void rawAndRleDrawAlike()
    {
        for (const char *coding : {"raw", "rle"}) {
            CLI_OK(run, "export -o "_ba + coding + " --" + coding + " --font Liberation~Serif --italic --color 3366CC");
            expectFields(infoJson(coding + ".zgf"_ba), coding == "rle"_ba ? R"({"Rle": true})" : R"({"Rle": false})");
        }
        const QByteArray text = " --text Quartz~glyph\njob~vex! --background FFFFFF";
        const QImage raw = render("raw.zgf" + text);
        QCOMPARE(raw, render("rle.zgf" + text));
        QCOMPARE(render("raw.zgf --scale 3" + text).size(), raw.size() * 3);
        QVERIFY(raw.height() >= 2 * render("raw.zgf --text Quartz~glyph").height());
        // The transparent green is keyed out: the background and the colour, through the
        // 5-bit levels (0x33, 0x66, 0xCC within 7).
        const QSet<QRgb> drawn = colours(raw);
        QVERIFY(drawn.size() == 2 && drawn.contains(0xFFFFFFu));
        QVERIFY(std::any_of(drawn.begin(), drawn.end(), [](QRgb p) {
            return qAbs(qRed(p) - 0x33) < 8 && qAbs(qGreen(p) - 0x66) < 8 && qAbs(qBlue(p) - 0xCC) < 8;
        }));
    }

    void newThenInfoShowsTheOptions()
    {
        writeFile(path(u"chars.txt"_s), "ab\ncd\n");
        CLI_OK(made, "new -o serif --font Liberation~Serif --size 10 --bold --italic --underline --strikethrough "
                     "--chars-file chars.txt --color 123456 --trans-color #FF00FF");
        const QJsonObject info = infoJson("serif.tsm");
        // Colours as 0x00BBGGRR: Color 0x563412, TransColor 0xFF00FF.
        expectFields(info, R"({"TTFName": "Liberation Serif", "Name": "Liberation Serif", "Size": 9.75,
            "Bold": true, "Italic": true, "Underline": true, "Strikethrough": true, "Chars": "ab\r\ncd",
            "Color": 5649426, "TransColor": 16711935, "VariableName": "liberationSerif10bius",
            "CustomName": false, "CustomVariableName": false, "CustomGP32FileName": false})");
        const QJsonArray glyphs = info.value(u"Glyphs"_s).toArray();
        QCOMPARE(glyphs.size(), 4);
        QCOMPARE(glyphs.at(2).toObject().value(u"Char"_s).toString(), u"c"_s);

        // A font file under the project's folder is kept relative to it, with the rendering choices.
        QVERIFY(QDir(mWork->path()).mkpath(u"fonts"_s));
        QVERIFY(QFile::copy(u"/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf"_s, path(u"fonts/lib.ttf"_s)));
        CLI_OK(fromFile, "new -o lib.tsm --font-file fonts/lib.ttf --hinting none --smooth");
        QVERIFY(readFile(path(u"lib.tsm"_s)).contains(R"("FontFile":"fonts/lib.ttf")"));
        expectFields(infoJson("lib.tsm"), R"({"TTFName": "Liberation Sans", "Hinting": "none", "Smooth": true})");
        QCOMPARE(infoJson("lib.tsm").value(u"FontFile"_s).toString(), path(u"fonts/lib.ttf"_s));
    }

    // A post-processed project: info cannot size it until the edited bitmaps exist; the export
    // reads them back, and the budget equals the files written.
    void postprocessedProject()
    {
        const QJsonObject before = infoJson("post.tsm");
        QVERIFY(before.value(u"SizeBudget"_s).isNull());
        const QString note = before.value(u"SizeBudgetNote"_s).toString();
        QVERIFY2(note.contains(u"arial10_pm.bmp"_s), qPrintable(note));

        CLI_OK(bitmaps, "bitmaps post.tsm --split 2");
        QVERIFY(bitmaps.err.contains("Bitmap(s) generated correctly."));
        for (const char *suffix : {".bmp", "_mask.bmp", "1.bmp", "2.bmp", "_mask1.bmp"})
            QVERIFY2(QFile::exists(path(u"arial10_pm"_s + QLatin1String(suffix))), suffix);
        const QImage glyphs(path(u"arial10_pm.bmp"_s)), mask(path(u"arial10_pm_mask.bmp"_s));
        QCOMPARE(mask.width(), glyphs.width() + 3); // one more column per character

        expectBudget("post.tsm", true); // exports Raw.zgf and Rle.zgf
        const QJsonObject info = infoJson("Rle.zgf");
        expectFields(info, R"({"Masked": true, "Count": 3})");
        QCOMPARE(info.value(u"BitmapWidth"_s).toInt(), glyphs.width());
        QCOMPARE(render("Rle.zgf --mask").width(), mask.width());
    }

    void sizeBudgetOfARenderedDocument() { expectBudget("--chars AbC", false); }

    // A write that fails says why and names the file: a file size limit (which must not end
    // the tool), a full disk, a name longer than the system allows. Nothing is left behind.
    void failedWrites_data()
    {
        QTest::addColumn<QByteArray>("arguments");
        QTest::addColumn<bool>("fullDisk");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("file size limit") << "export -o limited.zgf"_ba << false << "61: File too large: limited.zgf"_ba;
        const std::pair<const char *, const char *> full[] = {
            {"export -o full/f.zgf", "61: Disk full: full/f.zgf"},
            {"export -o f.zgf --c full/f.h --split", "61: Disk full: full/f.c"},
            {"bitmaps post.tsm --bitmap full/g.bmp", "61: Disk full: full/g.bmp"},
            {"extract default.zgf --offset 0 -o full/e.zgf", "61: Disk full: full/e.zgf"},
            {"to-c default.zgf -o full/t.h", "61: Disk full: full/t.h"},
            {"new -o full/p", "61: Disk full: full/p.tsm"},
            {"render default.zgf -o full/r.png", "61: Disk full: full/r.png"}};
        for (const auto &[arguments, expected] : full)
            QTest::addRow("full disk: %s", arguments) << QByteArray(arguments) << true << QByteArray(expected);
        const QByteArray longName = QByteArray(256, 'n');
        for (const char *command : {"export -o ", "new -o ", "to-c default.zgf -o ", "render default.zgf -o "})
            QTest::addRow("long name: %s", command) << command + longName << false << "File name too long"_ba;
    }

    void failedWrites()
    {
        QFETCH(QByteArray, arguments);
        QFETCH(bool, fullDisk);
        QFETCH(QByteArray, expected);
        if (fullDisk && !mountFullDisk())
            QSKIP("This process may not mount a file system.");
        const auto cleanUp = qScopeGuard([&] {
            if (fullDisk)
                umount2(QFile::encodeName(path(u"full"_s)).constData(), MNT_DETACH);
        });
        const QStringList before = entries();
        const QStringList fullBefore = QDir(path(u"full"_s)).entryList(QDir::Files | QDir::Hidden);
        const Run failed = cli(arguments, arguments.startsWith("export -o limited") ? 2000 : 0);
        QVERIFY2(failed.exitCode == 1 && failed.err.contains(expected), failed.err.constData());
        QCOMPARE(QDir(path(u"full"_s)).entryList(QDir::Files | QDir::Hidden), fullBefore);
        // The ZGF font written before its C source stays; nothing else was made.
        QStringList expectedEntries = before;
        if (arguments.contains("f.zgf --c"))
            expectedEntries.append(u"f.zgf"_s);
        expectedEntries.sort();
        QCOMPARE(entries(), expectedEntries);
    }

    // A file name is bytes: one the tool cannot hold as text is refused, never written or
    // read under another name.
    void namesThatAreNotUtf8()
    {
        const QStringList before = entries();
        const Run written = shell(R"sh("$CLI" export -o "$(printf 'bad\377\376.zgf')")sh");
        QVERIFY2(written.exitCode == 1 && written.err.contains("the argument bad\\xFF\\xFE.zgf is not UTF-8 text"),
                 written.err.constData());
        QCOMPARE(entries(), before); // "bad\uFFFD\uFFFD.zgf" would be listed
        const Run read = shell(R"sh(cp plain.tsm "$(printf 'p\377.tsm')" && "$CLI" info "$(printf 'p\377.tsm')")sh");
        QVERIFY2(read.exitCode == 1 && read.err.contains("the argument p\\xFF.tsm is not UTF-8 text"), read.err.constData());
        // Qt lists and removes no such name: the shell does.
        QCOMPARE(shell(R"sh(rm "$(printf 'p\377.tsm')")sh").exitCode, 0);
    }

    // Without --force, two runs writing the same output at the same time never both succeed:
    // the one that finishes second finds the file there, whenever it checked.
    void racingRunsReplaceNothing()
    {
        for (int round = 0; round < 4; ++round) {
            QFile::remove(path(u"race.zgf"_s));
            QProcess first, second;
            for (QProcess *run : {&first, &second}) {
                run->setWorkingDirectory(mWork->path());
                run->start(QStringLiteral(TEXELSMITHY_CLI), words("export -o race.zgf --chars " + QByteArray(run == &first ? "ab" : "cd")));
            }
            QVERIFY(first.waitForFinished(120000) && second.waitForFinished(120000));
            QCOMPARE(int(first.exitCode() == 0) + int(second.exitCode() == 0), 1);
            const QByteArray loser = (first.exitCode() == 0 ? second : first).readAllStandardError();
            QVERIFY2(loser.contains("race.zgf"), loser.constData());
        }
    }

    void extractListsAndSaves()
    {
        const QByteArray font = readFile(path(u"default.zgf"_s));
        writeFile(path(u"game.fxe"_s), "prefix" + font + QByteArray(10, 'x') + font);
        const QByteArray size = QByteArray::number(font.size()), second = QByteArray::number(16 + font.size());
        CLI_OK(list, "extract game.fxe");
        QCOMPARE(list.out, "6\t" + size + "\tArial 10\n" + second + '\t' + size + "\tArial 10\n");
        CLI_OK(one, "extract game.fxe -o second --offset " + second);
        QCOMPARE(readFile(path(u"second.zgf"_s)), font);
        CLI_OK(all, "extract game.fxe --all -d out/fonts");
        QCOMPARE(readFile(path(u"out/fonts/Arial 10.zgf"_s)), font);
        QCOMPARE(readFile(path(u"out/fonts/Arial 10 (2).zgf"_s)), font);

        // A face name comes from the scanned file: it cannot forge the listing, nor lead out of
        // the chosen folder, nor make a ":" name a resource.
        CLI_OK(evil, "export --font ../Evil\\Name\n9\t1 --chars x -o evil");
        QVERIFY(evil.err.contains("Note: ../Evil\\Name\n9\t1 is not installed;"));
        CLI_OK(listed, "extract evil.zgf");
        QCOMPARE(listed.out, "0\t" + QByteArray::number(QFileInfo(path(u"evil.zgf"_s)).size()) + "\t../Evil\\\\Name\\n9\\t1 10\n");
        // Nor can it send the terminal a command, through info or a message.
        CLI_OK(escape, "export --font Red\x1b[31m --chars x -o escape");
        QVERIFY2(escape.err.contains("Note: Red\\x1b[31m is not installed"), escape.err.constData());
        QVERIFY(cli("info escape.zgf").out.contains("FaceName          Red\\x1b[31m\n"));
        QVERIFY(cli("info evil.zgf").out.contains("FaceName          ../Evil\\\\Name\\n9\\t1\n"));
        CLI_OK(safe, "extract evil.zgf --all -d safe");
        QVERIFY(QFile::exists(path(u"safe/.._Evil__Name_n9_t1 10.zgf"_s)));
        CLI_OK(colon, "export --font :Colon --chars x -o colon");
        CLI_OK(colonAll, "extract colon.zgf --all");
        QVERIFY(cli("info :Colon~10.zgf").out.contains("FaceName          :Colon\n"));
        CLI_OK(none, "extract notes.txt");
        QVERIFY(none.out.isEmpty() && none.err.contains("No ZGF fonts could be located in file\n"));
    }

    void fontsListsTheFamilies()
    {
        CLI_OK(run, "fonts");
        const QStringList families = QString::fromUtf8(run.out).split(u'\n');
        QVERIFY(families.contains(u"Liberation Sans"_s) && families.contains(u"DejaVu Sans"_s));
    }

    // Liberation Sans stands in for Arial; it has no snowman. The euro sign has a code, L with stroke none.
    void charactersTheExportLoses()
    {
        writeFile(path(u"chars.txt"_s), u"A\u0141\n\u2603\u20AC"_s.toUtf8());
        expectFields(infoJson("--chars-file chars.txt"),
                     R"({"MissingGlyphs": ["\u2603"], "Unencodable": ["\u0141", "\u2603"]})");
        const Run text = cli("info --chars-file chars.txt");
        const QRegularExpression line(u"\nMissingGlyphs +\u2603 \\(U\\+2603\\)\n"_s);
        QVERIFY2(QString::fromUtf8(text.out).contains(line), text.out.constData());
        CLI_OK(exported, "export --chars-file chars.txt");
        QVERIFY(exported.err.contains("1 character is not in Arial: \u2603 (U+2603)\nFont file generated correctly."));
        QVERIFY(exported.err.contains("written as \"?\": \u0141 (U+0141), \u2603 (U+2603)"));
    }
};

QTEST_GUILESS_MAIN(CliTest)
#include "cli_test.moc"
