#include "surface.h"

#include <algorithm>

quint32 blendedPixel(quint32 under, quint32 over, int level)
{
    const auto channel = [&](int shift) {
        const int a = int((under >> shift) & 0xffu);
        const int b = int((over >> shift) & 0xffu);
        return quint32((a * (InkImage::MaxLevel - level) + b * level + InkImage::MaxLevel / 2) / InkImage::MaxLevel)
            << shift;
    };
    return 0xff000000u | channel(16) | channel(8) | channel(0);
}

void Surface::paintInk(int x, int y, const InkImage &ink)
{
    const quint32 pixel = pixelFromColor(foreColor());
    const int w = width();
    const int h = height();
    ink.forEachRun([&](int row, int column, int length, const quint8 *levels) {
        const int ry = y + row;
        const int from = std::max(x + column, 0);
        const int to = std::min(x + column + length, w);
        if (ry < 0 || ry >= h || from >= to)
            return;
        quint32 *line = writableScanLine(ry);
        if (!levels) {
            std::fill(line + from, line + to, pixel);
            return;
        }
        for (int px = from; px < to; ++px)
            line[px] = blendedPixel(line[px], pixel, levels[px - x - column]);
    });
}

void Surface::fillCoveredPixels()
{
    const quint32 background = pixelFromColor(backColor());
    const quint32 pixel = pixelFromColor(foreColor());
    for (int y = 0; y < height(); ++y) {
        quint32 *line = writableScanLine(y);
        std::replace_if(
            line, line + width(), [&](quint32 p) { return p != background; }, pixel);
    }
}
