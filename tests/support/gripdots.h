#pragma once

#include <QImage>

// The pixels of colour dot along the middle row of a splitter bar's picture: its grip.
inline int gripDots(const QImage &bar, QRgb dot)
{
    int dots = 0;
    for (int x = 0; x < bar.width(); ++x)
        dots += bar.pixel(x, bar.height() / 2) == dot;
    return dots;
}
