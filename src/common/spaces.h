#pragma once

#include <QString>

// The names of a font treat only U+0020 as a space, never other white space.

// The text with every space removed.
QString withoutSpaces(const QString &text);

// The text without leading and trailing spaces.
QString trimSpaces(const QString &text);
