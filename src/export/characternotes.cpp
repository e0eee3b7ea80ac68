#include "characternotes.h"

#include <QStringList>

QString characterWithCode(QChar c)
{
    const QString code = QStringLiteral("U+%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper();
    if (c.isSpace() || !c.isPrint() || c.isSurrogate())
        return code;
    return QString(c) + QStringLiteral(" (") + code + QLatin1Char(')');
}

QString charactersWithCodes(const QString &characters, qsizetype limit)
{
    const qsizetype named = limit > 0 ? std::min(limit, characters.size()) : characters.size();
    QStringList parts;
    for (qsizetype i = 0; i < named; ++i)
        parts.append(characterWithCode(characters.at(i)));
    if (named < characters.size())
        parts.append(QStringLiteral("and %1 more").arg(characters.size() - named));
    return parts.join(QStringLiteral(", "));
}

QString missingGlyphsNote(const QString &missing, const QString &family, qsizetype limit)
{
    if (missing.isEmpty())
        return QString();
    const QString count = missing.size() == 1 ? QStringLiteral("1 character is")
                                              : QStringLiteral("%1 characters are").arg(missing.size());
    return QStringLiteral("%1 not in %2: %3").arg(count, family, charactersWithCodes(missing, limit));
}

QString unencodableNote(const QString &unencodable, CodePage page, qsizetype limit)
{
    if (unencodable.isEmpty())
        return QString();
    const QString count = unencodable.size() == 1 ? QStringLiteral("1 character has")
                                                  : QStringLiteral("%1 characters have").arg(unencodable.size());
    return QStringLiteral("%1 no %2 code and will be written as \"?\": %3")
        .arg(count, codePageName(page), charactersWithCodes(unencodable, limit));
}
