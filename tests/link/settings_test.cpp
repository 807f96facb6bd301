// The settings store: names without regard to case, the language value, silent failures.
// Every test works on a settings file in a temporary folder, never the user's own.
#include <link/settings_store.h>

#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace r57::link {
namespace {

class SettingsStore : public testing::Test {
protected:
    static void SetUpTestSuite() {
        QStandardPaths::setTestModeEnabled(true);
        folder = new QTemporaryDir;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder->path());
    }
    static void TearDownTestSuite() {
        delete folder;
        folder = nullptr;
    }
    void SetUp() override { Raw().clear(); }

    static QSettings Raw() {
        return QSettings(QSettings::NativeFormat, QSettings::UserScope, "Tarvex", "R57");
    }
    static void Store(const QString& name, const QString& value) {
        QSettings s(QSettings::NativeFormat, QSettings::UserScope, "Tarvex", "R57");
        s.setValue(name, value);
    }

    static QTemporaryDir* folder;
};
QTemporaryDir* SettingsStore::folder = nullptr;

TEST_F(SettingsStore, TheFileLivesInTheTemporaryFolder) {
    ASSERT_TRUE(WriteSetting("language", "1"));
    EXPECT_TRUE(Raw().fileName().startsWith(folder->path())) << Raw().fileName().toStdString();
    EXPECT_TRUE(Raw().fileName().endsWith("Tarvex/R57.conf"));
}

TEST_F(SettingsStore, MissingValueGivesEnglish) {
    EXPECT_EQ(ReadSetting("Language"), "");
    EXPECT_EQ(LoadLanguage(), 0);
}

TEST_F(SettingsStore, LanguageFromTheStoredText) {
    struct Case {
        const char* name;
        const char* text;
        int language;
    };
    const Case cases[] = {
        {"Language", "1", 1},
        {"language", "1", 1},
        {"LANGUAGE", "1", 1},
        {"language", "0", 0},
        {"language", "", 0},
        {"language", " 1 ", 1},
        {"language", "1.0", 1},
        {"language", "abc", 0},
        {"language", "x1", 0},
        // Only 0 and 1 have texts; anything else would leave every caption empty.
        {"language", "2", 0},
        {"language", "-1", 0},
        {"language", "99999999999", 0},
    };
    for (const Case& c : cases) {
        Raw().clear();
        Store(c.name, c.text);
        EXPECT_EQ(LoadLanguage(), c.language) << c.name << "=" << c.text;
    }
}

TEST_F(SettingsStore, SaveWritesLowerCaseNameAndDropsOtherSpellings) {
    Store("Language", "0");
    Store("LANGUAGE", "0");
    SaveLanguage(1);
    EXPECT_EQ(Raw().allKeys(), QStringList{"language"});
    EXPECT_EQ(Raw().value("language").toString(), "1");
    EXPECT_EQ(LoadLanguage(), 1);
    SaveLanguage(0);
    EXPECT_EQ(LoadLanguage(), 0);
}

TEST_F(SettingsStore, NamesCompareWithoutCase) {
    ASSERT_TRUE(WriteSetting("Ports/COM2", "/dev/ttyUSB3"));
    EXPECT_EQ(ReadSetting("ports/com2"), "/dev/ttyUSB3");
    EXPECT_EQ(ReadSetting("PORTS/COM2"), "/dev/ttyUSB3");
    EXPECT_EQ(ReadSetting("Ports/COM3"), "");

    // Two spellings stored by someone else: the exact one is read.
    Store("Mode", "a");
    Store("mode", "b");
    EXPECT_EQ(ReadSetting("mode"), "b");
    EXPECT_EQ(ReadSetting("Mode"), "a");
}

TEST_F(SettingsStore, UnwritableStoreFailsSilently) {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, "/proc/r57-nowhere");
    EXPECT_FALSE(WriteSetting("language", "1"));
    SaveLanguage(1);
    EXPECT_EQ(ReadSetting("language"), "");
    EXPECT_EQ(LoadLanguage(), 0);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder->path());
}

} // namespace
} // namespace r57::link
