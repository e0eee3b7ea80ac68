#include "recentprojects.h"

#include "failure.h"
#include "settingsstore.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kSection = QStringLiteral("RecentProjects");

QString key(int index)
{
    return QStringLiteral("File%1").arg(index + 1);
}

QString absolute(const QString &fileName)
{
    return QDir::cleanPath(QFileInfo(fileName).absoluteFilePath());
}

} // namespace

RecentProjects::RecentProjects(SettingsStore &store) : mStore(store)
{
    for (int i = 0; i < MaxCount; ++i) {
        const QString file = mStore.get(kSection, key(i));
        if (!file.isEmpty() && !mFiles.contains(file))
            mFiles.append(file);
    }
}

void RecentProjects::add(const QString &fileName)
{
    const QString file = absolute(fileName);
    mFiles.removeAll(file);
    mFiles.prepend(file);
    if (mFiles.size() > MaxCount)
        mFiles.resize(MaxCount);
    save();
}

void RecentProjects::remove(const QString &fileName)
{
    mFiles.removeAll(absolute(fileName));
    save();
}

void RecentProjects::clear()
{
    mFiles.clear();
    save();
}

void RecentProjects::save()
{
    try {
        for (int i = 0; i < MaxCount; ++i)
            mStore.save(kSection, key(i), mFiles.value(i));
    } catch (const Failure &) {
        // The list of this run stays as it is.
    }
}
