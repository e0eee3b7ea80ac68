#pragma once

#include <QByteArray>
#include <QString>

// The text format of X bitmap fonts (BDF), read as X servers read it.

// Whether the bytes start as a BDF font.
bool isBdf(const QByteArray &bytes);

// A BDF font without a CHARSET_REGISTRY or CHARSET_ENCODING property with the missing ones
// added as ISO10646 and 1, so that its encodings read as Unicode code points, as X servers
// read them; any other bytes come back as they are.
QByteArray bdfWithUnicodeCharset(const QByteArray &bytes);

// What is wrong with a BDF font that the renderer would read in part: a file that stops
// before its ENDFONT line was cut short, and a glyph with fewer bitmap rows than its height is
// damaged. Empty when the font is whole.
QString bdfProblem(const QByteArray &bytes);
