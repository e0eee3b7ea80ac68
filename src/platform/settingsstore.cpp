#include "settingsstore.h"

#include "failure.h"
#include "numbers.h"

#include <QDir>
#include <QStringList>

namespace {

const QString Application = QStringLiteral("TexelSmithy");

QString path(const QString &section, const QString &key)
{
    return section + QLatin1Char('/') + key;
}

} // namespace

SettingsStore::SettingsStore() : mSettings(QSettings::IniFormat, QSettings::UserScope, Application, Application)
{
}

SettingsStore::SettingsStore(const QString &filePath) : mSettings(filePath, QSettings::IniFormat)
{
}

std::optional<QString> SettingsStore::stored(const QString &section, const QString &key) const
{
    const QVariant value = mSettings.value(path(section, key));
    if (!value.isValid())
        return std::nullopt;
    // An unquoted text with commas, written by hand, is read back as a list.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

QString SettingsStore::get(const QString &section, const QString &key, const QString &defaultValue) const
{
    return stored(section, key).value_or(defaultValue);
}

void SettingsStore::save(const QString &section, const QString &key, const QString &value)
{
    // A QSettings keeps its first error for good, and a line it cannot parse (FormatError)
    // does not keep the value from being written: each save has a writer of its own, and
    // only a write that failed is reported.
    QSettings writer(fileName(), QSettings::IniFormat);
    writer.setValue(path(section, key), value);
    writer.sync();
    if (writer.status() == QSettings::AccessError)
        throw Failure::runtime(Failure::PermissionDenied, QDir::toNativeSeparators(fileName()));
    mSettings.sync();
}

bool SettingsStore::getBool(const QString &section, const QString &key, bool defaultValue) const
{
    const std::optional<QString> text = stored(section, key);
    return text ? leadingNumber(*text) != 0 : defaultValue;
}

void SettingsStore::saveBool(const QString &section, const QString &key, bool value)
{
    save(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

qint32 SettingsStore::getInt(const QString &section, const QString &key, qint32 defaultValue) const
{
    const std::optional<QString> text = stored(section, key);
    bool ok = false;
    const qint32 value = text ? text->trimmed().toInt(&ok) : 0;
    return ok ? value : defaultValue;
}

void SettingsStore::saveInt(const QString &section, const QString &key, qint32 value)
{
    save(section, key, QString::number(value));
}
