#include "characternotes.h"

#include "characters.h"

#include <QStringList>

QString characterWithCode(const QString &character)
{
    const char32_t u = codePointOf(character);
    const QString code = QStringLiteral("U+%1").arg(uint(u), 4, 16, QLatin1Char('0')).toUpper();
    if (isLoneSurrogate(character))
        return code + QStringLiteral(", a lone surrogate");
    if (QChar::isSpace(u) || !QChar::isPrint(u))
        return code;
    return character + QStringLiteral(" (") + code + QLatin1Char(')');
}

QString charactersWithCodes(const QString &characters, qsizetype limit)
{
    const QStringList all = charactersOf(characters);
    const qsizetype named = limit > 0 ? std::min(limit, all.size()) : all.size();
    QStringList parts;
    for (qsizetype i = 0; i < named; ++i)
        parts.append(characterWithCode(all.at(i)));
    if (named < all.size())
        parts.append(QStringLiteral("and %1 more").arg(all.size() - named));
    return parts.join(QStringLiteral(", "));
}

QString missingGlyphsNote(const QString &missing, const QString &family, qsizetype limit)
{
    if (missing.isEmpty())
        return QString();
    const qsizetype n = charactersOf(missing).size();
    const QString count = n == 1 ? QStringLiteral("1 character is") : QStringLiteral("%1 characters are").arg(n);
    return QStringLiteral("%1 not in %2: %3").arg(count, family, charactersWithCodes(missing, limit));
}

QString unencodableNote(const QString &unencodable, CodePage page, qsizetype limit)
{
    if (unencodable.isEmpty())
        return QString();
    const qsizetype n = charactersOf(unencodable).size();
    const QString count = n == 1 ? QStringLiteral("1 character has") : QStringLiteral("%1 characters have").arg(n);
    return QStringLiteral("%1 no %2 code and will be written as \"?\": %3")
        .arg(count, codePageName(page), charactersWithCodes(unencodable, limit));
}
