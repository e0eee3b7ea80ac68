#include "sfntfile.h"

#include <QList>
#include <QtEndian>

#include <algorithm>
#include <optional>
#include <tuple>

namespace {

constexpr quint32 CollectionTag = 0x74746366; // "ttcf"
constexpr int OffsetTableSize = 12;
constexpr int TableRecordSize = 16;

struct Table
{
    quint32 tag = 0;
    quint32 offset = 0;
    quint32 length = 0;
};

std::optional<quint32> u32(const QByteArray &bytes, qint64 at)
{
    if (at < 0 || at + 4 > bytes.size())
        return std::nullopt;
    return qFromBigEndian<quint32>(bytes.constData() + at);
}

std::optional<quint16> u16(const QByteArray &bytes, qint64 at)
{
    if (at < 0 || at + 2 > bytes.size())
        return std::nullopt;
    return qFromBigEndian<quint16>(bytes.constData() + at);
}

QString tagText(quint32 tag)
{
    QString text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = char((tag >> shift) & 0xff);
        text += c >= 0x20 && c < 0x7f ? QChar::fromLatin1(c) : QLatin1Char('?');
    }
    return text;
}

// The offsets of the faces' offset tables; empty for bytes that are no sfnt.
QList<quint32> faceOffsets(const QByteArray &bytes)
{
    const std::optional<quint32> tag = u32(bytes, 0);
    if (!tag)
        return {};
    if (*tag != CollectionTag)
        return {0};
    const std::optional<quint32> count = u32(bytes, 8);
    QList<quint32> offsets;
    for (quint32 i = 0; count && i < *count && i < 0x10000; ++i) {
        const std::optional<quint32> offset = u32(bytes, 12 + qint64(i) * 4);
        if (!offset)
            break;
        offsets.append(*offset);
    }
    return offsets;
}

// The tables of the face whose offset table starts at offset; nullopt with a reason when
// the directory or a table lies beyond the bytes.
std::optional<QList<Table>> faceTables(const QByteArray &bytes, quint32 offset, QString *why = nullptr)
{
    const std::optional<quint16> count = u16(bytes, qint64(offset) + 4);
    if (!count || qint64(offset) + OffsetTableSize + qint64(*count) * TableRecordSize > bytes.size()) {
        if (why)
            *why = QStringLiteral("its table directory lies past the end of the file");
        return std::nullopt;
    }
    QList<Table> tables;
    for (int i = 0; i < *count; ++i) {
        const qint64 at = qint64(offset) + OffsetTableSize + qint64(i) * TableRecordSize;
        const Table table{*u32(bytes, at), *u32(bytes, at + 8), *u32(bytes, at + 12)};
        if (qint64(table.offset) + table.length > bytes.size()) {
            if (why) {
                *why = QStringLiteral("its table '%1' ends at byte %2, past the end of the file")
                           .arg(tagText(table.tag))
                           .arg(qint64(table.offset) + table.length);
            }
            return std::nullopt;
        }
        tables.append(table);
    }
    return tables;
}

// A single font made of the given tables' data, in tag order as the format wants.
QByteArray assembled(quint32 version, QList<std::pair<quint32, QByteArray>> tables)
{
    std::sort(tables.begin(), tables.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    const int count = int(tables.size());
    int power = 1, log2 = 0;
    while (power * 2 <= count) {
        power *= 2;
        ++log2;
    }
    QByteArray out(OffsetTableSize + count * TableRecordSize, '\0');
    char *head = out.data();
    qToBigEndian<quint32>(version, head);
    qToBigEndian<quint16>(quint16(count), head + 4);
    qToBigEndian<quint16>(quint16(power * 16), head + 6);
    qToBigEndian<quint16>(quint16(log2), head + 8);
    qToBigEndian<quint16>(quint16(count * 16 - power * 16), head + 10);
    for (int i = 0; i < count; ++i) {
        const QByteArray &data = tables[i].second;
        quint32 sum = 0;
        QByteArray padded = data;
        padded.append((4 - padded.size() % 4) % 4, '\0');
        for (qsizetype at = 0; at < padded.size(); at += 4)
            sum += qFromBigEndian<quint32>(padded.constData() + at);
        char *record = out.data() + OffsetTableSize + i * TableRecordSize;
        qToBigEndian<quint32>(tables[i].first, record);
        qToBigEndian<quint32>(sum, record + 4);
        qToBigEndian<quint32>(quint32(out.size()), record + 8);
        qToBigEndian<quint32>(quint32(data.size()), record + 12);
        out += padded;
    }
    return out;
}

QByteArray utf16BigEndian(const QString &text)
{
    QByteArray bytes(text.size() * 2, '\0');
    for (qsizetype i = 0; i < text.size(); ++i)
        qToBigEndian<quint16>(text.at(i).unicode(), bytes.data() + i * 2);
    return bytes;
}

bool isFamilyName(quint16 id)
{
    return id == 1 || id == 3 || id == 4 || id == 6 || id == 16 || id == 18 || id == 21;
}

// The name table with the family names replaced; nullopt when the table cannot be read.
std::optional<QByteArray> renamedNameTable(const QByteArray &table, const QString &family)
{
    struct Record
    {
        quint16 platform, encoding, language, id;
        QByteArray text;
    };
    QList<Record> records;
    const std::optional<quint16> count = u16(table, 2);
    const std::optional<quint16> storage = u16(table, 4);
    if (!count || !storage)
        return std::nullopt;
    for (int i = 0; i < *count; ++i) {
        const qint64 at = 6 + qint64(i) * 12;
        const std::optional<quint16> length = u16(table, at + 8), offset = u16(table, at + 10);
        if (!length || !offset || qint64(*storage) + *offset + *length > table.size())
            return std::nullopt;
        Record record{*u16(table, at), *u16(table, at + 2), *u16(table, at + 4), *u16(table, at + 6),
                      table.mid(*storage + *offset, *length)};
        // Language tags of the later table version are not carried over.
        if (!isFamilyName(record.id) && record.language < 0x8000)
            records.append(record);
    }
    const QString postScript = QString(family).remove(QLatin1Char(' '));
    for (const auto &[id, text] : {std::pair{1, family}, {3, family}, {4, family}, {6, postScript}})
        records.append({3, 1, 0x409, quint16(id), utf16BigEndian(text)});
    std::sort(records.begin(), records.end(), [](const Record &a, const Record &b) {
        return std::tie(a.platform, a.encoding, a.language, a.id) < std::tie(b.platform, b.encoding, b.language, b.id);
    });
    QByteArray head(6 + records.size() * 12, '\0');
    QByteArray strings;
    qToBigEndian<quint16>(quint16(records.size()), head.data() + 2);
    qToBigEndian<quint16>(quint16(head.size()), head.data() + 4);
    for (qsizetype i = 0; i < records.size(); ++i) {
        const Record &r = records[i];
        char *at = head.data() + 6 + i * 12;
        if (strings.size() + r.text.size() > 0xffff)
            return std::nullopt;
        for (const quint16 value :
             {r.platform, r.encoding, r.language, r.id, quint16(r.text.size()), quint16(strings.size())}) {
            qToBigEndian<quint16>(value, at);
            at += 2;
        }
        strings += r.text;
    }
    return head + strings;
}

} // namespace

bool isSfnt(const QByteArray &bytes)
{
    const std::optional<quint32> tag = u32(bytes, 0);
    return tag
        && (*tag == CollectionTag || *tag == 0x00010000 || *tag == 0x4f54544f /* OTTO */
            || *tag == 0x74727565 /* true */);
}

QString sfntLayoutProblem(const QByteArray &bytes)
{
    const QList<quint32> offsets = faceOffsets(bytes);
    if (offsets.isEmpty())
        return QStringLiteral("it holds no face");
    for (qsizetype i = 0; i < offsets.size(); ++i) {
        QString why;
        if (!faceTables(bytes, offsets[i], &why))
            return offsets.size() == 1 ? why : QStringLiteral("its face %1: %2").arg(i + 1).arg(why);
    }
    return QString();
}

QByteArray sfntFace(const QByteArray &bytes, int index)
{
    const QList<quint32> offsets = faceOffsets(bytes);
    if (index < 0 || index >= offsets.size())
        return QByteArray();
    if (offsets.size() == 1 && u32(bytes, 0) != CollectionTag)
        return bytes;
    const std::optional<QList<Table>> tables = faceTables(bytes, offsets[index]);
    if (!tables)
        return QByteArray();
    QList<std::pair<quint32, QByteArray>> data;
    for (const Table &table : *tables)
        data.append({table.tag, bytes.mid(table.offset, table.length)});
    return assembled(*u32(bytes, offsets[index]), data);
}

QByteArray sfntRenamed(const QByteArray &font, const QString &family)
{
    const std::optional<quint32> version = u32(font, 0);
    if (!version || *version == CollectionTag)
        return QByteArray();
    const std::optional<QList<Table>> tables = faceTables(font, 0);
    if (!tables)
        return QByteArray();
    QList<std::pair<quint32, QByteArray>> data;
    QByteArray names = QByteArray(6, '\0'); // an empty table when the font has none
    for (const Table &table : *tables) {
        if (table.tag == 0x6e616d65) // name
            names = font.mid(table.offset, table.length);
        else
            data.append({table.tag, font.mid(table.offset, table.length)});
    }
    const std::optional<QByteArray> renamed = renamedNameTable(names, family);
    if (!renamed)
        return QByteArray();
    data.append({0x6e616d65, *renamed});
    return assembled(*version, data);
}
