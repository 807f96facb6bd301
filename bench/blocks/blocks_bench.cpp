// How long the block commands take as the user runs them in the main window, each
// with its undo checkpoint and the repaint of the grid's visible part: a paste of 128
// rows (copied in the window, and as text from another program), a fill of 128 rows
// through the TX Power drop-down, and Edit > Sort Channels... over a full bank.
#include "ui/main/channel_grid.h"
#include "ui/main/main_window.h"

#include "core/channel.h"
#include "core/session.h"
#include "model/sheet/bank_sheet.h"
#include "model/sheet/block_text.h"

#include "../common/full_bank.h"
#include "../common/widget_benchmarks.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QRadioButton>
#include <QTest>

#include <benchmark/benchmark.h>

#include <numeric>

namespace {

using r57::kBankA;
using r57::kChannelRows;
using r57::ui::ChannelGrid;
using r57::ui::MainWindow;

r57::bench::DefaultPrompts gPrompts;

std::vector<int> WholeBank() {
    std::vector<int> rows(kChannelRows);
    std::iota(rows.begin(), rows.end(), 1);
    return rows;
}

struct Window {
    std::unique_ptr<MainWindow> window = r57::bench::ShownMainWindow(gPrompts);
    ChannelGrid* grid = window->grid(kBankA);

    void load(const r57::CodeplugImage& image) {
        window->applyWindowChange([&] { window->session().image = image; });
    }
    void trigger(const char* item) { window->findChild<QAction*>(item)->trigger(); }
    void paint() { grid->viewport()->repaint(); }
};

// A bank of the other codeplug pasted over a full bank from row 1, after a copy in the
// window (`asText` false) or as text another program put on the clipboard.
void PasteRounds(benchmark::State& state, bool asText) {
    Window w;
    w.load(r57::bench::FullBank(1));
    w.grid->selectRows(WholeBank());
    w.trigger("mnuEdit_Copy");
    if (asText) {
        // The window's own text, but no longer the copy it made: read as foreign text.
        QApplication::clipboard()->setText(QApplication::clipboard()->text() + "\n");
    }
    const r57::CodeplugImage base = r57::bench::FullBank(0);
    for (auto _ : state) {
        state.PauseTiming();
        w.load(base);
        w.grid->setCursor(1, r57::kColRx);
        state.ResumeTiming();
        w.trigger("mnuEdit_Paste");
        w.paint();
    }
}

void BM_PasteBlock128Rows(benchmark::State& state) {
    PasteRounds(state, false);
}
BENCHMARK(BM_PasteBlock128Rows)->Unit(benchmark::kMillisecond);

void BM_PasteText128Rows(benchmark::State& state) {
    PasteRounds(state, true);
}
BENCHMARK(BM_PasteText128Rows)->Unit(benchmark::kMillisecond);

// TX Power chosen in the drop-down with the whole bank selected, High and Low in turn:
// Enter opens it, an arrow key picks, Enter commits and fills the other 127 rows.
void BM_Fill128Rows(benchmark::State& state) {
    Window w;
    w.load(r57::bench::FullBank(0));
    auto* power = w.grid->findChild<QComboBox*>("cboPowerScan");
    bool low = true;
    for (auto _ : state) {
        w.grid->setCursor(1, r57::kColPower);
        w.grid->selectRows(WholeBank());
        QTest::keyClick(w.grid, Qt::Key_Return);
        QTest::keyClick(power, low ? Qt::Key_Down : Qt::Key_Up);
        QTest::keyClick(power, Qt::Key_Return);
        w.paint();
        low = !low;
    }
    if (w.grid->cellText(kChannelRows, r57::kColPower) != w.grid->cellText(1, r57::kColPower)) {
        state.SkipWithError("the fill did not reach row 128");
    }
}
BENCHMARK(BM_Fill128Rows)->Unit(benchmark::kMillisecond);

// Edit > Sort Channels... by RX Freq over the whole bank, ascending and descending in
// turn, so every round moves most channels.
void BM_SortFullBank(benchmark::State& state) {
    Window w;
    w.load(r57::bench::FullBank(0));
    bool descending = false;
    for (auto _ : state) {
        w.grid->setCursor(1, r57::kColRx);
        w.trigger("mnuEdit_Sort");
        auto* dialog = w.window->findChild<QDialog*>("frmSort");
        dialog->findChild<QRadioButton*>(descending ? "optSortDescending" : "optSortAscending")
            ->setChecked(true);
        dialog->accept();
        w.paint();
        descending = !descending;
        state.PauseTiming();
        delete dialog; // closed dialogs go at the next event loop turn otherwise
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SortFullBank)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return r57::bench::RunWidgetBenchmarks(argc, argv);
}
