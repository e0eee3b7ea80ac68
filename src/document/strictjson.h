#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

// Where a JSON text breaks the standard grammar, and how.
struct JsonFault
{
    qsizetype offset = 0;
    QString what;
};

// Checks that json is exactly one JSON value, as the standard grammar has it, before a
// lenient parser reads it: a parser that repairs input would load altered texts from a
// damaged file. Refused besides the grammar's own faults: a byte-order mark, invalid UTF-8
// (overlong forms and encoded surrogates too), control characters inside a text, a \u escape
// that is half a surrogate pair, numbers such as ".5" or "1.", two members of one object with
// the same name (also when spelt with different escapes), nesting deeper than 512 levels, and
// anything after the value but spaces. Returns the first fault, or nothing for a valid text.
std::optional<JsonFault> strictJsonFault(QByteArrayView json);
