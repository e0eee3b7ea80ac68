#pragma once

#include <QByteArray>
#include <QString>

// Windows-1252, the single-byte code page of project files, ZGF names and character
// codes, and C source. Bytes 0x80-0x9F differ from Latin-1; five of them are unassigned.

// The code of a character, or -1 when Windows-1252 has none for it. The C1 controls of
// the five unassigned bytes keep their value.
int windows1252Code(QChar c);
// Likewise for one character of charactersOf(): one beyond 16 bits has none.
int windows1252CodeOf(const QString &character);

// The text as Windows-1252 bytes; a character without a code becomes "?".
QByteArray toWindows1252(const QString &text);

// The bytes as text; the five unassigned bytes map to the C1 control of the same value.
QString fromWindows1252(const QByteArray &bytes);

// The character of one byte.
QChar windows1252Char(quint8 byte);

// The 191 printable characters: 0x20-0x7E and 0xA0-0xFF, in code order.
QString printableWindows1252();
