// The radio's 25 FM broadcast channels and the channel its broadcast receiver starts on
// (`frmRadio`). A channel is 8 packed decimal digits of 10 Hz at 0x0850 + 4 * (k - 1);
// the start channel is 0..24 at 0x0839.
#pragma once

#include "model/page.h"

#include <array>
#include <string>
#include <string_view>

namespace r57 {

// Broadcast frequencies the radio tunes, 76 to 107.975 MHz on a 2.5 kHz grid, in 10 Hz.
constexpr long long kFmLowest = 7600000;
constexpr long long kFmHighest = 10797500;
constexpr long long kFmStep = 250;

// What a typed frequency becomes: "" stays empty; a number within the band goes to the
// nearest 2.5 kHz step ("100.0013" -> "100.00250"); anything above the band becomes its
// top, anything below it or unreadable its bottom, and says so.
struct FmEntry {
    std::string text;
    bool outOfRange = false;
};
FmEntry ParseFmEntry(std::string_view typed);

// The channel Enter moves on to: the next one, and channel 25 stays.
int FmNextChannel(int channel);

class FmChannelsPage : public Page {
public:
    static constexpr int kChannels = 25;

    std::string name() const override { return "FM Channels"; }
    void load(CodeplugImage& image) override;
    void write(CodeplugImage& image) const override;
    std::vector<PageField> fields() const override;
    std::string setField(const std::string& name, const std::string& text) override;

    // Channel 1..25: "87.50000" or "" for an empty channel.
    const std::string& frequency(int channel) const;
    // Takes the text through ParseFmEntry; returns what it became. The channel's own
    // text, unchanged, is kept as it is.
    FmEntry setFrequency(int channel, std::string_view typed);
    // The start channel as a list index 0..24.
    int startChannel() const { return start_; }
    void setStartChannel(int index);
    // "CH1".."CH25" in the language's caption.
    static std::string ChannelText(int index, int language);

private:
    std::array<std::string, kChannels> frequencies_;
    int start_ = 0;
};

} // namespace r57
