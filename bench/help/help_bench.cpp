// How long F1 takes to show the guide: the help window built, its page (with its
// screenshots) loaded, shown and painted, and its search over every page once. The
// main window is open and shown, offscreen, over a private settings store.
#include "ui/help/help_install.h"
#include "ui/help/help_window.h"
#include "ui/main/main_window.h"

#include "core/session.h"

#include "../common/widget_benchmarks.h"

#include <QApplication>
#include <QTest>

#include <benchmark/benchmark.h>

namespace {

r57::bench::DefaultPrompts gPrompts;

// Opening the help window at a page, in a language: built, loaded, shown, painted.
void BM_OpenHelp(benchmark::State& state, const char* page, int language) {
    auto window = r57::bench::ShownMainWindow(gPrompts);
    window->session().language = language;
    for (auto _ : state) {
        r57::ui::HelpWindow* help = r57::ui::ShowHelpPage(*window, window.get(), page);
        help->repaint();
        state.PauseTiming();
        delete help;
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK_CAPTURE(BM_OpenHelp, contents_en, "index.html", r57::kEnglish)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenHelp, channels_en, "channels.html", r57::kEnglish)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenHelp, settings_zh, "settings-function.html", r57::kChinese)
    ->Unit(benchmark::kMillisecond);

// The first search of an open window: every page read, then matched.
void BM_FirstSearch(benchmark::State& state) {
    auto window = r57::bench::ShownMainWindow(gPrompts);
    for (auto _ : state) {
        state.PauseTiming();
        r57::ui::HelpWindow* help = r57::ui::ShowHelpPage(*window, window.get(), "index.html");
        state.ResumeTiming();
        benchmark::DoNotOptimize(help->search("Squelch Level"));
        state.PauseTiming();
        delete help;
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FirstSearch)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return r57::bench::RunWidgetBenchmarks(argc, argv);
}
