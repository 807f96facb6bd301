// libFuzzer target for the data-file loader: whatever bytes a file holds, expanding and
// decoding them must stay inside the buffer, and anything accepted must survive being
// saved and opened again unchanged.
#include "core/compressor.h"
#include "core/data_file.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using r57::CodeplugImage;
    const std::vector<uint8_t> content(data, data + size);

    std::vector<uint8_t> expanded = content;
    if (!r57::ExpandBytes(expanded)) {
        if (expanded != content) {
            std::abort(); // a refused input must be left as it was
        }
    } else if (expanded.size() <= 4 * r57::kPlainFileSize) {
        std::vector<uint8_t> again = expanded;
        r57::CompressBytes(again);
        if (!r57::ExpandBytes(again) || again != expanded) {
            std::abort();
        }
    }

    const std::optional<CodeplugImage> image = r57::DecodeDataFile(content);
    if (image) {
        const std::optional<CodeplugImage> reopened =
            r57::DecodeDataFile(r57::EncodeDataFile(*image));
        if (!reopened || *reopened != *image) {
            std::abort();
        }
    }
    return 0;
}
