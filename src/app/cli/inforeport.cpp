#include "inforeport.h"

#include "listedtext.h"

#include <QJsonDocument>
#include <QJsonObject>

void InfoReport::add(const QString &key, const QJsonValue &value, const QString &text)
{
    mEntries.append({key, value, text.isNull() ? readable(value) : text, {}});
}

void InfoReport::addNote(const QString &key, const QString &text)
{
    mEntries.append({key, QJsonValue(), text, {}, true});
}

void InfoReport::addTable(const QString &key, const QJsonArray &rows, const QStringList &columns)
{
    mEntries.append({key, rows, QString::number(rows.size()), columns});
}

QByteArray InfoReport::json() const
{
    QJsonObject object;
    for (const Entry &entry : mEntries) {
        if (!entry.textOnly)
            object.insert(entry.key, entry.value);
    }
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

QString InfoReport::text() const
{
    qsizetype width = 0;
    for (const Entry &entry : mEntries)
        width = std::max(width, entry.key.size());
    QString out;
    for (const Entry &entry : mEntries) {
        out += entry.key.leftJustified(width + 2) + entry.text + QLatin1Char('\n');
        if (!entry.columns.isEmpty())
            out += table(entry.value.toArray(), entry.columns);
    }
    return out;
}

QString InfoReport::readable(const QJsonValue &value)
{
    switch (value.type()) {
    case QJsonValue::Bool: return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case QJsonValue::Double: return QString::number(value.toDouble(), 'g', 10);
    case QJsonValue::String:
        // Texts come from foreign files: line breaks would break the alignment, an escape
        // sequence would reach the terminal.
        return listedText(value.toString());
    case QJsonValue::Array: {
        QStringList items;
        for (const QJsonValue item : value.toArray())
            items.append(readable(item));
        return items.join(QLatin1Char(' '));
    }
    default: return QString();
    }
}

QString InfoReport::table(const QJsonArray &rows, const QStringList &columns)
{
    QList<QStringList> cells{columns};
    for (const QJsonValue row : rows) {
        QStringList line;
        for (const QString &column : columns)
            line.append(readable(row.toObject().value(column)));
        cells.append(line);
    }
    QList<qsizetype> widths(columns.size(), 0);
    for (const QStringList &line : cells) {
        for (qsizetype i = 0; i < line.size(); ++i)
            widths[i] = std::max(widths[i], line.at(i).size());
    }
    QString out;
    for (const QStringList &line : cells) {
        QStringList padded;
        for (qsizetype i = 0; i < line.size(); ++i)
            padded.append(line.at(i).rightJustified(widths.at(i)));
        out += QStringLiteral("  ") + padded.join(QStringLiteral("  ")) + QLatin1Char('\n');
    }
    return out;
}
