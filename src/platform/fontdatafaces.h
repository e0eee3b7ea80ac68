#pragma once

#include "fontfiles.h"

// The faces of font data as FreeType reads them, with the checks that a whole file passes:
// every face opens, and the glyphs of its characters up to U+00FF load. A face without a
// family name takes nameless. The data is the font as drawn: a BDF font with its charset
// already completed (bdfWithUnicodeCharset).
FontFileFaces facesOfFontData(const QByteArray &data, const QString &nameless);
