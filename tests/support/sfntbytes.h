#pragma once

#include <QByteArray>
#include <QList>
#include <QtEndian>

#include <utility>

// TrueType fonts as bytes, for tests that damage or combine them.

// Where the table tagged tag lies in a single font: offset and length (0, 0 when it has none).
inline std::pair<quint32, quint32> sfntTable(const QByteArray &font, const char *tag)
{
    for (int i = 0; i < qFromBigEndian<quint16>(font.constData() + 4); ++i) {
        const char *record = font.constData() + 12 + 16 * i;
        if (QByteArray(record, 4) == tag)
            return {qFromBigEndian<quint32>(record + 8), qFromBigEndian<quint32>(record + 12)};
    }
    return {0, 0};
}

// A collection of the given single fonts, their tables copied after all the directories.
inline QByteArray fontCollection(const QList<QByteArray> &fonts)
{
    QList<QByteArray> directories;
    qint64 offset = 12 + 4 * fonts.size();
    for (const QByteArray &font : fonts)
        offset += 12 + 16 * qFromBigEndian<quint16>(font.constData() + 4);
    QByteArray tables;
    for (const QByteArray &font : fonts) {
        const int count = qFromBigEndian<quint16>(font.constData() + 4);
        QByteArray directory = font.left(12 + 16 * count);
        for (int i = 0; i < count; ++i) {
            char *record = directory.data() + 12 + 16 * i;
            const quint32 at = qFromBigEndian<quint32>(record + 8), length = qFromBigEndian<quint32>(record + 12);
            qToBigEndian<quint32>(quint32(offset + tables.size()), record + 8);
            tables += font.mid(at, length);
            tables.append((4 - tables.size() % 4) % 4, '\0');
        }
        directories.append(directory);
    }
    QByteArray head("ttcf\0\1\0\0", 8);
    head.append(4, '\0');
    qToBigEndian<quint32>(quint32(fonts.size()), head.data() + 8);
    qint64 at = 12 + 4 * fonts.size();
    for (const QByteArray &directory : directories) {
        head.append(4, '\0');
        qToBigEndian<quint32>(quint32(at), head.data() + head.size() - 4);
        at += directory.size();
    }
    return head + directories.join() + tables;
}
