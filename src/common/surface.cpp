#include "surface.h"

#include <algorithm>

void Surface::paintInk(int x, int y, const InkImage &ink)
{
    const quint32 pixel = pixelFromColor(foreColor());
    const int rows = std::min(ink.height(), height() - y);
    for (int row = std::max(0, -y); row < rows; ++row) {
        quint32 *line = writableScanLine(y + row);
        for (const InkImage::Run &run : ink.row(row)) {
            const int from = std::max(x + run.x, 0);
            const int to = std::min(x + run.x + run.length, width());
            if (from < to)
                std::fill(line + from, line + to, pixel);
        }
    }
}
