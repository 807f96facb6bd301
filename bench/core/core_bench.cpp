// Run with a Release build:
//   cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release
//   ninja -C build-release core_bench && build-release/bin/core_bench
#include "core/channel.h"
#include "core/codecs.h"
#include "core/compressor.h"
#include "core/data_file.h"
#include "core/logo.h"
#include "core/session.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>

namespace r57 {
namespace {

// A codeplug as a dealer would save it: New defaults, 60 channels spread over both
// banks with tones and names, and a drawn logo.
CodeplugImage RealisticImage() {
    Session session;
    session.resetToDefaults();
    CodeplugImage& image = session.image;
    std::mt19937 random(57);
    for (int i = 0; i < 60; ++i) {
        const int bank = i % 2;
        const int channel = 1 + i / 2;
        char text[16];
        std::snprintf(text, sizeof text, "%03d.%05d", 400 + static_cast<int>(random() % 80),
                      static_cast<int>(random() % 160) * 625);
        const auto rx = FrequencyBytesFromText(text);
        const int address = RecordAddress(bank, channel);
        image.write(address, rx.data(), 4);
        image.write(address + 4, rx.data(), 4);
        const uint8_t rest[8] = {0x85, 0x08, 0x85, 0x08, 0x04, 0x00, 0x46, 0x00};
        image.write(address + 8, rest, 8);
        WriteChannelName(image, NameSlot(bank, channel), "CH" + std::to_string(i + 1));
    }
    LogoPixels logo;
    for (int y = 16; y < 48; ++y) {
        for (int x = 16; x < 112; ++x) {
            logo.set(x, y, (x / 4 + y / 4) % 2);
        }
    }
    PackLogo(logo, image);
    return image;
}

void BM_CompressDataFile(benchmark::State& state) {
    const std::vector<uint8_t> plain = BuildPlainImage(RealisticImage());
    for (auto _ : state) {
        std::vector<uint8_t> data = plain;
        CompressBytes(data);
        benchmark::DoNotOptimize(data.data());
    }
    state.SetBytesProcessed(state.iterations() * plain.size());
}
BENCHMARK(BM_CompressDataFile);

void BM_ExpandDataFile(benchmark::State& state) {
    const std::vector<uint8_t> stored = EncodeDataFile(RealisticImage());
    state.counters["stored_bytes"] = static_cast<double>(stored.size());
    for (auto _ : state) {
        std::vector<uint8_t> data = stored;
        if (!ExpandBytes(data)) {
            state.SkipWithError("expand failed");
        }
        benchmark::DoNotOptimize(data.data());
    }
    state.SetBytesProcessed(state.iterations() * kPlainFileSize);
}
BENCHMARK(BM_ExpandDataFile);

// What Open does before the window shows anything: the file's bytes to bank A's texts.
void BM_OpenAndDecodeBankA(benchmark::State& state) {
    const std::vector<uint8_t> stored = EncodeDataFile(RealisticImage());
    for (auto _ : state) {
        std::optional<CodeplugImage> image = DecodeDataFile(stored);
        BankTexts texts = DecodeBank(*image, 0, 0);
        benchmark::DoNotOptimize(texts.data());
    }
}
BENCHMARK(BM_OpenAndDecodeBankA)->Unit(benchmark::kMicrosecond);

void BM_DecodeBank(benchmark::State& state) {
    const CodeplugImage image = RealisticImage();
    for (auto _ : state) {
        CodeplugImage copy = image;
        BankTexts texts = DecodeBank(copy, 0, 0);
        benchmark::DoNotOptimize(texts.data());
    }
}
BENCHMARK(BM_DecodeBank)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace r57
