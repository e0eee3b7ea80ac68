#pragma once

#include "codepage.h"

#include <iconv.h>

#include <optional>

// The character of one byte in a code page as the system's iconv reads it; nothing where iconv
// finds the byte unassigned. The program's own tables are checked against it.
inline std::optional<char32_t> systemCharacter(CodePage page, unsigned char byte)
{
    const QByteArray name = codePageName(page).toLatin1();
    const iconv_t converter = iconv_open("UTF-32LE", name.constData());
    if (converter == iconv_t(-1))
        return std::nullopt;
    char in[1] = {char(byte)};
    unsigned char out[8] = {};
    char *inPointer = in;
    char *outPointer = reinterpret_cast<char *>(out);
    size_t inLeft = 1, outLeft = sizeof out;
    const size_t result = iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft);
    iconv_close(converter);
    if (result == size_t(-1) || outLeft != sizeof out - 4)
        return std::nullopt;
    return char32_t(out[0] | out[1] << 8 | out[2] << 16 | char32_t(out[3]) << 24);
}
