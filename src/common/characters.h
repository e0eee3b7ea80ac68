#pragma once

#include <QString>
#include <QStringList>

// The characters of a text as a person counts them: a surrogate pair (a character beyond
// 16 bits, such as an emoji) is one character of two UTF-16 units; a lone surrogate stays a
// character of its own.
QStringList charactersOf(const QString &text);

// The code point of one such character; a lone surrogate's own value.
char32_t codePointOf(const QString &character);

// Whether the character is half of a surrogate pair standing alone.
bool isLoneSurrogate(const QString &character);
