/* Draws texts with fonts of every kind and prints a checksum of every surface, one line per
 * drawing, so the same program built for two machines can be compared line by line
 * (check-arm.sh runs it on the host and, built for ARMv4T, under an emulator).
 *
 * Copyright (C) 2026 Velmora. Free software under the MIT licence (see zgfdraw.h).
 */
#include "zgfdraw.h"

#include <stdio.h>
#include <string.h>

#define CHARS 6
#define HEIGHT 7

static const uint8_t codes[CHARS] = {'A', 'g', 0x80, 'B', 'a', ' '};
static const int widths[CHARS] = {5, 9, 4, 12, 0, 3};
static const int lefts[CHARS] = {1, 0, -3, 2, 0, -1};
static const int rights[CHARS] = {1, 2, -4, 0, 3, 2};

static uint32_t seed;

static unsigned random_below(unsigned n)
{
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) % n;
}

typedef struct {
    uint8_t bytes[8192];
    size_t size;
} buffer;

static void put8(buffer *b, unsigned v)
{
    b->bytes[b->size++] = (uint8_t)v;
}
static void put16(buffer *b, unsigned v)
{
    put8(b, v & 255);
    put8(b, v >> 8 & 255);
}
static void set32(buffer *b, size_t at, unsigned long v)
{
    int i;
    for (i = 0; i < 4; ++i)
        b->bytes[at + (size_t)i] = (uint8_t)(v >> 8 * i & 255);
}

static void put_run(buffer *b, unsigned count, unsigned level)
{
    while (count > 255) {
        put8(b, level), put8(b, 255);
        count -= 255;
    }
    if (count > 7)
        put8(b, level), put8(b, count);
    else if (count > 0)
        put8(b, count * 32 + level);
}

/* levels[row][channel][x] of an image, coded by rows, then channels. */
static void put_image(buffer *b, const uint8_t *levels, int width, int height, int channels, int rle)
{
    int y, k, x;
    for (y = 0; y < height; ++y) {
        const uint8_t *row = levels + (size_t)y * (size_t)(width * channels);
        if (!rle) {
            for (x = 0; x < width; ++x) {
                if (channels == 1)
                    put8(b, row[x]);
                else
                    put16(b, (unsigned)(row[x] << 11 | row[width + x] << 6 | row[2 * width + x] << 1 | 1));
            }
            continue;
        }
        for (k = 0; k < channels; ++k) {
            const uint8_t *channel = row + k * width;
            unsigned count = 0;
            for (x = 0; x < width; ++x) {
                ++count;
                if (x + 1 == width || channel[x + 1] != channel[x]) {
                    put_run(b, count, channel[x]);
                    count = 0;
                }
            }
        }
    }
}

/* mask: 0 none, 1 generic, 2 shadow. */
static void build_font(buffer *b, int rle, int mask, int narrow_mask)
{
    static uint8_t image[HEIGHT * 3 * 40], levels[(HEIGHT + 3) * (40 + CHARS * 2)];
    const int width = 33, inc = narrow_mask ? 0 : 2, hinc = narrow_mask ? -1 : 3;
    const int mask_width = width + CHARS * inc, mask_height = HEIGHT + hinc;
    int i, x, y;
    memset(b, 0, sizeof *b);
    memcpy(b->bytes, "ZGF", 4);
    b->bytes[4] = 1;
    b->bytes[5] = (uint8_t)(33 | (rle ? 2 : 0) | (mask ? 4 : 0) | (mask && rle ? 8 : 0) | (mask == 2 ? 16 : 0));
    b->bytes[52] = 0xC1, b->bytes[53] = 0x07; /* transparent green */
    b->bytes[54] = 0x43, b->bytes[55] = 0x21; /* shadow */
    b->bytes[58] = (uint8_t)width;
    b->bytes[60] = HEIGHT;
    b->bytes[61] = 3;
    b->bytes[65] = (uint8_t)inc;
    b->bytes[66] = (uint8_t)hinc;
    b->bytes[67] = 1, b->bytes[68] = 0xFF, b->bytes[69] = 2, b->bytes[70] = 1;
    b->bytes[71] = 0xFE; /* lines overlap by 2 */
    b->bytes[72] = 1;
    b->bytes[73] = CHARS;
    b->size = 76;
    for (i = 0; i < CHARS; ++i)
        put8(b, codes[i]);
    for (i = 0; i < CHARS; ++i)
        put8(b, (unsigned)widths[i]);
    for (i = 0; i < CHARS; ++i)
        put8(b, (unsigned)lefts[i] & 255);
    for (i = 0; i < CHARS; ++i)
        put8(b, (unsigned)rights[i] & 255);
    set32(b, 44, b->size);
    for (y = 0; y < HEIGHT; ++y) {
        for (x = 0; x < width; ++x) {
            const int transparent = random_below(3) == 0 || y == 0;
            uint8_t *p = image + (size_t)(y * 3 * width + x);
            p[0] = (uint8_t)(transparent ? 0 : y == 3 ? 20 : random_below(32));
            p[width] = (uint8_t)(transparent ? 31 : random_below(32));
            p[2 * width] = (uint8_t)(transparent ? 0 : y == 3 ? 7 : random_below(32));
        }
    }
    put_image(b, image, width, HEIGHT, 3, rle);
    if (mask) {
        set32(b, 48, b->size);
        for (i = 0; i < mask_width * mask_height; ++i)
            levels[i] = (uint8_t)(random_below(4) == 0 ? 0 : random_below(2) ? 31 : random_below(32));
        put_image(b, levels, mask_width, mask_height, 1, rle);
    }
    set32(b, 40, b->size);
}

static uint32_t checksum(const zgf_surface *s)
{
    uint32_t hash = 2166136261u;
    int x, y;
    for (y = 0; y < s->height; ++y) {
        for (x = 0; x < s->width; ++x) {
            const uint16_t p = s->pixels[x * s->xstride + y * s->ystride];
            hash = (hash ^ (p & 255u)) * 16777619u;
            hash = (hash ^ (p >> 8u)) * 16777619u;
        }
    }
    return hash;
}

int main(void)
{
    // clang-format off
    static const char *const texts[] = {"AgB\x80 a", "gA\r\nB\x80\rAz\n\ng", "\xE2\x82\xAC" "A\xC3" "g\xF0\x9F\x98\x80" "B"};
    // clang-format on
    static const int places[][2] = {{2, 1}, {-6, 3}, {30, 2}, {4, -5}, {1, 14}, {-40, -3}};
    static uint16_t pixels[40 * 18];
    static uint32_t index[4096];
    uint32_t total = 0;
    int lines = 0, rle, mask, narrow, t, p, layout, indexed;
    for (rle = 0; rle < 2; ++rle)
        for (mask = 0; mask < 3; ++mask)
            for (narrow = 0; narrow < 2; ++narrow) {
                buffer font;
                zgf_font f;
                int opened;
                seed = (uint32_t)(rle * 6 + mask * 2 + narrow + 1);
                build_font(&font, rle, mask, narrow);
                opened = zgf_open(&f, font.bytes, font.size);
                if (opened != ZGF_OK) {
                    printf("font %d %d %d: %s\n", rle, mask, narrow, zgf_error_text(opened));
                    return 1;
                }
                for (indexed = 0; indexed < 2; ++indexed) {
                    if (indexed && zgf_set_index(&f, index, sizeof index) != ZGF_OK)
                        return 1;
                    for (t = 0; t < 3; ++t)
                        for (p = 0; p < 6; ++p)
                            for (layout = 0; layout < 3; ++layout) {
                                zgf_surface s;
                                int i;
                                s.width = 40, s.height = 18;
                                s.pixels = layout == 0 ? pixels : layout == 1 ? pixels + 40 * 17 : pixels + 17;
                                s.xstride = layout == 2 ? 18 : 1;
                                s.ystride = layout == 0 ? 40 : layout == 1 ? -40 : -1;
                                for (i = 0; i < 40 * 18; ++i)
                                    pixels[i] = (uint16_t)(i * 2654435761u >> 7);
                                if (t < 2 ? zgf_draw_text(&f, &s, places[p][0], places[p][1], texts[t])
                                          : zgf_draw_utf8(&f, &s, places[p][0], places[p][1], texts[t], &zgf_cp1252))
                                    return 1;
                                printf("font %d %d %d index %d text %d at %d,%d layout %d: %dx%d %08lx\n", rle, mask,
                                       narrow, indexed, t, places[p][0], places[p][1], layout,
                                       zgf_text_width(&f, texts[t]), zgf_text_height(&f, texts[t]),
                                       (unsigned long)checksum(&s));
                                total ^= checksum(&s) + (uint32_t)lines;
                                ++lines;
                            }
                }
            }
    printf("%d drawings, all %08lx\n", lines, (unsigned long)total);
    return 0;
}
