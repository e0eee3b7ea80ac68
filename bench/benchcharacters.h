#pragma once

#include <QString>

// The character set every figure of the benchmarks is measured with: the 191 printable
// characters 0x20-0x7E and 0xA0-0xFF, the same in Windows-1252 and Latin-1.
inline QString benchCharacters()
{
    QString text;
    for (char16_t c = 0x20; c < 0x100; ++c) {
        if (c < 0x7F || c >= 0xA0)
            text.append(QChar(c));
    }
    return text;
}
