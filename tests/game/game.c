/* Draws four texts into a 320 x 240 frame in memory, as the game would on the console's
 * screen, and checks that ink landed inside the box the library gives for each text and
 * nowhere else. Prints what it found; exits 0 when every check holds. */
#include "zgfdraw.h"

#include "hud.h"
#include "score.h"
#include "text/body.h"
#include "title.h"

#include <stdio.h>

#define WIDTH 320
#define HEIGHT 240
#define BACKGROUND 0xFFFF

static uint16_t frame[WIDTH * HEIGHT];
static uint8_t font_bytes[64 * 1024];

/* The font's bytes. The C source holds them as 32-bit words in unsigned longs: on the
   console those are the bytes themselves; where a long is wider, each word's four bytes are
   taken in the console's (little-endian) order. */
static size_t unpacked(const unsigned long *words, size_t count)
{
    size_t i;
    for (i = 0; i < count && i < sizeof font_bytes / 4; ++i) {
        font_bytes[4 * i] = (uint8_t)(words[i] & 0xFF);
        font_bytes[4 * i + 1] = (uint8_t)(words[i] >> 8 & 0xFF);
        font_bytes[4 * i + 2] = (uint8_t)(words[i] >> 16 & 0xFF);
        font_bytes[4 * i + 3] = (uint8_t)(words[i] >> 24 & 0xFF);
    }
    return 4 * i;
}

/* Pixels other than the background inside and outside the box (x, y, w, h). */
static void count_ink(int x, int y, int w, int h, long *inside, long *outside)
{
    int px, py;
    *inside = *outside = 0;
    for (py = 0; py < HEIGHT; ++py) {
        for (px = 0; px < WIDTH; ++px) {
            if (frame[py * WIDTH + px] == BACKGROUND)
                continue;
            if (px >= x && px < x + w && py >= y && py < y + h)
                ++*inside;
            else
                ++*outside;
        }
    }
}

/* Draws text at (x, y) on a white frame; 0 when ink fell inside its box only. */
static int draw(const char *name, size_t size, int x, int y, const char *text)
{
    const zgf_surface screen = {frame, WIDTH, HEIGHT, 1, WIDTH};
    zgf_font font;
    long inside, outside;
    int i, w, h, status = zgf_open(&font, font_bytes, size);
    if (status != ZGF_OK) {
        printf("%s: %s\n", name, zgf_error_text(status));
        return 1;
    }
    for (i = 0; i < WIDTH * HEIGHT; ++i)
        frame[i] = BACKGROUND;
    status = zgf_draw_text(&font, &screen, x, y, text);
    w = zgf_text_width(&font, text);
    h = zgf_text_height(&font, text);
    count_ink(x, y, w, h, &inside, &outside);
    printf("%s: \"%s\" %dx%d at (%d,%d): %ld pixels of ink inside, %ld outside\n", name, text, w, h, x, y, inside,
           outside);
    return status != ZGF_OK || w <= 0 || inside < 20 || outside != 0;
}

int main(void)
{
    /* A split header declares the array without its size; the font's header holds its
       length in bytes in its eleventh word. */
    const size_t score_words = (liberationMono12_zgf[10] + 3) / 4;
    int failed =
        draw("title", unpacked(liberationSans16b_zgf, sizeof liberationSans16b_zgf / sizeof *liberationSans16b_zgf), 40,
             30, "GAME OVER");
    failed |= draw("body", unpacked(dejaVuSans10_zgf, sizeof dejaVuSans10_zgf / sizeof *dejaVuSans10_zgf), 12, 120,
                   "Press Start to play again!");
    failed |= draw("hud", unpacked(arial10_pm_zgf, sizeof arial10_pm_zgf / sizeof *arial10_pm_zgf), 8, 8, "HP 100/100");
    failed |= draw("score", unpacked(liberationMono12_zgf, score_words), 200, 200, "SCORE 1200");
    return failed;
}
