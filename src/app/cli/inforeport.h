#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QJsonValue>
#include <QList>
#include <QString>
#include <QStringList>

// The facts that info prints, in order, each as a JSON value and as readable text. The JSON
// form is one object; the text form aligns the values after their keys, shows a list of
// numbers on one line and a list of records as a table.
class InfoReport
{
public:
    // A value; text is how the readable form shows it (by default, from the value).
    void add(const QString &key, const QJsonValue &value, const QString &text = QString());
    // A line of the text form only, for what the JSON form leaves to the reader to work out.
    void addNote(const QString &key, const QString &text);
    // A list of records that share the given columns, in that order.
    void addTable(const QString &key, const QJsonArray &rows, const QStringList &columns);

    QByteArray json() const;
    QString text() const;

private:
    struct Entry
    {
        QString key;
        QJsonValue value;
        QString text;
        QStringList columns; // a table's, empty for a value
        bool textOnly = false;
    };

    static QString readable(const QJsonValue &value);
    static QString table(const QJsonArray &rows, const QStringList &columns);

    QList<Entry> mEntries;
};
