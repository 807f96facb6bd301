// The main() of a benchmark program that builds widgets: offscreen unless the
// environment names a platform, one QApplication around every benchmark.
#pragma once

#include <QApplication>

#include <benchmark/benchmark.h>

namespace r57::bench {

inline int RunWidgetBenchmarks(int argc, char** argv) {
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
