// libFuzzer target for the text importers: whatever a stranger's YAML or CSV file holds,
// an import either refuses it and leaves the codeplug as it was, or gives a codeplug
// whose own export reads back and onto which the same text changes nothing. The run's
// memory is capped (scripts/fuzz.sh), so an input that expands without end fails it.
#include "text/channel_csv.h"
#include "text/codeplug_text.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace r57::text;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    static const r57::CodeplugImage base = NewCodeplug();

    const TextImport yaml = ImportCodeplug(input, base, '0');
    if (yaml.error && yaml.image != base) {
        std::abort();
    }
    if (!yaml.error &&
        ImportCodeplug(ExportCodeplug(yaml.image, yaml.modelCode).yaml, base, '0').error) {
        std::abort();
    }
    // The text taken exactly: onto what it made, it is no change at all.
    if (!yaml.error && ImportCodeplug(input, yaml.image, '0').image != yaml.image) {
        std::abort();
    }

    const CsvImport csv = ImportChannelsCsv(input, base, 1, 1 + size % 128);
    if (!csv.error.empty() && csv.image != base) {
        std::abort();
    }
    if (csv.error.empty()) {
        const CsvImport again =
            ImportChannelsCsv(ExportChannelsCsv(csv.image, CsvBanks::B), NewCodeplug(), 1, 1);
        if (!again.error.empty() || !again.skipped.empty()) {
            std::abort();
        }
    }
    return 0;
}
