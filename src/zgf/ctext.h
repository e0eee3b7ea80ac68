#pragma once

#include <QByteArray>
#include <QString>

// Making text safe to place in generated C source.

// The include guard symbol of a header whose file name without extension is base:
// "__" + base + "_h__", every character of base other than an ASCII letter, digit or "_"
// made "_" (my.font gives __my_font_h__).
QString cGuardSymbol(const QString &base);

// Windows-1252 bytes for a "//" comment: a CR or LF would end the comment, so each is
// written as the two characters \r or \n.
QByteArray cCommentText(const QByteArray &bytes);

// The character set between the quotes of its comment line: "\" and '"' get a backslash,
// a CR LF pair closes the quote and continues on a new comment line aligned under the
// opening quote, and a lone CR or LF is written as \r or \n.
QByteArray cCharacterSetText(const QByteArray &bytes);

// The bytes as a C string literal that a compiler reads back exactly: printable ASCII as it
// is, quote and backslash escaped, CR, LF and tab as \r, \n and \t, any other byte as \xHH.
// A hex escape followed by a hex digit closes the literal and opens the next ("\xCF" "F"),
// and a "?" after a "?" is escaped, so no trigraph forms.
QByteArray cStringLiteral(const QByteArray &bytes);
