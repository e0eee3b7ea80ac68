// Real bitmap fonts exported strike by strike, every glyph compared pixel for pixel with the
// font's own bitmaps: BDF files read here line by line, PCF and OTB files through FreeType's
// bitmap of the strike (never through the renderer that drew the export).
#include "feedback.h"
#include "fontfiles.h"
#include "measuredfont.h"
#include "rastersurface.h"
#include "testfiles.h"
#include "texelfont.h"
#include "windows1252.h"
#include "zgfbuilder.h"
#include "zgffont.h"
#include "zgfpixel.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <QDir>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>

#include <iostream>

namespace {

// Ink pixels of one glyph from its pen on the baseline (y below the baseline positive).
struct Glyph
{
    int advance = 0;
    QSet<std::pair<int, int>> ink;
};

// The glyphs of one strike by Unicode code point; a character the font lacks has none.
using Strike = QHash<uint, Glyph>;

Strike bdfStrike(const QString &path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    Strike strike;
    Glyph glyph;
    int code = -1, width = 0, height = 0, x = 0, y = 0, row = -1;
    while (!file.atEnd()) {
        const QList<QByteArray> words = file.readLine().simplified().split(' ');
        if (row >= 0 && words[0] != "ENDCHAR") {
            const uint bits = words[0].toUInt(nullptr, 16), bitCount = uint(words[0].size()) * 4;
            for (int col = 0; col < width; ++col) {
                if (bits & (1u << (bitCount - 1 - uint(col))))
                    glyph.ink.insert({x + col, -(y + height) + row});
            }
            ++row;
        } else if (words[0] == "STARTCHAR") {
            glyph = Glyph();
        } else if (words[0] == "ENCODING") {
            code = words[1].toInt();
        } else if (words[0] == "DWIDTH") {
            glyph.advance = words[1].toInt();
        } else if (words[0] == "BBX") {
            width = words[1].toInt(), height = words[2].toInt(), x = words[3].toInt(), y = words[4].toInt();
        } else if (words[0] == "BITMAP") {
            row = 0;
        } else if (words[0] == "ENDCHAR") {
            if (code >= 0)
                strike.insert(uint(code), glyph);
            row = -1;
        }
    }
    return strike;
}

// FreeType's own bitmaps of the strike of pixels of a PCF or OTB font, for the characters asked.
Strike freetypeStrike(const QString &path, int pixels, const QString &chars)
{
    Strike strike;
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    if (FT_Init_FreeType(&library) != 0 || FT_New_Face(library, QFile::encodeName(path).constData(), 0, &face) != 0) {
        ADD_FAILURE() << "FreeType cannot read " << path.toStdString();
        return strike;
    }
    EXPECT_EQ(FT_Set_Pixel_Sizes(face, 0, FT_UInt(pixels)), 0);
    FT_Select_Charmap(face, FT_ENCODING_UNICODE);
    for (const QChar c : chars) {
        if (FT_Get_Char_Index(face, c.unicode()) == 0
            || FT_Load_Char(face, c.unicode(), FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0)
            continue;
        const FT_GlyphSlot slot = face->glyph;
        Glyph glyph;
        glyph.advance = int(slot->advance.x >> 6);
        for (int row = 0; row < int(slot->bitmap.rows); ++row) {
            const unsigned char *bits = slot->bitmap.buffer + row * slot->bitmap.pitch;
            for (int col = 0; col < int(slot->bitmap.width); ++col) {
                if (bits[col / 8] & (0x80 >> (col % 8)))
                    glyph.ink.insert({slot->bitmap_left + col, row - slot->bitmap_top});
            }
        }
        strike.insert(c.unicode(), glyph);
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return strike;
}

// The rows of the strike's line, ascent above and descent below the baseline.
std::pair<int, int> lineOf(const QString &path, int pixels)
{
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    std::pair<int, int> line{0, 0};
    if (FT_Init_FreeType(&library) == 0 && FT_New_Face(library, QFile::encodeName(path).constData(), 0, &face) == 0) {
        if (FT_Set_Pixel_Sizes(face, 0, FT_UInt(pixels)) == 0)
            line = {int(face->size->metrics.ascender >> 6), int(-face->size->metrics.descender >> 6)};
        FT_Done_Face(face);
    }
    FT_Done_FreeType(library);
    return line;
}

// The printable Windows-1252 characters, the soft hyphen among them: 218 of them.
QString windows1252Characters()
{
    return printableCharacters(CodePage::Windows1252);
}

struct BitmapCase
{
    const char *label;
    QString file; // a path, or under the temporary folder for the made BDFs
    int pixels;
    bool bdf;
};

void PrintTo(const BitmapCase &c, std::ostream *os)
{
    *os << c.label << ", " << c.file.toStdString() << ", " << c.pixels << " px";
}

QString fixedFile(const char *name)
{
    return QStringLiteral("/usr/share/fonts/X11/misc/%1.pcf.gz").arg(QLatin1String(name));
}

QString terminusFile(const char *face)
{
    return QStringLiteral("/usr/share/fonts/opentype/terminus/terminus-%1.otb").arg(QLatin1String(face));
}

std::vector<BitmapCase> bitmapCases()
{
    std::vector<BitmapCase> cases;
    for (const char *name : {"4x6",   "5x7",   "5x8",  "6x9",   "6x10", "6x12",  "6x13",  "6x13B", "6x13O", "7x13",
                             "7x13B", "7x13O", "7x14", "7x14B", "8x13", "8x13B", "8x13O", "9x15",  "9x18",  "10x20"})
        cases.push_back({name, fixedFile(name), 0, false});
    for (const char *face : {"normal", "bold"}) {
        for (const int pixels : {12, 14, 16, 18, 20, 22, 24, 28, 32})
            cases.push_back({face, terminusFile(face), pixels, false});
    }
    for (const int pixels : {12, 16, 20})
        cases.push_back({"Liberation Sans BDF", QStringLiteral("liberation-%1.bdf").arg(pixels), pixels, true});
    return cases;
}

class BitmapFonts : public ::testing::TestWithParam<BitmapCase>
{
protected:
    static void SetUpTestSuite()
    {
        made = new QTemporaryDir;
        // BDFs of an installed family made by another tool, family names left as they are.
        for (const int pixels : {12, 16, 20}) {
            // otf2bdf's exit status is not 0 even when it wrote the font.
            const QString bdf = made->filePath(QStringLiteral("liberation-%1.bdf").arg(pixels));
            QProcess::execute(QStringLiteral("otf2bdf"),
                              {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-p"),
                               QString::number(pixels), QStringLiteral("-o"), bdf,
                               QStringLiteral("/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf")});
            EXPECT_TRUE(readFile(bdf).trimmed().endsWith("ENDFONT")) << "otf2bdf (scripts/setup.sh installs it)";
        }
    }
    static void TearDownTestSuite() { delete made; }
    static QTemporaryDir *made;
};

QTemporaryDir *BitmapFonts::made = nullptr;

TEST_P(BitmapFonts, EveryGlyphOfTheStrikeIsExact)
{
    const BitmapCase c = GetParam();
    const QString path = c.bdf ? made->filePath(c.file) : c.file;
    const FontFileFaces faces = fontFileFaces(path);
    ASSERT_EQ(faces.faces.size(), 1) << faces.problem.toStdString();
    const FontFileFace &face = faces.faces.first();
    ASSERT_FALSE(face.scalable);
    const int pixels = c.pixels ? c.pixels : face.pixelSizes.value(0);
    ASSERT_TRUE(face.pixelSizes.contains(pixels));

    const QString chars = windows1252Characters();
    const Strike truth = c.bdf ? bdfStrike(path) : freetypeStrike(path, pixels, chars);
    RasterSurface measure, work;
    TexelFont font;
    font.setFontFile(path);
    font.setTTFName(face.family);
    font.setBold(face.bold);
    font.setSize(pointsOfPixels(pixels));
    QString present, lacking;
    for (const QChar ch : chars)
        (truth.contains(ch.unicode()) ? present : lacking) += ch;
    font.setChars(present);
    SilentFeedback silent;
    const ZgfFont zgf =
        ZgfFont::read(buildZgfFile(font, measureFont(font, measure), work, ZgfBuildInput{false, {}, {}}, silent));
    ASSERT_EQ(zgf.count(), present.size());

    // The rows of the image lie where the first glyph with ink puts them; every glyph agrees.
    std::optional<int> baseline;
    QStringList wrong;
    const auto [ascent, descent] = lineOf(path, pixels);
    const quint16 fore = quint16(ColorToPixel16(font.Color, 1));
    for (int i = 0; i < zgf.count(); ++i) {
        const QChar ch = zgf.characters().at(i);
        const Glyph &expected = truth.value(ch.unicode());
        QSet<std::pair<int, int>> ink;
        int top = INT_MAX;
        for (int y = 0; y < zgf.imageHeight(); ++y) {
            for (int x = 0; x < zgf.charWidth(i); ++x) {
                if (zgf.pixel16(zgf.cellX(i) + x, y) == fore) {
                    ink.insert({zgf.leftIndent(i) + x, y});
                    top = std::min(top, y);
                }
            }
        }
        int expectedTop = INT_MAX;
        for (const auto &pixel : expected.ink)
            expectedTop = std::min(expectedTop, pixel.second);
        if (!baseline && !ink.isEmpty() && !expected.ink.isEmpty())
            baseline = top - expectedTop;
        QSet<std::pair<int, int>> moved;
        for (const auto &pixel : expected.ink)
            moved.insert({pixel.first, pixel.second + baseline.value_or(0)});
        const int advance = zgf.leftIndent(i) + zgf.charWidth(i) + zgf.rightIndent(i);
        if (ink != moved || advance != expected.advance) {
            // Marked with * when the font's ink reaches beyond its line.
            const bool beyond = std::any_of(expected.ink.begin(), expected.ink.end(), [&](const auto &pixel) {
                return pixel.second < -ascent || pixel.second >= descent;
            });
            wrong.append(
                QStringLiteral("U+%1%2").arg(ch.unicode(), 4, 16, QLatin1Char('0')).toUpper().arg(beyond ? u"*" : u""));
        }
    }
    std::cout << QStringLiteral("%1 (%2) %3 px: %4 of %5 glyphs exact%6\n")
                     .arg(QLatin1String(c.label), face.family)
                     .arg(pixels)
                     .arg(zgf.count() - wrong.size())
                     .arg(zgf.count())
                     .arg(lacking.isEmpty() ? QString() : QStringLiteral("; the font lacks ") + lacking)
                     .toStdString();
    EXPECT_TRUE(wrong.isEmpty()) << wrong.join(QLatin1Char(' ')).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Strikes, BitmapFonts, ::testing::ValuesIn(bitmapCases()),
                         [](const ::testing::TestParamInfo<BitmapCase> &row) {
                             return QString::fromLatin1(row.param.label).remove(QLatin1Char(' ')).toStdString() + "_"
                                 + std::to_string(row.param.pixels) + "_" + std::to_string(row.index);
                         });

} // namespace
