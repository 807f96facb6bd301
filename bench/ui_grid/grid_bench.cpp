// How long a bank grid takes to show a full bank again: the sheet rebuilt from the
// image (sheet.refresh()) and its texts put into the grid (showSheet()), as after
// Open, a radio read or a bank switch. Runs offscreen.
#include "main/channel_grid.h"

#include "core/channel.h"
#include "core/session.h"
#include "sheet/bank_sheet.h"

#include "../common/widget_benchmarks.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

using r57::BankSheet;
using r57::Session;
using r57::ui::ChannelGrid;

// Every channel of bank A used, with tones, choices and a name; `variant` shifts
// every value so that two variants differ in every cell.
void FillBank(Session& session, int variant) {
    session.resetToDefaults();
    BankSheet sheet(session, r57::kBankA);
    for (int row = 1; row <= r57::kChannelRows; ++row) {
        char freq[16];
        std::snprintf(freq, sizeof freq, "%d.%05d", 400 + variant * 10 + row % 50, row * 125);
        sheet.commitRx(row, freq);
        sheet.commitTone(row, r57::kColDecode, variant ? "88.5" : "D023N");
        sheet.commitTone(row, r57::kColEncode, variant ? "D754I" : "67.0");
        sheet.commitChoice(row, r57::kColPower, variant ? "Low" : "High");
        sheet.commitChoice(row, r57::kColScan, variant ? "Del" : "Add");
        sheet.commitChoice(row, r57::kColWidth, variant ? "Narrow" : "Wide");
        sheet.commitChoice(row, r57::kColBcl, variant ? "Carrier" : "QT/DQT");
        sheet.commitChoice(row, r57::kColPttId, variant ? "EOT" : "Both");
        sheet.commitChoice(row, r57::kColVox, variant ? "On" : "Off");
        sheet.commitChoice(row, r57::kColOption, variant ? "Compand" : "Scramble");
        sheet.commitChoice(row, r57::kColScrambler, variant ? "2" : "5");
        sheet.commitName(row, (variant ? "CH" : "RPT") + std::to_string(row));
    }
}

struct Bank {
    Session images[2];
    Session session;
    BankSheet sheet{session, r57::kBankA};
    ChannelGrid grid{session, sheet, r57::kBankA};

    Bank() {
        FillBank(images[0], 0);
        FillBank(images[1], 1);
        session.image = images[0].image;
        sheet.refresh();
        grid.showSheet();
        grid.resize(1100, 700);
        grid.show();
        QApplication::processEvents(); // exposed, so repaint() really paints
    }
    // Loads one of the two codeplugs, as Open or a radio read does.
    void load(int which) { session.image = images[which].image; }
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
