#include "paths.h"

#include <QStringList>

namespace {

qsizetype lastSeparator(const QString &path)
{
    return std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
}

bool hasDrive(const QString &path)
{
    return path.size() >= 2 && path.at(1) == QLatin1Char(':');
}

} // namespace

QString ordinaryPath(const QString &path)
{
    return path.startsWith(QLatin1Char(':')) ? QStringLiteral("./") + path : path;
}

QString safeFileName(const QString &name)
{
    QString safe = name;
    for (QChar &c : safe) {
        const char16_t u = c.unicode();
        if (u == '/' || u == '\\' || u < 0x20 || (u >= 0x7F && u < 0xA0))
            c = QLatin1Char('_');
    }
    // Nothing, "." and ".." name no file of their own.
    if (safe.isEmpty() || safe == QLatin1String(".") || safe == QLatin1String(".."))
        return QString(qMax<qsizetype>(safe.size(), 1), QLatin1Char('_'));
    return safe;
}

QString GetFileName(const QString &path)
{
    const qsizetype sep = lastSeparator(path);
    if (sep >= 0)
        return path.mid(sep + 1);
    return hasDrive(path) ? path.mid(2) : path;
}

QString GetFileNameNoExt(const QString &path)
{
    const QString name = GetFileName(path);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    // dot is 0-based; an extension counts when at most four characters follow it.
    if (dot >= 0 && dot + 1 >= name.size() - 4)
        return name.left(dot);
    return name;
}

QString GetFolder(const QString &path)
{
    const qsizetype sep = lastSeparator(path);
    if (sep >= 0)
        return path.left(sep + 1);
    return hasDrive(path) ? path.left(2) : QString();
}

QString GetField(const QString &text, int index, const QString &separator)
{
    if (index < 1)
        return QString();
    if (separator.isEmpty())
        return index == 1 ? text : QString();
    // Each search starts one character after the previous match, so overlapping
    // separators count as the program has always counted them.
    qsizetype found = -1;
    for (int i = 1; i < index; ++i) {
        found = text.indexOf(separator, found + 1);
        if (found < 0)
            return QString();
    }
    const qsizetype start = index == 1 ? 0 : found + separator.size();
    const qsizetype end = text.indexOf(separator, start);
    return end < 0 ? text.mid(start) : text.mid(start, end - start);
}

QString SetField(const QString &value, const QString &text, int index, const QString &separator)
{
    if (index < 1)
        return QString();
    QStringList fields = separator.isEmpty() ? QStringList{text} : text.split(separator);
    while (fields.size() < index)
        fields.append(QString());
    fields[index - 1] = value;
    while (!fields.isEmpty() && fields.last().isEmpty())
        fields.removeLast();
    return fields.join(separator);
}
