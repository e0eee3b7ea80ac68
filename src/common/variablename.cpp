#include "variablename.h"

#include "cidentifier.h"

#include <QRegularExpression>

QString composeVariableName(const VariableNameParts &parts)
{
    return repairedCIdentifier(composeUnrepairedVariableName(parts));
}

QString composeUnrepairedVariableName(const VariableNameParts &parts)
{
    QString n = parts.name;
    n.remove(QLatin1Char(' '));
    if (n == n.toUpper())
        n = n.toLower();
    if (!n.isEmpty())
        n = n.left(1).toLower() + n.mid(1);
    n += QString::number(parts.points);
    const std::pair<bool, char> styles[] = {
        {parts.bold, 'b'}, {parts.italic, 'i'}, {parts.underline, 'u'}, {parts.strikethrough, 's'}};
    for (const auto &[set, letter] : styles) {
        if (set)
            n += QLatin1Char(letter);
    }
    if (parts.postprocessed) {
        n += QStringLiteral("_p");
        if (parts.masked)
            n += QLatin1Char('m');
    }
    return n;
}

QString familyWithoutFoundry(const QString &listedFamily)
{
    static const QRegularExpression tag(QStringLiteral("^(.*\\S) \\[[^\\[\\]]*\\]$"));
    const QRegularExpressionMatch match = tag.match(listedFamily);
    return match.hasMatch() ? match.captured(1) : listedFamily;
}
