#include "hinting.h"

#include <array>

namespace {

constexpr std::array kNames{"none", "slight", "full"};

} // namespace

QString hintingName(Hinting hinting)
{
    return QLatin1String(kNames.at(std::size_t(hinting)));
}

std::optional<Hinting> hintingFromName(const QString &name)
{
    for (std::size_t i = 0; i < kNames.size(); ++i) {
        if (name == QLatin1String(kNames[i]))
            return Hinting(i);
    }
    return std::nullopt;
}
