#include "dependencyfile.h"

#include "failure.h"
#include "paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QByteArray escapedName(const QString &name)
{
    const QByteArray bytes = QFile::encodeName(name);
    QByteArray escaped;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || c == '\\')
            throw Failure(
                Failure::InvalidCall,
                QStringLiteral("The dependency file cannot name %1: make and ninja do not read a file "
                               "name with %2.")
                    .arg(name, c == '\\' ? QStringLiteral("a backslash") : QStringLiteral("a control character")));
        if (c == ' ' || c == '#' || c == ':')
            escaped += '\\';
        else if (c == '$')
            escaped += '$';
        escaped += c;
    }
    return escaped;
}

QByteArray nameList(const QStringList &names)
{
    QByteArrayList escaped;
    for (const QString &name : names) {
        if (name.isEmpty())
            throw Failure(Failure::InvalidCall,
                          QStringLiteral("The dependency file cannot name a file without a name."));
        if (const QByteArray entry = escapedName(name); !escaped.contains(entry))
            escaped.append(entry);
    }
    return escaped.join(' ');
}

} // namespace

QByteArray dependencyRule(const QStringList &targets, const QStringList &prerequisites)
{
    if (targets.isEmpty())
        throw Failure(Failure::InvalidCall, QStringLiteral("A dependency file needs a target."));
    const QByteArray after = nameList(prerequisites);
    return nameList(targets) + ':' + (after.isEmpty() ? QByteArray() : ' ' + after) + '\n';
}

QByteArray dependencyRule(const QList<FileRole> &files)
{
    QStringList inputs;
    for (const FileRole &file : files) {
        if (!file.output && !file.path.isEmpty())
            inputs.append(QDir::cleanPath(QFileInfo(ordinaryPath(file.path)).absoluteFilePath()));
    }
    return dependencyRule(outputPaths(files), inputs);
}
