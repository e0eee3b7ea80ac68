// Mutated font files drawn from: each case is drawn and measured, or fails with a message,
// never a crash or a sanitizer report. The suite seeds a BDF font and a TrueType file;
// bench/fuzz.sh gives files of each kind instead through TEXEL_FUZZ_FONTS (paths joined by ":").
#include "failure.h"
#include "fontfiles.h"
#include "fuzzcases.h"
#include "rastersurface.h"
#include "testfiles.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <random>

namespace {

struct Seed
{
    QByteArray bytes;
    QString extension;
};

QList<Seed> seeds()
{
    QByteArray bdf =
        "STARTFONT 2.1\nFONT -Test-Fuzz-Medium-R-Normal--8-60-96-96-C-50-ISO10646-1\nSIZE 6 96 96\n"
        "FONTBOUNDINGBOX 5 8 0 -1\nSTARTPROPERTIES 2\nFONT_ASCENT 7\nFONT_DESCENT 1\nENDPROPERTIES\nCHARS 2\n";
    for (const char *glyph : {"ENCODING 65\nSWIDTH 625 0\nDWIDTH 5 0\nBBX 3 3 1 0\nBITMAP\n40\nA0\nE0\n",
                              "ENCODING 103\nSWIDTH 625 0\nDWIDTH 5 0\nBBX 2 4 1 -1\nBITMAP\nC0\n40\n40\nC0\n"})
        bdf += QByteArray("STARTCHAR g\n") + glyph + "ENDCHAR\n";
    QList<Seed> list;
    QStringList files = qEnvironmentVariable("TEXEL_FUZZ_FONTS").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    if (files.isEmpty()) {
        list.append({bdf + "ENDFONT\n", QStringLiteral("bdf")});
        files.append(QStringLiteral("/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf"));
    }
    for (const QString &file : files) {
        const QByteArray bytes = readFile(file);
        if (bytes != "<missing>")
            list.append({bytes, QFileInfo(file).suffix()});
    }
    return list;
}

// Font files keep their tables at the start: most changes go there, some anywhere.
QByteArray mutate(QByteArray data, std::mt19937 &random)
{
    const auto pick = [&](qsizetype n) { return qsizetype(random() % quint32(qMax<qsizetype>(n, 1))); };
    for (int step = 0, steps = 1 + int(random() % 4); step < steps; ++step) {
        const qsizetype at = random() % 2 ? pick(qMin<qsizetype>(data.size(), 512)) : pick(data.size());
        switch (random() % 5) {
        case 0: data[at] = char(data.at(at) ^ (1 << (random() % 8))); break;
        case 1: data[at] = char(random()); break;
        case 2: data.truncate(pick(data.size() + 1)); break;
        case 3: data.insert(at, QByteArray(1 + pick(8), char(random()))); break;
        default: data.remove(at, 1 + pick(16)); break;
        }
        if (data.isEmpty())
            data = "\n";
    }
    return data;
}

TEST(FontFileFuzz, MutatedFontFilesDrawOrFail)
{
    QTemporaryDir dir;
    std::mt19937 random(fuzzSeed(20261207));
    const QList<Seed> all = seeds();
    int drawn = 0;
    const int cases = fuzzCases(120);
    for (int round = 0; round < cases; ++round) {
        const Seed &seed = all.at(round % all.size());
        // A new name each time: a file is added to the program's fonts once per path.
        const QString path = writeFile(dir.filePath(QStringLiteral("f%1.%2").arg(round).arg(seed.extension)),
                                       mutate(seed.bytes, random));
        RasterSurface surface;
        surface.setSize(48, 24);
        try {
            // The file's own family, so that what is drawn comes from the mutated file.
            const QStringList families = fontFileFaces(path).families;
            const QString family = families.isEmpty() ? QStringLiteral("Fuzz") : families.first();
            surface.setFont({family, 9.75f, round % 3 == 1, round % 4 == 1, false, false, path, Hinting(round % 3),
                             round % 2 == 0});
            surface.clear();
            surface.drawText(QStringLiteral("Ag\u20AC"));
            ASSERT_GE(surface.textWidth(QStringLiteral("Ag")), 0.0);
            surface.textBounds(QStringLiteral("g"));
            drawn += surface.font().file == path ? 1 : 0;
        } catch (const Failure &failure) {
            ASSERT_FALSE(failure.message().isEmpty());
        }
        QFile::remove(path);
    }
    // Some mutated files are still read as fonts, so the cases reach past the first checks.
    EXPECT_GT(drawn, 0);
}

} // namespace
