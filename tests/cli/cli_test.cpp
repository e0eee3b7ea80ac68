#include "codepage.h"
#include "feedback.h"
#include "projectrecord.h"
#include "sfntbytes.h"
#include "texelfont.h"
#include "zgfdraw.h"

#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <QImage>
#include <QTest>
#include <QtCore>

using namespace Qt::StringLiterals;

namespace {

const QByteArrayList kCommands{"export", "bitmaps", "new", "info", "render", "extract", "to-c", "text", "fonts"};

struct Run
{
    int exitCode;
    QByteArray out, err;
};

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
#define CLI_OK(run, line)                                                                                              \
    const Run run = cli(line);                                                                                         \
    QVERIFY2(run.exitCode == 0, run.err.constData())

class CliTest : public QObject
{
    Q_OBJECT

    // Copied into every working folder: default.zgf (the default document exported with RLE),
    // damaged.zgf (its first 60 bytes), big.txt (70000 bytes), plain.tsm (the default
    // document), post.tsm (masked, post-processed), notes.txt and strings.txt (KEY=text).
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
        static const bool ownMounts =
            unshare(CLONE_NEWNS) == 0 && mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
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
        writeFile(path(u"strings.txt"_s), "\xEF\xBB\xBFHELLO=Hi\n");
        writeFile(path(u"damaged.zgf"_s), readFile(path(u"default.zgf"_s)).left(60));
        writeFile(path(u"big.txt"_s), QByteArray(70000, 'a'));
        // A font cut short, and one whose em is 16 units: glyphs 128 times their size.
        const QByteArray sans = readFile(u"/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf"_s);
        writeFile(path(u"cut.ttf"_s), sans.left(100000));
        writeFile(path(u"sans.ttf"_s), sans);
        QByteArray tiny = sans;
        qToBigEndian<quint16>(16, tiny.data() + sfntTable(sans, "head").first + 18);
        writeFile(path(u"tiny-em.ttf"_s), tiny);
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
        // Character sets around the most a font holds, 255 glyphs: projects of 300 (as the
        // windows let a person type) and of a million, 256 in a file, and 255 in rows (line
        // ends are no glyphs).
        TexelFont huge;
        huge.setChars(QString(300, u'x'));
        writeFile(path(u"300.tsm"_s), ProjectRecord::fromDocument(huge).toBytes());
        huge.setChars(QString(1000000, u'A'));
        huge.setFilename(path(u"huge.tsm"_s));
        SilentFeedback silent;
        QVERIFY(huge.Save(silent));
        writeFile(path(u"256.txt"_s), QByteArray(256, 'x'));
        writeFile(path(u"255.txt"_s), QByteArrayList(17, QByteArray(15, 'x')).join('\n') + '\n');
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
        row("export: one C file for several projects", 2, "export plain.tsm post.tsm --c f.h",
            "--c names one file, and 2 projects are given: -d DIR and --with-c name the outputs after each project.");
        row("export: one bitmap for several projects", 2, "export plain.tsm post.tsm --bitmap g.bmp",
            "--bitmap names one file");
        row("export: one dependency file for several projects", 2, "export plain.tsm post.tsm --depfile d.d",
            "--depfile names the rule of one export, and 2 projects are given");
        row("export: output and folder", 2, "export -o a.zgf -d out",
            "--output and --directory cannot be used together");
        row("export: size limit not positive", 2, "export --max-bytes 0", "--max-bytes takes a whole number from 1");
        row("export: size limit not a number", 2, "export --max-bytes 10k", "--max-bytes takes a whole number from 1");
        row("export: larger than the size limit", 1, "export -o big.zgf --max-bytes 100",
            "more than --max-bytes 100: nothing is written.");
        row("bitmaps: no project", 2, "bitmaps", "Missing argument");
        row("bitmaps: split out of range", 2, "bitmaps p.tsm --split 0", "--split takes a whole number from 1 to 255");
        row("new: no output", 2, "new --bold", "new needs -o PROJECT.tsm");
        row("info: two files", 2, "info a b", "Unexpected argument 'b'");
        row("info: options on a font", 2, "info default.zgf --bold",
            "Document options other than --codepage do not apply to a ZGF font.");
        row("export: unknown code page", 2, "export --codepage 1255", "--codepage takes one of 1250, 1251, 1252,");
        row("export: all and chosen characters", 2, "export --all-chars --chars ab", "cannot be used together");
        row("text: a text and a file", 2, "text abc -f notes.txt", "text takes either a TEXT or --file STRINGS.txt.");
        row("text: nothing", 2, "text", "text takes either a TEXT or --file STRINGS.txt.");
        row("text: output without a file", 2, "text abc -o x.h", "--output goes with --file.");
        row("text: no code in the page", 1, "text --codepage 1251 caf\xC3\xA9",
            "The text has characters without a code in Windows-1251: \xC3\xA9 (U+00E9)");
        row("text: no glyph in the font", 1, "text --codepage koi8-r --font default.zgf A\xD0\xAAz",
            "The text has characters default.zgf has no glyph for: \xD0\xAA (U+042A)");
        row("text: a key that is no identifier", 1, "text -f notes.txt",
            "notes.txt: line 1: no \"=\" between a key and its text");
        row("render: no output", 2, "render font.zgf", "render needs -o OUT.png");
        row("render: text and mask", 2, "render f -o x --text a --mask", "--text and --mask cannot be used together");
        row("render: scale too large", 2, "render f -o x.png --scale 65", "--scale takes a whole number from 1 to 64");
        row("extract: negative offset", 2, "extract font.zgf --offset -1", "--offset takes a byte offset");
        row("extract: directory without all", 2, "extract font.zgf -d x", "-d goes with --all");
        row("to-c: empty name", 2, "to-c font.zgf --name ~~", "--name takes a variable name");
        row("fonts: argument", 2, "fonts Arial", "Unexpected argument 'Arial'");
        for (const char *line :
             {"export missing.bin", "export --chars-file missing.bin", "bitmaps missing.bin", "info missing.bin",
              "render missing.bin -o x.png", "extract missing.bin", "to-c missing.bin"})
            QTest::addRow("missing input: %s", line) << QByteArray(line) << 1 << "53: File not found: missing.bin"_ba;
        QTest::addRow("info: name too long") << "info " + QByteArray(256, 'n') << 1 << "75: File name too long"_ba;
        row("info: neither project nor font", 1, "info notes.txt", "notes.txt does not contain valid TexelSmithy data");
        row("info: damaged font", 1, "info damaged.zgf",
            "321: Invalid file format: damaged.zgf is not a valid ZGF font");
        row("export: C file is the font", 1, "export -o y.zgf --c y.zgf --force",
            "5: The C file would replace the font file y.zgf.");
        row("export: over its project", 1, "export plain.tsm -o plain.tsm --force",
            "5: The font file would replace the project file plain.tsm.");
        row("export: over its typeface file", 1, "export --font-file sans.ttf -o sans.ttf --force",
            "5: The font file would replace the typeface file /");
        row("export: C file over its characters", 1, "export --chars-file 255.txt --c 255.txt --force",
            "5: The C file would replace the characters file 255.txt.");
        row("export: dependency file over its project", 1, "export plain.tsm --depfile plain.tsm --force",
            "5: The dependency file would replace the project file plain.tsm.");
        row("export: dependency file without a name", 2, "export --depfile ~",
            "--depfile takes the name of the dependency file.");
        row("export: a name the dependency file cannot hold", 1, "export -o a\\b.zgf --depfile d.d",
            "5: The dependency file cannot name a\\b.zgf: make and ninja do not read a file name with a backslash.");
        row("export: device as characters", 1, "export --chars-file /dev/zero",
            "75: Path/File access error: /dev/zero is not a regular file");
        row("export: characters beyond the bound", 1, "export --chars-file big.txt", "big.txt holds 70000 bytes");
        // Refused as read, before a glyph is measured.
        for (const char *line : {"info huge.tsm", "export huge.tsm", "bitmaps huge.tsm"})
            QTest::addRow("no font holds: %s", line)
                << QByteArray(line) << 1 << "6: Overflow: the font has 1000000 characters, at most 255 fit"_ba;
        row("export: a project of more glyphs than a font holds", 1, "export 300.tsm",
            "6: Overflow: the font has 300 characters, at most 255 fit");
        row("new: more glyphs than a font holds", 1, "new -o n --chars-file 256.txt",
            "6: Overflow: the font has 256 characters, at most 255 fit");
        row("info: as many glyphs as a font holds", 0, "info --chars-file 255.txt", "Filename");
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
        row("export: font file of no font", 1, "export --font-file notes.txt",
            "notes.txt holds no font that can be read");
        row("export: font file cut short", 1, "export --font-file cut.ttf", "/cut.ttf cannot be read: its table '");
        row("export: font file of damaged metrics", 1, "export --font-file tiny-em.ttf --chars AB",
            "/tiny-em.ttf draws glyphs too large to measure or to hold, as a damaged file does (6: Overflow");
        row("export: family the font file lacks", 1,
            "export --font-file /usr/share/fonts/truetype/liberation/LiberationSerif-Bold.ttf --font DejaVu~Sans",
            "LiberationSerif-Bold.ttf holds no family DejaVu Sans; it holds Liberation Serif.");
        // The settings of the properties dialogs: their ranges, and what counts only with another.
        row("new: separation out of range", 2, "new -o n --char-sep 32768",
            "--char-sep takes a whole number from -32768 to 32767, not '32768'.");
        row("new: increment out of range", 2, "new -o n --postprocessed --char-inc 256,0",
            "--char-inc takes two whole numbers W,H from 0 to 255, not '256,0'.");
        row("new: increment negative", 2, "new -o n --postprocessed --char-inc 1,-1",
            "--char-inc takes two whole numbers W,H from 0 to 255, not '1,-1'.");
        row("new: one number for a pair", 2, "new -o n --mask-inc 3",
            "--mask-inc takes two whole numbers W,H from -32768 to 32767, not '3'.");
        row("new: position out of range", 2, "new -o n --shadow-neutral 0,-32769",
            "--shadow-neutral takes two whole numbers X,Y from -32768 to 32767, not '0,-32769'.");
        row("new: shadow colour not hex", 2, "new -o n --shadow-color red", "--shadow-color takes a colour as RRGGBB");
        row("new: both forms of a flag", 2, "new -o n --proportional --fixed",
            "--proportional and --fixed cannot be used together.");
        row("new: mask without post-processing", 2, "new -o n --masked",
            "--masked counts only for a post-processed font (--postprocessed).");
        row("new: increments without post-processing", 2, "new -o n --char-inc 1,1",
            "--char-inc counts only for a post-processed font (--postprocessed).");
        row("export: levels without a mask", 2, "export --postprocessed --no-invert-mask",
            "--no-invert-mask counts only for a font with an alpha mask (--masked).");
        row("info: shadow without a shadow mask", 2, "info post.tsm --shadow-default 1,1",
            "--shadow-default counts only for a font with a shadow mask (--shadow-mask).");
        row("info: a mask taken away with its shadow", 2, "info post.tsm --no-masked --shadow-mask",
            "--shadow-mask counts only for a font with an alpha mask (--masked).");
        QTest::addRow("new: name too long")
            << "new -o n --name " + QByteArray(33, 'n') << 2 << "--name takes at most 32 characters, not 33."_ba;
        QTest::addRow("new: variable name too long") << "new -o n --variable-name " + QByteArray(65, 'v') << 2
                                                     << "--variable-name takes 1 to 64 characters, not 65."_ba;
        row("new: GP32 file name too long", 2, "new -o n --gp32-name abcd~efghi",
            "--gp32-name takes 1 to 8 characters, not 9.");
        row("new: empty GP32 file name", 2, "new -o n --gp32-name ~", "--gp32-name takes 1 to 8 characters, not 0.");
        row("new: variable name that is a keyword", 2, "new -o n --variable-name INT",
            "--variable-name: the variable name \"int\" cannot be written into C: a C name is made of");
        row("new: variable name with a bracket", 2, "new -o n --variable-name x[1]",
            "--variable-name: the variable name \"x[1]\" cannot be written into C");
        row("export: size between a bitmap font's sizes", 2,
            "export --font-file /usr/share/fonts/opentype/terminus/terminus-normal.otb --size 13",
            "--size: Terminus is a bitmap font with the sizes 9 pt (12 px), 10.5 pt (14 px), 12 pt (16 px), 13.5 pt "
            "(18 px), 15 pt (20 px), 16.5 pt (22 px), 18 pt (24 px), 21 pt (28 px), 24 pt (32 px) only, not 13 pt.");
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
        QTest::newRow("export: dependency file") << "export -o new.zgf --depfile old.d"_ba << u"old.d"_s;
        QTest::newRow("bitmaps: mask") << "bitmaps post.tsm --bitmap g.bmp"_ba << u"g_mask.bmp"_s;
        QTest::newRow("new") << "new -o old"_ba << u"old.tsm"_s;
        QTest::newRow("render") << "render default.zgf -o old.png"_ba << u"old.png"_s;
        QTest::newRow("extract: one") << "extract default.zgf --offset 0"_ba << u"Arial 10.zgf"_s;
        QTest::newRow("extract: all") << "extract default.zgf --all -d fonts"_ba << u"fonts/Arial 10.zgf"_s;
        QTest::newRow("to-c") << "to-c default.zgf -o old.c"_ba << u"old.h"_s;
        QTest::newRow("to-c: named from the font") << "to-c default.zgf"_ba << u"arial10.h"_s;
        QTest::newRow("text: defines") << "text -f strings.txt -o old.h"_ba << u"old.h"_s;
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
        QVERIFY(cli("info default.zgf")
                    .out.contains("Flags             163 (16-bit pixels, RLE image, indent tables, proportional)"));
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
        // The second line one line advance, the cell height plus the line separation, lower.
        const QJsonObject header = infoJson("raw.zgf");
        QCOMPARE(raw.height(),
                 render("raw.zgf --text Quartz~glyph").height() + header.value(u"DefaultHeight"_s).toInt()
                     + header.value(u"LineSep"_s).toInt());
        // The transparent green is keyed out: the background and the colour, through the
        // 5-bit levels (0x33, 0x66, 0xCC within 7).
        const QSet<QRgb> drawn = colours(raw);
        QVERIFY(drawn.size() == 2 && drawn.contains(0xFFFFFFu));
        QVERIFY(std::any_of(drawn.begin(), drawn.end(), [](QRgb p) {
            return qAbs(qRed(p) - 0x33) < 8 && qAbs(qGreen(p) - 0x66) < 8 && qAbs(qBlue(p) - 0xCC) < 8;
        }));
    }

    // render --text T --background C is, pixel for pixel, a screen of the library's box
    // for T filled with C as a GP32 pixel, on which zgf_draw_text drew T at (0, 0).
    void renderIsTheLibrarysDrawing_data()
    {
        QTest::addColumn<QByteArray>("prepare");
        QTest::addColumn<QByteArray>("font");
        QTest::newRow("RLE") << QByteArray() << "default.zgf"_ba;
        QTest::newRow("RAW, coloured, italic") << "export -o raw --raw --color 3366CC --italic"_ba
                                               << "raw.zgf"_ba;
        QTest::newRow("masked") << "export post.tsm -o masked --bitmap a.bmp --mask a_mask.bmp"_ba
                                << "masked.zgf"_ba;
    }
    void renderIsTheLibrarysDrawing()
    {
        QFETCH(QByteArray, prepare);
        QFETCH(QByteArray, font);
        if (prepare.contains("post.tsm")) {
            CLI_OK(bitmaps, "bitmaps post.tsm --bitmap a.bmp --mask a_mask.bmp");
        }
        if (!prepare.isEmpty()) {
            CLI_OK(exported, prepare);
        }
        const QByteArray text = "Hello,~GP32!\nMissing:~\x7F~and~\xC3\xA9\r\n~~tail";
        const QImage drawn = render(font + " --text " + text + " --background 8040C0");
        QVERIFY(!drawn.isNull());

        const QByteArray bytes = readFile(path(QString::fromLatin1(font)));
        zgf_font f;
        QCOMPARE(zgf_open(&f, bytes.constData(), size_t(bytes.size())), int(ZGF_OK));
        const QByteArray codes = QString::fromUtf8(text).replace(u'~', u' ').toLatin1();
        const int width = zgf_text_width(&f, codes.constData()), height = zgf_text_height(&f, codes.constData());
        QCOMPARE(drawn.size(), QSize(width, height));
        const quint16 background = (0x80 >> 3) << 11 | (0x40 >> 3) << 6 | (0xC0 >> 3) << 1 | 1;
        std::vector<quint16> screen(size_t(width) * size_t(height), background);
        const zgf_surface surface{screen.data(), width, height, 1, width};
        QCOMPARE(zgf_draw_text(&f, &surface, 0, 0, codes.constData()), int(ZGF_OK));
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const QRgb p = drawn.pixel(x, y);
                const quint16 levels = quint16((qRed(p) >> 3) << 11 | (qGreen(p) >> 3) << 6 | (qBlue(p) >> 3) << 1);
                QVERIFY2(levels == (screen[size_t(y) * size_t(width) + size_t(x)] & 0xFFFE),
                         qPrintable(u"(%1, %2)"_s.arg(x).arg(y)));
            }
        }
    }

    void newThenInfoShowsTheOptions()
    {
        writeFile(path(u"chars.txt"_s), "ab\ncd\n");
        CLI_OK(made,
               "new -o serif --font Liberation~Serif --size 10 --bold --italic --underline --strikethrough "
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
        QVERIFY(QFile::copy(u"/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf"_s,
                            path(u"fonts/lib.ttf"_s)));
        CLI_OK(fromFile, "new -o lib.tsm --font-file fonts/lib.ttf --hinting none --smooth");
        QVERIFY(readFile(path(u"lib.tsm"_s)).contains(R"("FontFile":"fonts/lib.ttf")"));
        expectFields(infoJson("lib.tsm"), R"({"TTFName": "Liberation Sans", "Hinting": "none", "Smooth": true})");
        QCOMPARE(infoJson("lib.tsm").value(u"FontFile"_s).toString(), path(u"fonts/lib.ttf"_s));
    }

    // A style the font file's face lacks is synthesised, with a note. A project whose font file
    // is gone, or is a FIFO, tells so and draws another family, and refuses to export that
    // family's glyphs under its name; nothing waits on the FIFO.
    void fontFileNotes()
    {
        const Run styled =
            cli("info --font-file /usr/share/fonts/opentype/terminus/terminus-normal.otb --size 12 --bold");
        QCOMPARE(styled.exitCode, 0);
        QVERIFY2(styled.err.contains("Note: /usr/share/fonts/opentype/terminus/terminus-normal.otb holds no bold face "
                                     "of Terminus: the renderer synthesises bold."),
                 styled.err.constData());

        QVERIFY(QFile::copy(u"/usr/share/fonts/truetype/liberation/LiberationSerif-Bold.ttf"_s, path(u"f.ttf"_s)));
        CLI_OK(made, "new -o p.tsm --font-file f.ttf");
        for (const bool fifo : {false, true}) {
            QVERIFY(QFile::remove(path(u"f.ttf"_s)));
            QVERIFY(!fifo || mkfifo(QFile::encodeName(path(u"f.ttf"_s)).constData(), 0600) == 0);
            const Run info = cli("info p.tsm");
            QCOMPARE(info.exitCode, 0);
            const QByteArray note = "The font file " + QFile::encodeName(path(u"f.ttf"_s))
                + (fifo ? " is no regular file" : " is missing") + ", so ";
            QVERIFY2(info.err.contains(note), info.err.constData());
            const Run exported = cli("export p.tsm -o x.zgf");
            QCOMPARE(exported.exitCode, 1);
            QVERIFY2(exported.err.contains("is missing or cannot be read: nothing is written"),
                     exported.err.constData());
            QVERIFY(!QFile::exists(path(u"x.zgf"_s)));
            if (!fifo)
                writeFile(path(u"f.ttf"_s), QByteArray());
        }
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
        // Every output is written out before any takes its name: the font of a C source that
        // could not be written is not made either.
        QCOMPARE(entries(), before);
    }

    // --max-bytes holds a font of exactly that size, and refuses one byte less, saying how
    // large the font would be.
    void sizeLimit()
    {
        const QByteArray size = QByteArray::number(QFileInfo(path(u"default.zgf"_s)).size());
        CLI_OK(fits, "export -o fits.zgf --max-bytes " + size);
        QCOMPARE(readFile(path(u"fits.zgf"_s)), readFile(path(u"default.zgf"_s)));
        const QStringList before = entries();
        const QByteArray limit = QByteArray::number(size.toInt() - 1);
        const Run over = cli("export -o over.zgf --with-c --max-bytes " + limit);
        QCOMPARE(over.exitCode, 1);
        QCOMPARE(over.err,
                 "The font file over.zgf would hold " + size + " bytes, more than --max-bytes " + limit
                     + ": nothing is written.\n");
        QCOMPARE(entries(), before);
    }

    // Several projects in one run: each output equals its own run's byte for byte, beside its
    // project or in -d DIR; a project that fails is named in its messages and stops no other;
    // no output of the run replaces another.
    void severalProjectsInOneRun()
    {
        for (const QString &folder : {u"sub"_s, u"alone"_s, u"together"_s, u"twice"_s})
            QVERIFY(QDir(mWork->path()).mkpath(folder));
        CLI_OK(made, "new -o sub/second --size 14 --bold --chars xyz");
        for (const char *project : {"plain.tsm", "sub/second.tsm"}) {
            CLI_OK(alone, "export "_ba + project + " -d alone --with-c --split");
        }
        const QStringList outputs = QDir(path(u"alone"_s)).entryList(QDir::Files);
        QCOMPARE(outputs.size(), 6);

        CLI_OK(together, "export plain.tsm sub/second.tsm -d together --with-c --split");
        QCOMPARE(QDir(path(u"together"_s)).entryList(QDir::Files), outputs);
        for (const QString &name : outputs)
            QVERIFY2(readFile(path(u"together/"_s + name)) == readFile(path(u"alone/"_s + name)), qPrintable(name));
        // Written at the same time, told in the projects' order.
        QCOMPARE(together.err,
                 "plain.tsm: Font file generated correctly.\nplain.tsm: C file(s) generated correctly.\n"
                 "sub/second.tsm: Font file generated correctly.\nsub/second.tsm: C file(s) generated correctly.\n"_ba);

        // Beside each project; a damaged project among them fails alone, named.
        const Run mixed = cli("export plain.tsm notes.txt sub/second.tsm");
        QCOMPARE(mixed.exitCode, 1);
        QVERIFY2(mixed.err.contains("\nnotes.txt: ")
                     && mixed.err.contains("sub/second.tsm: Font file generated correctly."),
                 mixed.err.constData());
        const QString second = QDir(path(u"alone"_s)).entryList({u"*.zgf"_s}).filter(u"150"_s).value(0);
        QVERIFY(!second.isEmpty());
        QCOMPARE(readFile(path(u"sub/"_s + second)), readFile(path(u"alone/"_s + second)));

        // The same project twice: its second outputs would replace the first's, also when forced.
        const Run twice = cli("export plain.tsm plain.tsm -d twice --force");
        QCOMPARE(twice.exitCode, 1);
        QVERIFY2(twice.err.contains("plain.tsm: 5: The font file would replace an output of plain.tsm "),
                 twice.err.constData());
    }

    // A C file that fails once the ZGF font has its name (here a folder of the header's
    // name, which --force cannot replace) fails the command and names the font written.
    void cFailureAfterTheFontFails()
    {
        QVERIFY(QDir(mWork->path()).mkdir(u"f.h"_s));
        const Run failed = cli("export -o f.zgf --c f.h --force");
        QVERIFY2(failed.exitCode == 1 && failed.err.contains("(already written: f.zgf)"), failed.err.constData());
        QVERIFY2(!failed.err.contains("generated correctly"), failed.err.constData());
        QVERIFY(QFileInfo(path(u"f.zgf"_s)).isFile());
        QVERIFY(QDir(mWork->path()).rmdir(u"f.h"_s));
        QFile::remove(path(u"f.zgf"_s));
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
        QVERIFY2(read.exitCode == 1 && read.err.contains("the argument p\\xFF.tsm is not UTF-8 text"),
                 read.err.constData());
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
                run->start(QStringLiteral(TEXELSMITHY_CLI),
                           words("export -o race.zgf --chars " + QByteArray(run == &first ? "ab" : "cd")));
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
        QCOMPARE(listed.out,
                 "0\t" + QByteArray::number(QFileInfo(path(u"evil.zgf"_s)).size()) + "\t../Evil\\\\Name\\n9\\t1 10\n");
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

    // A Cyrillic project: its code page kept, its every printable character exported with
    // the codes of the page, read in that page by info and render, and named in its C source.
    void aFontInAnotherCodePage()
    {
        CLI_OK(made, "new -o cyr --font DejaVu~Sans --codepage windows-1251 --all-chars");
        const QJsonObject project = infoJson("cyr.tsm");
        QCOMPARE(project.value(u"CodePage"_s).toString(), u"Windows-1251"_s);
        QCOMPARE(TexelFont::glyphSequence(project.value(u"Chars"_s).toString()),
                 printableCharacters(CodePage::Windows1251));
        QCOMPARE(project.value(u"Unencodable"_s).toArray().size(), 0);

        CLI_OK(exported, "export cyr.tsm -o cyr.zgf --c cyr.h");
        QVERIFY2(!exported.err.contains("?"), exported.err.constData());
        const QByteArray header = readFile(path(u"cyr.h"_s));
        QVERIFY(header.contains("\r\n#define DEJAVUSANS10_CODEPAGE \"Windows-1251\"\r\n"));
        QVERIFY(header.contains("0xC0 U+0410, 0xC1 U+0411"));
        QCOMPARE(infoJson("cyr.zgf --codepage cp1251").value(u"Chars"_s).toString(),
                 printableCharacters(CodePage::Windows1251));
        QCOMPARE(infoJson("cyr.zgf").value(u"CodePage"_s).toString(), u"Windows-1252"_s);
        // Drawn through the code page, the Cyrillic text is ink; read as Windows-1252 it is
        // characters the font lacks, which draw nothing.
        const QByteArray cyrillic = "--background FFFFFF --text \xD0\x96\xD0\x96\xD0\x96";
        QVERIFY(colours(render("cyr.zgf --codepage 1251 " + cyrillic)).size() > 1);
        QCOMPARE(colours(render("cyr.zgf " + cyrillic)).size(), 1);
    }

    void textPrintsTheBytesOfTheCodePage()
    {
        CLI_OK(hello, "text --codepage 1251 \xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82");
        QCOMPARE(hello.out, "\"\\xCF\\xF0\\xE8\\xE2\\xE5\\xF2\"\n"_ba);
        CLI_OK(hex,
               "text --codepage iso-8859-5 \xD0\x9F"
               "Face");
        QCOMPARE(hex.out, "\"\\xBF\" \"Face\"\n"_ba);
        CLI_OK(plain, "text caf\xC3\xA9");
        QCOMPARE(plain.out, "\"caf\\xE9\"\n"_ba);
        CLI_OK(drawable, "text --font default.zgf \xC3\xA9t\xC3\xA9");
        // Without -o the defines are printed; the byte order mark is no part of the first key.
        CLI_OK(defines, "text -f strings.txt");
        QVERIFY2(
            defines.out.contains("\r\n#ifndef __strings_h__\r\n#define __strings_h__\r\n\r\n#define HELLO \"Hi\"\r\n"),
            defines.out.constData());
    }

    // Every code page's printable characters through a KEY=text file: the headers the command
    // writes, built by the C compiler, hold exactly the page's bytes.
    void textDefinesCompileToTheCodePagesBytes()
    {
        QByteArray program = "#include <stdio.h>\n";
        QByteArray calls;
        QByteArrayList expected;
        for (const CodePage page : allCodePages()) {
            const QByteArray key = "T" + QByteArray::number(int(page));
            const QString text = printableCharacters(page);
            writeFile(path(u"t.txt"_s), "# page\n" + key + '=' + text.toUtf8() + '\n');
            CLI_OK(written, "text -f t.txt -o " + key + ".h --codepage " + codePageName(page).toLatin1());
            program += "#include \"" + key + ".h\"\n";
            calls += "    hex(" + key + ", sizeof " + key + " - 1);\n";
            expected.append(toCodePage(page, text).toHex());
        }
        writeFile(path(u"texts.c"_s),
                  program
                      + "static void hex(const char *s, size_t n) { size_t i; for (i = 0; i < n; ++i) "
                        "printf(\"%02x\", (unsigned char)s[i]); printf(\"\\n\"); }\n"
                        "int main(void) {\n"
                      + calls + "    return 0;\n}\n");
        QProcess compiler, run;
        compiler.setWorkingDirectory(mWork->path());
        compiler.setProcessChannelMode(QProcess::MergedChannels);
        compiler.start(QStringLiteral(TEXEL_C_COMPILER),
                       {u"-std=c99"_s, u"-pedantic-errors"_s, u"-Wall"_s, u"-Werror"_s, u"-Wno-trigraphs"_s, u"-o"_s,
                        u"texts"_s, u"texts.c"_s});
        QVERIFY(compiler.waitForFinished(60000));
        QVERIFY2(compiler.exitCode() == 0, compiler.readAll().constData());
        run.start(path(u"texts"_s));
        QVERIFY(run.waitForFinished(60000));
        QCOMPARE(run.readAllStandardOutput().split('\n').mid(0, expected.size()), expected);
    }

    // Liberation Sans stands in for Arial; it has no snowman and no emoji. The euro sign has a
    // code, L with stroke none; the emoji, beyond 16 bits, is one character everywhere.
    void charactersTheExportLoses()
    {
        writeFile(path(u"chars.txt"_s), u"A\u0141\n\u2603\u20AC\U0001F600"_s.toUtf8());
        const QJsonObject info = infoJson("--chars-file chars.txt");
        expectFields(info, R"({"MissingGlyphs": ["\u2603", "\ud83d\ude00"],
                               "Unencodable": ["\u0141", "\u2603", "\ud83d\ude00"]})");
        const QJsonArray glyphs = info.value(u"Glyphs"_s).toArray();
        QCOMPARE(glyphs.size(), 5);
        QCOMPARE(glyphs.at(4).toObject().value(u"Char"_s).toString(), u"\U0001F600"_s);
        const Run text = cli("info --chars-file chars.txt");
        const QRegularExpression line(u"\nMissingGlyphs +\u2603 \\(U\\+2603\\), \U0001F600 \\(U\\+1F600\\)\n"_s);
        QVERIFY2(QString::fromUtf8(text.out).contains(line), text.out.constData());
        CLI_OK(exported, "export --chars-file chars.txt -o lost");
        QVERIFY(exported.err.contains("2 characters are not in Arial: \u2603 (U+2603), \U0001F600 (U+1F600)\n"
                                      "Font file generated correctly."));
        QVERIFY(exported.err.contains("written as \"?\": \u0141 (U+0141), \u2603 (U+2603), \U0001F600 (U+1F600)"));
        expectFields(infoJson("lost.zgf"), R"({"Count": 5, "Chars": "A??\u20ac?"})");
    }

    // Every setting of the properties dialogs lands in the saved project, in info and in the
    // exported font; names given are custom, the ones not given follow them.
    void settingsReachTheProjectAndTheFont_data()
    {
        QTest::addColumn<QByteArray>("arguments");
        QTest::addColumn<QByteArray>("project");
        QTest::addColumn<QByteArray>("flags");
        QTest::addColumn<QByteArray>("font");
        QTest::newRow("names") << "--name My~Font --variable-name titleFont --gp32-name Ti~Tle"_ba
                               << R"({"Name": "My Font", "CustomName": true, "VariableName": "titleFont",
                                      "CustomVariableName": true, "GP32FileName": "title", "CustomGP32FileName": true})"_ba
                               << "16-bit pixels, RLE image, indent tables, proportional"_ba
                               << R"({"FaceName": "Arial", "Count": 2})"_ba;
        QTest::newRow("a name the others follow") << "--name My~Font"_ba
                                                  << R"({"VariableName": "myFont10", "CustomVariableName": false,
                                                         "CustomGP32FileName": false})"_ba
                                                  << "16-bit pixels, RLE image, indent tables, proportional"_ba
                                                  << R"({"Count": 2})"_ba;
        QTest::newRow("spacing and flags")
            << "--char-sep -3 --line-sep 4 --fixed --serif --script --trans-color 0000FF"_ba
            << R"({"CharSepExtra": -3, "LineSepExtra": 4, "Proportional": false,
                                                  "Serif": true, "Script": true, "TransColor": 16711680})"_ba
            << "16-bit pixels, RLE image, indent tables, serif, script"_ba
            << R"({"CharSep": -3, "TransColor": 16711680})"_ba;
        QTest::newRow("shadow mask")
            << "--postprocessed --char-inc 2,1 --masked --shadow-mask --no-invert-mask "
               "--mask-inc 1,2 --shadow-neutral -1,2 --shadow-default 3,-4 --shadow-color 102030"_ba
            << R"({"Postprocessed": true, "CharWidthInc": 2, "CharHeightInc": 1, "Masked": true,
                                            "ShadowMask": true, "InvertMask": false, "MaskWidthInc": 1, "MaskHeightInc": 2,
                                            "ShadowOX": -1, "ShadowOY": 2, "ShadowXPos": 3, "ShadowYPos": -4,
                                            "ShadowColor": 3153936, "VariableName": "arial10_pm"})"_ba
            << "16-bit pixels, RLE image, mask, RLE mask, shadow mask, indent tables, "
               "post-processed, proportional"_ba
            << R"({"MaskWidthInc": 1, "MaskHeightInc": 2, "ShadowOX": -1, "ShadowOY": 2,
                                            "ShadowXPos": 3, "ShadowYPos": -4, "ShadowColor": 3219728})"_ba;
        QTest::newRow("smooth generic mask") << "--postprocessed --masked --smooth"_ba
                                             << R"({"Masked": true, "ShadowMask": false, "InvertMask": true,
                                                    "Smooth": true, "CharWidthInc": 0})"_ba
                                             << "16-bit pixels, RLE image, mask, RLE mask, indent tables, "
                                                "post-processed, proportional"_ba
                                             << R"({"Masked": true, "ShadowColor": 0})"_ba;
    }

    void settingsReachTheProjectAndTheFont()
    {
        QFETCH(QByteArray, arguments);
        QFETCH(QByteArray, project);
        QFETCH(QByteArray, flags);
        QFETCH(QByteArray, font);
        CLI_OK(made, "new -o p --chars AB " + arguments);
        QVERIFY2(!made.err.contains("Note:"), made.err.constData());
        const QJsonObject saved = infoJson("p.tsm");
        expectFields(saved, project);
        expectFields(infoJson("--chars AB " + arguments), project); // info takes them as new does
        if (saved.value(u"Postprocessed"_s).toBool()) {
            CLI_OK(bitmaps, "bitmaps p.tsm");
        }
        // The font is named after the GP32 file name, its array after the variable name.
        CLI_OK(exported, "export p.tsm --c c.h");
        QVERIFY(readFile(path(u"c.h"_s)).contains(saved.value(u"VariableName"_s).toString().toUtf8() + "_zgf[]"));
        const QByteArray zgf = saved.value(u"GP32FileName"_s).toString().toUtf8() + ".zgf";
        expectFields(infoJson(zgf), font);
        QVERIFY2(cli("info " + zgf).out.contains(" (" + flags + ")\n"), cli("info " + zgf).out.constData());
    }

    // A flag's other form and a setting given override the project's; the rest of it stays.
    // Taking the post-processing or the mask away resets what only counted with it.
    void optionsOverrideTheProject_data()
    {
        QTest::addColumn<QByteArray>("arguments");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("nothing")
            << ""_ba
            << R"({"Serif": true, "Proportional": false, "ShadowMask": true, "CharSepExtra": 2})"_ba;
        QTest::newRow("flags") << "--proportional --no-serif --no-script"_ba
                               << R"({"Proportional": true, "Serif": false, "Script": false, "CharSepExtra": 2})"_ba;
        QTest::newRow("a value") << "--char-sep -1 --shadow-default 9,9"_ba
                                 << R"({"CharSepExtra": -1, "ShadowXPos": 9, "ShadowOX": 4, "Serif": true})"_ba;
        QTest::newRow("generic mask") << "--generic-mask --invert-mask"_ba
                                      << R"({"Masked": true, "ShadowMask": false, "InvertMask": true, "ShadowOX": 0,
                                             "MaskWidthInc": 0, "ShadowColor": 0, "CharWidthInc": 3})"_ba;
        QTest::newRow("no mask") << "--no-masked"_ba
                                 << R"({"Masked": false, "ShadowMask": false, "InvertMask": true, "ShadowXPos": 0,
                                        "CharWidthInc": 3, "VariableName": "arial10_p"})"_ba;
        QTest::newRow("not post-processed") << "--no-postprocessed"_ba
                                            << R"({"Postprocessed": false, "Masked": false, "CharWidthInc": 0,
                                                   "VariableName": "arial10", "Serif": true})"_ba;
    }

    void optionsOverrideTheProject()
    {
        QFETCH(QByteArray, arguments);
        QFETCH(QByteArray, expected);
        CLI_OK(made,
               "new -o all --fixed --serif --script --char-sep 2 --postprocessed --char-inc 3,3 --masked "
               "--shadow-mask --no-invert-mask --mask-inc 1,1 --shadow-neutral 4,4 --shadow-default 4,4 "
               "--shadow-color 102030");
        expectFields(infoJson("all.tsm " + arguments), expected);
    }

    // The dependency file names the outputs as given, the first as the rule's target, and every
    // file read, absolute: project, typeface file (given or named by the project), characters
    // file, edited images. It is written only after the outputs, not at all when the export fails.
    void dependencyFileNamesEveryInput()
    {
        const QByteArray here = QFile::encodeName(mWork->path()) + '/';
        CLI_OK(bitmaps, "bitmaps post.tsm --bitmap g~1.bmp");
        CLI_OK(post, "export post.tsm --bitmap g~1.bmp -o $out --c o#t.h --split --depfile post.d");
        QCOMPARE(readFile(path(u"post.d"_s)),
                 "$$out.zgf o\\#t.h o\\#t.c: " + here + "post.tsm " + here + "g\\ 1.bmp " + here + "g\\ 1_mask.bmp\n");

        CLI_OK(given, "export --font-file sans.ttf --chars-file 255.txt -o given --depfile given.d");
        QCOMPARE(readFile(path(u"given.d"_s)), "given.zgf: " + here + "sans.ttf " + here + "255.txt\n");
        CLI_OK(made, "new -o named.tsm --font-file sans.ttf");
        CLI_OK(named, "export named.tsm -o named --depfile named.d");
        QCOMPARE(readFile(path(u"named.d"_s)), "named.zgf: " + here + "named.tsm " + here + "sans.ttf\n");

        QVERIFY(QFile::remove(path(u"g 1_mask.bmp"_s)));
        QCOMPARE(cli("export post.tsm --bitmap g~1.bmp -o failed --depfile failed.d").exitCode, 1);
        QVERIFY(!QFile::exists(path(u"failed.d"_s)));
    }

    // The same project gives the same bytes wherever it lies and whoever exports it: no path,
    // time, home, temporary folder, locale or font settings of the machine go into the font or
    // its C source.
    void exportsAreReproducible()
    {
        CLI_OK(made, "new -o r.tsm --font-file sans.ttf --size 12 --chars-file 255.txt");
        // The second machine's person has the autohinter on, which moves outlines' pixels.
        const QByteArray script = R"(set -e
            for place in one "two/a deeper path"; do mkdir -p "$place"; cp r.tsm sans.ttf 255.txt "$place"; done
            mkdir -p home/.config/fontconfig
            printf '<fontconfig><match target="font"><edit name="autohint" mode="assign"><bool>true</bool></edit></match></fontconfig>' \
                >home/.config/fontconfig/fonts.conf
            exports() {
                $CLI export r.tsm -o r.zgf --c r.h --split && $CLI export -o d.zgf --c d.h && $CLI to-c r.zgf -o t.h
            }
            (cd one && exports)
            sleep 1
            cd "two/a deeper path"
            HOME=$OLDPWD/home XDG_CONFIG_HOME=$OLDPWD/home/.config TMPDIR=.. LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8 exports)";
        const Run run = shell(script);
        QVERIFY2(run.exitCode == 0, run.err.constData());
        const QDate today = QDate::currentDate();
        const QByteArrayList machine{QFile::encodeName(mWork->path()),
                                     "/tmp"_ba,
                                     "one"_ba,
                                     "deeper"_ba,
                                     today.toString(Qt::ISODate).toLatin1(),
                                     QLocale::c().toString(today, u"MMM d"_s).toLatin1(),
                                     QLocale::c().toString(today, u"d MMM"_s).toLatin1()};
        for (const QString &name : {u"r.zgf"_s, u"r.h"_s, u"r.c"_s, u"d.zgf"_s, u"d.h"_s, u"t.h"_s}) {
            const QByteArray one = readFile(path(u"one/"_s + name));
            QVERIFY2(one.size() > 100 && one == readFile(path(u"two/a deeper path/"_s + name)), qPrintable(name));
            for (const QByteArray &text : machine)
                QVERIFY2(!one.contains(text), qPrintable(name + u" holds "_s + QString::fromUtf8(text)));
        }
    }

    // --smooth changes pixels only with a generic alpha mask, which a new document lacks and
    // the options can give it.
    void smoothWithoutAMaskIsNoted()
    {
        const QByteArray note = "Note: --smooth has no effect: smooth edges go into a generic alpha mask "
                                "(--postprocessed --masked), and this document has none.";
        for (const char *line :
             {"export --smooth -o plain", "new -o shadow --smooth --postprocessed --masked --shadow-mask"}) {
            CLI_OK(noted, line);
            QVERIFY2(noted.err.contains(note), noted.err.constData());
        }
        for (const char *line : {"info post.tsm --smooth", "new -o generic --smooth --postprocessed --masked"}) {
            CLI_OK(masked, line);
            QVERIFY2(!masked.err.contains("Note:"), masked.err.constData());
        }
        CLI_OK(masked, "info post.tsm --smooth");
        QVERIFY(masked.out.contains("\nSmooth              true\n"));
    }
};

QTEST_GUILESS_MAIN(CliTest)
#include "cli_test.moc"
