#include "cidentifier.h"

#include <algorithm>
#include <iterator>
#include <string_view>

namespace {

// C99 to C23 keywords; an identifier must not be one of them.
// clang-format off
constexpr std::string_view kKeywords[] = {
    "_Alignas", "_Alignof", "_Atomic", "_BitInt", "_Bool", "_Complex", "_Decimal128",
    "_Decimal32", "_Decimal64", "_Generic", "_Imaginary", "_Noreturn", "_Static_assert",
    "_Thread_local", "alignas", "alignof", "auto", "bool", "break", "case", "char", "const",
    "constexpr", "continue", "default", "do", "double", "else", "enum", "extern", "false",
    "float", "for", "goto", "if", "inline", "int", "long", "nullptr", "register", "restrict",
    "return", "short", "signed", "sizeof", "static", "static_assert", "struct", "switch",
    "thread_local", "true", "typedef", "typeof", "typeof_unqual", "union", "unsigned", "void",
    "volatile", "while",
};
// clang-format on

bool isKeyword(const QString &word)
{
    const QByteArray latin = word.toLatin1();
    const std::string_view w(latin.constData(), size_t(latin.size()));
    return std::ranges::find(kKeywords, w) != std::end(kKeywords);
}

bool isIdentifierChar(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_';
}

bool startsWithDigit(const QString &text)
{
    return !text.isEmpty() && text.at(0).unicode() >= '0' && text.at(0).unicode() <= '9';
}

} // namespace

bool isCIdentifier(const QString &text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), isIdentifierChar) && !startsWithDigit(text)
        && !isKeyword(text);
}

QString cIdentifierCharacters(const QString &text)
{
    QString out;
    out.reserve(text.size() + 1);
    for (const QChar c : text)
        out.append(isIdentifierChar(c) ? c : QLatin1Char('_'));
    return out;
}

QString repairedCIdentifier(const QString &text)
{
    QString out = cIdentifierCharacters(text);
    if (startsWithDigit(out))
        out.prepend(QLatin1Char('_'));
    if (isKeyword(out))
        out.append(QLatin1Char('_'));
    return out;
}

QString cIdentifierRule()
{
    return QStringLiteral("a C name is made of the letters A to Z and a to z, the digits 0 to 9 and \"_\", "
                          "does not start with a digit and is no C keyword");
}
