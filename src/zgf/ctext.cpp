#include "ctext.h"

#include <algorithm>
#include <iterator>
#include <string_view>

namespace {

// C99 to C23 keywords; an identifier must not be one of them.
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

QString identifierChars(const QString &text)
{
    QString out;
    out.reserve(text.size() + 1);
    for (const QChar c : text)
        out.append(isIdentifierChar(c) ? c : QLatin1Char('_'));
    return out;
}

} // namespace

QString repairedCIdentifier(const QString &text)
{
    QString out = identifierChars(text);
    if (!out.isEmpty() && out.at(0).unicode() >= '0' && out.at(0).unicode() <= '9')
        out.prepend(QLatin1Char('_'));
    if (isKeyword(out))
        out.append(QLatin1Char('_'));
    return out;
}

QString cGuardSymbol(const QString &base)
{
    return QStringLiteral("__") + identifierChars(base) + QStringLiteral("_h__");
}

QByteArray cCommentText(const QByteArray &bytes)
{
    QByteArray out;
    out.reserve(bytes.size());
    for (const char b : bytes) {
        if (b == '\r')
            out.append("\\r");
        else if (b == '\n')
            out.append("\\n");
        else
            out.append(b);
    }
    return out;
}

QByteArray cCharacterSetText(const QByteArray &bytes)
{
    // "//" and 18 spaces put the continuation's quote under the opening one.
    static constexpr char kContinuation[] = "\"\r\n//                  \"";
    QByteArray out;
    out.reserve(bytes.size() + 8);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char b = bytes.at(i);
        if (b == '\r' && i + 1 < bytes.size() && bytes.at(i + 1) == '\n') {
            out.append(kContinuation);
            ++i;
        } else if (b == '\r') {
            out.append("\\r");
        } else if (b == '\n') {
            out.append("\\n");
        } else if (b == '\\' || b == '"') {
            out.append('\\');
            out.append(b);
        } else {
            out.append(b);
        }
    }
    return out;
}
