// What the main-window tests share: one QApplication, a private settings store, a
// window answered by scripted prompts, and small helpers to reach widgets by name and
// to put channels into the image.
#pragma once

#include "core/channel.h"
#include "core/codecs.h"
#include "core/image.h"
#include "core/session.h"
#include "core/strings.h"
#include "link/settings_store.h"
#include "scripted_prompts.h"
#include "ui/main/channel_grid.h"
#include "ui/main/main_window.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace r57::ui::testing {

inline QString Tr(int id, int language = kEnglish) {
    return QString::fromStdString(Text(id, language));
}

// Runs the event loop until `done` holds or `milliseconds` have passed; whether it holds.
inline bool WaitFor(const std::function<bool()>& done, int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < milliseconds) {
        QTest::qWait(10);
    }
    return done();
}

// Starts the application once per test program, with a settings store of its own so
// that test programs running side by side do not see each other's language.
inline void StartApplication() {
    if (qApp) {
        return;
    }
    static QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    QStandardPaths::setTestModeEnabled(true);
    static int argc = 1;
    static char name[] = "main_window_test";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

// Channel `channel` of `bank` as a used channel with a receive frequency, an optional
// transmit frequency and a name, written straight into the image.
inline void PutChannel(CodeplugImage& image, int bank, int channel, const char* rx,
                       const char* tx = nullptr, const char* name = "") {
    uint8_t record[16];
    std::fill(std::begin(record), std::end(record), 0xFF);
    auto rxBytes = FrequencyBytesFromText(rx);
    std::copy(rxBytes.begin(), rxBytes.end(), record);
    if (tx) {
        auto txBytes = FrequencyBytesFromText(tx);
        std::copy(txBytes.begin(), txBytes.end(), record + 4);
    }
    std::copy(kNewChannelFlags.begin(), kNewChannelFlags.end(), record + 12);
    image.write(RecordAddress(bank, channel), record, 16);
    WriteChannelName(image, NameSlot(bank, channel), name);
}

inline std::array<uint8_t, 16> Record(const CodeplugImage& image, int bank, int channel) {
    std::array<uint8_t, 16> bytes{};
    image.read(RecordAddress(bank, channel), bytes.data(), bytes.size());
    return bytes;
}

inline std::array<uint8_t, 16> EmptyRecord() {
    std::array<uint8_t, 16> bytes{};
    bytes.fill(0xFF);
    return bytes;
}

class MainWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { StartApplication(); }

    void SetUp() override {
        link::WriteSetting("Language", "0");
        open();
    }

    void TearDown() override { window.reset(); }

    // A fresh window over `applicationDirectory` (default: the test's own folder, where
    // the stock logo lies).
    void open(const QString& applicationDirectory = QCoreApplication::applicationDirPath()) {
        window.reset();
        window = std::make_unique<MainWindow>(prompts, applicationDirectory);
        window->show();
        QCoreApplication::processEvents();
        prompts.asked.clear();
        prompts.fileDialogs.clear();
    }

    Session& session() { return window->session(); }

    template <class T = QWidget> T* find(const QString& name) {
        T* found = window->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    QAction* item(const QString& name) { return find<QAction>(name); }
    void trigger(const QString& name) { item(name)->trigger(); }
    void clickTool(const QString& key) {
        QTest::mouseClick(find<QToolButton>("tlbActions_" + key), Qt::LeftButton);
    }
    void clickButton(int index) {
        QTest::mouseClick(find<QWidget>(QString("CmdButtons_%1").arg(index)), Qt::LeftButton);
    }
    ChannelGrid* grid(int bank = kBankA) { return window->grid(bank); }

    // Puts channels into the image and shows them, as after an Open.
    void loadChannels(std::initializer_list<int> channels, int bank = kBankA) {
        for (int n : channels) {
            std::string name = "CH" + std::to_string(n);
            PutChannel(session().image, bank, n, n % 2 ? "446.00625" : "145.50000", "446.10000",
                       name.c_str());
        }
        window->refreshShownBank();
    }

    ScriptedPrompts prompts;
    std::unique_ptr<MainWindow> window;
};

} // namespace r57::ui::testing
