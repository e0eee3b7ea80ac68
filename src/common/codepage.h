#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// The 8-bit code pages a font's character codes can follow. Bytes 0x00-0x7F are ASCII in
// all of them (0x00-0x1F and 0x7F are controls, also in the DOS pages, whose picture
// characters there are not taken). An unassigned byte of 0x80-0x9F reads as the C1 control
// of its own value, so a byte survives a read and a write; any other unassigned byte reads
// as U+FFFD, which no character encodes to.
enum class CodePage : quint8 {
    Windows1250,
    Windows1251,
    Windows1252,
    Windows1253,
    Windows1254,
    Windows1257,
    Iso8859_1,
    Iso8859_2,
    Iso8859_5,
    Iso8859_7,
    Iso8859_9,
    Iso8859_15,
    Koi8R,
    Koi8U,
    Cp437,
    Cp850,
    Cp866,
};

// Every code page, in the order above.
const QList<CodePage> &allCodePages();

// "Windows-1251", "ISO-8859-5", "KOI8-R", "CP437".
QString codePageName(CodePage page);
// The code page of a name, in any case, with or without "-", "_" or spaces: the name
// itself, "1251", "cp1251", "win1251", "8859-5", "latin1", "ibm437" and the like.
std::optional<CodePage> codePageFromName(const QString &name);
// The accepted short names for a help text: "1250, 1251, ..., iso-8859-1, ..., koi8-r, ...".
QString codePageNameList();

// The code of a character, or -1 when the page has none for it.
int codePageCode(CodePage page, char32_t c);
// The character of one byte.
QChar codePageChar(CodePage page, quint8 byte);
// The text as bytes of the page, one per UTF-16 unit as the files' fixed-length texts count
// them (a surrogate pair becomes "??"); a character without a code becomes "?".
QByteArray toCodePage(CodePage page, const QString &text);
QString fromCodePage(CodePage page, const QByteArray &bytes);
// The characters of the text, each once, that the page has no code for.
QString charactersWithoutCode(CodePage page, const QString &text);

// The characters a font can draw: every assigned character that is no control, in code
// order (218 for Windows-1252: 0x20-0x7E, the 27 characters of 0x80-0x9F, 0xA0-0xFF).
QString printableCharacters(CodePage page);
