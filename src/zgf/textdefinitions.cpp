#include "textdefinitions.h"

#include "cidentifier.h"
#include "ctext.h"
#include "windows1252.h"

#include <QSet>

TextDefinitions readTextDefinitions(const QString &content)
{
    TextDefinitions out;
    QSet<QString> keys;
    const QStringList lines =
        QString(content).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        const int number = int(i + 1);
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        const QString key = line.left(equals).trimmed();
        if (equals < 0) {
            out.faults.append(QStringLiteral("line %1: no \"=\" between a key and its text").arg(number));
        } else if (!isCIdentifier(key)) {
            out.faults.append(QStringLiteral("line %1: \"%2\" is no C identifier").arg(number).arg(key));
        } else if (keys.contains(key)) {
            out.faults.append(QStringLiteral("line %1: %2 is defined twice").arg(number).arg(key));
        } else {
            keys.insert(key);
            out.definitions.append({key, line.mid(equals + 1), number});
        }
    }
    return out;
}

QByteArray textDefinitionsHeader(const QList<TextDefinition> &definitions, CodePage page, const QString &sourceName,
                                 const QString &headerBase)
{
    const QByteArray guard = toWindows1252(cGuardSymbol(headerBase));
    QByteArray out = "// Texts from " + cCommentText(toWindows1252(sourceName)) + ", in "
        + codePageName(page).toLatin1() + "\r\n\r\n#ifndef " + guard + "\r\n#define " + guard + "\r\n\r\n";
    for (const TextDefinition &d : definitions)
        out += "#define " + d.key.toLatin1() + ' ' + cStringLiteral(toCodePage(page, d.text)) + "\r\n";
    return out + "\r\n#endif /*" + guard + "*/\r\n";
}
