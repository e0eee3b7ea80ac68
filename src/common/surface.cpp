#include "surface.h"

#include <algorithm>

void Surface::paintInk(int x, int y, const InkImage &ink)
{
    const quint32 pixel = pixelFromColor(foreColor());
    const int w = width();
    const int h = height();
    ink.forEachRun([&](int row, int column, int length) {
        const int ry = y + row;
        const int from = std::max(x + column, 0);
        const int to = std::min(x + column + length, w);
        if (ry >= 0 && ry < h && from < to)
            std::fill(writableScanLine(ry) + from, writableScanLine(ry) + to, pixel);
    });
}
