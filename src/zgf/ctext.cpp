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
