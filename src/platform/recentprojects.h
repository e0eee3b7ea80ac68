#pragma once

#include <QStringList>

class SettingsStore;

// The projects opened or saved last, newest first, kept in the settings store (section
// "RecentProjects", keys "File1" to "File8", an empty value for no entry) so that the list
// survives the program. A store that cannot be written keeps the list for this run only;
// the window reports the store's failure when it saves its position.
class RecentProjects
{
public:
    static constexpr int MaxCount = 8;

    // The list stored, without empty entries or repeats.
    explicit RecentProjects(SettingsStore &store);

    // Absolute paths, newest first.
    const QStringList &files() const { return mFiles; }
    // Puts the file first, moving it up when it is listed; beyond eight, the oldest drops off.
    void add(const QString &fileName);
    void remove(const QString &fileName);
    void clear();

private:
    void save();

    SettingsStore &mStore;
    QStringList mFiles;
};
