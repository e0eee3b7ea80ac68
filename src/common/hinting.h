#pragma once

#include <QString>

#include <optional>

// How a renderer fits outlines to the pixel grid: not at all, vertically only, or fully
// (what every document had before the choice existed).
enum class Hinting { None, Slight, Full };

// "none", "slight", "full".
QString hintingName(Hinting hinting);
// The hinting of one of those names; nothing for any other text.
std::optional<Hinting> hintingFromName(const QString &name);
