#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLibraryInfo>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

// The folders of src/ in layer order; a folder may include only folders of lower layers.
const QHash<QString, int> kLayers = {
    {QStringLiteral("common"), 1}, {QStringLiteral("document"), 2}, {QStringLiteral("zgf"), 2},
    {QStringLiteral("export"), 3}, {QStringLiteral("platform"), 4}, {QStringLiteral("widgets"), 5},
    {QStringLiteral("ui"), 6},     {QStringLiteral("tools"), 6},    {QStringLiteral("app"), 7},
};
// Up to this layer the code runs without widgets: the command-line tool needs no display.
constexpr int kLastWidgetFreeLayer = 4;

struct Include
{
    QString file; // relative to src/
    QString name;
    bool quoted;
};

QString folderOf(const QString &relativePath)
{
    return relativePath.section(QLatin1Char('/'), 0, 0);
}

QList<Include> includesUnder(const QString &src)
{
    static const QRegularExpression directive(QStringLiteral(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])"));
    QList<Include> includes;
    QDirIterator it(src, {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            ADD_FAILURE() << "cannot read " << path.toStdString();
        const QString relative = QDir(src).relativeFilePath(path);
        for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
            const QRegularExpressionMatch match = directive.match(line);
            if (match.hasMatch())
                includes.append({relative, match.captured(2), match.captured(1) == QLatin1String("\"")});
        }
    }
    return includes;
}

// The folder of each header of our own, by file name: the targets export their folders, so
// code includes "texelfont.h", not a path.
QHash<QString, QString> headerFolders(const QString &src)
{
    QHash<QString, QString> folders;
    QDirIterator it(src, {QStringLiteral("*.h")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString folder = folderOf(QDir(src).relativeFilePath(path));
        const QString name = QFileInfo(path).fileName();
        if (folders.contains(name) && folders.value(name) != folder)
            ADD_FAILURE() << name.toStdString() << " is in both " << folders.value(name).toStdString() << " and "
                          << folder.toStdString();
        folders.insert(name, folder);
    }
    return folders;
}

bool isWidgetHeader(const QString &name)
{
    static const QString widgets = QLibraryInfo::path(QLibraryInfo::HeadersPath) + QStringLiteral("/QtWidgets/");
    return name == QLatin1String("QtWidgets") || name.startsWith(QLatin1String("QtWidgets/"))
        || QFileInfo::exists(widgets + name);
}

TEST(Layers, EveryFolderHasALayer)
{
    const QStringList folders = QDir(QStringLiteral(TEXEL_SOURCE_DIR)).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    ASSERT_FALSE(folders.isEmpty());
    for (const QString &folder : folders)
        EXPECT_TRUE(kLayers.contains(folder)) << "src/" << folder.toStdString() << " has no layer";
}

TEST(Layers, NoFolderIncludesOneAfterIt)
{
    const QString src = QStringLiteral(TEXEL_SOURCE_DIR);
    const QHash<QString, QString> folders = headerFolders(src);
    for (const Include &include : includesUnder(src)) {
        const QString from = folderOf(include.file);
        const QString to = folders.value(QFileInfo(include.name).fileName());
        if (!include.quoted || to.isEmpty() || to == from)
            continue;
        EXPECT_LT(kLayers.value(to), kLayers.value(from))
            << include.file.toStdString() << " includes " << include.name.toStdString() << " of " << to.toStdString();
    }
}

TEST(Layers, TheLibrariesBelowTheWindowsIncludeNoWidget)
{
    ASSERT_TRUE(isWidgetHeader(QStringLiteral("QWidget"))) << "Qt's widget headers were not found";
    ASSERT_FALSE(isWidgetHeader(QStringLiteral("QImage")));
    for (const Include &include : includesUnder(QStringLiteral(TEXEL_SOURCE_DIR))) {
        if (kLayers.value(folderOf(include.file)) <= kLastWidgetFreeLayer && !include.quoted) {
            EXPECT_FALSE(isWidgetHeader(include.name))
                << include.file.toStdString() << " includes <" << include.name.toStdString() << ">";
        }
    }
}

// The console's library builds with any C99 compiler and no C library beyond these three:
// the library proper (zgfdraw.h, zgfdraw.c) and every code page.
TEST(Layers, TheDeviceLibraryIncludesOnlyTheFreestandingHeaders)
{
    static const QRegularExpression directive(QStringLiteral(R"(^\s*#\s*include\s*([<"][^>"]+[>"]))"));
    const QStringList allowed{QStringLiteral("<stddef.h>"), QStringLiteral("<stdint.h>"), QStringLiteral("<string.h>"),
                              QStringLiteral("\"zgfdraw.h\"")};
    const QDir device(QStringLiteral(TEXEL_DEVICE_DIR));
    const QStringList files = device.entryList({QStringLiteral("zgfdraw.?"), QStringLiteral("zgf_*.c")}, QDir::Files);
    ASSERT_TRUE(files.contains(QStringLiteral("zgfdraw.c")) && files.contains(QStringLiteral("zgf_cp1252.c")));
    for (const QString &name : files) {
        QFile file(device.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
            const QRegularExpressionMatch match = directive.match(line);
            if (match.hasMatch()) {
                EXPECT_TRUE(allowed.contains(match.captured(1)))
                    << name.toStdString() << " includes " << match.captured(1).toStdString();
            }
        }
    }
}

} // namespace
