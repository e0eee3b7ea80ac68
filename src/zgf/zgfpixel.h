#pragma once

#include "surface.h"

#include <QtGlobal>

// GP32 pixels: red level in bits 15-11, green in 10-6, blue in 5-1, and a low bit 0. A
// level is an 8-bit channel divided by 8 (0..31).

// Red level x 2048 + green level x 64 + blue level x 2 + lowBit, for a colour 0x00BBGGRR.
qint32 ColorToPixel16(Color color, qint32 lowBit);

// Channel 1 red, 2 green, 3 blue, as a level 0..31; any other channel gives 0.
quint8 ColorChannel5(Color color, int channel);

// The GP32 pixel of a scan-line pixel 0xffRRGGBB, low bit 0; the encoders' fast path.
inline constexpr quint16 scanPixelToPixel16(quint32 pixel)
{
    return quint16(((pixel >> 8) & 0xF800u) | ((pixel >> 5) & 0x07C0u) | ((pixel >> 2) & 0x003Eu));
}

// The 8-bit channel of a level, its five bits repeated into the low three so that 31 is
// full intensity; dividing by 8 gives the level back.
inline constexpr quint32 expandLevel5(quint32 level)
{
    return (level << 3) | (level >> 2);
}

// The colour 0x00BBGGRR of a GP32 pixel (the low bit is dropped).
inline constexpr Color pixel16ToColor(quint16 pixel)
{
    return Color(expandLevel5((pixel >> 11) & 31u) | (expandLevel5((pixel >> 6) & 31u) << 8)
                 | (expandLevel5((pixel >> 1) & 31u) << 16));
}
