#include "ctext.h"

#include "cidentifier.h"

QString cGuardSymbol(const QString &base)
{
    return QStringLiteral("__") + cIdentifierCharacters(base) + QStringLiteral("_h__");
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

QByteArray cStringLiteral(const QByteArray &bytes)
{
    QByteArray out("\"");
    bool afterHexEscape = false;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char b = bytes.at(i);
        const bool hexDigit = (b >= '0' && b <= '9') || (b >= 'a' && b <= 'f') || (b >= 'A' && b <= 'F');
        if (afterHexEscape && hexDigit)
            out.append("\" \"");
        afterHexEscape = false;
        if (b == '"' || b == '\\') {
            out.append('\\').append(b);
        } else if (b == '\n') {
            out.append("\\n");
        } else if (b == '\r') {
            out.append("\\r");
        } else if (b == '\t') {
            out.append("\\t");
        } else if (b == '?' && i > 0 && bytes.at(i - 1) == '?') {
            out.append("\\?");
        } else if (b >= 0x20 && b < 0x7F) {
            out.append(b);
        } else {
            out.append("\\x").append(QByteArray::number(quint8(b), 16).rightJustified(2, '0').toUpper());
            afterHexEscape = true;
        }
    }
    return out.append('"');
}
