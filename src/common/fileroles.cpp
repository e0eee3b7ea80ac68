#include "fileroles.h"

#include "failure.h"
#include "paths.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString canonicalPath(const QString &path)
{
    const QFileInfo info(ordinaryPath(path));
    const QString canonical = info.canonicalFilePath();
    if (!canonical.isEmpty())
        return canonical;
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return QDir::cleanPath((folder.isEmpty() ? info.absolutePath() : folder) + QLatin1Char('/') + info.fileName());
}

QString capitalised(const QString &text)
{
    return text.left(1).toUpper() + text.mid(1);
}

Failure refusal(const QString &text)
{
    return Failure(Failure::InvalidCall, text);
}

} // namespace

bool isSameFile(const QString &a, const QString &b)
{
    return canonicalPath(a) == canonicalPath(b);
}

void refuseSharedFiles(const QList<FileRole> &files)
{
    QList<std::pair<const FileRole *, QString>> seen;
    for (const FileRole &file : files) {
        if (file.path.isEmpty() && !file.output)
            continue;
        if (file.output && GetFileName(file.path).trimmed().isEmpty())
            throw refusal(capitalised(file.role) + QStringLiteral(" has no name."));
        const QString canonical = canonicalPath(file.path);
        for (const auto &[earlier, earlierPath] : seen) {
            if (earlierPath != canonical || (!file.output && !earlier->output))
                continue;
            const FileRole &writer = file.output ? file : *earlier;
            const FileRole &replaced = file.output ? *earlier : file;
            throw refusal(
                QStringLiteral("%1 would replace %2 %3.").arg(capitalised(writer.role), replaced.role, replaced.path));
        }
        seen.append({&file, canonical});
    }
}

QStringList outputPaths(const QList<FileRole> &files)
{
    QStringList paths;
    for (const FileRole &file : files) {
        if (file.output)
            paths.append(file.path);
    }
    return paths;
}
