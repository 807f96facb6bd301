// Two full codeplugs (256 channels each) that differ in every channel field, every
// settings page and the service data: the rows computed, and the rows shown in the
// comparison window's list.
#include "common/full_bank.h"
#include "common/widget_benchmarks.h"

#include "text/codeplug_diff.h"
#include "text/codeplug_pages.h"
#include "text/page_fields.h"
#include "ui/compare/compare_model.h"

#include <QTreeView>

#include <random>

namespace r57::bench {
namespace {

// Both banks full with variant `variant`'s channels, and every other page's fields
// from random bytes (as far as the pages' rules take them).
CodeplugImage FullCodeplug(int variant) {
    CodeplugImage image = FullBank(variant);
    uint8_t records[kChannelRows * 16];
    image.read(RecordAddress(kBankA, 1), records, sizeof records);
    image.write(RecordAddress(kBankB, 1), records, sizeof records);
    for (int n = 1; n <= kChannelRows; ++n) {
        WriteChannelName(image, NameSlot(kBankB, n), (variant ? "X" : "B") + std::to_string(n));
    }
    CodeplugImage random;
    std::mt19937 bytes(static_cast<unsigned>(variant + 1));
    for (int a = 0; a < CodeplugImage::kSize; ++a) {
        random.set(a, static_cast<uint8_t>(bytes()));
    }
    text::CodeplugPages mine;
    text::CodeplugPages donor;
    for (Page* page : mine.importOrder()) {
        if (text::CodeplugPages::GroupsByChannel(*page)) {
            continue;
        }
        Page* from = donor.find(page->name());
        CodeplugImage copy = random;
        from->load(copy);
        std::vector<text::GivenField> given;
        for (const PageField& f : from->fields()) {
            given.push_back({f.name, f.text});
        }
        text::ApplyFields(*page, given, image, text::OnRefusal::Continue);
    }
    return image;
}

void BM_CompareTwoFullCodeplugs(benchmark::State& state) {
    const CodeplugImage a = FullCodeplug(0);
    const CodeplugImage b = FullCodeplug(1);
    std::size_t rows = 0;
    for (auto _ : state) {
        rows = text::CompareCodeplugs(a, b).size();
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_CompareTwoFullCodeplugs)->Unit(benchmark::kMillisecond);

void BM_ShowTheRows(benchmark::State& state) {
    const std::vector<text::DiffRow> rows =
        text::CompareCodeplugs(FullCodeplug(0), FullCodeplug(1));
    ui::CompareModel model;
    QTreeView list;
    list.setUniformRowHeights(true);
    list.setModel(&model);
    list.resize(760, 480);
    list.show();
    for (auto _ : state) {
        model.setRows(rows, 0);
        list.expandAll();
        list.viewport()->repaint();
        QApplication::processEvents();
    }
    state.counters["rows"] = static_cast<double>(rows.size());
}
BENCHMARK(BM_ShowTheRows)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace r57::bench

int main(int argc, char** argv) {
    return r57::bench::RunWidgetBenchmarks(argc, argv);
}
