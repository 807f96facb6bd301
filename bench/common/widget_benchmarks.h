// What the benchmark programs that build widgets share: main() (offscreen unless the
// environment names a platform, one QApplication around every benchmark) and prompts
// that never wait for anyone.
#pragma once

#include "ui/main/main_window.h"
#include "ui/main/prompts.h"

#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <memory>

namespace r57::bench {

// Answers every box with its default button and cancels every file dialog.
class DefaultPrompts : public r57::ui::Prompts {
public:
    r57::ui::Answer message(QWidget*, const QString&, const QString&, r57::ui::Icon,
                            r57::ui::Buttons, r57::ui::Answer defaultButton) override {
        return defaultButton;
    }
    QString openFile(QWidget*, const QString&, const QString&) override { return {}; }
    QString saveFile(QWidget*, const QString&, const QString&) override { return {}; }
};

// A main window over these prompts, shown and exposed, as the user has it.
inline std::unique_ptr<r57::ui::MainWindow> ShownMainWindow(r57::ui::Prompts& prompts) {
    auto window = std::make_unique<r57::ui::MainWindow>(prompts);
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get())) {
        QApplication::processEvents();
    }
    return window;
}

// The windows read the settings store; a benchmark reads a private one, never the
// user's.
inline int RunWidgetBenchmarks(int argc, char** argv) {
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    QStandardPaths::setTestModeEnabled(true);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace r57::bench
