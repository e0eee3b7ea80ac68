#include "numbers.h"
#include "failure.h"

#include <QLocale>

#include <cmath>
#include <limits>

namespace {

qint64 roundedWithin(double value, qint64 minimum, qint64 maximum)
{
    const double rounded = std::nearbyint(value);
    // A NaN fails both comparisons.
    if (!(rounded >= double(minimum) && rounded <= double(maximum)))
        throw Failure::runtime(Failure::Overflow,
                               QStringLiteral("%1 is outside %2..%3").arg(value).arg(minimum).arg(maximum));
    return qint64(rounded);
}

} // namespace

qint16 roundToInt16(double value)
{
    return qint16(roundedWithin(value, std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max()));
}

qint32 roundToInt32(double value)
{
    return qint32(roundedWithin(value, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()));
}

double leadingNumber(const QString &text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text.at(i) == QLatin1Char(' '))
        ++i;
    const qsizetype start = i;
    if (i < n && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+')))
        ++i;
    bool digits = false;
    while (i < n && text.at(i).isDigit() && text.at(i).unicode() < 128) {
        ++i;
        digits = true;
    }
    if (i < n && text.at(i) == QLatin1Char('.')) {
        ++i;
        while (i < n && text.at(i).isDigit() && text.at(i).unicode() < 128) {
            ++i;
            digits = true;
        }
    }
    if (!digits)
        return 0.0;
    bool ok = false;
    const double value = text.mid(start, i - start).toDouble(&ok);
    return ok ? value : 0.0;
}

QString formatTwoDigits(double value)
{
    const double rounded = std::round(value); // halves away from zero
    QString digits = QString::number(std::abs(qint64(rounded)));
    if (digits.size() < 2)
        digits.prepend(QLatin1Char('0'));
    return rounded < 0 ? QLatin1Char('-') + digits : digits;
}

QString formatGrouped(qint64 value, QChar separator)
{
    const QString digits = QString::number(value < 0 ? -value : value);
    QString out;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0 && !separator.isNull())
            out += separator;
        out += digits.at(i);
    }
    return value < 0 ? QLatin1Char('-') + out : out;
}

QChar localeGroupSeparator()
{
    const QString separator = QLocale().groupSeparator();
    return separator.isEmpty() ? QLatin1Char(',') : separator.at(0);
}
