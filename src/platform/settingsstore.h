#pragma once

#include <QSettings>
#include <QString>

#include <optional>

// The per-user store of preferences: text values addressed by section and key, kept in an
// INI file. Numbers are decimal text, Booleans "0" and "1". Windows are given the store they
// use; nothing reaches for it on its own. Sections and keys must not contain "/" or "\".
class SettingsStore
{
public:
    // The person's store of the program: TexelSmithy/TexelSmithy.ini in the user's
    // configuration folder (~/.config unless XDG_CONFIG_HOME says otherwise).
    SettingsStore();
    // A store kept in the given INI file, created on the first save.
    explicit SettingsStore(const QString &filePath);
    SettingsStore(const SettingsStore &) = delete;
    SettingsStore &operator=(const SettingsStore &) = delete;

    // The stored text, or defaultValue when the key is missing.
    QString get(const QString &section, const QString &key, const QString &defaultValue = QString()) const;
    // Creates or replaces the value and writes the store at once; fails with 70 naming the
    // file when it cannot be written.
    void save(const QString &section, const QString &key, const QString &value);

    // A stored number other than 0 is true ("1"); defaultValue when the key is missing.
    bool getBool(const QString &section, const QString &key, bool defaultValue) const;
    // Saves "1" or "0".
    void saveBool(const QString &section, const QString &key, bool value);

    // The stored whole number, or defaultValue when the key is missing or its text is not a
    // whole number within 32 bits (a hand-edited store must not stop a window from opening).
    qint32 getInt(const QString &section, const QString &key, qint32 defaultValue) const;
    void saveInt(const QString &section, const QString &key, qint32 value);

    // The file the store is kept in.
    QString fileName() const { return mSettings.fileName(); }

private:
    std::optional<QString> stored(const QString &section, const QString &key) const;

    QSettings mSettings;
};
