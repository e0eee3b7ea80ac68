#include "failure.h"
#include "settingsstore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class SettingsStoreTest : public testing::Test
{
protected:
    QString storePath() const { return mDir.filePath(QStringLiteral("TexelSmithy.ini")); }

    QTemporaryDir mDir;
};

TEST_F(SettingsStoreTest, FirstRunGivesEveryDefault)
{
    const SettingsStore store(storePath());
    struct Row
    {
        const char *section;
        const char *key;
        const char *defaultValue;
    };
    const Row rows[] = {
        {"Forms", "Main.Position", ""},
        {"Forms", "Main.WindowState", "0"},
        {"Forms", "frmMain.HResizer", "900"},
        {"Resizer", "frmConvert.picBar.Position", "2400"},
        {"Export", "ZGFCFile", "0"},
        {"Export", "SplitFiles", "0"},
        {"Export", "RLEEncoding", "1"},
        {"Convert", "SplitFiles", "0"},
    };
    for (const Row &row : rows) {
        const QString section = QString::fromUtf8(row.section);
        const QString key = QString::fromUtf8(row.key);
        EXPECT_EQ(store.get(section, key, QString::fromUtf8(row.defaultValue)), QString::fromUtf8(row.defaultValue))
            << row.key;
        EXPECT_EQ(store.getInt(section, key, 77), 77) << row.key;
        EXPECT_TRUE(store.getBool(section, key, true)) << row.key;
        EXPECT_FALSE(store.getBool(section, key, false)) << row.key;
    }
    EXPECT_FALSE(QFileInfo::exists(storePath()));
}

TEST_F(SettingsStoreTest, ValuesSurviveANewStore)
{
    const QString values[] = {
        QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("900"),
        QStringLiteral("1200,900,9600,7200"), QStringLiteral(" spaced "), QStringLiteral("a=b;c#d"),
        QStringLiteral("\"quoted\""), QStringLiteral("\u00C1\u00D1\u20AC"), QString(),
    };
    {
        SettingsStore store(storePath());
        for (int i = 0; i < int(std::size(values)); ++i)
            store.save(QStringLiteral("Forms"), QStringLiteral("Key%1.Position").arg(i), values[i]);
        store.save(QStringLiteral("Export"), QStringLiteral("RLEEncoding"), QStringLiteral("1"));
        store.save(QStringLiteral("Export"), QStringLiteral("RLEEncoding"), QStringLiteral("0"));
    }
    const SettingsStore reopened(storePath());
    for (int i = 0; i < int(std::size(values)); ++i) {
        EXPECT_EQ(reopened.get(QStringLiteral("Forms"), QStringLiteral("Key%1.Position").arg(i), QStringLiteral("x")),
                  values[i]) << i;
    }
    EXPECT_EQ(reopened.get(QStringLiteral("Export"), QStringLiteral("RLEEncoding"), QStringLiteral("1")),
              QStringLiteral("0"));
    // Sections keep equal keys apart.
    EXPECT_EQ(reopened.get(QStringLiteral("Convert"), QStringLiteral("RLEEncoding"), QStringLiteral("d")),
              QStringLiteral("d"));
}

TEST_F(SettingsStoreTest, TypedValuesAreStoredAsText)
{
    {
        SettingsStore store(storePath());
        store.saveBool(QStringLiteral("Export"), QStringLiteral("ZGFCFile"), true);
        store.saveBool(QStringLiteral("Export"), QStringLiteral("SplitFiles"), false);
        store.saveInt(QStringLiteral("Forms"), QStringLiteral("frmMain.HResizer"), -1500);
        store.save(QStringLiteral("Forms"), QStringLiteral("Main.WindowState"), QStringLiteral("two"));
        store.save(QStringLiteral("Convert"), QStringLiteral("SplitFiles"), QStringLiteral("-1"));
    }
    const SettingsStore store(storePath());
    EXPECT_EQ(store.get(QStringLiteral("Export"), QStringLiteral("ZGFCFile")), QStringLiteral("1"));
    EXPECT_EQ(store.get(QStringLiteral("Export"), QStringLiteral("SplitFiles")), QStringLiteral("0"));
    EXPECT_TRUE(store.getBool(QStringLiteral("Export"), QStringLiteral("ZGFCFile"), false));
    EXPECT_FALSE(store.getBool(QStringLiteral("Export"), QStringLiteral("SplitFiles"), true));
    EXPECT_TRUE(store.getBool(QStringLiteral("Convert"), QStringLiteral("SplitFiles"), false));
    EXPECT_EQ(store.getInt(QStringLiteral("Forms"), QStringLiteral("frmMain.HResizer"), 900), -1500);
    EXPECT_EQ(store.getInt(QStringLiteral("Forms"), QStringLiteral("Main.WindowState"), 0), 0);
}

TEST_F(SettingsStoreTest, HandWrittenListIsReadAsText)
{
    QFile file(storePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Forms]\nMain.Position=10,20,300,400\n");
    file.close();
    EXPECT_EQ(SettingsStore(storePath()).get(QStringLiteral("Forms"), QStringLiteral("Main.Position")),
              QStringLiteral("10,20,300,400"));
}

TEST_F(SettingsStoreTest, UnwritableStoreFailsNamingTheFile)
{
    QFile blocker(mDir.filePath(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString path = mDir.filePath(QStringLiteral("file/TexelSmithy.ini"));
    SettingsStore store(path);
    try {
        store.save(QStringLiteral("Export"), QStringLiteral("ZGFCFile"), QStringLiteral("1"));
        ADD_FAILURE() << "saving into a store that cannot be written succeeded";
    } catch (const Failure &failure) {
        EXPECT_TRUE(failure.description.contains(QDir::toNativeSeparators(path)));
    }
}

TEST(SettingsStoreUser, IsKeptInTheUserConfigurationFolder)
{
    const SettingsStore store;
    const QString expected = QDir(qEnvironmentVariable("XDG_CONFIG_HOME", QDir::homePath() + QStringLiteral("/.config")))
                                 .filePath(QStringLiteral("TexelSmithy/TexelSmithy.ini"));
    EXPECT_EQ(QFileInfo(store.fileName()).absoluteFilePath(), QFileInfo(expected).absoluteFilePath());
}

} // namespace
