#include "bdffile.h"

#include <QList>

namespace {

// The keyword that starts the line at from, and where the next line starts.
QByteArray keywordAt(const QByteArray &bytes, qsizetype from, qsizetype *next)
{
    qsizetype end = bytes.indexOf('\n', from);
    if (end < 0)
        end = bytes.size();
    *next = end + 1;
    const QByteArray line = bytes.mid(from, end - from).trimmed();
    const qsizetype space = line.indexOf(' ');
    return space < 0 ? line : line.left(space);
}

// The first glyph whose bitmap holds fewer rows than its BBX height: the renderer would
// leave its bitmap unallocated. A glyph of no width or no height needs no rows (a space).
QString glyphWithoutRows(const QByteArray &bytes)
{
    QByteArray name;
    int width = 0, height = 0, rows = -1; // rows counts from the BITMAP line on
    for (qsizetype at = 0, next = 0; at < bytes.size(); at = next) {
        const QByteArray keyword = keywordAt(bytes, at, &next);
        const QList<QByteArray> words = bytes.mid(at, next - at).simplified().split(' ');
        if (keyword == "STARTCHAR") {
            name = words.mid(1).join(' ');
            width = height = 0;
            rows = -1;
        } else if (keyword == "BBX" && words.size() >= 3) {
            width = words[1].toInt();
            height = words[2].toInt();
        } else if (keyword == "BITMAP") {
            rows = 0;
        } else if (keyword == "ENDCHAR") {
            if (width > 0 && height > 0 && rows < height)
                return QStringLiteral("its glyph \"%1\" has %2 of its %3 bitmap rows")
                    .arg(QString::fromUtf8(name))
                    .arg(qMax(rows, 0))
                    .arg(height);
            rows = -1;
        } else if (rows >= 0 && !keyword.isEmpty()) {
            ++rows;
        }
    }
    return QString();
}

} // namespace

bool isBdf(const QByteArray &bytes)
{
    return bytes.startsWith("STARTFONT");
}

QByteArray bdfWithUnicodeCharset(const QByteArray &bytes)
{
    if (!isBdf(bytes))
        return bytes;
    bool registry = false, encoding = false;
    qsizetype properties = -1, propertiesEnd = -1, chars = -1;
    for (qsizetype at = 0, next = 0; at < bytes.size() && chars < 0; at = next) {
        const QByteArray keyword = keywordAt(bytes, at, &next);
        if (keyword == "STARTPROPERTIES")
            properties = at;
        else if (keyword == "ENDPROPERTIES")
            propertiesEnd = at;
        else if (keyword == "CHARSET_REGISTRY")
            registry = true;
        else if (keyword == "CHARSET_ENCODING")
            encoding = true;
        else if (keyword == "CHARS" || keyword == "STARTCHAR")
            chars = at;
    }
    if ((registry && encoding) || chars < 0)
        return bytes;
    QByteArray added;
    if (!registry)
        added += "CHARSET_REGISTRY \"ISO10646\"\n";
    if (!encoding)
        added += "CHARSET_ENCODING \"1\"\n";
    const int count = int(!registry) + int(!encoding);
    if (properties < 0 || propertiesEnd < properties)
        return bytes.left(chars) + "STARTPROPERTIES " + QByteArray::number(count) + '\n' + added + "ENDPROPERTIES\n"
            + bytes.mid(chars);
    // The count of properties goes up by the ones added.
    qsizetype lineEnd = bytes.indexOf('\n', properties);
    const QList<QByteArray> words = bytes.mid(properties, lineEnd - properties).simplified().split(' ');
    const int stated = words.size() > 1 ? words[1].toInt() : 0;
    return bytes.left(properties) + "STARTPROPERTIES " + QByteArray::number(stated + count) + '\n'
        + bytes.mid(lineEnd + 1, propertiesEnd - lineEnd - 1) + added + bytes.mid(propertiesEnd);
}

QString bdfProblem(const QByteArray &bytes)
{
    if (!isBdf(bytes))
        return QString();
    if (!bytes.trimmed().endsWith("ENDFONT"))
        return QStringLiteral("it ends before its ENDFONT line, so it was cut short");
    return glyphWithoutRows(bytes);
}
