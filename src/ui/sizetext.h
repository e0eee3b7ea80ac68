#pragma once

#include <QString>

// A point size as the size box shows it: the shortest text that reads back as the same
// single-precision number ("12", "9.75"), with the user's decimal separator.
QString sizeText(float size);
