// How long FrmOpSign takes to open with its eight pages loaded, how long Save takes
// (the pages' writes alone, and through the main window with a full bank shown), and
// how long a full repaint of the logo picture takes on the page and in the editor.
#include "core/logo.h"
#include "core/session.h"
#include "ui/accessory/logo_grid.h"
#include "ui/main/main_window.h"
#include "ui/main/prompts.h"
#include "ui/settings/settings_window.h"

#include "../common/full_bank.h"
#include "../common/widget_benchmarks.h"

#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace {

using r57::ui::MainWindow;
using r57::ui::SettingsWindow;

r57::bench::DefaultPrompts gPrompts;

// A main window with a full bank A and the 2-Tone/5-Tone model, as a dealer has it.
std::unique_ptr<MainWindow> BusyMainWindow() {
    auto window = std::make_unique<MainWindow>(gPrompts);
    window->session().image = r57::bench::FullBank(0);
    window->session().modelCode = '2';
    window->refreshShownBank();
    window->show();
    QApplication::processEvents();
    return window;
}

r57::LogoPixels RandomPicture() {
    std::mt19937 random(5);
    r57::LogoPixels logo;
    for (auto& p : logo.pixels()) {
        p = random() % 3 == 0;
    }
    return logo;
}

void BM_OpenWithAllPagesLoaded(benchmark::State& state) {
    auto main = BusyMainWindow();
    for (auto _ : state) {
        auto* window = new SettingsWindow(*main);
        window->show();
        window->repaint();
        state.PauseTiming();
        delete window;
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenWithAllPagesLoaded)->Unit(benchmark::kMillisecond);

// Save as the user starts it: the pages take the controls' values and are written
// through the main window, which then shows the bank again.
void BM_SaveThroughTheMainWindow(benchmark::State& state) {
    auto main = BusyMainWindow();
    SettingsWindow window(*main);
    window.show();
    for (auto _ : state) {
        window.save();
    }
}
BENCHMARK(BM_SaveThroughTheMainWindow)->Unit(benchmark::kMillisecond);

// The same Save with an empty bank shown: mostly what the settings window itself costs.
void BM_SaveWithAnEmptyBank(benchmark::State& state) {
    auto main = BusyMainWindow();
    main->session().image = r57::CodeplugImage();
    main->refreshShownBank();
    SettingsWindow window(*main);
    window.show();
    for (auto _ : state) {
        window.save();
    }
}
BENCHMARK(BM_SaveWithAnEmptyBank)->Unit(benchmark::kMillisecond);

void BM_LogoRepaint(benchmark::State& state) {
    r57::LogoPixels picture = RandomPicture();
    const int cellSize = static_cast<int>(state.range(0));
    r57::ui::LogoGrid grid(picture, cellSize);
    grid.setGridLines(cellSize > 4); // the editor shows its grid lines
    grid.show();
    QApplication::processEvents();
    for (auto _ : state) {
        picture.set(0, 0, !picture.at(0, 0));
        grid.repaint();
    }
}
BENCHMARK(BM_LogoRepaint)->Arg(4)->Arg(6)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return r57::bench::RunWidgetBenchmarks(argc, argv);
}
