// How long the main window takes to start and show itself, to show a freshly loaded
// bank, and to switch the language. Runs offscreen with a private settings store.
#include "ui/main/channel_grid.h"
#include "ui/main/main_window.h"
#include "ui/main/prompts.h"

#include "core/channel.h"
#include "core/session.h"
#include "model/sheet/bank_sheet.h"

#include "../common/full_bank.h"
#include "../common/widget_benchmarks.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QTableWidget>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using r57::Session;
using r57::ui::MainWindow;

r57::bench::DefaultPrompts gPrompts;

using r57::bench::FullBank;

std::unique_ptr<MainWindow> ShownWindow() {
    return r57::bench::ShownMainWindow(gPrompts);
}

// The first window of the process, as the user meets it: fonts, styles and icons are
// loaded on the way. Registered first so that nothing has warmed them up.
void BM_FirstStartUpToShown(benchmark::State& state) {
    for (auto _ : state) {
        auto window = ShownWindow();
        window->repaint();
    }
}
BENCHMARK(BM_FirstStartUpToShown)->Iterations(1)->Unit(benchmark::kMillisecond);

// From nothing to a shown, painted main window, once the process is warm.
void BM_StartUpToShown(benchmark::State& state) {
    for (auto _ : state) {
        auto window = ShownWindow();
        window->repaint();
        state.PauseTiming();
        window.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartUpToShown)->Unit(benchmark::kMillisecond);

// The yardstick for the two above: a bare Qt window holding one table of a bank's size,
// shown and painted. A start-up is judged by its ratio to this on the same machine.
void BM_BareWindowWithTable(benchmark::State& state) {
    for (auto _ : state) {
        auto window = std::make_unique<QMainWindow>();
        auto* table = new QTableWidget(128, 15, window.get());
        for (int row = 0; row < 128; ++row) {
            for (int column = 0; column < 15; ++column) {
                table->setItem(row, column, new QTableWidgetItem);
            }
        }
        window->setCentralWidget(table);
        window->menuBar()->addMenu("File");
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get())) {
            QApplication::processEvents();
        }
        window->repaint();
        state.PauseTiming();
        window.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_BareWindowWithTable)->Unit(benchmark::kMillisecond);

// A new image in the shown bank (as after Open or a radio read), painted.
void BM_BankRefreshThroughWindow(benchmark::State& state) {
    auto window = ShownWindow();
    const r57::CodeplugImage images[2] = {FullBank(0), FullBank(1)};
    int which = 0;
    for (auto _ : state) {
        window->session().image = images[which];
        which ^= 1;
        window->refreshShownBank();
        window->repaint();
    }
}
BENCHMARK(BM_BankRefreshThroughWindow)->Unit(benchmark::kMillisecond);

// The language menu with a full bank shown: every caption, list and cell, painted.
void BM_LanguageSwitch(benchmark::State& state) {
    auto window = ShownWindow();
    window->session().image = FullBank(0);
    window->refreshShownBank();
    int language = r57::kEnglish;
    for (auto _ : state) {
        language = language == r57::kEnglish ? r57::kChinese : r57::kEnglish;
        window->switchLanguage(language);
        window->repaint();
    }
}
BENCHMARK(BM_LanguageSwitch)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return r57::bench::RunWidgetBenchmarks(argc, argv);
}
