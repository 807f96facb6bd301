// Export PDF of a full codeplug (256 channels with names and tones): from the window's
// File menu to the file on disk, and the document alone as r57 pdf makes it.
#include "common/full_bank.h"
#include "common/widget_benchmarks.h"

#include "print/channel_document.h"
#include "print/sheet_pages.h"
#include "ui/print/print_commands.h"

#include <QAction>

namespace r57::bench {
namespace {

// Both banks full: bank A as FullBank has it, bank B a copy with its own names.
CodeplugImage FullCodeplug() {
    CodeplugImage image = FullBank(0);
    uint8_t records[kChannelRows * 16];
    image.read(RecordAddress(kBankA, 1), records, sizeof records);
    image.write(RecordAddress(kBankB, 1), records, sizeof records);
    for (int n = 1; n <= kChannelRows; ++n) {
        WriteChannelName(image, NameSlot(kBankB, n), "B" + std::to_string(n));
    }
    return image;
}

// The save dialog answers with a file in a scratch folder.
class SavePrompts : public DefaultPrompts {
public:
    QString path;
    QString saveFile(QWidget*, const QString&, const QString&) override { return path; }
};

void BM_ExportPdfFromTheWindow(benchmark::State& state) {
    QTemporaryDir folder;
    SavePrompts prompts;
    prompts.path = folder.filePath("sheet.pdf");
    auto window = ShownMainWindow(prompts);
    ui::InstallPrintCommands(*window);
    window->session().image = FullCodeplug();
    window->refreshShownBank();
    QAction* exportPdf = window->findChild<QAction*>("mnuFile_ExportPdf");
    for (auto _ : state) {
        exportPdf->trigger();
    }
    state.counters["bytes"] = QFileInfo(prompts.path).size();
}
BENCHMARK(BM_ExportPdfFromTheWindow)->Unit(benchmark::kMillisecond);

void BM_ChannelPdfWithoutAWindow(benchmark::State& state) {
    const CodeplugImage image = FullCodeplug();
    print::DocumentSource source;
    source.fileName = "full.dat";
    source.date = "2026-12-08";
    const QPageLayout layout = print::SheetPageLayout(QPageSize::A4, QPageLayout::Portrait);
    for (int language : {kEnglish, kChinese}) {
        source.language = language;
        benchmark::DoNotOptimize(
            print::ChannelPdf(print::BuildChannelDocument(image, source), layout));
    }
    for (auto _ : state) {
        source.language = static_cast<int>(state.range(0));
        benchmark::DoNotOptimize(
            print::ChannelPdf(print::BuildChannelDocument(image, source), layout));
    }
}
BENCHMARK(BM_ChannelPdfWithoutAWindow)->Arg(kEnglish)->Arg(kChinese)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace r57::bench

int main(int argc, char** argv) {
    return r57::bench::RunWidgetBenchmarks(argc, argv);
}
