#pragma once

#include "failure.h"

#include <QtGlobal>

#include <limits>

// Narrowing conversions that fail with 6 "Overflow" (naming the value and the range) instead
// of wrapping around, as the document's 16-bit and byte arithmetic requires.

// The value as a signed 16-bit integer; Overflow outside -32768..32767.
inline qint16 toInt16(qint64 value)
{
    if (value < std::numeric_limits<qint16>::min() || value > std::numeric_limits<qint16>::max())
        throw Failure::overflow(value, std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max());
    return qint16(value);
}

// The value as a signed 32-bit integer; Overflow outside its range.
inline qint32 toInt32(qint64 value)
{
    if (value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max())
        throw Failure::overflow(value, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max());
    return qint32(value);
}

// The value as an unsigned byte; Overflow outside 0..255, naming what overflowed when given.
inline quint8 toUByte(qint64 value, const QString &what = QString())
{
    if (value < 0 || value > 255)
        throw Failure::overflow(value, 0, 255, what);
    return quint8(value);
}

// The value as a signed byte, which a GP32 program reads back as -128..127; Overflow
// outside that, naming what overflowed.
inline qint8 toSignedByte(qint64 value, const QString &what)
{
    if (value < -128 || value > 127)
        throw Failure::overflow(value, -128, 127, what);
    return qint8(value);
}

// The value as an unsigned 16-bit integer; Overflow outside 0..65535.
inline quint16 toUInt16(qint64 value)
{
    if (value < 0 || value > 65535)
        throw Failure::overflow(value, 0, 65535);
    return quint16(value);
}
