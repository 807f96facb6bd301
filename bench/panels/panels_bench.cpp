// How fast the alternate channel panel steps from channel to channel with the Up arrow
// (one iteration is one channel, all 256 in turn, both banks full), and how long each
// accessory dialog takes to open and show itself. Offscreen, a private settings store.
#include "ui/accessory/about_dialog.h"
#include "ui/accessory/embedded_message_dialog.h"
#include "ui/accessory/radio_dialog.h"
#include "ui/accessory/visible_columns_dialog.h"
#include "ui/main/alternate_panel.h"
#include "ui/main/channel_grid.h"
#include "ui/main/main_window.h"
#include "ui/main/prompts.h"

#include "core/session.h"

#include "../common/full_bank.h"
#include "../common/widget_benchmarks.h"

#include <QApplication>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <functional>
#include <memory>

namespace {

using r57::ui::MainWindow;

r57::bench::DefaultPrompts gPrompts;

// Both banks full: bank A's records copied into bank B.
std::unique_ptr<MainWindow> FullWindow() {
    auto window = std::make_unique<MainWindow>(gPrompts);
    r57::CodeplugImage image = r57::bench::FullBank(0);
    uint8_t bank[0x800];
    image.read(r57::addr::kBankARecords, bank, sizeof bank);
    image.write(r57::addr::kBankBRecords, bank, sizeof bank);
    window->session().image = image;
    window->refreshShownBank();
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get())) {
        QApplication::processEvents();
    }
    return window;
}

// One Up arrow in the channel number: the next channel in the panel and the grid (and at
// 128 and 256 the other bank), with the changed parts painted.
void BM_PanelUpArrowOneChannel(benchmark::State& state) {
    auto window = FullWindow();
    window->setAlternatePanelOpen(true);
    auto* number = window->findChild<QLineEdit*>("TxtChannelGUI");
    number->setFocus();
    for (auto _ : state) {
        QTest::keyClick(number, Qt::Key_Up);
        QApplication::processEvents(); // paints what changed, as the event loop does
    }
    state.counters["channel"] = window->alternatePanel()->channelIndex();
}
BENCHMARK(BM_PanelUpArrowOneChannel)->Iterations(512)->Unit(benchmark::kMillisecond);

// Opening a dialog: built from the image, shown and painted.
void OpenDialog(benchmark::State& state,
                const std::function<std::unique_ptr<QDialog>(MainWindow&)>& make) {
    auto window = FullWindow();
    for (auto _ : state) {
        std::unique_ptr<QDialog> dialog = make(*window);
        dialog->show();
        dialog->repaint();
        state.PauseTiming();
        dialog.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

void BM_OpenRadio(benchmark::State& state) {
    OpenDialog(state, [](MainWindow& w) {
        return std::make_unique<r57::ui::RadioDialog>(w.session(), w.prompts(), &w);
    });
}
void BM_OpenEmbeddedMessage(benchmark::State& state) {
    OpenDialog(state, [](MainWindow& w) {
        return std::make_unique<r57::ui::EmbeddedMessageDialog>(w.session(), &w);
    });
}
void BM_OpenVisibleColumns(benchmark::State& state) {
    OpenDialog(state, [](MainWindow& w) {
        return std::make_unique<r57::ui::VisibleColumnsDialog>(r57::AllColumnsVisible(),
                                                               w.session().language, &w);
    });
}
void BM_OpenAbout(benchmark::State& state) {
    OpenDialog(state, [](MainWindow& w) {
        return std::make_unique<r57::ui::AboutDialog>(w.session().language, &w);
    });
}
BENCHMARK(BM_OpenRadio)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenEmbeddedMessage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenVisibleColumns)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenAbout)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return r57::bench::RunWidgetBenchmarks(argc, argv);
}
