#include "listedtext.h"

QString listedText(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (const char16_t u = c.unicode()) {
        case '\t': out += QStringLiteral("\\t"); break;
        case '\n': out += QStringLiteral("\\n"); break;
        case '\r': out += QStringLiteral("\\r"); break;
        case '\\': out += QStringLiteral("\\\\"); break;
        default:
            if (u < 0x20 || (u >= 0x7F && u < 0xA0))
                out += QStringLiteral("\\x%1").arg(int(u), 2, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    return out;
}
