#include "model/accessory/fm_channels_page.h"

#include "core/address_map.h"
#include "core/codecs.h"
#include "core/image.h"
#include "core/strings.h"

#include <algorithm>

namespace r57 {

namespace {

constexpr int kChannelCaption = 1345; // "CH"
const std::string kStartName = "Start Channel";

int ChannelAddress(int channel) {
    return addr::kFmChannels + (channel - 1) * addr::kFmChannelSize;
}

bool ValidChannel(int channel) {
    return channel >= 1 && channel <= FmChannelsPage::kChannels;
}

std::string ChannelName(int channel) {
    return "Channel " + std::to_string(channel);
}

// The stored frequency, or "" for a channel that reads as 0 or holds a byte that is not
// two decimal digits (an erased channel is FF FF FF FF).
std::string ReadChannel(const CodeplugImage& image, int channel) {
    uint8_t bytes[addr::kFmChannelSize];
    image.read(ChannelAddress(channel), bytes, sizeof bytes);
    for (uint8_t b : bytes) {
        if ((b >> 4) > 9 || (b & 0x0F) > 9) {
            return {};
        }
    }
    return FrequencyTextFromBytes(bytes);
}

// "1.23456" .. "999.99999": how a stored channel reads (ReadChannel).
bool IsStoredForm(const std::string& text) {
    const std::size_t point = text.find('.');
    return point >= 1 && point <= 3 && text.size() == point + 6 &&
           text.find_first_not_of("0123456789.") == std::string::npos &&
           text.find('.', point + 1) == std::string::npos && LeadingNumber(text) > 0;
}

} // namespace

FmEntry ParseFmEntry(std::string_view typed) {
    if (typed.empty()) {
        return {};
    }
    const GridValue value = SnapToGrid(typed, kFmLowest, kFmHighest, kFmStep);
    switch (value.where) {
    case GridValue::kInside:
        return {TenHertzText(value.units), false};
    case GridValue::kAbove:
        return {TenHertzText(kFmHighest), true};
    case GridValue::kBelow:
    case GridValue::kUnreadable:
        break;
    }
    return {TenHertzText(kFmLowest), true};
}

int FmNextChannel(int channel) {
    return std::clamp(channel + 1, 1, FmChannelsPage::kChannels);
}

void FmChannelsPage::load(CodeplugImage& image) {
    for (int k = 1; k <= kChannels; ++k) {
        frequencies_[k - 1] = ReadChannel(image, k);
    }
    const int stored = image.at(addr::kFmSelectedChannel);
    start_ = stored < kChannels ? stored : 0;
}

void FmChannelsPage::write(CodeplugImage& image) const {
    image.set(addr::kFmSelectedChannel, static_cast<uint8_t>(start_));
    for (int k = 1; k <= kChannels; ++k) {
        const std::string& text = frequencies_[k - 1];
        std::array<uint8_t, 4> bytes{0xFF, 0xFF, 0xFF, 0xFF};
        if (!text.empty()) {
            bytes = FrequencyBytesFromText(text);
        }
        image.write(ChannelAddress(k), bytes.data(), bytes.size());
    }
}

std::vector<PageField> FmChannelsPage::fields() const {
    std::vector<PageField> list;
    for (int k = 1; k <= kChannels; ++k) {
        list.push_back({ChannelName(k), frequencies_[k - 1]});
    }
    list.push_back({kStartName, ChannelText(start_, 0)});
    return list;
}

std::string FmChannelsPage::setField(const std::string& name, const std::string& text) {
    if (name == kStartName) {
        for (int i = 0; i < kChannels; ++i) {
            if (text == ChannelText(i, 0)) {
                start_ = i;
                return {};
            }
        }
        return "CH1 to CH25";
    }
    for (int k = 1; k <= kChannels; ++k) {
        if (name == ChannelName(k)) {
            // The window puts the nearer band edge in and warns; a value read from text
            // is refused instead, so nothing changes behind the reader's back. A value
            // in the form the page shows a stored one is kept as it stands, as the
            // window keeps a stored value nobody edits.
            if (IsStoredForm(text)) {
                frequencies_[k - 1] = text;
                return {};
            }
            const FmEntry entry = ParseFmEntry(text);
            if (entry.outOfRange) {
                return Text(1106, 0);
            }
            frequencies_[k - 1] = entry.text;
            return {};
        }
    }
    return "unknown field";
}

const std::string& FmChannelsPage::frequency(int channel) const {
    static const std::string kNone;
    return ValidChannel(channel) ? frequencies_[channel - 1] : kNone;
}

FmEntry FmChannelsPage::setFrequency(int channel, std::string_view typed) {
    // The text the channel shows, given back unchanged (an editor opened and left),
    // keeps the stored value even where it lies off the grid.
    if (ValidChannel(channel) && typed == frequencies_[channel - 1]) {
        return {frequencies_[channel - 1], false};
    }
    FmEntry entry = ParseFmEntry(typed);
    if (ValidChannel(channel)) {
        frequencies_[channel - 1] = entry.text;
    }
    return entry;
}

void FmChannelsPage::setStartChannel(int index) {
    start_ = std::clamp(index, 0, kChannels - 1);
}

std::string FmChannelsPage::ChannelText(int index, int language) {
    return Text(kChannelCaption, language) + std::to_string(index + 1);
}

} // namespace r57
