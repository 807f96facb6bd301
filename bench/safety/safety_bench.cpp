// One undo (or redo) step through the main window, bank refresh and repaint included,
// and the memory a history of 100 steps holds. Runs offscreen with a private settings
// store.
#include "ui/main/main_window.h"
#include "ui/main/prompts.h"

#include "core/address_map.h"
#include "core/session.h"
#include "core/undo_history.h"

#include "../common/full_bank.h"
#include "../common/widget_benchmarks.h"

#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace {

using r57::CodeplugImage;
using r57::ui::MainWindow;

r57::bench::DefaultPrompts gPrompts;

std::unique_ptr<MainWindow> ShownWindow() {
    return r57::bench::ShownMainWindow(gPrompts);
}

// Undo and redo in turn of a step that changed every cell of the shown bank (an Open,
// a read): the most a step can ask of the grid.
void BM_UndoStepWholeBank(benchmark::State& state) {
    auto window = ShownWindow();
    const CodeplugImage full = r57::bench::FullBank(0);
    const CodeplugImage other = r57::bench::FullBank(1);
    window->applyWindowChange([&] { window->session().image = full; });
    window->applyWindowChange([&] { window->session().image = other; });
    bool back = true;
    for (auto _ : state) {
        back ? window->undo() : window->redo();
        back = !back;
        window->repaint();
    }
}
BENCHMARK(BM_UndoStepWholeBank)->Unit(benchmark::kMillisecond);

// Undo and redo in turn of one field of one channel in a full bank.
void BM_UndoStepOneField(benchmark::State& state) {
    auto window = ShownWindow();
    const CodeplugImage full = r57::bench::FullBank(0);
    window->applyWindowChange([&] { window->session().image = full; });
    window->applyWindowChange([&] {
        window->session().image.set(r57::addr::kBankARecords + 12, 0x00); // A1 low power
    });
    bool back = true;
    for (auto _ : state) {
        back ? window->undo() : window->redo();
        back = !back;
        window->repaint();
    }
}
BENCHMARK(BM_UndoStepOneField)->Unit(benchmark::kMillisecond);

// Bytes held by a history of 100 steps: field edits, channel moves (a few dozen
// bytes), and whole new images (Open, read) at worst.
void BM_HistoryMemory100Steps(benchmark::State& state) {
    const int changed = static_cast<int>(state.range(0));
    std::mt19937 random(1);
    std::size_t bytes = 0;
    for (auto _ : state) {
        r57::UndoHistory history;
        CodeplugImage image;
        history.reset(image, {});
        for (int step = 0; step < 100; ++step) {
            for (int i = 0; i < changed; ++i) {
                image.set(static_cast<int>(random() % CodeplugImage::kSize),
                          static_cast<uint8_t>(random()));
            }
            history.checkpoint(image, {});
        }
        bytes = history.memoryUsage();
    }
    state.counters["bytes"] = static_cast<double>(bytes);
    state.counters["KiB"] = static_cast<double>(bytes) / 1024.0;
}
BENCHMARK(BM_HistoryMemory100Steps)
    ->Arg(1)
    ->Arg(32)
    ->Arg(CodeplugImage::kSize)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir home; // the settings store is only read, but never the user's
    qputenv("HOME", home.path().toLocal8Bit());
    QStandardPaths::setTestModeEnabled(true);
    return r57::bench::RunWidgetBenchmarks(argc, argv);
}
