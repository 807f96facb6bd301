// The codeplug as text with every channel of both banks used.
#include "common/full_bank.h"

#include "text/channel_csv.h"
#include "text/codeplug_diff.h"
#include "text/codeplug_text.h"

#include <benchmark/benchmark.h>

namespace r57::bench {
namespace {

// Bank A full, and bank B the same channels.
CodeplugImage FullCodeplug() {
    CodeplugImage image = FullBank(0);
    const text::CsvImport b = text::ImportChannelsCsv(
        text::ExportChannelsCsv(image, text::CsvBanks::A), image, kBankB, 1);
    return b.image;
}

void BM_ExportFullCodeplug(benchmark::State& state) {
    const CodeplugImage image = FullCodeplug();
    for (auto _ : state) {
        benchmark::DoNotOptimize(text::ExportCodeplug(image, '0').yaml.size());
    }
}
BENCHMARK(BM_ExportFullCodeplug)->Unit(benchmark::kMillisecond);

void BM_ImportFullCodeplug(benchmark::State& state) {
    const std::string yaml = text::ExportCodeplug(FullCodeplug(), '0').yaml;
    const CodeplugImage base = text::NewCodeplug();
    if (const auto refused = text::ImportCodeplug(yaml, base, '0').error) {
        state.SkipWithError(refused->message().c_str()); // a refusal is no import to time
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(text::ImportCodeplug(yaml, base, '0').image.data());
    }
}
BENCHMARK(BM_ImportFullCodeplug)->Unit(benchmark::kMillisecond);

void BM_CsvImport256Channels(benchmark::State& state) {
    const CodeplugImage image = FullCodeplug();
    const std::string bankA = text::ExportChannelsCsv(image, text::CsvBanks::A);
    const std::string bankB = text::ExportChannelsCsv(image, text::CsvBanks::B);
    const CodeplugImage base = text::NewCodeplug();
    for (auto _ : state) {
        const text::CsvImport a = text::ImportChannelsCsv(bankA, base, kBankA, 1);
        benchmark::DoNotOptimize(text::ImportChannelsCsv(bankB, a.image, kBankB, 1).rows.size());
    }
}
BENCHMARK(BM_CsvImport256Channels)->Unit(benchmark::kMillisecond);

void BM_Diff(benchmark::State& state) {
    const CodeplugImage a = FullCodeplug();
    const CodeplugImage b = FullBank(1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(text::CompareCodeplugs(a, b).size());
    }
}
BENCHMARK(BM_Diff)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace r57::bench
