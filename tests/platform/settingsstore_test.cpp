#include "failure.h"
#include "settingsstore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString u(const char *text)
{
    return QString::fromUtf8(text);
}

class SettingsStoreTest : public testing::Test
{
protected:
    QString storePath() const { return mDir.filePath(u("TexelSmithy.ini")); }

    QTemporaryDir mDir;
};

// Values are kept as text: a number that does not parse reads as the default, a flag is any
// non-zero leading number. A fresh store gives every default and writes no file.
TEST_F(SettingsStoreTest, ValuesSurviveANewStoreAsText)
{
    const QString values[] = {u("1200,900,9600,7200"), u(" spaced "),           u("a=b;c#d"),
                              u("\"quoted\""),         u("\u00C1\u00D1\u20AC"), QString()};
    {
        SettingsStore store(storePath());
        EXPECT_EQ(store.get(u("Export"), u("RLEEncoding"), u("1"))
                      + QString::number(store.getInt(u("Forms"), u("x"), 77)),
                  u("177"));
        EXPECT_TRUE(store.getBool(u("Export"), u("ZGFCFile"), true));
        EXPECT_FALSE(QFileInfo::exists(storePath()));
        for (int i = 0; i < int(std::size(values)); ++i)
            store.save(u("Forms"), u("Key%1.Position").arg(i), values[i]);
        store.save(u("Export"), u("RLEEncoding"), u("1"));
        store.save(u("Export"), u("RLEEncoding"), u("0"));
        store.saveBool(u("Export"), u("ZGFCFile"), true);
        store.saveInt(u("Forms"), u("frmMain.HResizer"), -1500);
        store.save(u("Forms"), u("Main.WindowState"), u("two"));
        store.save(u("Convert"), u("SplitFiles"), u("-1"));
    }
    const SettingsStore store(storePath());
    for (int i = 0; i < int(std::size(values)); ++i)
        EXPECT_EQ(store.get(u("Forms"), u("Key%1.Position").arg(i), u("x")), values[i]) << i;
    EXPECT_EQ(store.get(u("Export"), u("RLEEncoding"), u("1")), u("0"));
    EXPECT_EQ(store.get(u("Convert"), u("RLEEncoding"), u("d")), u("d")) << "sections keep equal keys apart";
    EXPECT_TRUE(store.getBool(u("Export"), u("ZGFCFile"), false)
                && store.getBool(u("Convert"), u("SplitFiles"), false));
    EXPECT_EQ(store.getInt(u("Forms"), u("frmMain.HResizer"), 900), -1500);
    EXPECT_EQ(store.getInt(u("Forms"), u("Main.WindowState"), 0), 0);
}

// A list is read back as its text; a line the store cannot parse makes no later save fail.
TEST_F(SettingsStoreTest, HandWrittenStoreIsReadAndWritten)
{
    QFile file(storePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Forms]\nMain.Position=10,20,300,400\n\"unclosed\n");
    file.close();
    SettingsStore store(storePath());
    EXPECT_EQ(store.get(u("Forms"), u("Main.Position")), u("10,20,300,400"));
    for (const char *value : {"1", "0"}) {
        EXPECT_NO_THROW(store.save(u("Export"), u("ZGFCFile"), u(value)));
        EXPECT_EQ(store.get(u("Export"), u("ZGFCFile")) + SettingsStore(storePath()).get(u("Export"), u("ZGFCFile")),
                  u(value).repeated(2));
    }
}

TEST_F(SettingsStoreTest, UnwritableStoreFailsNamingTheFile)
{
    QFile blocker(mDir.filePath(u("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString path = mDir.filePath(u("file/TexelSmithy.ini"));
    SettingsStore store(path);
    try {
        store.save(u("Export"), u("ZGFCFile"), u("1"));
        ADD_FAILURE() << "saving into a store that cannot be written succeeded";
    } catch (const Failure &failure) {
        EXPECT_TRUE(failure.description.contains(QDir::toNativeSeparators(path)));
    }
}

TEST(SettingsStoreUser, IsKeptInTheUserConfigurationFolder)
{
    const SettingsStore store;
    const QDir config(qEnvironmentVariable("XDG_CONFIG_HOME", QDir::homePath() + u("/.config")));
    EXPECT_EQ(QFileInfo(store.fileName()).absoluteFilePath(),
              QFileInfo(config.filePath(u("TexelSmithy/TexelSmithy.ini"))).absoluteFilePath());
}

} // namespace
