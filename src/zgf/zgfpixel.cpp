#include "zgfpixel.h"

qint32 ColorToPixel16(Color color, qint32 lowBit)
{
    return qint32(scanPixelToPixel16(pixelFromColor(color))) + lowBit;
}

quint8 ColorChannel5(Color color, int channel)
{
    if (channel < 1 || channel > 3)
        return 0;
    return quint8((quint32(color) >> (8 * (channel - 1) + 3)) & 31u);
}
