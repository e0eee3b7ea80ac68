#pragma once

#include <QString>

// C identifiers the program writes: ASCII letters, digits and "_", not starting with a
// digit, and no C keyword (C99 to C23).

// Whether the text is such an identifier.
bool isCIdentifier(const QString &text);

// The text with every character other than an ASCII letter, digit or "_" made "_".
QString cIdentifierCharacters(const QString &text);

// The text as a C identifier: cIdentifierCharacters, "_" before a leading digit and after a
// keyword. An empty text stays empty. For names derived from face and file names; names the
// person gives are checked with isCIdentifier instead, never changed.
QString repairedCIdentifier(const QString &text);

// The rule, for the message that refuses a name.
QString cIdentifierRule();
