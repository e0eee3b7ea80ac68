#include "outputfolder.h"

#include "failure.h"
#include "paths.h"
#include "settingsstore.h"
#include "texelfont.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kSection = QStringLiteral("Export");
const QString kLastFolder = QStringLiteral("LastFolder");

} // namespace

QString outputFolder(const TexelFont &font, const SettingsStore &store)
{
    if (!font.Filename().isEmpty())
        return QFileInfo(font.Filename()).absolutePath();
    const QString last = store.get(kSection, kLastFolder);
    if (!last.isEmpty() && QFileInfo(last).isDir())
        return last;
    return QDir::homePath();
}

QString resolvedOutputName(const QString &name, const QString &folder)
{
    // Qt takes a leading ":" for a resource, which is absolute; here it is a file name.
    if (name.trimmed().isEmpty() || !QDir::isRelativePath(ordinaryPath(name)))
        return name;
    QString path = QDir(folder).absolutePath();
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path + name;
}

void rememberOutputFolder(SettingsStore &store, const QString &writtenFile)
{
    try {
        store.save(kSection, kLastFolder, QFileInfo(writtenFile).absolutePath());
    } catch (const Failure &) {
        // The next export proposes the home folder instead.
    }
}
