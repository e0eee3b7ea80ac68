#include "documentreport.h"

#include "characters.h"
#include "hinting.h"
#include "measuredfont.h"
#include "settingoptions.h"
#include "texelfont.h"

#include <QJsonObject>

#include <charconv>

namespace {

QJsonArray glyphRows(const TexelFont &font, const GlyphMeasurement &measured)
{
    const QStringList sequence = charactersOf(TexelFont::glyphSequence(font.Chars()));
    QJsonArray rows;
    for (qsizetype i = 0; i < measured.glyphs.size() && i < sequence.size(); ++i) {
        const Char &g = measured.glyphs.at(i);
        rows.append(QJsonObject{{QStringLiteral("Char"), sequence.at(i)},
                                {QStringLiteral("Height"), g.Height},
                                {QStringLiteral("Left"), g.Left},
                                {QStringLiteral("TextHeight"), g.TextHeight},
                                {QStringLiteral("TextWidth"), g.TextWidth},
                                {QStringLiteral("Top"), g.Top},
                                {QStringLiteral("Width"), g.Width}});
    }
    return rows;
}

} // namespace

double shortestSize(float size)
{
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, size).ptr;
    return QByteArray(text, end - text).toDouble();
}

InfoReport documentReport(const TexelFont &font, const GlyphMeasurement &measured)
{
    InfoReport r;
    r.add(QStringLiteral("Filename"), font.Filename());
    r.add(QStringLiteral("Name"), font.Name());
    r.add(QStringLiteral("TTFName"), font.TTFName());
    r.add(QStringLiteral("Size"), shortestSize(font.Size()));
    r.add(QStringLiteral("Bold"), font.Bold());
    r.add(QStringLiteral("Italic"), font.Italic());
    r.add(QStringLiteral("Underline"), font.Underline());
    r.add(QStringLiteral("Strikethrough"), font.Strikethrough());
    SettingOptions::report(r, font);
    r.add(QStringLiteral("VariableName"), font.VariableName());
    r.add(QStringLiteral("GP32FileName"), font.GP32FileName());
    r.add(QStringLiteral("CustomName"), font.CustomName);
    r.add(QStringLiteral("CustomVariableName"), font.CustomVariableName);
    r.add(QStringLiteral("CustomGP32FileName"), font.CustomGP32FileName);
    r.add(QStringLiteral("CodePage"), codePageName(font.CodePage()));
    r.add(QStringLiteral("Chars"), font.Chars());
    r.add(QStringLiteral("SampleText"), font.SampleText);
    r.add(QStringLiteral("Background"), font.Background);
    r.add(QStringLiteral("FontFile"), font.FontFile());
    r.add(QStringLiteral("Hinting"), hintingName(font.Hinting()));
    r.add(QStringLiteral("Smooth"), font.Smooth());
    r.add(QStringLiteral("Obsolete"), !isMeasurementOf(measured, font));
    r.add(QStringLiteral("DefaultWidth"), measured.defaultWidth);
    r.add(QStringLiteral("DefaultHeight"), measured.defaultHeight);
    r.add(QStringLiteral("LineSep"), measured.lineSep);
    r.add(QStringLiteral("FontTop"), measured.fontTop);
    r.addTable(QStringLiteral("Glyphs"), glyphRows(font, measured),
               {QStringLiteral("Char"), QStringLiteral("Height"), QStringLiteral("Left"), QStringLiteral("TextHeight"),
                QStringLiteral("TextWidth"), QStringLiteral("Top"), QStringLiteral("Width")});
    return r;
}
