#include "projectrecord.h"
#include "texelfont.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class CliTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void conventions_data();
    void conventions();
    void usageErrors_data();
    void usageErrors();
    void missingInputs_data();
    void missingInputs();
    void existingOutputs_data();
    void existingOutputs();

    void exportDefaultsReadsBack();
    void rawAndRleDrawAlike();
    void newThenInfoShowsTheOptions();
    void infoOfTheDefaultDocument();
    void infoRefusesOtherFiles();
    void bitmapsThenExportOfAPostprocessedProject();
    void renderDrawsTextOverABackground();
    void extractListsAndSaves();
    void toCWritesTheConverterNames();
    void fontsListsTheFamilies();
    void charactersTheExportLoses_data();
    void charactersTheExportLoses();
    void sizeBudgetEqualsExportedSizes_data();
    void sizeBudgetEqualsExportedSizes();

private:
    // Runs the tool in the test's working folder.
    Run cli(const QStringList &arguments) const;
    QString path(const QString &name) const { return mWork->filePath(name); }
    QJsonObject infoJson(const QStringList &arguments) const;
    QImage render(const QStringList &arguments) const;

    QTemporaryDir mShared;
    QString mFont;        // the default document exported with RLE
    QString mPostProject; // a masked, post-processed project
    std::unique_ptr<QTemporaryDir> mWork;
};

Run CliTest::cli(const QStringList &arguments) const
{
    QProcess process;
    process.setWorkingDirectory(mWork->path());
    process.start(QStringLiteral(TEXELSMITHY_CLI), arguments);
    Run run;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit) {
        run.err = "the tool did not end normally";
        return run;
    }
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

QJsonObject CliTest::infoJson(const QStringList &arguments) const
{
    const Run run = cli(QStringList{QStringLiteral("info"), QStringLiteral("--json")} + arguments);
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(run.out, &error);
    if (run.exitCode != 0 || error.error != QJsonParseError::NoError || !document.isObject()) {
        qWarning() << "info" << arguments << "gave" << run.exitCode << run.err << error.errorString();
        return {};
    }
    return document.object();
}

QImage CliTest::render(const QStringList &arguments) const
{
    const QString png = path(QStringLiteral("render.png"));
    const Run run = cli(QStringList{QStringLiteral("render"), QStringLiteral("-o"), png,
                                    QStringLiteral("--force")} + arguments);
    if (run.exitCode != 0)
        qWarning() << "render" << arguments << "gave" << run.exitCode << run.err;
    return QImage(png);
}

void CliTest::initTestCase()
{
    QVERIFY(mShared.isValid());
    mWork = std::make_unique<QTemporaryDir>();
    mFont = mShared.filePath(QStringLiteral("default.zgf"));
    const Run exported = cli({QStringLiteral("export"), QStringLiteral("-o"), mFont});
    QVERIFY2(exported.exitCode == 0, exported.err.constData());

    // A project the options of the tool cannot make: post-processed with a mask, and
    // cells widened so the mask differs from the glyph image.
    TexelFont font;
    font.setChars(QStringLiteral("AB\r\nc"));
    font.Postprocessed = true;
    font.Masked = true;
    font.CharWidthInc = 2;
    font.MaskWidthInc = 1;
    font.setVariableName(font.CalculateVariableName());
    font.setGP32FileName(font.CalculateGP32FileName());
    mPostProject = mShared.filePath(QStringLiteral("post.tsm"));
    writeFile(mPostProject, ProjectRecord::fromDocument(font).toBytes());
}

void CliTest::init()
{
    mWork = std::make_unique<QTemporaryDir>();
    QVERIFY(mWork->isValid());
}

void CliTest::conventions_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("stdoutStart");
    QTest::addColumn<QByteArray>("stderrHolds");

    QTest::newRow("version") << QStringList{QStringLiteral("--version")} << 0
                             << QByteArray("texelsmithy-cli 2.0.1\n") << QByteArray();
    QTest::newRow("tool help") << QStringList{QStringLiteral("--help")} << 0
                               << QByteArray("Usage: texelsmithy-cli COMMAND") << QByteArray();
    QTest::newRow("no command") << QStringList{} << 2 << QByteArray() << QByteArray("Usage: texelsmithy-cli COMMAND");
    QTest::newRow("unknown command") << QStringList{QStringLiteral("paint")} << 2 << QByteArray()
                                     << QByteArray("unknown command 'paint'");
    for (const char *command : {"export", "bitmaps", "new", "info", "render", "extract", "to-c", "fonts"}) {
        QTest::addRow("%s --help", command)
            << QStringList{QString::fromLatin1(command), QStringLiteral("--help")} << 0
            << QByteArray("Usage: texelsmithy-cli ") + command << QByteArray();
    }
}

void CliTest::conventions()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, stdoutStart);
    QFETCH(QByteArray, stderrHolds);

    const Run run = cli(arguments);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.out.startsWith(stdoutStart), run.out.constData());
    QVERIFY2(run.err.contains(stderrHolds), run.err.constData());
    if (arguments == QStringList{QStringLiteral("--help")}) {
        for (const char *command : {"export", "bitmaps", "new", "info", "render", "extract", "to-c", "fonts"})
            QVERIFY2(run.out.contains(QByteArray("\n  ") + command + ' '), command);
    }
}

void CliTest::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("message");

    const QString font = QStringLiteral("font.zgf");
    const auto row = [](const char *name, QStringList arguments, const char *message) {
        QTest::newRow(name) << arguments << QByteArray(message);
    };
    row("export: RAW and RLE", {QStringLiteral("export"), QStringLiteral("--raw"), QStringLiteral("--rle")},
        "--raw and --rle cannot be used together");
    row("export: unknown option", {QStringLiteral("export"), QStringLiteral("--colour"), QStringLiteral("red")},
        "Unknown option 'colour'");
    row("export: size not a number", {QStringLiteral("export"), QStringLiteral("--size"), QStringLiteral("big")},
        "--size takes a number of points, not 'big'");
    row("export: size the renderer refuses", {QStringLiteral("export"), QStringLiteral("--size"), QStringLiteral("0.1")},
        "--size: the renderer cannot draw 0.1 points");
    row("export: colour not hex", {QStringLiteral("export"), QStringLiteral("--color"), QStringLiteral("12345G")},
        "--color takes a colour as RRGGBB");
    row("export: split without C", {QStringLiteral("export"), QStringLiteral("--split")}, "--split needs --c");
    row("bitmaps: no project", {QStringLiteral("bitmaps")}, "Missing argument");
    row("bitmaps: split out of range", {QStringLiteral("bitmaps"), QStringLiteral("p.tsm"), QStringLiteral("--split"),
                                        QStringLiteral("0")}, "--split takes a whole number from 1 to 255");
    row("new: no output", {QStringLiteral("new"), QStringLiteral("--bold")}, "new needs -o PROJECT.tsm");
    row("info: two files", {QStringLiteral("info"), QStringLiteral("a"), QStringLiteral("b")}, "Unexpected argument 'b'");
    row("render: no output", {QStringLiteral("render"), font}, "render needs -o OUT.png");
    row("render: text and mask", {QStringLiteral("render"), font, QStringLiteral("-o"), QStringLiteral("x.png"),
                                  QStringLiteral("--text"), QStringLiteral("a"), QStringLiteral("--mask")},
        "--text and --mask cannot be used together");
    row("render: scale too large", {QStringLiteral("render"), font, QStringLiteral("-o"), QStringLiteral("x.png"),
                                    QStringLiteral("--scale"), QStringLiteral("65")}, "--scale takes a whole number from 1 to 64");
    row("extract: negative offset", {QStringLiteral("extract"), font, QStringLiteral("--offset"), QStringLiteral("-1")},
        "--offset takes a byte offset");
    row("extract: directory without all", {QStringLiteral("extract"), font, QStringLiteral("-d"), QStringLiteral("x")},
        "-d goes with --all");
    row("to-c: empty name", {QStringLiteral("to-c"), font, QStringLiteral("--name"), QStringLiteral("  ")},
        "--name takes a variable name");
    row("fonts: argument", {QStringLiteral("fonts"), QStringLiteral("Arial")}, "Unexpected argument 'Arial'");
}

void CliTest::usageErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, message);

    const Run run = cli(arguments);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(message), run.err.constData());
    QVERIFY2(run.err.contains("Usage: texelsmithy-cli " + arguments.first().toUtf8()), run.err.constData());
    QVERIFY(run.out.isEmpty());
    QCOMPARE(QDir(mWork->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
}

void CliTest::missingInputs_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("message");

    const QString missing = QStringLiteral("missing.bin");
    const auto row = [](const char *name, QStringList arguments, const char *message) {
        QTest::newRow(name) << arguments << QByteArray(message);
    };
    row("export", {QStringLiteral("export"), missing}, "53: File not found");
    row("export: character file", {QStringLiteral("export"), QStringLiteral("--chars-file"), missing}, "53: File not found");
    row("bitmaps", {QStringLiteral("bitmaps"), missing}, "53: File not found");
    row("info", {QStringLiteral("info"), missing}, "53: File not found");
    row("render", {QStringLiteral("render"), missing, QStringLiteral("-o"), QStringLiteral("x.png")}, "53: File not found");
    row("extract", {QStringLiteral("extract"), missing}, "53: File not found");
    row("to-c", {QStringLiteral("to-c"), missing}, "53: File not found");
}

void CliTest::missingInputs()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, message);

    const Run run = cli(arguments);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(message), run.err.constData());
    QVERIFY2(run.err.contains("missing.bin"), run.err.constData());
    QCOMPARE(QDir(mWork->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
}

void CliTest::existingOutputs_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("existing");

    const QString old = QStringLiteral("old");
    const auto row = [](const char *name, QStringList arguments, const QString &existing) {
        QTest::newRow(name) << arguments << existing;
    };
    row("export", {QStringLiteral("export"), QStringLiteral("--chars"), QStringLiteral("ab")},
        QStringLiteral("a_100ba6.zgf"));
    row("export: C header", {QStringLiteral("export"), QStringLiteral("-o"), QStringLiteral("new.zgf"),
                             QStringLiteral("--c"), old}, QStringLiteral("old.h"));
    row("bitmaps: mask", {QStringLiteral("bitmaps"), mPostProject, QStringLiteral("--bitmap"), QStringLiteral("g.bmp")},
        QStringLiteral("g_mask.bmp"));
    row("new", {QStringLiteral("new"), QStringLiteral("-o"), old}, QStringLiteral("old.tsm"));
    row("render", {QStringLiteral("render"), mFont, QStringLiteral("-o"), QStringLiteral("old.png")},
        QStringLiteral("old.png"));
    row("extract: one", {QStringLiteral("extract"), mFont, QStringLiteral("--offset"), QStringLiteral("0")},
        QStringLiteral("Arial 10.zgf"));
    row("extract: all", {QStringLiteral("extract"), mFont, QStringLiteral("--all"), QStringLiteral("-d"),
                         QStringLiteral("fonts")}, QStringLiteral("fonts/Arial 10.zgf"));
    row("to-c", {QStringLiteral("to-c"), mFont, QStringLiteral("-o"), QStringLiteral("old.c")}, QStringLiteral("old.h"));
}

void CliTest::existingOutputs()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, existing);

    QDir(mWork->path()).mkpath(QStringLiteral("fonts"));
    writeFile(path(existing), "precious");
    const QStringList before = QDir(mWork->path()).entryList(QDir::Files);

    const Run refused = cli(arguments);
    QCOMPARE(refused.exitCode, 1);
    QVERIFY2(refused.err.contains("use --force"), refused.err.constData());
    QVERIFY2(refused.err.contains(existing.section(QLatin1Char('/'), -1).toUtf8()), refused.err.constData());
    QCOMPARE(readFile(path(existing)), QByteArray("precious"));
    QCOMPARE(QDir(mWork->path()).entryList(QDir::Files), before);

    const Run forced = cli(arguments + QStringList{QStringLiteral("--force")});
    QVERIFY2(forced.exitCode == 0, forced.err.constData());
    QVERIFY(readFile(path(existing)) != QByteArray("precious"));
}

void CliTest::exportDefaultsReadsBack()
{
    const Run run = cli({QStringLiteral("export"), QStringLiteral("--c"), QStringLiteral("font"), QStringLiteral("--split")});
    QVERIFY2(run.exitCode == 0, run.err.constData());
    QVERIFY(run.err.contains("Font file generated correctly."));
    // Named as the export dialog names it: the GP32 file name, and the C header completed.
    for (const char *name : {"a_100ba6.zgf", "font.h", "font.c"})
        QVERIFY2(QFile::exists(path(QString::fromLatin1(name))), name);
    QVERIFY(readFile(path(QStringLiteral("font.c"))).contains("arial10_zgf[]"));

    const QJsonObject info = infoJson({QStringLiteral("a_100ba6.zgf")});
    QCOMPARE(info.value(QStringLiteral("Count")).toInt(), 130);
    QCOMPARE(info.value(QStringLiteral("IsValidZgfHeader")).toBool(), true);
    QCOMPARE(info.value(QStringLiteral("Rle")).toBool(), true);
    QCOMPARE(info.value(QStringLiteral("FaceName")).toString(), QStringLiteral("Arial"));
    QCOMPARE(info.value(QStringLiteral("PointSize")).toInt(), 10);
    QCOMPARE(info.value(QStringLiteral("TransColor")).toInt(), 0x00FF00);
    QCOMPARE(info.value(QStringLiteral("Chars")).toString(), TexelFont::glyphSequence(TexelFont::defaultCharacterSet()));
    QCOMPARE(info.value(QStringLiteral("Widths")).toArray().size(), 130);
    QCOMPARE(info.value(QStringLiteral("FileLength")).toInt(), QFileInfo(path(QStringLiteral("a_100ba6.zgf"))).size());
    const QStringList keys = info.keys();
    for (const char *key : {"Flags", "FaceName", "GlyphOffset", "MaskOffset", "ShadowColor", "BitmapWidth",
                            "BitmapHeight", "DefaultWidth", "DefaultHeight", "MaxCharWidth", "MaxCharHeight",
                            "MaskWidthInc", "MaskHeightInc", "ShadowOX", "ShadowOY", "ShadowXPos", "ShadowYPos",
                            "LineSep", "CharSep", "LeftIndents", "RightIndents", "Masked"})
        QVERIFY2(keys.contains(QLatin1String(key)), key);
}

void CliTest::rawAndRleDrawAlike()
{
    const QStringList document{QStringLiteral("--font"), QStringLiteral("Liberation Serif"), QStringLiteral("--size"),
                               QStringLiteral("14"), QStringLiteral("--italic"), QStringLiteral("--color"),
                               QStringLiteral("3366CC")};
    QVERIFY(cli(QStringList{QStringLiteral("export"), QStringLiteral("-o"), QStringLiteral("raw"), QStringLiteral("--raw")}
                + document).exitCode == 0);
    QVERIFY(cli(QStringList{QStringLiteral("export"), QStringLiteral("-o"), QStringLiteral("rle"), QStringLiteral("--rle")}
                + document).exitCode == 0);
    QCOMPARE(infoJson({QStringLiteral("raw.zgf")}).value(QStringLiteral("Rle")).toBool(), false);
    QCOMPARE(infoJson({QStringLiteral("rle.zgf")}).value(QStringLiteral("Rle")).toBool(), true);
    QVERIFY(QFileInfo(path(QStringLiteral("raw.zgf"))).size() > QFileInfo(path(QStringLiteral("rle.zgf"))).size());

    const QStringList text{QStringLiteral("--text"), QStringLiteral("Quartz glyph\njob vex!")};
    for (const QStringList &how : {QStringList{}, text}) {
        const QImage raw = render(QStringList{path(QStringLiteral("raw.zgf"))} + how);
        const QImage rle = render(QStringList{path(QStringLiteral("rle.zgf"))} + how);
        QVERIFY(!raw.isNull() && raw.width() > 10);
        QCOMPARE(raw, rle);
        // The colour survives the 5-bit levels: 0x33, 0x66, 0xCC come back within 7.
        bool drawn = false;
        for (int y = 0; y < raw.height() && !drawn; ++y) {
            for (int x = 0; x < raw.width() && !drawn; ++x) {
                const QRgb p = raw.pixel(x, y);
                drawn = qAbs(qRed(p) - 0x33) < 8 && qAbs(qGreen(p) - 0x66) < 8 && qAbs(qBlue(p) - 0xCC) < 8;
            }
        }
        QVERIFY(drawn);
    }
}

void CliTest::newThenInfoShowsTheOptions()
{
    writeFile(path(QStringLiteral("chars.txt")), "ab\ncd\n");
    const Run made = cli({QStringLiteral("new"), QStringLiteral("-o"), QStringLiteral("serif"), QStringLiteral("--font"),
                          QStringLiteral("Liberation Serif"), QStringLiteral("--size"), QStringLiteral("10"),
                          QStringLiteral("--bold"), QStringLiteral("--italic"), QStringLiteral("--underline"),
                          QStringLiteral("--strikethrough"), QStringLiteral("--chars-file"), QStringLiteral("chars.txt"),
                          QStringLiteral("--color"), QStringLiteral("123456"), QStringLiteral("--trans-color"),
                          QStringLiteral("#FF00FF")});
    QVERIFY2(made.exitCode == 0, made.err.constData());

    const QJsonObject info = infoJson({QStringLiteral("serif.tsm")});
    QCOMPARE(info.value(QStringLiteral("TTFName")).toString(), QStringLiteral("Liberation Serif"));
    QCOMPARE(info.value(QStringLiteral("Name")).toString(), QStringLiteral("Liberation Serif"));
    QCOMPARE(info.value(QStringLiteral("Size")).toDouble(), 9.75);
    for (const char *style : {"Bold", "Italic", "Underline", "Strikethrough"})
        QVERIFY2(info.value(QLatin1String(style)).toBool(), style);
    QCOMPARE(info.value(QStringLiteral("Chars")).toString(), QStringLiteral("ab\r\ncd"));
    QCOMPARE(info.value(QStringLiteral("Color")).toInt(), 0x563412);
    QCOMPARE(info.value(QStringLiteral("TransColor")).toInt(), 0xFF00FF);
    QCOMPARE(info.value(QStringLiteral("VariableName")).toString(), QStringLiteral("liberationSerif10bius"));
    QCOMPARE(info.value(QStringLiteral("CustomName")).toBool(), false);
    QCOMPARE(info.value(QStringLiteral("CustomVariableName")).toBool(), false);
    QCOMPARE(info.value(QStringLiteral("CustomGP32FileName")).toBool(), false);
    const QString gp32 = info.value(QStringLiteral("GP32FileName")).toString();
    QVERIFY2(gp32.startsWith(QStringLiteral("ls10")) && gp32.size() == 8, qPrintable(gp32));

    const QJsonArray glyphs = info.value(QStringLiteral("Glyphs")).toArray();
    QCOMPARE(glyphs.size(), 4);
    QCOMPARE(glyphs.at(2).toObject().value(QStringLiteral("Char")).toString(), QStringLiteral("c"));
    for (const char *field : {"Height", "Left", "TextHeight", "TextWidth", "Top", "Width"})
        QVERIFY2(glyphs.at(0).toObject().contains(QLatin1String(field)), field);
    QVERIFY(glyphs.at(0).toObject().value(QStringLiteral("Width")).toInt() > 0);
    for (const char *key : {"DefaultWidth", "DefaultHeight", "LineSep", "FontTop", "SampleText", "Background",
                            "Proportional", "ShadowMask", "InvertMask", "CharSepExtra"})
        QVERIFY2(info.contains(QLatin1String(key)), key);
}

void CliTest::infoOfTheDefaultDocument()
{
    const QJsonObject info = infoJson({QStringLiteral("--size"), QStringLiteral("12"), QStringLiteral("--bold")});
    QCOMPARE(info.value(QStringLiteral("TTFName")).toString(), QStringLiteral("Arial"));
    QCOMPARE(info.value(QStringLiteral("Size")).toDouble(), 12.0);
    QCOMPARE(info.value(QStringLiteral("VariableName")).toString(), QStringLiteral("arial12b"));
    QCOMPARE(info.value(QStringLiteral("Glyphs")).toArray().size(), 130);

    // The readable form: one aligned line per field, the glyph list as a table.
    const Run text = cli({QStringLiteral("info")});
    QCOMPARE(text.exitCode, 0);
    const QList<QByteArray> lines = text.out.split('\n');
    QVERIFY(lines.contains("Size                9.75"));
    QVERIFY(lines.contains("VariableName        arial10"));
    QVERIFY(text.out.contains("Char  Height  Left  TextHeight  TextWidth  Top  Width"));

    const Run zgf = cli({QStringLiteral("info"), mFont});
    QVERIFY(zgf.out.contains("Flags             163 (16-bit pixels, RLE image, indent tables, proportional)"));
    const Run optioned = cli({QStringLiteral("info"), mFont, QStringLiteral("--bold")});
    QCOMPARE(optioned.exitCode, 2);
}

void CliTest::infoRefusesOtherFiles()
{
    writeFile(path(QStringLiteral("notes.txt")), "plain text, neither a project nor a font");
    const Run run = cli({QStringLiteral("info"), QStringLiteral("notes.txt")});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains("does not contain valid TexelSmithy data"), run.err.constData());
    QVERIFY(run.out.isEmpty());
}

void CliTest::bitmapsThenExportOfAPostprocessedProject()
{
    const Run bitmaps = cli({QStringLiteral("bitmaps"), mPostProject, QStringLiteral("--split"), QStringLiteral("2")});
    QVERIFY2(bitmaps.exitCode == 0, bitmaps.err.constData());
    QVERIFY(bitmaps.err.contains("Bitmap(s) generated correctly."));
    const QString variable = QStringLiteral("arial10_pm");
    for (const QString &suffix : {QStringLiteral(".bmp"), QStringLiteral("_mask.bmp"), QStringLiteral("1.bmp"),
                                  QStringLiteral("2.bmp"), QStringLiteral("_mask1.bmp")})
        QVERIFY2(QFile::exists(path(variable + suffix)), qPrintable(variable + suffix));
    const QImage glyphs(path(variable + QStringLiteral(".bmp")));
    const QImage mask(path(variable + QStringLiteral("_mask.bmp")));
    QCOMPARE(mask.width(), glyphs.width() + 3); // one more column per character

    // The export reads the edited images back; the file is masked and post-processed.
    const Run exported = cli({QStringLiteral("export"), mPostProject, QStringLiteral("-o"), QStringLiteral("post")});
    QVERIFY2(exported.exitCode == 0, exported.err.constData());
    const QJsonObject info = infoJson({QStringLiteral("post.zgf")});
    QCOMPARE(info.value(QStringLiteral("Masked")).toBool(), true);
    QCOMPARE(info.value(QStringLiteral("Count")).toInt(), 3);
    QCOMPARE(info.value(QStringLiteral("BitmapWidth")).toInt(), glyphs.width());
    QCOMPARE(render({path(QStringLiteral("post.zgf")), QStringLiteral("--mask")}).width(), mask.width());

    const Run plain = cli({QStringLiteral("new"), QStringLiteral("-o"), QStringLiteral("plain")});
    QCOMPARE(plain.exitCode, 0);
    const Run refused = cli({QStringLiteral("bitmaps"), QStringLiteral("plain.tsm")});
    QCOMPARE(refused.exitCode, 1);
    QVERIFY(refused.err.contains("is not post-processed"));
}

void CliTest::renderDrawsTextOverABackground()
{
    const QImage once = render({mFont, QStringLiteral("--text"), QStringLiteral("Hi"), QStringLiteral("--background"),
                                QStringLiteral("FFFFFF")});
    QVERIFY(!once.isNull());
    QSet<QRgb> colours;
    for (int y = 0; y < once.height(); ++y) {
        for (int x = 0; x < once.width(); ++x)
            colours.insert(once.pixel(x, y) & 0xFFFFFFu);
    }
    // The transparent green is keyed out: only the background and the black glyphs show.
    QCOMPARE(colours, (QSet<QRgb>{0xFFFFFFu, 0x000000u}));

    const QImage scaled = render({mFont, QStringLiteral("--text"), QStringLiteral("Hi"), QStringLiteral("--background"),
                                  QStringLiteral("FFFFFF"), QStringLiteral("--scale"), QStringLiteral("3")});
    QCOMPARE(scaled.size(), once.size() * 3);
    QCOMPARE(scaled.pixel(3 * 2 + 1, 3 * 5 + 2), once.pixel(2, 5));

    const QImage lines = render({mFont, QStringLiteral("--text"), QStringLiteral("Hi\nHi")});
    QVERIFY(lines.height() >= 2 * once.height());
    const Run mask = cli({QStringLiteral("render"), mFont, QStringLiteral("-o"), QStringLiteral("m.png"), QStringLiteral("--mask")});
    QCOMPARE(mask.exitCode, 1);
    QVERIFY(mask.err.contains("The font has no mask."));
}

void CliTest::extractListsAndSaves()
{
    const QByteArray font = readFile(mFont);
    writeFile(path(QStringLiteral("game.fxe")), QByteArray("prefix") + font + QByteArray(10, 'x') + font);
    const Run list = cli({QStringLiteral("extract"), QStringLiteral("game.fxe")});
    QCOMPARE(list.exitCode, 0);
    const QByteArray size = QByteArray::number(font.size());
    QCOMPARE(list.out, "6\t" + size + "\tArial 10\n" + QByteArray::number(16 + font.size()) + '\t' + size + "\tArial 10\n");

    const Run one = cli({QStringLiteral("extract"), QStringLiteral("game.fxe"), QStringLiteral("--offset"),
                         QString::number(16 + font.size()), QStringLiteral("-o"), QStringLiteral("second")});
    QVERIFY2(one.exitCode == 0, one.err.constData());
    QCOMPARE(readFile(path(QStringLiteral("second.zgf"))), font);

    const Run all = cli({QStringLiteral("extract"), QStringLiteral("game.fxe"), QStringLiteral("--all"),
                         QStringLiteral("-d"), QStringLiteral("out/fonts")});
    QVERIFY2(all.exitCode == 0, all.err.constData());
    QCOMPARE(readFile(path(QStringLiteral("out/fonts/Arial 10.zgf"))), font);
    QCOMPARE(readFile(path(QStringLiteral("out/fonts/Arial 10 (2).zgf"))), font);

    // A face name comes from the scanned file; it must not lead out of the chosen folder.
    const Run evil = cli({QStringLiteral("export"), QStringLiteral("--font"), QStringLiteral("../Evil\\Name"),
                          QStringLiteral("--chars"), QStringLiteral("x"), QStringLiteral("-o"), QStringLiteral("evil")});
    QVERIFY2(evil.exitCode == 0, evil.err.constData());
    QVERIFY(evil.err.contains("Note: ../Evil\\Name is not installed;"));
    const Run safe = cli({QStringLiteral("extract"), QStringLiteral("evil.zgf"), QStringLiteral("--all"),
                          QStringLiteral("-d"), QStringLiteral("safe")});
    QVERIFY2(safe.exitCode == 0, safe.err.constData());
    QVERIFY(QFile::exists(path(QStringLiteral("safe/.._Evil_Name 10.zgf"))));

    const Run absent = cli({QStringLiteral("extract"), QStringLiteral("game.fxe"), QStringLiteral("--offset"),
                            QStringLiteral("7")});
    QCOMPARE(absent.exitCode, 1);
    QVERIFY(absent.err.contains("No ZGF font starts at offset 7"));
    writeFile(path(QStringLiteral("empty.bin")), "no fonts here");
    const Run none = cli({QStringLiteral("extract"), QStringLiteral("empty.bin")});
    QCOMPARE(none.exitCode, 0);
    QVERIFY(none.out.isEmpty());
    QVERIFY(none.err.contains("No ZGF fonts could be located in file\n"));
}

void CliTest::toCWritesTheConverterNames()
{
    QVERIFY(QFile::copy(mFont, path(QStringLiteral("font.zgf"))));
    const Run font = cli({QStringLiteral("to-c"), path(QStringLiteral("font.zgf"))});
    QVERIFY2(font.exitCode == 0, font.err.constData());
    QVERIFY(font.err.contains("C file(s) generated correctly."));
    QVERIFY(readFile(path(QStringLiteral("arial10.h"))).contains("unsigned long arial10_zgf[] = {"));

    writeFile(path(QStringLiteral("data.bin")), "\x01\x02\x03\x04\x05");
    const Run named = cli({QStringLiteral("to-c"), QStringLiteral("data.bin"), QStringLiteral("--name"),
                           QStringLiteral("my data"), QStringLiteral("-o"), QStringLiteral("blob.c"), QStringLiteral("--split")});
    QVERIFY2(named.exitCode == 0, named.err.constData());
    QVERIFY(readFile(path(QStringLiteral("blob.h"))).contains("extern unsigned long mydata[];"));
    QVERIFY(readFile(path(QStringLiteral("blob.c"))).contains("0x04030201, 0x00000005"));
}

void CliTest::fontsListsTheFamilies()
{
    const Run run = cli({QStringLiteral("fonts")});
    QCOMPARE(run.exitCode, 0);
    const QStringList families = QString::fromUtf8(run.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QVERIFY(families.contains(QStringLiteral("Liberation Sans")));
    QVERIFY(families.contains(QStringLiteral("DejaVu Sans")));
    for (qsizetype i = 1; i < families.size(); ++i)
        QVERIFY(families.at(i - 1).compare(families.at(i), Qt::CaseInsensitive) <= 0);
}

void CliTest::charactersTheExportLoses_data()
{
    QTest::addColumn<QString>("chars");
    QTest::addColumn<QStringList>("missing");
    QTest::addColumn<QStringList>("unencodable");

    // Liberation Sans stands in for Arial; it has no snowman.
    QTest::newRow("all kept") << "A\u20AC" << QStringList{} << QStringList{};
    QTest::newRow("snowman and L with stroke")
        << "A\u0141\n\u2603\u20AC" << QStringList{QStringLiteral("\u2603")}
        << QStringList{QStringLiteral("\u0141"), QStringLiteral("\u2603")};
}

void CliTest::charactersTheExportLoses()
{
    QFETCH(QString, chars);
    QFETCH(QStringList, missing);
    QFETCH(QStringList, unencodable);

    writeFile(path(QStringLiteral("chars.txt")), chars.toUtf8());
    const QStringList document{QStringLiteral("--chars-file"), QStringLiteral("chars.txt")};
    const QJsonObject info = infoJson(document);
    QCOMPARE(info.value(QStringLiteral("MissingGlyphs")).toVariant().toStringList(), missing);
    QCOMPARE(info.value(QStringLiteral("Unencodable")).toVariant().toStringList(), unencodable);

    const Run text = cli(QStringList{QStringLiteral("info")} + document);
    const QByteArray missingLine = missing.isEmpty() ? "none" : "\u2603 (U+2603)";
    const QRegularExpression line(QStringLiteral("\nMissingGlyphs +") + QRegularExpression::escape(QString::fromUtf8(missingLine))
                                  + QLatin1Char('\n'));
    QVERIFY2(QString::fromUtf8(text.out).contains(line), text.out.constData());

    const Run exported = cli(QStringList{QStringLiteral("export")} + document);
    QCOMPARE(exported.exitCode, 0);
    QCOMPARE(exported.err.contains("1 character is not in Arial: \u2603 (U+2603)\nFont file generated correctly."),
             !missing.isEmpty());
    QCOMPARE(exported.err.contains("written as \"?\": \u0141 (U+0141), \u2603 (U+2603)"), !unencodable.isEmpty());
    QCOMPARE(exported.err.contains("not in Arial"), !missing.isEmpty());
}

void CliTest::sizeBudgetEqualsExportedSizes_data()
{
    QTest::addColumn<bool>("postprocessed");
    QTest::newRow("rendered") << false;
    QTest::newRow("post-processed with mask") << true;
}

void CliTest::sizeBudgetEqualsExportedSizes()
{
    QFETCH(bool, postprocessed);

    const QStringList document = postprocessed ? QStringList{mPostProject} : QStringList{QStringLiteral("--chars"), QStringLiteral("AbC")};
    if (postprocessed) {
        // Until the edited bitmaps exist, the sizes are not known, and info says why.
        const QJsonObject before = infoJson(document);
        QVERIFY(before.value(QStringLiteral("SizeBudget")).isNull());
        QVERIFY2(before.value(QStringLiteral("SizeBudgetNote")).toString().contains(QStringLiteral("arial10_pm.bmp")),
                 qPrintable(before.value(QStringLiteral("SizeBudgetNote")).toString()));
        QVERIFY(cli({QStringLiteral("bitmaps"), mPostProject}).exitCode == 0);
    }
    const QJsonObject budget = infoJson(document).value(QStringLiteral("SizeBudget")).toObject();
    for (const char *coding : {"Raw", "Rle"}) {
        const QString name = QLatin1String(coding);
        const Run exported = cli(QStringList{QStringLiteral("export"), QStringLiteral("-o"), name,
                                             QStringLiteral("--") + name.toLower()} + document);
        QVERIFY2(exported.exitCode == 0, exported.err.constData());
        const QJsonObject file = infoJson({name + QStringLiteral(".zgf")});
        const qint64 length = file.value(QStringLiteral("FileLength")).toInteger();
        const qint64 maskOffset = file.value(QStringLiteral("MaskOffset")).toInteger();
        const qint64 glyphEnd = maskOffset > 0 ? maskOffset : length;
        const QJsonObject sizes = budget.value(name).toObject();
        QCOMPARE(sizes.value(QStringLiteral("Total")).toInteger(), QFileInfo(path(name + QStringLiteral(".zgf"))).size());
        QCOMPARE(sizes.value(QStringLiteral("GlyphImage")).toInteger(),
                 glyphEnd - file.value(QStringLiteral("GlyphOffset")).toInteger());
        QCOMPARE(sizes.value(QStringLiteral("Mask")).toInteger(), maskOffset > 0 ? length - maskOffset : 0);
        QCOMPARE(maskOffset > 0, postprocessed);
    }
}

QTEST_GUILESS_MAIN(CliTest)
#include "cli_test.moc"
