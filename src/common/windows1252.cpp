#include "windows1252.h"

namespace {

// 0x80..0x9F; 0 marks the five unassigned bytes.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178,
};

} // namespace

int windows1252Code(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == u)
            return 0x80 + i;
    }
    // The five unassigned bytes read as the C1 controls of the same value; writing them
    // back gives the same byte, so files survive a load and save unchanged.
    if (u >= 0x80 && u < 0xA0 && kHighControls[u - 0x80] == 0)
        return u;
    return -1;
}

int windows1252CodeOf(const QString &character)
{
    return character.size() == 1 ? windows1252Code(character.at(0)) : -1;
}

QByteArray toWindows1252(const QString &text)
{
    QByteArray out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const int code = windows1252Code(c);
        out.append(char(code < 0 ? '?' : code));
    }
    return out;
}

QChar windows1252Char(quint8 byte)
{
    if (byte >= 0x80 && byte < 0xA0 && kHighControls[byte - 0x80] != 0)
        return QChar(kHighControls[byte - 0x80]);
    return QChar(char16_t(byte));
}

QString fromWindows1252(const QByteArray &bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (const char b : bytes)
        out.append(windows1252Char(quint8(b)));
    return out;
}

QString printableWindows1252()
{
    QString text;
    for (char16_t c = 0x20; c <= 0xFF; ++c) {
        if (c < 0x7F || c >= 0xA0)
            text.append(QChar(c));
    }
    return text;
}
