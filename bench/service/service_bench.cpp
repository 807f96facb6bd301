// How long the memory map takes to open filled from a full image and to store every
// byte on OK (with the main window following the image), and how long the service
// window takes to open with its three pages filled. Offscreen, private settings store.
#include "ui/main/main_window.h"
#include "ui/main/prompts.h"
#include "ui/service/memory_map_model.h"
#include "ui/service/memory_map_window.h"
#include "ui/service/service_window.h"

#include "common/test_images.h"
#include "core/session.h"

#include "../common/widget_benchmarks.h"

#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using r57::ui::MainWindow;

r57::bench::DefaultPrompts gPrompts;

// A shown main window over an image with every byte in use.
std::unique_ptr<MainWindow> ShownMain() {
    auto window = std::make_unique<MainWindow>(gPrompts);
    window->session().image = r57::test::RandomImage(7);
    window->imageChanged();
    window->show();
    QApplication::processEvents();
    return window;
}

// From nothing to a shown, painted memory map over the whole image.
void BM_MemoryMapOpenFilled(benchmark::State& state) {
    auto window = ShownMain();
    MainWindow& main = *window;
    for (auto _ : state) {
        auto map = std::make_unique<r57::ui::MemoryMapWindow>(main, &main);
        map->show();
        map->repaint();
        state.PauseTiming();
        map.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_MemoryMapOpenFilled)->Unit(benchmark::kMillisecond);

// OK: all 16,384 bytes into the image, the band limits decoded and the bank shown again.
void BM_MemoryMapOkStoresAll(benchmark::State& state) {
    auto window = ShownMain();
    MainWindow& main = *window;
    const r57::CodeplugImage images[2] = {r57::test::RandomImage(8), r57::test::RandomImage(9)};
    int which = 0;
    for (auto _ : state) {
        state.PauseTiming();
        main.session().image = images[which];
        which ^= 1;
        auto map = std::make_unique<r57::ui::MemoryMapWindow>(main, &main);
        map->model()->setData(map->model()->index(3, 3), "5A", Qt::EditRole);
        state.ResumeTiming();
        map->accept();
        state.PauseTiming();
        map.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_MemoryMapOkStoresAll)->Unit(benchmark::kMillisecond);

// From nothing to a shown, painted service window with every page filled.
void BM_ServiceWindowOpen(benchmark::State& state) {
    auto window = ShownMain();
    MainWindow& main = *window;
    for (auto _ : state) {
        auto service = std::make_unique<r57::ui::ServiceWindow>(main, &main);
        service->show();
        service->repaint();
        state.PauseTiming();
        service.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ServiceWindowOpen)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return r57::bench::RunWidgetBenchmarks(argc, argv);
}
