#pragma once

#include <QStringList>
#include <QtGlobal>

// The names of the flag bits set in a ZGF header's flags, lowest bit first ("16-bit
// pixels", "RLE image", "mask", ...); a bit without a meaning is named "bit N".
QStringList zgfFlagNames(quint16 flags);
