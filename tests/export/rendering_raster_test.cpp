// Fonts from files, hinting and smooth edges on the real renderer, read back as ZGF fonts.
#include "../document/documenttesting.h"
#include "fontfiles.h"
#include "rastersurface.h"
#include "recordingfeedback.h"
#include "zgfbuilder.h"
#include "zgffont.h"
#include "zgfpictures.h"
#include "zgfpixel.h"

#include <QTemporaryDir>

#include <tuple>

namespace {

// A small BDF font of 8 pixels: each glyph's bitmap fills its box, so the measured ink box
// is the box. x and y are the box's offset from the pen and the baseline.
struct BdfGlyph
{
    QChar c;
    int x, y;
    QList<QByteArray> rows; // '#' ink
};

const QList<BdfGlyph> kGlyphs{
    {u'A', 0, 0, {".##.", "#..#", "#..#", "####", "#..#", "#..#", "#..#"}},
    {u'j', 1, -1, {"..#", "...", ".##", "..#", "..#", "..#", "#.#", "##."}},
    {u'-', 1, 3, {"###"}},
};

// Without a charset the encodings are Unicode code points, as X servers read them.
QByteArray bdfFont(bool charset)
{
    QByteArray bdf = "STARTFONT 2.1\nFONT -Test-Tiny-Medium-R-Normal--8-60-96-96-C-50-ISO10646-1\nSIZE 6 96 96\n"
                     "FONTBOUNDINGBOX 5 9 0 -1\nSTARTPROPERTIES "
        + QByteArray(charset ? "6" : "4") + "\nFAMILY_NAME \"TinyTest\"\nPIXEL_SIZE 8\nFONT_ASCENT 7\nFONT_DESCENT 1\n"
        + QByteArray(charset ? "CHARSET_REGISTRY \"ISO10646\"\nCHARSET_ENCODING \"1\"\n" : "") + "ENDPROPERTIES\nCHARS "
        + QByteArray::number(kGlyphs.size() + 1)
        + "\n"
          "STARTCHAR space\nENCODING 32\nSWIDTH 625 0\nDWIDTH 5 0\nBBX 1 1 0 0\nBITMAP\n00\nENDCHAR\n";
    for (const BdfGlyph &g : kGlyphs) {
        bdf += "STARTCHAR g\nENCODING " + QByteArray::number(g.c.unicode()) + "\nSWIDTH 625 0\nDWIDTH 5 0\nBBX "
            + QByteArray::number(g.rows[0].size()) + ' ' + QByteArray::number(g.rows.size()) + ' '
            + QByteArray::number(g.x) + ' ' + QByteArray::number(g.y) + "\nBITMAP\n";
        for (const QByteArray &row : g.rows) {
            int bits = 0;
            for (int i = 0; i < row.size(); ++i)
                bits |= row[i] == '#' ? 0x80 >> i : 0;
            bdf += QByteArray::number(bits, 16).rightJustified(2, '0') + '\n';
        }
        bdf += "ENDCHAR\n";
    }
    return bdf + "ENDFONT\n";
}

quint16 pixel(Color color)
{
    return quint16(ColorToPixel16(color, 1));
}

class RenderingRaster : public ::testing::Test
{
protected:
    ZgfFont built()
    {
        SilentFeedback silent;
        return ZgfFont::read(buildZgfFile(font, measurement.measure(), work, ZgfBuildInput{false, {}, {}}, silent));
    }

    QTemporaryDir dir;
    RasterSurface measure;
    RasterSurface work;
    TexelFont font;
    KeptMeasurement measurement{font, measure};
};

// Pixel-exact with or without a charset; bold, which the face lacks, synthesised as bitmap
// fonts have it: each glyph struck again a pixel to the right.
TEST_F(RenderingRaster, BitmapFontAtItsOwnSizeIsPixelExact)
{
    for (const auto &[charset, bold] : {std::pair{true, false}, {false, false}, {true, true}}) {
        SCOPED_TRACE(testing::Message() << "charset " << charset << ", bold " << bold);
        const QString file = dir.filePath(QStringLiteral("tiny%1.bdf").arg(int(charset)));
        writeFile(file, bdfFont(charset));
        const FontFileFaces faces = fontFileFaces(file);
        ASSERT_EQ(faces.families, QStringList{QStringLiteral("TinyTest")}) << faces.problem.toStdString();
        EXPECT_FALSE(faces.faces.first().scalable);
        EXPECT_EQ(faces.faces.first().pixelSizes, QList<int>{8});
        EXPECT_TRUE(fixedSizesNote(file, QStringLiteral("TinyTest"), 9.75f).contains(QStringLiteral("6 pt (8 px)")));
        EXPECT_TRUE(fixedSizesNote(file, QStringLiteral("TinyTest"), 6.0f).isEmpty());

        font.setFontFile(file);
        font.setTTFName(QStringLiteral("TinyTest"));
        font.setSize(6.0f);
        font.setBold(bold);
        font.setChars(QStringLiteral("Aj-"));
        const ZgfFont zgf = built();
        int top = 0; // the highest ink row above the baseline
        for (const BdfGlyph &g : kGlyphs)
            top = std::max(top, g.y + int(g.rows.size()));
        ASSERT_EQ(zgf.count(), 3);
        for (int i = 0; i < zgf.count(); ++i) {
            const BdfGlyph &g = kGlyphs[i];
            SCOPED_TRACE(QString(g.c).toStdString());
            EXPECT_EQ(zgf.charWidth(i), g.rows[0].size() + int(bold));
            EXPECT_EQ(zgf.leftIndent(i), g.x);
            for (int y = 0; y < zgf.imageHeight(); ++y) {
                const int row = y - (top - g.y - int(g.rows.size()));
                const auto inked = [&](int x) { return x >= 0 && x < g.rows[row].size() && g.rows[row][x] == '#'; };
                for (int x = 0; x < zgf.charWidth(i); ++x) {
                    const bool ink = row >= 0 && row < g.rows.size() && (inked(x) || (bold && inked(x - 1)));
                    EXPECT_EQ(zgf.pixel16(zgf.cellX(i) + x, y), pixel(ink ? font.Color : font.TransColor))
                        << x << ',' << y;
                }
            }
        }
    }
}

TEST_F(RenderingRaster, HintingChangesTheMeasurementsOfAHintedFont)
{
    font.setTTFName(QStringLiteral("Liberation Sans"));
    font.setSize(9.0f);
    const auto measured = [this](Hinting hinting) {
        font.setHinting(hinting);
        std::vector<std::tuple<int, int, int, int>> boxes;
        for (const Char &g : measurement.measure().glyphs)
            boxes.emplace_back(g.Left, g.Top, g.Width, g.Height);
        return boxes;
    };
    const auto full = measured(Hinting::Full);
    EXPECT_NE(measured(Hinting::None), full);
    EXPECT_NE(measured(Hinting::Slight), full);
    EXPECT_EQ(measured(Hinting::Full), full);
}

// The ink of one character drawn alone with its pen at the top left of its text cell, on a
// surface with room for anything the font draws: column and row from the pen and cell top.
QSet<std::pair<int, int>> inkDrawnAlone(RasterSurface &surface, const SurfaceFont &font, const QString &c)
{
    surface.setFont(font);
    surface.setBackColor(0xFFFFFF);
    surface.setForeColor(0);
    const int room = 4 * int(std::ceil(surface.textHeight(c)));
    surface.setSize(3 * room, 3 * room);
    surface.clear();
    surface.setCurrentX(room);
    surface.setCurrentY(room);
    surface.drawText(c);
    QSet<std::pair<int, int>> ink;
    for (int y = 0; y < surface.height(); ++y) {
        for (int x = 0; x < surface.width(); ++x) {
            if (surface.scanLine(y)[x] != pixelFromColor(0xFFFFFF))
                ink.insert({x - room, y - room});
        }
    }
    return ink;
}

// Ink above and below the line and beyond a space's width is measured and exported: every
// glyph of the ZGF holds exactly what the renderer draws for the character alone.
TEST_F(RenderingRaster, NoInkIsCut)
{
    struct Case
    {
        const char *family;
        float size;
        const char *chars;
    };
    const Case cases[] = {
        {"Liberation Sans", 9.0f, "_\u00C3\u00C4\u00C7\u00E7|A"},
        {"Liberation Serif", 9.0f, "gjy\u00FF()"},
        {"DejaVu Sans", 11.25f, "_|A"},
        {"DejaVu Sans Mono", 11.25f, "_|A"},
        {"DejaVu Serif", 11.25f, "_|A"},
    };
    RasterSurface alone;
    for (const Case &c : cases) {
        const QString what = QStringLiteral("%1 %2").arg(QLatin1String(c.family)).arg(c.size);
        font.setTTFName(QLatin1String(c.family));
        font.setSize(c.size);
        font.setChars(QString::fromUtf8(c.chars));
        const ZgfFont zgf = built();
        const GlyphMeasurement &m = measurement.measure();
        for (int i = 0; i < zgf.count(); ++i) {
            QSet<std::pair<int, int>> exported;
            for (int y = 0; y < zgf.imageHeight(); ++y) {
                for (int x = 0; x < zgf.charWidth(i); ++x) {
                    if (zgf.pixel16(zgf.cellX(i) + x, y) != pixel(font.TransColor))
                        exported.insert({x + m.glyphs.at(i).Left, y + m.fontTop});
                }
            }
            const QString character = m.characters.at(i);
            const QSet<std::pair<int, int>> drawn = inkDrawnAlone(alone, font.surfaceFont(), character);
            EXPECT_FALSE(drawn.isEmpty()) << what.toStdString();
            EXPECT_EQ(exported, drawn) << what.toStdString() << ' ' << character.toStdString();
        }
        if (font.Chars().contains(QChar(0x00C3))) {
            EXPECT_NE(m.images.at(1).ink.height(), m.images.at(2).ink.height()) << "\u00C3 is not \u00C4";
            EXPECT_LT(m.glyphs.at(1).Top, 0) << "the tilde above the line";
        }
    }
}

// A soft hyphen is drawn from the font's glyph, which these fonts draw as a hyphen: the same
// pixels and advance in every rendering.
TEST_F(RenderingRaster, SoftHyphenIsDrawnLikeAHyphen)
{
    struct Case
    {
        const char *family;
        float size;
        Hinting hinting;
        bool smooth;
    };
    const Case cases[] = {
        {"Liberation Sans", 9.0f, Hinting::Full, false},
        {"Liberation Sans", 24.0f, Hinting::Slight, false},
        {"DejaVu Sans", 12.0f, Hinting::None, false},
        {"DejaVu Sans", 12.0f, Hinting::Full, true},
    };
    for (const Case &c : cases) {
        const std::string what = std::string(c.family) + ' ' + std::to_string(c.size);
        font.setTTFName(QLatin1String(c.family));
        font.setSize(c.size);
        font.setHinting(c.hinting);
        font.Masked = c.smooth;
        font.setSmooth(c.smooth);
        font.setChars(QStringLiteral("-\u00AD"));
        EXPECT_EQ(measurement.measure().missing, QString()) << what;
        const ZgfFont zgf = built();
        const QList<Char> &glyphs = measurement.measure().glyphs;
        ASSERT_EQ(zgf.count(), 2);
        EXPECT_GT(glyphs.at(1).Width, 0) << what;
        EXPECT_GT(glyphs.at(1).TextWidth, 0) << what;
        EXPECT_EQ(glyphs.at(1), glyphs.at(0)) << what;
        EXPECT_EQ(measurement.measure().images.at(1).whole, measurement.measure().images.at(0).whole) << what;
        for (int y = 0; y < zgf.imageHeight(); ++y) {
            for (int x = 0; x < zgf.charWidth(0); ++x)
                EXPECT_EQ(zgf.pixel16(zgf.cellX(1) + x, y), zgf.pixel16(x, y)) << what << ' ' << x << ',' << y;
        }
    }
}

TEST_F(RenderingRaster, SmoothEdgesGoIntoTheMaskAndTheDrawnText)
{
    font.setTTFName(QStringLiteral("Liberation Sans"));
    font.Masked = true;
    font.setSmooth(true);
    ASSERT_TRUE(zgfMaskIsDrawn(font));
    // Every ink pixel has a level above 0, also beside tildes above the line.
    for (const float size : {9.0f, 9.75f, 12.0f}) {
        font.setSize(size);
        font.setChars(QStringLiteral("AO\u00C3\u00D1\u00E3\u00F1"));
        const ZgfFont zgf = built(); // no edited mask needed
        ASSERT_TRUE(zgf.hasMask());
        ASSERT_EQ(zgf.maskWidth(), zgf.imageWidth());
        QSet<int> levels;
        for (int y = 0; y < zgf.imageHeight(); ++y) {
            for (int x = 0; x < zgf.imageWidth(); ++x) {
                const int level = zgf.maskLevel(x, y);
                levels.insert(level);
                EXPECT_EQ(zgf.pixel16(x, y), pixel(level > 0 ? font.Color : font.TransColor))
                    << size << ": " << x << ',' << y;
            }
        }
        EXPECT_TRUE(levels.contains(0) && levels.contains(31));
        EXPECT_GT(levels.size(), 4) << "edges between no and full coverage";
    }
    font.setChars(QStringLiteral("AO"));
    const ZgfFont zgf = built();

    // Drawn as a GP32 program draws with the mask: edge pixels partly opaque.
    const QImage text = ZgfPictures::textImage(zgf, QStringLiteral("AO"), Color(0xFFFFFF));
    const QRgb ink = pixelFromColor(pixel16ToColor(quint16(pixel(font.Color))));
    bool blended = false;
    for (int y = 0; y < text.height(); ++y) {
        for (int x = 0; x < text.width(); ++x)
            blended |= text.pixel(x, y) != ink && text.pixel(x, y) != 0xFFFFFFFFu;
    }
    EXPECT_TRUE(blended);

    // The shadow mask keeps today's rendering: no smoothing.
    font.ShadowMask = true;
    EXPECT_FALSE(zgfMaskIsDrawn(font));
    for (const GlyphImage &image : measurement.measure().images)
        EXPECT_FALSE(image.ink.hasLevels());
}

} // namespace
