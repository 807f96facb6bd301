// How long a bank grid takes to show a full bank again: the sheet rebuilt from the
// image (sheet.refresh()) and its texts put into the grid (showSheet()), as after
// Open, a radio read or a bank switch. Runs offscreen.
#include "ui/main/channel_grid.h"

#include "core/channel.h"
#include "core/session.h"
#include "model/sheet/bank_sheet.h"

#include "../common/full_bank.h"
#include "../common/widget_benchmarks.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

using r57::BankSheet;
using r57::Session;
using r57::ui::ChannelGrid;

struct Bank {
    const r57::CodeplugImage images[2] = {r57::bench::FullBank(0), r57::bench::FullBank(1)};
    Session session;
    BankSheet sheet{session, r57::kBankA};
    ChannelGrid grid{session, sheet, r57::kBankA};

    Bank() {
        session.image = images[0];
        sheet.refresh();
        grid.showSheet();
        grid.resize(1100, 700);
        grid.show();
        QApplication::processEvents(); // exposed, so repaint() really paints
    }
    // Loads one of the two codeplugs, as Open or a radio read does.
    void load(int which) { session.image = images[which]; }
};

// Rounds of a bank refresh: the sheet rebuilt from the image and shown. With
// `alternate` the two codeplugs take turns, so every one of the 1792 cells gets a new
// text; with `paint` the visible part of the grid is painted before the next round.
void RefreshRounds(benchmark::State& state, bool alternate, bool paint) {
    Bank bank;
    int which = 0;
    for (auto _ : state) {
        if (alternate) {
            which ^= 1;
        }
        bank.load(which);
        bank.sheet.refresh();
        bank.grid.showSheet();
        if (paint) {
            bank.grid.viewport()->repaint();
        }
    }
}

// The same image again: every text is compared, none changes.
void BM_BankRefreshUnchanged(benchmark::State& state) {
    RefreshRounds(state, false, false);
}
BENCHMARK(BM_BankRefreshUnchanged)->Unit(benchmark::kMillisecond);

// Another codeplug each time.
void BM_BankRefreshNewImage(benchmark::State& state) {
    RefreshRounds(state, true, false);
}
BENCHMARK(BM_BankRefreshNewImage)->Unit(benchmark::kMillisecond);

// As above, painted.
void BM_BankRefreshNewImageAndPaint(benchmark::State& state) {
    RefreshRounds(state, true, true);
}
BENCHMARK(BM_BankRefreshNewImageAndPaint)->Unit(benchmark::kMillisecond);

// Building a grid: 1792 cells, headers and editors (twice at start-up).
void BM_BuildGrid(benchmark::State& state) {
    Session session;
    session.resetToDefaults();
    BankSheet sheet(session, r57::kBankA);
    for (auto _ : state) {
        ChannelGrid grid(session, sheet, r57::kBankA);
        benchmark::DoNotOptimize(grid.rowCount());
    }
}
BENCHMARK(BM_BuildGrid)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return r57::bench::RunWidgetBenchmarks(argc, argv);
}
