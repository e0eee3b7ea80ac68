// Mutated fonts through the drawing library, under the sanitizers of ./test: the font sits
// in a heap buffer of exactly its size and so does every screen, so a read past the font or
// a write past the screen stops the test.

#include "zgfdrawtesting.h"

#include <memory>

namespace {

QByteArray mutate(const QByteArray &seed, std::mt19937 &random)
{
    QByteArray data = seed;
    const int edits = 1 + int(random() % 4);
    for (int i = 0; i < edits; ++i) {
        const qsizetype at = qsizetype(random() % quint32(data.size()));
        switch (random() % 4) {
        case 0: data[at] = char(random()); break;
        case 1: data[at] = char(data[at] ^ (1 << (random() % 8))); break;
        case 2: data.truncate(at); break;
        default: data.insert(at, char(random())); break;
        }
        // Mostly mutate the header and tables, where sizes and offsets live.
        if (data.isEmpty())
            data = seed;
    }
    return data;
}

TEST(ZgfDrawFuzz, MutatedFontsNeitherReadOutsideTheFontNorWriteOutsideTheScreen)
{
    std::mt19937 random(24);
    int opened = 0, refused = 0;
    const char *const texts[] = {"Aa\x80g\r\nbB z\ngA",
                                 "\xC3\xA9\xE2\x82\xAC"
                                 "a\xF0\x9F",
                                 "\n\n\x80\x80\x80"};
    for (const NamedFont &seed : everyTestFont()) {
        for (int round = 0; round < 400; ++round) {
            const QByteArray mutated = mutate(seed.bytes, random);
            const std::unique_ptr<char[]> data(new char[size_t(mutated.size())]);
            memcpy(data.get(), mutated.constData(), size_t(mutated.size()));
            zgf_font f;
            if (zgf_open(&f, data.get(), size_t(mutated.size())) != ZGF_OK) {
                ++refused;
                continue;
            }
            ++opened;
            std::vector<quint32> index;
            if (round % 2) {
                index.resize(zgf_index_size(&f) / 4);
                zgf_set_index(&f, index.data(), index.size() * 4);
            }
            for (const Screen::Layout layout :
                 {Screen::Layout::Rows, Screen::Layout::BottomUp, Screen::Layout::Rotated}) {
                Screen screen(13 + round % 7, 9 + round % 5, layout);
                const int x = int(random() % 30) - 15, y = int(random() % 20) - 10;
                for (const char *text : texts) {
                    ASSERT_EQ(zgf_draw_text(&f, &screen.surface(), x, y, text), ZGF_OK);
                    ASSERT_EQ(zgf_draw_utf8(&f, &screen.surface(), x, y, text, &zgf_cp1252), ZGF_OK);
                    ASSERT_GE(zgf_text_width(&f, text), 0);
                    ASSERT_GE(zgf_utf8_height(&f, text, &zgf_cp1252), 0);
                }
            }
        }
    }
    // Both outcomes occur, so the mutations reach the drawing.
    EXPECT_GT(opened, 500);
    EXPECT_GT(refused, 500);
}

// The console's own screen, 320 x 240 stored in columns: pixel (x, y) is
// framebuffer[x * 240 + 239 - y], and texts cut by every edge stay inside it.
TEST(ZgfDrawFuzz, TheGp32ScreenStaysInsideItsFramebuffer)
{
    const QByteArray font = smoothFont(true, true);
    zgf_font f;
    ASSERT_EQ(zgf_open(&f, font.constData(), size_t(font.size())), ZGF_OK);
    const std::unique_ptr<quint16[]> framebuffer(new quint16[320 * 240]());
    const zgf_surface screen = zgf_gp32_screen(framebuffer.get());
    Screen rows(320, 240, Screen::Layout::Rows);
    for (const auto &[x, y] : {std::pair{-5, -1}, {310, 235}, {315, 0}, {0, 236}, {150, 120}}) {
        ASSERT_EQ(zgf_draw_text(&f, &screen, x, y, "A\x80g\nAg"), ZGF_OK);
        ASSERT_EQ(zgf_draw_text(&f, &rows.surface(), x, y, "A\x80g\nAg"), ZGF_OK);
    }
    int drawn = 0;
    for (int y = 0; y < 240; ++y) {
        for (int x = 0; x < 320; ++x) {
            ASSERT_EQ(framebuffer[x * 240 + 239 - y], rows.at(x, y)) << x << ", " << y;
            drawn += rows.at(x, y) != 0;
        }
    }
    EXPECT_GT(drawn, 100);
}

} // namespace
