#include "zgfpixel.h"

#include "failure.h"

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

qint16 ToSigned16(qint32 value)
{
    if (value < -32768 || value > 65535)
        throw Failure::overflow(value, -32768, 65535);
    return qint16(value < 32768 ? value : value - 65536);
}

quint8 ToByte8(qint32 value)
{
    if (value < -256 || value > 255)
        throw Failure::overflow(value, -256, 255);
    return quint8(value >= 0 ? value : value + 256);
}
