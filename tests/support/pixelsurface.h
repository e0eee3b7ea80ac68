#pragma once

#include "testsurface.h"

#include <QList>

// A TestSurface made to hold given pixels, for code that only reads them (the encoders).
class PixelSurface : public TestSurface
{
public:
    PixelSurface() = default;
    PixelSurface(int width, int height, Color fill = 0)
    {
        setBackColor(fill);
        setSize(width, height);
        clear();
    }

    // Row y from a list of colours, left to right.
    void setRow(int y, const QList<Color> &colors)
    {
        for (int x = 0; x < int(colors.size()) && x < width(); ++x)
            setPixel(x, y, colors.at(x));
    }
};
