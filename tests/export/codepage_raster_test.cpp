// Fonts for other scripts on the real renderer: the ZGF codes of each letter in the
// document's code page, and under each code the glyph of that letter.
#include "../document/documenttesting.h"
#include "rastersurface.h"
#include "recordingfeedback.h"
#include "zgfexport.h"
#include "zgffont.h"
#include "zgfpixel.h"

#include <QTemporaryDir>

namespace {

struct ScriptCase
{
    CodePage page;
    const char *family;
    QString letters;
    QByteArray codes;
};

// Whether each pixel of the column range shows ink, row by row.
using InkMap = QList<QList<bool>>;

} // namespace

class CodePageRaster : public ::testing::TestWithParam<ScriptCase>
{
protected:
    // The letter drawn directly, alone, where the export puts it in a cell of the given size.
    InkMap drawnDirectly(QChar letter, int width, int height)
    {
        const GlyphMeasurement &m = measurement.measure();
        const Char &g = m.glyphs.at(m.sequence.indexOf(letter));
        RasterSurface direct;
        direct.setFont(font.surfaceFont());
        direct.setBackColor(font.TransColor);
        direct.setForeColor(font.Color);
        direct.setSize(width, height);
        direct.clear();
        direct.setCurrentX(-g.Left);
        direct.setCurrentY(-m.fontTop);
        direct.drawText(QString(letter));
        InkMap ink(height, QList<bool>(width));
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x)
                ink[y][x] = direct.pixel(x, y) != font.TransColor;
        }
        return ink;
    }

    static InkMap cellInk(const ZgfFont &zgf, int index)
    {
        InkMap ink(zgf.imageHeight(), QList<bool>(zgf.charWidth(index)));
        for (int y = 0; y < zgf.imageHeight(); ++y) {
            for (int x = 0; x < zgf.charWidth(index); ++x)
                ink[y][x] = (zgf.pixel16(zgf.cellX(index) + x, y) | 1) != (zgf.header().TransColor | 1);
        }
        return ink;
    }

    RasterSurface measure;
    RasterSurface work;
    TexelFont font;
    KeptMeasurement measurement{font, measure};
    RecordingFeedback feedback;
    QTemporaryDir dir;
};

TEST_P(CodePageRaster, EachCodeHoldsTheGlyphOfItsLetter)
{
    const ScriptCase &c = GetParam();
    font.setTTFName(QLatin1String(c.family));
    font.setSize(24);
    font.setCodePage(c.page);
    // The letters in reverse after a gap, so glyph order and code order differ.
    QString reversed = c.letters;
    std::reverse(reversed.begin(), reversed.end());
    font.setChars(c.letters + QStringLiteral("\r\n") + reversed);
    ZgfExportOptions options{dir.filePath(QStringLiteral("script.zgf")), true};
    ASSERT_TRUE(ExportZgfFont(font, work, options, feedback))
        << feedback.failures().join(QLatin1Char(' ')).toStdString();
    EXPECT_TRUE(feedback.informations().join(QString()).indexOf(QLatin1String("\"?\"")) < 0) << "no letter lost";

    ZgfFont zgf = ZgfFont::readFile(options.zgfFileName);
    zgf.setCodePage(c.page);
    QByteArray reversedCodes = c.codes;
    std::reverse(reversedCodes.begin(), reversedCodes.end());
    EXPECT_EQ(zgf.codes().toHex(' '), (c.codes + reversedCodes).toHex(' '));
    EXPECT_EQ(zgf.characters(), c.letters + reversed);
    for (qsizetype i = 0; i < c.letters.size(); ++i) {
        const QChar letter = c.letters.at(i);
        const int index = int(zgf.codes().indexOf(c.codes.at(i)));
        ASSERT_EQ(zgf.indexOf(letter), index) << i;
        const InkMap cell = cellInk(zgf, index);
        const InkMap direct = drawnDirectly(letter, zgf.charWidth(index), zgf.imageHeight());
        EXPECT_TRUE(std::any_of(cell.begin(), cell.end(), [](const QList<bool> &row) { return row.contains(true); }));
        EXPECT_EQ(cell, direct) << "letter " << i << " (U+" << std::hex << int(letter.unicode()) << ")";
    }
}

INSTANTIATE_TEST_SUITE_P(Scripts, CodePageRaster,
                         ::testing::Values(ScriptCase{CodePage::Windows1251, "Liberation Sans",
                                                      QStringLiteral("АБВЖабвж"),
                                                      QByteArray("\xC0\xC1\xC2\xC6\xE0\xE1\xE2\xE6")},
                                           ScriptCase{CodePage::Windows1250, "DejaVu Sans", QStringLiteral("ŁłŚśŽžŐő"),
                                                      QByteArray("\xA3\xB3\x8C\x9C\x8E\x9E\xD5\xF5")},
                                           ScriptCase{CodePage::Windows1253, "DejaVu Sans", QStringLiteral("ΑΒΓΩαβγω"),
                                                      QByteArray("\xC1\xC2\xC3\xD9\xE1\xE2\xE3\xF9")},
                                           ScriptCase{CodePage::Koi8R, "DejaVu Sans", QStringLiteral("АБВЖабвж"),
                                                      QByteArray("\xE1\xE2\xF7\xF6\xC1\xC2\xD7\xD6")}),
                         [](const ::testing::TestParamInfo<ScriptCase> &param) {
                             return codePageName(param.param.page).remove(QLatin1Char('-')).toStdString();
                         });
