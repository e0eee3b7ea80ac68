#pragma once

#include <QtGlobal>

#include <cmath>

// Window geometry is kept in twips, at a fixed 15 twips per pixel whatever the screen.
inline constexpr int TwipsPerPixel = 15;

inline qint32 toTwips(int pixels)
{
    return qint32(pixels) * TwipsPerPixel;
}

// Twips to whole pixels, halves to even.
inline int toPixels(qint64 twips)
{
    return int(std::nearbyint(double(twips) / TwipsPerPixel));
}
