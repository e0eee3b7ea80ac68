#include "characters.h"

QStringList charactersOf(const QString &text)
{
    QStringList characters;
    characters.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool pair = text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        characters.append(text.mid(i, pair ? 2 : 1));
        i += pair ? 1 : 0;
    }
    return characters;
}

char32_t codePointOf(const QString &character)
{
    if (character.isEmpty())
        return 0;
    if (character.size() == 2 && character.at(0).isHighSurrogate() && character.at(1).isLowSurrogate())
        return QChar::surrogateToUcs4(character.at(0), character.at(1));
    return character.at(0).unicode();
}

bool isLoneSurrogate(const QString &character)
{
    return character.size() == 1 && character.at(0).isSurrogate();
}
