#include "exportfacts.h"

#include "characternotes.h"
#include "characters.h"
#include "postprocessnames.h"
#include "failure.h"
#include "glyphmeasurement.h"
#include "texelfont.h"
#include "zgfbuilder.h"

#include <QJsonObject>

namespace {

void addCharacters(InfoReport &report, const QString &key, const QString &characters)
{
    QJsonArray list;
    for (const QString &c : charactersOf(characters))
        list.append(c);
    report.add(key, list, characters.isEmpty() ? QStringLiteral("none") : charactersWithCodes(characters));
}

QJsonObject partsJson(const ZgfPartSizes &sizes)
{
    return {{QStringLiteral("GlyphImage"), sizes.glyphImage},
            {QStringLiteral("Mask"), sizes.mask},
            {QStringLiteral("Total"), sizes.total}};
}

QString partsText(const char *coding, const ZgfPartSizes &sizes)
{
    return QStringLiteral("%1 %2 bytes (glyph image %3, mask %4)")
        .arg(QLatin1String(coding))
        .arg(sizes.total)
        .arg(sizes.glyphImage)
        .arg(sizes.mask);
}

} // namespace

void addExportFacts(InfoReport &report, const TexelFont &font, const GlyphMeasurement &measured, Surface &work,
                    const EditedBitmaps &bitmaps)
{
    addCharacters(report, QStringLiteral("MissingGlyphs"), measured.missing);
    addCharacters(report, QStringLiteral("Unencodable"), unencodableCharacters(font.Chars(), font.CodePage()));
    try {
        const ZgfSizeBudget budget = zgfSizeBudget(font, measured, work, {true, bitmaps.bitmap, bitmaps.mask});
        report.add(
            QStringLiteral("SizeBudget"),
            QJsonObject{{QStringLiteral("Raw"), partsJson(budget.raw)}, {QStringLiteral("Rle"), partsJson(budget.rle)}},
            partsText("RAW", budget.raw) + QStringLiteral("; ") + partsText("RLE", budget.rle));
    } catch (const Failure &failure) {
        report.add(QStringLiteral("SizeBudget"), QJsonValue::Null, QStringLiteral("unknown"));
        report.add(QStringLiteral("SizeBudgetNote"), failure.message());
    }
}
