/* zgf_cp1254: the CP1254 code page for zgfdraw. Written by gen-codepages.py.
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

static const uint16_t unicode[] = {
    0x011E, 0x011F, 0x0130, 0x0131, 0x0152, 0x0153, 0x015E, 0x015F,
    0x0160, 0x0161, 0x0178, 0x0192, 0x02C6, 0x02DC, 0x2013, 0x2014,
    0x2018, 0x2019, 0x201A, 0x201C, 0x201D, 0x201E, 0x2020, 0x2021,
    0x2022, 0x2026, 0x2030, 0x2039, 0x203A, 0x20AC, 0x2122,
};

static const uint8_t bytes[] = {
    0xD0, 0xF0, 0xDD, 0xFD, 0x8C, 0x9C, 0xDE, 0xFE,
    0x8A, 0x9A, 0x9F, 0x83, 0x88, 0x98, 0x96, 0x97,
    0x91, 0x92, 0x82, 0x93, 0x94, 0x84, 0x86, 0x87,
    0x95, 0x85, 0x89, 0x8B, 0x9B, 0x80, 0x99,
};

const zgf_codepage zgf_cp1254 = {
    {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
     0x02, 0xE0, 0x01, 0x60, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0x9F, 0xFF, 0xFF, 0xFE, 0x9F},
    unicode,
    bytes,
    sizeof bytes
};
