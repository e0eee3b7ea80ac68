#include "zgftables.h"

#include "characters.h"
#include "failure.h"
#include "glyphmeasurement.h"

namespace {

// One byte per glyph, value(glyph) within low..high, stored as its low eight bits.
template <typename Value>
QByteArray table(const GlyphMeasurement &m, const char *what, qint64 low, qint64 high, Value value)
{
    QByteArray out;
    out.reserve(m.glyphs.size());
    for (qsizetype i = 0; i < m.glyphs.size(); ++i) {
        const qint64 v = value(m.glyphs.at(i));
        if (v < low || v > high) {
            throw Failure::overflow(v, low, high,
                                    QStringLiteral("the %1 of \"%2\"").arg(QLatin1String(what), m.characters.value(i)));
        }
        out.append(char(v & 0xFF));
    }
    return out;
}

} // namespace

QByteArray zgfCharacterTable(const GlyphMeasurement &measurement, CodePage page)
{
    // One code per glyph: a character beyond 16 bits has no code in any page.
    QByteArray codes;
    codes.reserve(measurement.characters.size());
    for (const QString &c : measurement.characters) {
        const int code = codePageCode(page, codePointOf(c));
        codes.append(char(code < 0 ? '?' : code));
    }
    return codes;
}

QByteArray zgfWidthTable(const GlyphMeasurement &measurement, qint16 charWidthInc)
{
    return table(measurement, "width", 0, 255,
                 [charWidthInc](const Char &g) { return qint64(g.Width) + charWidthInc; });
}

QByteArray zgfLeftIndentTable(const GlyphMeasurement &measurement)
{
    return table(measurement, "left indent", -128, 127, [](const Char &g) { return qint64(g.Left); });
}

QByteArray zgfRightIndentTable(const GlyphMeasurement &measurement)
{
    return table(measurement, "right indent", -128, 127, [](const Char &g) { return qint64(g.rightIndent()); });
}

void checkZgfMaskCells(const GlyphMeasurement &measurement, qint16 charWidthInc, qint16 maskWidthInc)
{
    table(measurement, "mask cell width", 0, 255 + 127,
          [=](const Char &g) { return qint64(g.Width) + charWidthInc + maskWidthInc; });
}
