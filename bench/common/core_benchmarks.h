// main() of the benchmark programs that need Qt's event loop but no widgets: one
// QCoreApplication around every benchmark.
#pragma once

#include <QCoreApplication>

#include <benchmark/benchmark.h>

namespace r57::bench {

inline int RunUnderCoreApplication(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace r57::bench
