#include "outputfolder.h"

#include "failure.h"
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
    if (name.trimmed().isEmpty() || !QDir::isRelativePath(name))
        return name;
    return QDir(folder).filePath(name);
}

void rememberOutputFolder(SettingsStore &store, const QString &writtenFile)
{
    try {
        store.save(kSection, kLastFolder, QFileInfo(writtenFile).absolutePath());
    } catch (const Failure &) {
        // The next export proposes the home folder instead.
    }
}
