#pragma once

#include <QString>

// A text read from a file (a face name, a family, a file name) made fit to be shown on one
// line of a listing or a terminal: control characters and "\" are written as C escapes (\t,
// \n, \r, \xNN, \\), so the text can neither forge a line nor send the terminal a command.
QString listedText(const QString &text);
