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
 *
 * C99, no allocation, no global state. The font stays in the caller's memory at any
 * address: it is read a byte at a time, so no unaligned load ever happens.
 */
#ifndef ZGFDRAW_H
#define ZGFDRAW_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

enum {
    ZGF_OK = 0,
    ZGF_E_ARGUMENT = -1,    /* a null pointer, or a surface of negative size */
    ZGF_E_TRUNCATED = -2,   /* fewer bytes than the header or its declared length */
    ZGF_E_SIGNATURE = -3,   /* no "ZGF" signature, or a version other than 1 */
    ZGF_E_UNSUPPORTED = -4, /* 8-bit pixels */
    ZGF_E_TABLES = -5,      /* tables, glyph offset or widths that do not agree */
    ZGF_E_MASK = -6,        /* a mask offset, size or cell outside the mask data */
    ZGF_E_IMAGE = -7,       /* image data that is short, or runs that overflow a row */
    ZGF_E_INDEX = -8        /* index memory too small or not 4-byte aligned */
};

/* Filled by zgf_open; points into the font's bytes, which must outlive it. About 830 bytes. */
typedef struct zgf_font {
    const uint8_t *codes, *widths, *left, *right; /* the four tables (indents may be NULL) */
    const uint8_t *image, *mask;                  /* image data; mask NULL without a mask */
    const uint32_t *index;                        /* zgf_set_index's memory, or NULL */
    unsigned long image_bytes, mask_bytes;
    uint16_t cell_x[256];  /* first column of each character's cell */
    uint8_t index_of[256]; /* character of each byte, 255 when the font lacks it */
    int count, width, height, mask_width, mask_height;
    int image_rle, mask_rle, shadow;
    int mask_width_inc, mask_x, mask_y; /* mask cell growth and where the glyph sits in it */
    int shadow_dx, shadow_dy;           /* shadow offset from the glyph's mask cell */
    int default_width, line_advance, char_sep;
    uint16_t key, shadow_color; /* transparent colour (low bit cleared), shadow */
} zgf_font;

typedef struct zgf_surface {
    uint16_t *pixels;           /* the pixel at (0, 0) */
    int width, height;          /* in pixels; drawing is clipped to them */
    ptrdiff_t xstride, ystride; /* (x, y) is at pixels[x * xstride + y * ystride] */
} zgf_surface;

/* Unicode -> byte of an 8-bit code page: the bytes that stand for the character of their own
   value are set in a bit map, the others listed by ascending character. Each code page is an
   object file of its own, so a program links only those it names. Unassigned bytes are no
   character's byte. The tables are made by gen-codepages.py from the system's iconv. */
typedef struct zgf_codepage {
    uint8_t identity[32];    /* bit b % 8 of byte b / 8: byte b is U+00bb */
    const uint16_t *unicode; /* ascending */
    const uint8_t *bytes;    /* the byte of each */
    uint16_t count;
} zgf_codepage;
extern const zgf_codepage zgf_cp1250, zgf_cp1251, zgf_cp1252, zgf_cp1253, zgf_cp1254, zgf_cp1257;
extern const zgf_codepage zgf_iso8859_1, zgf_iso8859_2, zgf_iso8859_5, zgf_iso8859_7, zgf_iso8859_9, zgf_iso8859_15;
extern const zgf_codepage zgf_koi8_r, zgf_koi8_u, zgf_cp437, zgf_cp850, zgf_cp866;

/* 0, or a negative ZGF_E... code: the header, the tables and every offset, length and run
   are checked against size, so no later call reads outside data[0..size). Reads every image
   byte once. */
int zgf_open(zgf_font *font, const void *data, size_t size);
/* An English sentence for a ZGF_E... code. */
const char *zgf_error_text(int code);
/* The console's 320 x 240 screen: pixel (x, y) at framebuffer[x * 240 + (239 - y)]. */
zgf_surface zgf_gp32_screen(uint16_t *framebuffer);
/* The byte of a Unicode character in the code page, or -1 when it has none. O(log n). */
int zgf_codepage_byte(const zgf_codepage *codepage, uint32_t unicode);

/* The box of everything drawing this text may touch right of and below the origin: glyph
   cells, advances and shadows (empty text: 0 x 0; a trailing line break adds a line). Text is
   in the font's 8-bit code page: a byte is looked up in the font's code table (first match
   wins); CR, LF and CR LF always break lines; byte 0 ends the text; any other byte the font
   lacks advances by the default width plus the character separation. O(length). */
int zgf_text_width(const zgf_font *font, const char *text);
int zgf_text_height(const zgf_font *font, const char *text);
/* The same for UTF-8 text mapped through the code page (not NULL: 0); an invalid sequence or
   a character the code page lacks is a missing character. */
int zgf_utf8_width(const zgf_font *font, const char *utf8, const zgf_codepage *codepage);
int zgf_utf8_height(const zgf_font *font, const char *utf8, const zgf_codepage *codepage);

/* Optional: memory that lets an RLE font draw a character without decoding its image from
   the start: 4 bytes per character for every row of each channel (0 for a RAW font). The
   memory must be 4-byte aligned and outlive the font; zgf_set_index fills it in one pass
   over the image data (ZGF_E_INDEX for an image of 16 MB or more, which stays unindexed). */
size_t zgf_index_size(const zgf_font *font);
int zgf_set_index(zgf_font *font, void *memory, size_t size);

/* Draws text with the top-left of its first line's cells at (x, y); returns 0 or ZGF_E...
   The transparent colour is never drawn; a generic mask's level is each glyph pixel's
   opacity, a shadow mask's levels that of the shadow colour under the glyphs. Each 5-bit
   channel is blended as (dst * (31 - L) + src * L + 15) / 31 and every written pixel has its
   low bit 1. O(drawn pixels) with an index or a RAW font; without an index an RLE font
   decodes from its image's start for every row drawn. */
int zgf_draw_text(const zgf_font *font, const zgf_surface *dst, int x, int y, const char *text);
/* The same for UTF-8 text, each character mapped through the code page (no code: drawn as a
   missing character is); a NULL code page is ZGF_E_ARGUMENT. */
int zgf_draw_utf8(const zgf_font *font, const zgf_surface *dst, int x, int y, const char *utf8,
                  const zgf_codepage *codepage);

#ifdef __cplusplus
}
#endif

#endif
