#include "zgfdrawtesting.h"

#include "windows1252.h"
#include "zgffont.h"
#include "zgfpictures.h"

#include <functional>

namespace {

using Layout = Screen::Layout;

int halfDown(int v)
{
    return v >= 0 ? v / 2 : -((1 - v) / 2);
}

quint16 blend(quint16 dst, quint16 src, int level)
{
    quint16 out = 1;
    for (const int shift : {11, 6, 1}) {
        const int a = (dst >> shift) & 31, b = (src >> shift) & 31;
        out |= quint16(((a * (31 - level) + b * level + 15) / 31) << shift);
    }
    return out;
}

// The text drawn independently of the library: the reader's decoded images, the layout
// written out again, every pixel blended over put(x, y)'s pixel.
void referenceDraw(const ZgfFont &font, const QString &text, int ox, int oy, int width, int height,
                   const std::function<quint16 &(int, int)> &at)
{
    const ZgfHeader &h = font.header();
    struct Cell
    {
        int index, x, y;
    };
    QList<Cell> cells;
    int pen = 0, top = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            i += c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n';
            top += h.BitmapHeight + h.LineSep;
            pen = 0;
            continue;
        }
        const bool pair = c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        i += pair;
        const int index = c.isSurrogate() ? -1 : font.indexOf(c);
        if (index < 0) {
            pen += h.DefaultWidth + h.CharSep;
            continue;
        }
        pen += font.leftIndent(index);
        cells.append({index, pen, top});
        pen += font.charWidth(index) + font.rightIndent(index) + h.CharSep;
    }
    const int maskX = halfDown(h.MaskWidthInc), maskY = halfDown(h.MaskHeightInc);
    const bool shadow = font.hasMask() && h.hasFlag(ZgfHeader::ShadowMaskFlag);
    const auto level = [&](int index, int x, int y) {
        if (!font.hasMask())
            return 31;
        if (x < 0 || y < 0 || x >= font.charWidth(index) + h.MaskWidthInc || y >= font.maskHeight())
            return 0;
        return int(font.maskLevel(font.maskCellX(index) + x, y));
    };
    const auto put = [&](int x, int y, quint16 pixel, int alpha) {
        if (alpha > 0 && x >= 0 && y >= 0 && x < width && y < height)
            at(x, y) = blend(at(x, y), pixel, alpha);
    };
    if (shadow) {
        for (const Cell &cell : cells) {
            const int x0 = ox + cell.x + h.ShadowOX + h.ShadowXPos - maskX;
            const int y0 = oy + cell.y + h.ShadowOY + h.ShadowYPos - maskY;
            for (int y = 0; y < font.maskHeight(); ++y)
                for (int x = 0; x < font.charWidth(cell.index) + h.MaskWidthInc; ++x)
                    put(x0 + x, y0 + y, h.ShadowColor, level(cell.index, x, y));
        }
    }
    for (const Cell &cell : cells) {
        for (int y = 0; y < font.imageHeight(); ++y) {
            for (int x = 0; x < font.charWidth(cell.index); ++x) {
                const quint16 pixel = font.pixel16(font.cellX(cell.index) + x, y);
                if ((pixel & 0xFFFE) != (h.TransColor & 0xFFFE))
                    put(ox + cell.x + x, oy + cell.y + y, pixel, shadow ? 31 : level(cell.index, x + maskX, y + maskY));
            }
        }
    }
}

const char16_t *const kTexts[] = {
    u"Ag\u20ACab",                // every sample glyph, the goldens' two
    u"a\nb\r\nAg\rz\u20AC\n\nba", // all three line breaks, an empty line
    u"gg\U0001F600a zA\u00FF",    // characters the fonts lack
    u"\u20AC\u20ACg\u20AC",       // negative indents over each other
    u"BAbaBA\nAB",                // the wide fonts' cells
};

struct Placement
{
    int x, y;
};

// On a 40 x 18 screen: inside, and cut by each of the four edges, and wholly outside.
const Placement kPlacements[] = {{3, 2}, {-4, 3}, {30, 1}, {2, -4}, {5, 12}, {-9, -7}, {35, 15}, {-400, 0}, {0, 90}};

// The text in Windows-1252, a character without a code as "z", which no test font has.
QByteArray codePageBytes(const QString &text)
{
    QByteArray bytes;
    for (const char32_t u : text.toUcs4()) {
        const int code = u > 0xFFFF ? -1 : windows1252Code(QChar(char16_t(u)));
        bytes.append(code < 0 ? 'z' : char(code));
    }
    return bytes;
}

void expectLibraryDrawsTheReference(const NamedFont &named, bool indexed)
{
    const ZgfFont font = ZgfFont::read(named.bytes);
    const std::vector<char> data(named.bytes.begin(), named.bytes.end());
    zgf_font f;
    ASSERT_EQ(zgf_open(&f, data.data(), data.size()), ZGF_OK) << named.name;
    std::vector<quint32> index(zgf_index_size(&f) / 4);
    if (indexed) {
        ASSERT_EQ(zgf_set_index(&f, index.data(), index.size() * 4), ZGF_OK);
    }
    for (const char16_t *text16 : kTexts) {
        const QString text = QString::fromUtf16(text16);
        const QByteArray utf8 = text.toUtf8();
        const QByteArray bytes = codePageBytes(text);
        for (const Placement &at : kPlacements) {
            for (const Layout layout : {Layout::Rows, Layout::BottomUp, Layout::Rotated}) {
                Screen expected(40, 18, Layout::Rows), drawn(40, 18, layout), drawnBytes(40, 18, layout);
                expected.fillPattern();
                drawn.fillPattern();
                drawnBytes.fillPattern();
                referenceDraw(font, text, at.x, at.y, 40, 18,
                              [&](int x, int y) -> quint16 & { return expected.at(x, y); });
                ASSERT_EQ(zgf_draw_utf8(&f, &drawn.surface(), at.x, at.y, utf8.constData(), &zgf_cp1252), ZGF_OK);
                ASSERT_EQ(zgf_draw_text(&f, &drawnBytes.surface(), at.x, at.y, bytes.constData()), ZGF_OK);
                const std::string where = named.name + (indexed ? " indexed" : "") + " at " + std::to_string(at.x) + ","
                    + std::to_string(at.y) + " layout " + std::to_string(int(layout)) + ": " + text.toStdString();
                ASSERT_EQ(drawn.rows(), expected.rows()) << where;
                ASSERT_EQ(drawnBytes.rows(), expected.rows()) << where;
            }
        }
    }
}

TEST(ZgfDraw, DrawsWhatTheDecodedImagesComposeForEveryFontTextAndEdge)
{
    for (const NamedFont &font : everyTestFont()) {
        expectLibraryDrawsTheReference(font, false);
        expectLibraryDrawsTheReference(font, true);
    }
}

// The viewer, the preview and render draw through the library: their pixels are the
// reference's on a screen of the text's box filled with the background.
TEST(ZgfDraw, TheProgramShowsTheLibrarysPixels)
{
    const Color background = 0x336699;
    for (const NamedFont &named : everyTestFont()) {
        const ZgfFont font = ZgfFont::read(named.bytes);
        for (const char16_t *text16 : kTexts) {
            const QString text = QString::fromUtf16(text16);
            const QImage shown = ZgfPictures::textImage(font, text, background);
            QList<quint16> expected(qsizetype(shown.width()) * shown.height(), quint16(ColorToPixel16(background, 1)));
            referenceDraw(font, text, 0, 0, shown.width(), shown.height(),
                          [&](int x, int y) -> quint16 & { return expected[qsizetype(y) * shown.width() + x]; });
            for (int y = 0; y < shown.height(); ++y) {
                for (int x = 0; x < shown.width(); ++x) {
                    ASSERT_EQ(scanPixelToPixel16(shown.pixel(x, y)),
                              expected[qsizetype(y) * shown.width() + x] & 0xFFFE)
                        << named.name << " (" << x << ", " << y << "): " << text.toStdString();
                }
            }
        }
    }
}

// Hand-worked boxes: the golden cells are 4 and 3 wide, indents 1/1 and 0/2, lines 5 + 2.
TEST(ZgfDraw, MeasuresCellsAdvancesLinesAndShadows)
{
    const QByteArray golden = goldenZgfFont(false, false);
    zgf_font f;
    ASSERT_EQ(zgf_open(&f, golden.constData(), size_t(golden.size())), ZGF_OK);
    const std::tuple<const char *, int, int> rows[] = {
        {"", 0, 0},    {"a", 6, 5},       {"ab", 11, 5}, {"a\r\n", 6, 12},
        {"\n", 0, 12}, {"b\rab", 11, 12}, {"z", 4, 5}, // the default width of a missing character
    };
    for (const auto &[text, width, height] : rows) {
        EXPECT_EQ(zgf_text_width(&f, text), width) << text;
        EXPECT_EQ(zgf_text_height(&f, text), height) << text;
    }
    // The shadow's cell reaches 3 columns right of and 0 rows below its glyph's.
    const QByteArray shadow = smoothFont(false, true);
    ASSERT_EQ(zgf_open(&f, shadow.constData(), size_t(shadow.size())), ZGF_OK);
    // A's cell at 1, 5 wide; its mask cell 7 x 10, one column and row before it; the shadow
    // moved by 1 + 2 and -1 + 1: 10 x 9.
    EXPECT_EQ(zgf_text_width(&f, "A"), 10);
    EXPECT_EQ(zgf_text_height(&f, "A"), 9);
}

// Every Unicode character maps as the program's own Windows-1252 table maps it.
TEST(ZgfDraw, TheCodePageAgreesWithTheProgramsWindows1252)
{
    for (char32_t u = 0; u < 0x10000; ++u) {
        const int expected = (u >= 0xD800 && u < 0xE000) ? -1 : windows1252Code(QChar(char16_t(u)));
        ASSERT_EQ(zgf_codepage_byte(&zgf_cp1252, u), expected) << quint32(u);
    }
    EXPECT_EQ(zgf_codepage_byte(&zgf_cp1252, 0x1F600), -1);
}

// After "a" (pen 6), a bad sequence is one missing character (the default width, 4); nothing is read past
// the terminating 0: each text sits in a buffer of exactly its length.
TEST(ZgfDraw, InvalidUtf8IsAMissingCharacter)
{
    const QByteArray golden = goldenZgfFont(false, true);
    zgf_font f;
    ASSERT_EQ(zgf_open(&f, golden.constData(), size_t(golden.size())), ZGF_OK);
    // clang-format off
    const std::pair<const char *, int> rows[] = {
        {"a\xC3", 10}, {"a\xE2\x82", 10}, {"a\xF0\x9F\x98", 10}, {"a\xC0\xAF", 14}, {"a\xED\xA0\x80", 10},
        {"a\xF5\x80", 14}, {"a\x80", 10}, {"a\xE2\x82\xAC", 10}, {"a\xC3\xA9" "a", 16}, {"a\xF4\x90\x80\x80", 10},
    };
    // clang-format on
    for (const auto &[text, width] : rows) {
        const std::unique_ptr<char[]> exact(new char[strlen(text) + 1]);
        memcpy(exact.get(), text, strlen(text) + 1);
        EXPECT_EQ(zgf_utf8_width(&f, exact.get(), &zgf_cp1252), width) << QByteArray(text).toHex().toStdString();
    }
}

QByteArray withByte(QByteArray bytes, int at, int value)
{
    bytes[at] = char(value);
    return bytes;
}

TEST(ZgfDraw, OpenRefusesWhatWouldReadOutsideTheFont)
{
    const QByteArray raw = goldenZgfFont(true, false), rle = goldenZgfFont(true, true);
    const std::tuple<const char *, QByteArray, int> rows[] = {
        {"short header", raw.left(75), ZGF_E_TRUNCATED},
        {"cut file", raw.left(raw.size() - 1), ZGF_E_TRUNCATED},
        {"signature", withByte(raw, 1, 'X'), ZGF_E_SIGNATURE},
        {"version", withByte(raw, 4, 2), ZGF_E_SIGNATURE},
        {"8-bit pixels", withByte(raw, 5, 0xE4), ZGF_E_UNSUPPORTED},
        {"glyph offset", withByte(raw, 44, 85), ZGF_E_TABLES},
        {"widths", withByte(raw, 78, 5), ZGF_E_TABLES},
        {"mask offset before glyphs", withByte(raw, 48, 10), ZGF_E_MASK},
        {"mask cell left of the mask", withByte(raw, 65, char(-4)), ZGF_E_MASK},
        {"mask height", withByte(raw, 66, char(-6)), ZGF_E_MASK},
        {"mask level", withByte(raw, raw.size() - 1, 32), ZGF_E_IMAGE},
        {"raw image short", withByte(raw, 60, 6), ZGF_E_IMAGE},
        {"rle run overflows", withByte(rle, 84, 0), ZGF_E_IMAGE}, // 63 pixels of level 0 in a row of 7
        {"rle ends early", withByte(rle, 60, 6), ZGF_E_IMAGE},
    };
    quint16 pixels[4] = {};
    const zgf_surface surface{pixels, 2, 2, 1, 2};
    for (const auto &[name, bytes, code] : rows) {
        zgf_font f;
        EXPECT_EQ(zgf_open(&f, bytes.constData(), size_t(bytes.size())), code) << name;
        EXPECT_EQ(zgf_draw_text(&f, &surface, 0, 0, "a"), ZGF_E_ARGUMENT) << name; // a refused font draws nothing
    }
    zgf_font f;
    ASSERT_EQ(zgf_open(&f, raw.constData(), size_t(raw.size())), ZGF_OK);
    EXPECT_EQ(zgf_draw_utf8(&f, &surface, 0, 0, "a", nullptr), ZGF_E_ARGUMENT);
    const zgf_surface negative{pixels, -1, 2, 1, 2};
    EXPECT_EQ(zgf_draw_text(&f, &negative, 0, 0, "a"), ZGF_E_ARGUMENT);
}

// 4 bytes per character, row and channel; at least the whole index, at a 4-byte boundary.
TEST(ZgfDraw, IndexSizeAndMemory)
{
    const QByteArray rle = goldenZgfFont(true, true);
    zgf_font f;
    ASSERT_EQ(zgf_open(&f, rle.constData(), size_t(rle.size())), ZGF_OK);
    EXPECT_EQ(zgf_index_size(&f), size_t(4 * 2 * (5 * 3 + 5)));
    std::vector<quint32> memory(41);
    EXPECT_EQ(zgf_set_index(&f, memory.data(), 159), ZGF_E_INDEX);
    EXPECT_EQ(zgf_set_index(&f, reinterpret_cast<char *>(memory.data()) + 2, 160), ZGF_E_INDEX);
    EXPECT_EQ(zgf_set_index(&f, memory.data(), 160), ZGF_OK);
    const QByteArray raw = goldenZgfFont(true, false);
    ASSERT_EQ(zgf_open(&f, raw.constData(), size_t(raw.size())), ZGF_OK);
    EXPECT_EQ(zgf_index_size(&f), 0u);
    EXPECT_EQ(zgf_set_index(&f, nullptr, 0), ZGF_OK);
}

} // namespace
