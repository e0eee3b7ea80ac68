/* zgfdraw: draws text with ZGF bitmap fonts on 16-bit GP32 surfaces.
 *
 * Copyright (C) 2026 Velmora.
 *
 * Permission is hereby granted, free of charge, to any person obtaining a copy of this
 * software and associated documentation files (the "Software"), to deal in the Software
 * without restriction, including without limitation the rights to use, copy, modify, merge,
 * publish, distribute, sublicense, and/or sell copies of the Software, and to permit persons
 * to whom the Software is furnished to do so, subject to the following conditions:
 *
 * The above copyright notice and this permission notice shall be included in all copies or
 * substantial portions of the Software.
 *
 * THE SOFTWARE IS PROVIDED "AS IS", WITHOUT WARRANTY OF ANY KIND, EXPRESS OR IMPLIED,
 * INCLUDING BUT NOT LIMITED TO THE WARRANTIES OF MERCHANTABILITY, FITNESS FOR A PARTICULAR
 * PURPOSE AND NONINFRINGEMENT. IN NO EVENT SHALL THE AUTHORS OR COPYRIGHT HOLDERS BE LIABLE
 * FOR ANY CLAIM, DAMAGES OR OTHER LIABILITY, WHETHER IN AN ACTION OF CONTRACT, TORT OR
 * OTHERWISE, ARISING FROM, OUT OF OR IN CONNECTION WITH THE SOFTWARE OR THE USE OR OTHER
 * DEALINGS IN THE SOFTWARE.
 */
#include "zgfdraw.h"

#include <string.h>

#define HEADER_SIZE 76
#define NO_CHAR 255
/* Pens and positions are kept within this, so no sum of them overflows an int. */
#define LIMIT (1L << 28)
/* What next_code gives besides a byte. */
#define CODE_END (-1)
#define CODE_BREAK (-2)
#define CODE_MISSING (-3)
#define UTF8_BAD 0xFFFFFFFFul

static unsigned le16(const uint8_t *p)
{
    return (unsigned)p[0] | (unsigned)p[1] << 8;
}

static unsigned long le32(const uint8_t *p)
{
    return (unsigned long)le16(p) | (unsigned long)le16(p + 2) << 16;
}

static int signed8(uint8_t b)
{
    return (int)(b ^ 0x80u) - 0x80;
}

static int half_down(int v)
{
    return v >= 0 ? v / 2 : -((1 - v) / 2);
}

static int clamp(long v)
{
    return (int)(v > LIMIT ? LIMIT : v < -LIMIT ? -LIMIT : v);
}

/* ---- RLE runs: a byte b >= 32 is b / 32 pixels of level b % 32, else b is the level and the
   next byte the count. Runs never cross a row or channel, so an image is one stream of
   rows x channels x width levels. */

typedef struct {
    const uint8_t *at, *next; /* the current run's first byte, and the byte after it */
    int length, left, level;
} rle_reader;

static void rle_load(rle_reader *r, const uint8_t *at)
{
    r->at = at;
    if (at[0] >= 32) {
        r->length = at[0] >> 5;
        r->level = at[0] & 31;
        r->next = at + 1;
    } else {
        r->length = at[1];
        r->level = at[0];
        r->next = at + 2;
    }
    r->left = r->length;
}

static void rle_skip(rle_reader *r, unsigned long pixels)
{
    while (pixels > 0) {
        unsigned long step;
        while (r->left == 0)
            rle_load(r, r->next);
        step = (unsigned long)r->left < pixels ? (unsigned long)r->left : pixels;
        r->left -= (int)step;
        pixels -= step;
    }
}

/* The next span of at most n pixels of one level (r->level): its length. */
static int rle_span(rle_reader *r, int n)
{
    int step;
    while (r->left == 0)
        rle_load(r, r->next);
    step = r->left < n ? r->left : n;
    r->left -= step;
    return step;
}

/* Where the reader stands, for the index: the run's offset and the pixels already taken. */
static uint32_t rle_position(const rle_reader *r, const uint8_t *base)
{
    if (r->left == 0)
        return (uint32_t)(r->next - base) << 8;
    return (uint32_t)(r->at - base) << 8 | (uint32_t)(r->length - r->left);
}

/* Whether data of size bytes holds exactly rows x channels rows of width levels. */
static int rle_valid(const uint8_t *p, unsigned long size, int width, int rows)
{
    const uint8_t *end = p + size;
    int row;
    for (row = 0; row < rows && width > 0; ++row) {
        int x = 0;
        while (x < width) {
            int count;
            if (p == end)
                return 0;
            if (*p >= 32) {
                count = *p++ >> 5;
            } else {
                if (end - p < 2)
                    return 0;
                count = p[1];
                p += 2;
            }
            if (count > width - x)
                return 0;
            x += count;
        }
    }
    return 1;
}

/* Stands the reader at (col, row) of one channel of an RLE image. entry is the index entry
   of the cell that starts at cell_col in that row and channel, or NULL. */
static void rle_seek(rle_reader *r, const uint8_t *base, const uint32_t *entry, unsigned long stream_row, int width,
                     int cell_col, int col)
{
    if (entry) {
        rle_load(r, base + (*entry >> 8));
        r->left -= (int)(*entry & 255);
        rle_skip(r, (unsigned long)(col - cell_col));
    } else {
        r->left = 0;
        r->next = base;
        rle_skip(r, stream_row * (unsigned long)width + (unsigned long)col);
    }
}

/* ---- Images */

static int mask_cell_x(const zgf_font *f, int i)
{
    return f->cell_x[i] + i * f->mask_width_inc;
}

static int mask_cell_width(const zgf_font *f, int i)
{
    return f->widths[i] + f->mask_width_inc;
}

/* The glyph image's pixels (col..col + n, row) of character i's cell as spans of equal
   pixels, so a transparent span is skipped whole: the number of spans. */
static int glyph_spans(const zgf_font *f, int i, int row, int col, int n, uint16_t *pixels, uint8_t *lengths)
{
    rle_reader channels[3];
    int k, c, spans = 0;
    if (!f->image_rle) {
        const uint8_t *p = f->image + 2 * ((unsigned long)row * (unsigned long)f->width + (unsigned long)col);
        for (c = 0; c < n; ++c) {
            const uint16_t pixel = (uint16_t)le16(p + 2 * c);
            if (spans > 0 && pixels[spans - 1] == pixel) {
                ++lengths[spans - 1];
            } else {
                pixels[spans] = pixel;
                lengths[spans++] = 1;
            }
        }
        return spans;
    }
    /* The three channels side by side: a span ends where any of their runs ends. */
    for (k = 0; k < 3; ++k) {
        const unsigned long stream_row = (unsigned long)row * 3 + (unsigned long)k;
        const uint32_t *entry = f->index ? f->index + stream_row * (unsigned long)f->count + (unsigned long)i : NULL;
        rle_seek(&channels[k], f->image, entry, stream_row, f->width, f->cell_x[i], col);
    }
    for (c = 0; c < n; c += lengths[spans++]) {
        unsigned pixel = 1;
        int step = n - c;
        for (k = 0; k < 3; ++k) {
            while (channels[k].left == 0)
                rle_load(&channels[k], channels[k].next);
            if (channels[k].left < step)
                step = channels[k].left;
            pixel |= (unsigned)channels[k].level << (11 - 5 * k);
        }
        for (k = 0; k < 3; ++k)
            channels[k].left -= step;
        pixels[spans] = (uint16_t)pixel;
        lengths[spans] = (uint8_t)step;
    }
    return spans;
}

/* The mask levels of character i's mask cell at (x..x + n, y) of the cell; 0 outside it. */
static void cell_levels(const zgf_font *f, int i, int x, int y, int n, uint8_t *out)
{
    const int width = mask_cell_width(f, i);
    const int from = x < 0 ? -x : 0;
    const int to = x + n > width ? width - x : n;
    memset(out, 0, (size_t)n);
    if (y < 0 || y >= f->mask_height || from >= to)
        return;
    out += from;
    x += from;
    n = to - from;
    if (f->mask_rle) {
        const uint32_t *entry = NULL;
        if (f->index) {
            const unsigned long glyph_entries =
                f->image_rle ? (unsigned long)f->height * 3 * (unsigned long)f->count : 0;
            entry = f->index + glyph_entries + (unsigned long)y * (unsigned long)f->count + (unsigned long)i;
        }
        rle_reader r;
        int c = 0;
        rle_seek(&r, f->mask, entry, (unsigned long)y, f->mask_width, mask_cell_x(f, i), mask_cell_x(f, i) + x);
        while (c < n) {
            const int step = rle_span(&r, n - c);
            memset(out + c, r.level, (size_t)step);
            c += step;
        }
    } else {
        memcpy(out, f->mask + (unsigned long)y * (unsigned long)f->mask_width + (unsigned long)(mask_cell_x(f, i) + x),
               (size_t)n);
    }
}

/* ---- Surfaces */

static void put(const zgf_surface *s, int x, int y, unsigned src, unsigned level)
{
    uint16_t *d = &s->pixels[(ptrdiff_t)x * s->xstride + (ptrdiff_t)y * s->ystride];
    unsigned out = 1, shift;
    if (level >= 31) {
        *d = (uint16_t)(src | 1);
        return;
    }
    for (shift = 1; shift <= 11; shift += 5) {
        const unsigned a = (*d >> shift) & 31, b = (src >> shift) & 31;
        /* x / 31 as a multiply for every x up to 31 * 31 + 15: the ARM920T has no divide. */
        out |= ((a * (31 - level) + b * level + 15) * 2115 >> 16) << shift;
    }
    *d = (uint16_t)out;
}

/* The columns [*from, *to) and rows [*top, *bottom) of a w x h box at (x, y) on the surface. */
static int clip(const zgf_surface *s, int x, int y, int w, int h, int *from, int *to, int *top, int *bottom)
{
    *from = x < 0 ? -x : 0;
    *to = w < s->width - x ? w : s->width - x;
    *top = y < 0 ? -y : 0;
    *bottom = h < s->height - y ? h : s->height - y;
    return *from < *to && *top < *bottom;
}

static void draw_shadow(const zgf_font *f, const zgf_surface *s, int i, int x, int y)
{
    int from, to, top, bottom, row, c;
    x += f->shadow_dx;
    y += f->shadow_dy;
    if (!clip(s, x, y, mask_cell_width(f, i), f->mask_height, &from, &to, &top, &bottom))
        return;
    for (row = top; row < bottom; ++row) {
        uint8_t levels[382];
        cell_levels(f, i, from, row, to - from, levels);
        for (c = from; c < to; ++c) {
            if (levels[c - from])
                put(s, x + c, y + row, f->shadow_color, levels[c - from]);
        }
    }
}

static void draw_glyph(const zgf_font *f, const zgf_surface *s, int i, int x, int y)
{
    int from, to, top, bottom, row, c;
    if (!clip(s, x, y, f->widths[i], f->height, &from, &to, &top, &bottom))
        return;
    for (row = top; row < bottom; ++row) {
        uint16_t pixels[255];
        uint8_t lengths[255], levels[255];
        const int spans = glyph_spans(f, i, row, f->cell_x[i] + from, to - from, pixels, lengths);
        int span;
        if (f->mask && !f->shadow)
            cell_levels(f, i, from + f->mask_x, row + f->mask_y, to - from, levels);
        else
            memset(levels, 31, (size_t)(to - from));
        for (span = 0, c = from; span < spans; ++span) {
            const unsigned pixel = pixels[span];
            const int end = c + lengths[span];
            if ((pixel & 0xFFFEu) == f->key) {
                c = end;
                continue;
            }
            for (; c < end; ++c) {
                if (levels[c - from])
                    put(s, x + c, y + row, pixel, levels[c - from]);
            }
        }
    }
}

/* ---- Text */

typedef struct {
    const zgf_font *font;
    const uint8_t *p;
    const zgf_codepage *codepage; /* NULL: bytes of the font's code page */
    int pen, top, right, bottom, started;
} walk;

static uint32_t utf8_next(const uint8_t **text)
{
    const uint8_t *p = *text;
    uint32_t c = *p, min;
    int more;
    if (c < 0x80) {
        *text = p + (c != 0);
        return c;
    }
    if (c >= 0xC2 && c <= 0xDF) {
        more = 1, c &= 0x1F, min = 0x80;
    } else if (c >= 0xE0 && c <= 0xEF) {
        more = 2, c &= 0x0F, min = 0x800;
    } else if (c >= 0xF0 && c <= 0xF4) {
        more = 3, c &= 0x07, min = 0x10000;
    } else {
        *text = p + 1;
        return UTF8_BAD;
    }
    /* The terminating 0 is no continuation byte, so a cut sequence stops before it. */
    for (++p; more > 0; --more, ++p) {
        if ((*p & 0xC0) != 0x80) {
            *text = p;
            return UTF8_BAD;
        }
        c = c << 6 | (*p & 0x3Fu);
    }
    *text = p;
    return c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF) ? UTF8_BAD : c;
}

static int next_code(walk *w)
{
    uint32_t c;
    int code;
    if (!w->codepage) {
        c = *w->p;
        if (c)
            ++w->p;
    } else {
        c = utf8_next(&w->p);
    }
    if (c == 0)
        return CODE_END;
    if (c == '\r' || c == '\n') {
        if (c == '\r' && *w->p == '\n')
            ++w->p;
        return CODE_BREAK;
    }
    if (!w->codepage)
        return (int)c;
    code = c == UTF8_BAD ? -1 : zgf_codepage_byte(w->codepage, c);
    return code < 0 ? CODE_MISSING : code;
}

static void end_line(walk *w)
{
    const int bottom = w->top + w->font->height;
    if (w->pen > w->right)
        w->right = w->pen;
    if (bottom > w->bottom)
        w->bottom = bottom;
}

static void grow(walk *w, long right, long bottom)
{
    if (right > w->right)
        w->right = clamp(right);
    if (bottom > w->bottom)
        w->bottom = clamp(bottom);
}

static void walk_start(walk *w, const zgf_font *f, const char *text, const zgf_codepage *codepage)
{
    memset(w, 0, sizeof *w);
    w->font = f;
    w->p = (const uint8_t *)text;
    w->codepage = codepage;
}

/* The next character cell of the text: 1 with its character and top-left, 0 at the end. The
   box grows by every cell, advance and shadow walked. */
static int walk_next(walk *w, int *index, int *x, int *y)
{
    const zgf_font *f = w->font;
    for (;;) {
        const int code = next_code(w);
        int i;
        if (code == CODE_END) {
            if (w->started)
                end_line(w);
            return 0;
        }
        w->started = 1;
        if (code == CODE_BREAK) {
            end_line(w);
            w->top = clamp((long)w->top + f->line_advance);
            w->pen = 0;
            continue;
        }
        i = code < 0 ? NO_CHAR : f->index_of[code];
        if (i == NO_CHAR) {
            w->pen = clamp((long)w->pen + f->default_width + f->char_sep);
            continue;
        }
        w->pen = clamp((long)w->pen + (f->left ? signed8(f->left[i]) : 0));
        *index = i;
        *x = w->pen;
        *y = w->top;
        grow(w, (long)w->pen + f->widths[i], 0);
        if (f->shadow)
            grow(w, (long)w->pen + f->shadow_dx + mask_cell_width(f, i), (long)w->top + f->shadow_dy + f->mask_height);
        w->pen = clamp((long)w->pen + f->widths[i] + (f->right ? signed8(f->right[i]) : 0) + f->char_sep);
        return 1;
    }
}

static void measure(const zgf_font *f, const char *text, const zgf_codepage *codepage, int *width, int *height)
{
    walk w;
    int i, x, y;
    *width = *height = 0;
    if (!f || !f->image || !text)
        return;
    walk_start(&w, f, text, codepage);
    while (walk_next(&w, &i, &x, &y)) {
    }
    *width = w.right;
    *height = w.bottom;
}

static int draw(const zgf_font *f, const zgf_surface *s, int x, int y, const char *text, const zgf_codepage *codepage)
{
    walk w;
    int i, cx, cy, pass;
    if (!f || !f->image || !s || !text || s->width < 0 || s->height < 0 || s->width > LIMIT || s->height > LIMIT
        || (!s->pixels && s->width && s->height))
        return ZGF_E_ARGUMENT;
    x = clamp(x);
    y = clamp(y);
    /* Every shadow lies under every glyph. */
    for (pass = f->shadow ? 0 : 1; pass < 2; ++pass) {
        walk_start(&w, f, text, codepage);
        while (walk_next(&w, &i, &cx, &cy)) {
            if (pass == 0)
                draw_shadow(f, s, i, x + cx, y + cy);
            else
                draw_glyph(f, s, i, x + cx, y + cy);
        }
    }
    return ZGF_OK;
}

/* ---- Public interface */

int zgf_open(zgf_font *f, const void *data, size_t size)
{
    const uint8_t *d = (const uint8_t *)data;
    unsigned long length, glyph_offset, glyph_end, mask_offset = 0, sum = 0;
    unsigned flags;
    int n, i;
    if (!f || !d)
        return ZGF_E_ARGUMENT;
    memset(f, 0, sizeof *f);
    if (size < HEADER_SIZE)
        return ZGF_E_TRUNCATED;
    if (memcmp(d, "ZGF", 4) != 0 || d[4] != 1)
        return ZGF_E_SIGNATURE;
    flags = le16(d + 5);
    if (!(flags & 1))
        return ZGF_E_UNSUPPORTED;
    n = d[73];
    length = le32(d + 40);
    glyph_offset = HEADER_SIZE + (unsigned long)n * (flags & 32 ? 4 : 2);
    if (length < glyph_offset || le32(d + 44) != glyph_offset)
        return ZGF_E_TABLES;
    if (length > size)
        return ZGF_E_TRUNCATED;

    f->count = n;
    f->codes = d + HEADER_SIZE;
    f->widths = f->codes + n;
    if (flags & 32) {
        f->left = f->widths + n;
        f->right = f->left + n;
    }
    f->width = (int)le16(d + 58);
    f->height = d[60];
    memset(f->index_of, NO_CHAR, sizeof f->index_of);
    for (i = 0; i < n; ++i) {
        f->cell_x[i] = (uint16_t)sum;
        sum += f->widths[i];
        if (f->index_of[f->codes[i]] == NO_CHAR)
            f->index_of[f->codes[i]] = (uint8_t)i;
    }
    if (sum != (unsigned long)f->width)
        return ZGF_E_TABLES;

    glyph_end = length;
    if (flags & 4) {
        mask_offset = le32(d + 48);
        if (mask_offset < glyph_offset || mask_offset > length)
            return ZGF_E_MASK;
        glyph_end = mask_offset;
        f->mask_width_inc = signed8(d[65]);
        for (i = 0; i < n; ++i) {
            if (mask_cell_width(f, i) < 0)
                return ZGF_E_MASK;
        }
        f->mask_width = f->width + n * f->mask_width_inc;
        f->mask_height = f->height + signed8(d[66]);
        if (f->mask_height < 0)
            return ZGF_E_MASK;
        f->mask = d + mask_offset;
        f->mask_rle = (flags & 8) != 0;
        f->shadow = (flags & 16) != 0;
        f->mask_x = half_down(f->mask_width_inc);
        f->mask_y = half_down(signed8(d[66]));
    }
    f->image_rle = (flags & 2) != 0;
    if (f->image_rle) {
        if (!rle_valid(d + glyph_offset, glyph_end - glyph_offset, f->width, f->height * 3))
            return ZGF_E_IMAGE;
    } else if (glyph_end - glyph_offset < 2 * (unsigned long)f->width * (unsigned long)f->height) {
        return ZGF_E_IMAGE;
    }
    if (f->mask) {
        const unsigned long levels = (unsigned long)f->mask_width * (unsigned long)f->mask_height;
        if (f->mask_rle) {
            if (!rle_valid(f->mask, length - mask_offset, f->mask_width, f->mask_height))
                return ZGF_E_IMAGE;
        } else {
            unsigned long k;
            if (length - mask_offset < levels)
                return ZGF_E_IMAGE;
            for (k = 0; k < levels; ++k) {
                if (f->mask[k] > 31)
                    return ZGF_E_IMAGE;
            }
        }
    }
    f->key = (uint16_t)(le16(d + 52) & 0xFFFEu);
    f->shadow_color = (uint16_t)(le16(d + 54) | 1u);
    f->shadow_dx = signed8(d[67]) + signed8(d[69]) - f->mask_x;
    f->shadow_dy = signed8(d[68]) + signed8(d[70]) - f->mask_y;
    f->default_width = d[61];
    f->line_advance = f->height + signed8(d[71]);
    f->char_sep = signed8(d[72]);
    f->image = d + glyph_offset;
    f->image_bytes = glyph_end - glyph_offset;
    f->mask_bytes = f->mask ? length - mask_offset : 0;
    return ZGF_OK;
}

const char *zgf_error_text(int code)
{
    switch (code) {
    case ZGF_OK: return "No error.";
    case ZGF_E_ARGUMENT: return "A null pointer or a surface of negative size was given.";
    case ZGF_E_TRUNCATED: return "The data is shorter than the font's header or declared length.";
    case ZGF_E_SIGNATURE: return "The data is not a ZGF font of version 1.";
    case ZGF_E_UNSUPPORTED: return "Fonts with 8-bit pixels are not supported.";
    case ZGF_E_TABLES: return "The character tables, widths or glyph data offset do not agree.";
    case ZGF_E_MASK: return "The mask offset, size or a character's mask cell lies outside the mask.";
    case ZGF_E_IMAGE: return "The image data is short or malformed.";
    case ZGF_E_INDEX: return "The index memory is too small or not 4-byte aligned.";
    default: return "Unknown error.";
    }
}

zgf_surface zgf_gp32_screen(uint16_t *framebuffer)
{
    zgf_surface s;
    s.pixels = framebuffer + 239;
    s.width = 320;
    s.height = 240;
    s.xstride = 240;
    s.ystride = -1;
    return s;
}

int zgf_codepage_byte(const zgf_codepage *codepage, uint32_t unicode)
{
    unsigned lo = 0, hi;
    if (!codepage)
        return -1;
    if (unicode < 256 && (codepage->identity[unicode >> 3] >> (unicode & 7) & 1))
        return (int)unicode;
    hi = codepage->count;
    while (lo < hi) {
        const unsigned mid = (lo + hi) / 2;
        if (codepage->unicode[mid] < unicode)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo < codepage->count && codepage->unicode[lo] == unicode ? codepage->bytes[lo] : -1;
}

int zgf_text_width(const zgf_font *font, const char *text)
{
    int width, height;
    measure(font, text, NULL, &width, &height);
    return width;
}

int zgf_text_height(const zgf_font *font, const char *text)
{
    int width, height;
    measure(font, text, NULL, &width, &height);
    return height;
}

int zgf_utf8_width(const zgf_font *font, const char *utf8, const zgf_codepage *codepage)
{
    int width, height;
    measure(font, codepage ? utf8 : NULL, codepage, &width, &height);
    return width;
}

int zgf_utf8_height(const zgf_font *font, const char *utf8, const zgf_codepage *codepage)
{
    int width, height;
    measure(font, codepage ? utf8 : NULL, codepage, &width, &height);
    return height;
}

static unsigned long index_entries(const zgf_font *f, int mask)
{
    if (mask)
        return f->mask && f->mask_rle ? (unsigned long)f->mask_height * (unsigned long)f->count : 0;
    return f->image_rle ? (unsigned long)f->height * 3 * (unsigned long)f->count : 0;
}

size_t zgf_index_size(const zgf_font *font)
{
    if (!font || !font->image)
        return 0;
    return (index_entries(font, 0) + index_entries(font, 1)) * sizeof(uint32_t);
}

/* Records, for every row of each channel, where each character's cell starts. */
static uint32_t *index_image(const zgf_font *f, const uint8_t *base, int width, unsigned long rows, int mask,
                             uint32_t *out)
{
    rle_reader r;
    unsigned long row;
    int i;
    r.left = 0;
    r.next = base;
    for (row = 0; row < rows; ++row) {
        int x = 0;
        for (i = 0; i < f->count; ++i) {
            const int cell = mask ? mask_cell_x(f, i) : f->cell_x[i];
            rle_skip(&r, (unsigned long)(cell - x));
            *out++ = rle_position(&r, base);
            x = cell;
        }
        rle_skip(&r, (unsigned long)(width - x));
    }
    return out;
}

int zgf_set_index(zgf_font *font, void *memory, size_t size)
{
    uint32_t *out = (uint32_t *)memory;
    const unsigned long glyph_entries = font ? index_entries(font, 0) : 0;
    if (!font || !font->image)
        return ZGF_E_ARGUMENT;
    font->index = NULL;
    if (zgf_index_size(font) == 0)
        return ZGF_OK;
    if (!memory || size < zgf_index_size(font) || ((uintptr_t)memory & 3) != 0)
        return ZGF_E_INDEX;
    /* An entry holds the run's offset in 24 bits. */
    if (font->image_bytes >= 1ul << 24 || font->mask_bytes >= 1ul << 24)
        return ZGF_E_INDEX;
    if (glyph_entries)
        out = index_image(font, font->image, font->width, (unsigned long)font->height * 3, 0, out);
    if (index_entries(font, 1))
        index_image(font, font->mask, font->mask_width, (unsigned long)font->mask_height, 1, out);
    font->index = (const uint32_t *)memory;
    return ZGF_OK;
}

int zgf_draw_text(const zgf_font *font, const zgf_surface *dst, int x, int y, const char *text)
{
    return draw(font, dst, x, y, text, NULL);
}

int zgf_draw_utf8(const zgf_font *font, const zgf_surface *dst, int x, int y, const char *utf8,
                  const zgf_codepage *codepage)
{
    return codepage ? draw(font, dst, x, y, utf8, codepage) : ZGF_E_ARGUMENT;
}
