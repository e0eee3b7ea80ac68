#include "projectextension.h"

#include "strictjson.h"
#include "texelfont.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtEndian>

#include <array>

namespace {

const QString kTTFName = QStringLiteral("TTFName");
const QString kName = QStringLiteral("Name");
const QString kFontFile = QStringLiteral("FontFile");
const QString kHinting = QStringLiteral("Hinting");
const QString kSmooth = QStringLiteral("Smooth");
const QString kChars = QStringLiteral("Chars");
const QString kSampleText = QStringLiteral("SampleText");
const QString kBackground = QStringLiteral("Background");
const QString kVariableName = QStringLiteral("VariableName");
const QString kCodePage = QStringLiteral("CodePage");

const std::array kTextKeys{&kTTFName,    &kName,       &kFontFile,     &kChars,
                           &kSampleText, &kBackground, &kVariableName, &kCodePage};

QString projectFolder(const QString &projectPath)
{
    return QDir::cleanPath(QFileInfo(projectPath).absolutePath());
}

// Relative to the project's folder when the file lies under it, else absolute.
QString storedFontFile(const QString &fontFile, const QString &projectPath)
{
    const QString file = QDir::cleanPath(QFileInfo(fontFile).absoluteFilePath());
    const QString folder = projectFolder(projectPath);
    if (file.startsWith(folder + QLatin1Char('/')))
        return QDir(folder).relativeFilePath(file);
    return file;
}

QString loadedFontFile(const QString &stored, const QString &projectPath)
{
    if (stored.isEmpty())
        return stored;
    return QDir::cleanPath(QDir(projectFolder(projectPath)).absoluteFilePath(stored));
}

// The extension's object; what makes all of it unreadable when it cannot be had.
QString parsed(const QByteArray &bytes, QJsonObject &object)
{
    if (bytes.size() < ProjectExtension::HeaderSize || !bytes.startsWith(ProjectExtension::Magic))
        return QStringLiteral("%1 bytes follow the record that are no extension").arg(bytes.size());
    const quint32 length = qFromLittleEndian<quint32>(bytes.constData() + 4);
    const qsizetype present = bytes.size() - ProjectExtension::HeaderSize;
    if (length > quint32(ProjectExtension::MaxLength))
        return QStringLiteral("it states %1 bytes, more than an extension holds").arg(length);
    if (present < qsizetype(length))
        return QStringLiteral("it is cut short: %1 of its %2 bytes are there").arg(present).arg(length);
    if (present > qsizetype(length))
        return QStringLiteral("%1 bytes follow its %2 bytes").arg(present - qsizetype(length)).arg(length);
    const QByteArray json = bytes.mid(ProjectExtension::HeaderSize);
    if (const std::optional<JsonFault> fault = strictJsonFault(json))
        return QStringLiteral("its JSON is bad at byte %1: %2").arg(fault->offset).arg(fault->what);
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        return QStringLiteral("its JSON is bad at byte %1: %2").arg(error.offset).arg(error.errorString());
    if (!document.isObject())
        return QStringLiteral("its JSON is not an object");
    object = document.object();
    return QString();
}

// Removes the members of a known key whose value cannot be used, and says what each was.
QStringList droppedDamagedValues(QJsonObject &object)
{
    QStringList faults;
    const auto drop = [&](const QString &key, const QString &fault) {
        object.remove(key);
        faults.append(fault);
    };
    for (const QString *key : kTextKeys) {
        if (object.contains(*key) && !object.value(*key).isString())
            drop(*key, QStringLiteral("%1 is not a text").arg(*key));
    }
    if (object.contains(kHinting) && !hintingFromName(object.value(kHinting).toString()))
        drop(kHinting, QStringLiteral("%1 is not none, slight or full").arg(kHinting));
    if (object.contains(kSmooth) && !object.value(kSmooth).isBool())
        drop(kSmooth, QStringLiteral("%1 is not true or false").arg(kSmooth));
    if (object.contains(kCodePage) && !codePageFromName(object.value(kCodePage).toString()))
        drop(kCodePage,
             QStringLiteral("%1 \"%2\" is no code page this program knows")
                 .arg(kCodePage, object.value(kCodePage).toString()));
    return faults;
}

} // namespace

QByteArray ProjectExtension::toBytes(const TexelFont &font, const QString &projectPath)
{
    QJsonObject object = font.UnknownProjectKeys;
    object.insert(kTTFName, font.TTFName());
    object.insert(kName, font.Name());
    object.insert(kFontFile, font.FontFile().isEmpty() ? QString() : storedFontFile(font.FontFile(), projectPath));
    object.insert(kHinting, hintingName(font.Hinting()));
    object.insert(kSmooth, font.Smooth());
    object.insert(kChars, font.Chars());
    object.insert(kSampleText, font.SampleText);
    object.insert(kBackground, font.Background);
    object.insert(kVariableName, font.VariableName());
    // Absent means Windows-1252, so the projects of that page stay as they always were.
    if (font.CodePage() != CodePage::Windows1252)
        object.insert(kCodePage, codePageName(font.CodePage()));
    else
        object.remove(kCodePage);
    const QByteArray json = QJsonDocument(object).toJson(QJsonDocument::Compact);

    QByteArray bytes(Magic, 4);
    bytes.resize(HeaderSize);
    qToLittleEndian(quint32(json.size()), bytes.data() + 4);
    return bytes + json;
}

QString ProjectExtension::Damage::message(const QString &projectPath) const
{
    const QString file = QDir::toNativeSeparators(projectPath);
    if (!whole.isEmpty()) {
        return QStringLiteral("The extension of the project file %1 is damaged (%2): the settings of its record "
                              "were loaded without it.")
            .arg(file, whole);
    }
    return QStringLiteral("The extension of the project file %1 is damaged: %2. %3 left out; the rest of the "
                          "extension was loaded.")
        .arg(file, values.join(QStringLiteral("; ")),
             values.size() == 1 ? QStringLiteral("That value was") : QStringLiteral("Those values were"));
}

ProjectExtension::Damage ProjectExtension::applyTo(const QByteArray &bytes, TexelFont &font, const QString &projectPath)
{
    QJsonObject object;
    Damage damage;
    if (!bytes.isEmpty()) {
        damage.whole = parsed(bytes, object);
        if (damage.whole.isEmpty())
            damage.values = droppedDamagedValues(object);
    }
    const auto text = [&](const QString &key, const QString &otherwise) {
        return object.contains(key) ? object.value(key).toString() : otherwise;
    };
    // TTFName before Name, and the names the others derive from before VariableName and
    // GP32FileName, whose custom flags are compared again with the names now loaded.
    font.setTTFName(text(kTTFName, font.TTFName()));
    font.setName(text(kName, font.Name()));
    font.setFontFile(loadedFontFile(text(kFontFile, QString()), projectPath));
    font.setHinting(hintingFromName(text(kHinting, hintingName(Hinting::Full))).value_or(Hinting::Full));
    font.setSmooth(object.value(kSmooth).toBool(false));
    font.setChars(text(kChars, font.Chars()));
    font.SampleText = text(kSampleText, font.SampleText);
    font.Background = text(kBackground, font.Background);
    font.setStoredNames(text(kVariableName, font.VariableName()), font.GP32FileName());
    font.setCodePage(codePageFromName(text(kCodePage, QString())).value_or(CodePage::Windows1252));
    for (const QString *key : kTextKeys)
        object.remove(*key);
    object.remove(kHinting);
    object.remove(kSmooth);
    font.UnknownProjectKeys = object;
    return damage;
}
