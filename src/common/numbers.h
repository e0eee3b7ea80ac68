#pragma once

#include <QString>

// Number conversions with the rounding rules of the document and its file formats.

// Rounds to the nearest integer, halves to the even neighbour (2.5 gives 2, 3.5 gives 4).
// Fails with Overflow outside the 16-bit range.
qint16 roundToInt16(double value);

// Rounds to the nearest integer, halves to even, as a 32-bit value; Overflow outside it.
qint32 roundToInt32(double value);

// The leading decimal number of a text: optional sign, digits, "." and decimals, after
// leading spaces; "12abc" gives 12, "abc" and "" give 0.
double leadingNumber(const QString &text);

// The value rounded half away from zero, at least two digits ("00" pattern): 9.75 gives
// "10", 8.25 gives "09", 99.75 gives "100".
QString formatTwoDigits(double value);

// The value with thousands grouped by the given separator ("#,##0"): 1234567 gives
// "1,234,567" with ",".
QString formatGrouped(qint64 value, QChar separator);

// The thousands separator of the person's locale (its first character), "," when the
// locale has none.
QChar localeGroupSeparator();

// The thousands separator of what the command-line tool writes: the same on every machine,
// so a build makes the same files whatever its locale.
inline constexpr QChar kPortableGroupSeparator = u',';
