// Every window's page of one codeplug, as the text export, the import and the
// comparison walk them, and which bits of the image those pages write.
#pragma once

#include "core/image.h"
#include "model/page.h"

#include <memory>
#include <string>
#include <vector>

namespace r57::text {

// One page of each window. A page holds what it loaded, so every export, import or
// comparison takes a set of its own.
class CodeplugPages {
public:
    CodeplugPages();
    ~CodeplugPages();
    CodeplugPages(const CodeplugPages&) = delete;
    CodeplugPages& operator=(const CodeplugPages&) = delete;

    // In the order the export writes them: the channels first, then the settings
    // window, the accessory windows and the service window.
    const std::vector<Page*>& exportOrder() const { return exportOrder_; }
    // In the order an import applies them: the band limits first (the channels'
    // frequencies are taken against them), the signalling pages before the channels
    // (a channel's ID code length follows the DTMF page), the channels last.
    const std::vector<Page*>& importOrder() const { return importOrder_; }
    Page* find(const std::string& name) const;

    // The channels' fields are written one block a channel: "A1 RX Freq" as
    // "A1:" / "RX Freq:".
    static bool GroupsByChannel(const Page& page);

private:
    std::vector<std::unique_ptr<Page>> pages_;
    std::vector<Page*> exportOrder_;
    std::vector<Page*> importOrder_;
};

// One entry per image byte: the bits some page writes.
using BitMask = std::vector<uint8_t>;

// The bits `page` writes once it has loaded `image` (a page may own more or fewer
// bytes by what the image holds: the names of used channels, the PTT ID codes of the
// chosen type). The page is left loaded from `image`.
BitMask OwnedBits(Page& page, const CodeplugImage& image);
// The same for every page together.
BitMask OwnedBits(const CodeplugImage& image);

} // namespace r57::text
