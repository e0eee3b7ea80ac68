#include "sizetext.h"

#include <QLocale>

#include <charconv>

QString sizeText(float size)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, size);
    QString text = QString::fromLatin1(buffer, result.ptr - buffer);
    text.replace(QLatin1Char('.'), QLocale().decimalPoint());
    return text;
}
