#include "text/codeplug_pages.h"

#include "model/accessory/embedded_message_page.h"
#include "model/accessory/fm_channels_page.h"
#include "model/service/analogue_gain_page.h"
#include "model/service/deviation_page.h"
#include "model/service/frequency_range_page.h"
#include "model/settings/common_set_page.h"
#include "model/settings/dtmf_page.h"
#include "model/settings/five_tone_page.h"
#include "model/settings/function_setting_page.h"
#include "model/settings/logo_page.h"
#include "model/settings/msk_page.h"
#include "model/settings/two_tone_page.h"
#include "model/sheet/channels_page.h"

namespace r57::text {

CodeplugPages::CodeplugPages() {
    pages_.push_back(std::make_unique<ChannelsPage>());
    pages_.push_back(std::make_unique<settings::FunctionSettingPage>());
    pages_.push_back(std::make_unique<settings::CommonSetPage>());
    pages_.push_back(std::make_unique<settings::DtmfPage>());
    pages_.push_back(std::make_unique<settings::MskPage>());
    pages_.push_back(std::make_unique<settings::TwoTonePage>());
    pages_.push_back(std::make_unique<settings::FiveTonePage>());
    pages_.push_back(std::make_unique<FmChannelsPage>());
    pages_.push_back(std::make_unique<EmbeddedMessagePage>());
    pages_.push_back(std::make_unique<settings::LogoPage>());
    pages_.push_back(std::make_unique<service::FrequencyRangePage>());
    pages_.push_back(std::make_unique<service::AnalogueGainPage>());
    pages_.push_back(std::make_unique<service::DeviationPage>());
    for (const auto& page : pages_) {
        exportOrder_.push_back(page.get());
    }
    importOrder_.push_back(find("Frequency Range"));
    for (Page* page : exportOrder_) {
        if (page->name() != "Frequency Range" && !GroupsByChannel(*page)) {
            importOrder_.push_back(page);
        }
    }
    importOrder_.push_back(exportOrder_.front());
}

CodeplugPages::~CodeplugPages() = default;

Page* CodeplugPages::find(const std::string& name) const {
    for (const auto& page : pages_) {
        if (page->name() == name) {
            return page.get();
        }
    }
    return nullptr;
}

bool CodeplugPages::GroupsByChannel(const Page& page) {
    return dynamic_cast<const ChannelsPage*>(&page) != nullptr;
}

BitMask OwnedBits(Page& page, const CodeplugImage& image) {
    CodeplugImage loaded = image;
    page.load(loaded);
    // Whatever the page writes comes out alike on an all-0 and an all-1 background;
    // the bits it leaves alone keep the background.
    CodeplugImage zeros;
    zeros.fill(0x00);
    CodeplugImage ones;
    ones.fill(0xFF);
    page.write(zeros);
    page.write(ones);
    BitMask owned(CodeplugImage::kSize);
    for (int a = 0; a < CodeplugImage::kSize; ++a) {
        owned[a] = static_cast<uint8_t>(~(zeros.data()[a] ^ ones.data()[a]));
    }
    return owned;
}

BitMask OwnedBits(const CodeplugImage& image) {
    CodeplugPages pages;
    BitMask all(CodeplugImage::kSize, 0);
    for (Page* page : pages.exportOrder()) {
        const BitMask owned = OwnedBits(*page, image);
        for (int a = 0; a < CodeplugImage::kSize; ++a) {
            all[a] |= owned[a];
        }
    }
    return all;
}

} // namespace r57::text
