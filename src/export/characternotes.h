#pragma once

#include "codepage.h"

#include <QString>

// How the program names the characters it warns about: each with its Unicode code, so a
// character that looks like another, or does not print, can still be told apart.

// "Ł (U+0141)", "😀 (U+1F600)" for one character (a code point); a space or a control by
// its code alone ("U+000D"), half a surrogate pair as such ("U+D83D, a lone surrogate").
QString characterWithCode(const QString &character);

// The characters named one by one, joined by ", ", a character beyond 16 bits once. With a
// limit above 0, at most that many are named and the rest counted ("..., and 12 more").
QString charactersWithCodes(const QString &characters, qsizetype limit = 0);

// "3 characters are not in Arial: ..." (the renderer draws them from a fallback family, or
// not at all); empty when there are none.
QString missingGlyphsNote(const QString &missing, const QString &family, qsizetype limit = 0);

// "2 characters have no Windows-1252 code and will be written as "?": ..." (the page's
// name); empty when there are none.
QString unencodableNote(const QString &unencodable, CodePage page, qsizetype limit = 0);
