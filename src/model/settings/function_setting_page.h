// The "Function Setting" and "PTT ID Setting" pages of the settings window: the
// radio's function bytes 0x0830..0x0836, 0x0D26, 0x0D27, the power-on message and the
// PTT ID codes. The two pages load and write together, so one class serves both.
#pragma once

#include "model/page.h"
#include "model/settings/settings_fields.h"

#include <array>
#include <string>

namespace r57::settings {

class FunctionSettingPage : public Page {
public:
    // The list controls, in the order of `choices`.
    enum Choice {
        kSquelch,
        kTimeOut,
        kScanResume,
        kVoxLevel,
        kVoxDelay,
        kBatterySave,
        kBeepTone,
        kRogerTone,
        kLamp,
        kLocalRoger,
        kAlarmDelay,
        kChannelDisplay,
        kChord,
        kMessageMode,
        kChoiceCount
    };
    // The check boxes, in the order of `flags`.
    enum Flag {
        kRelay,
        kManual,
        kTotPenalty,
        kReceiveStop,
        kCancelSquelch,
        kStandbyTime,
        kVibration,
        kUpend,
        kFlagCount
    };
    enum PttType { kPttMsk = 0, kPttDtmf = 1 };

    static const std::array<ChoiceField, kChoiceCount>& Choices();
    static const std::array<FlagField, kFlagCount>& Flags();
    // What the window's labels and check boxes say, in the same orders.
    static const std::array<FieldCaption, kChoiceCount>& ChoiceCaptions();
    static const std::array<FieldCaption, kFlagCount>& FlagCaptions();

    static constexpr int kMessageLength = 7;
    static constexpr int kMessageModeText = 2; // "MSG": the message box is in use

    std::array<int, kChoiceCount> choices{};
    std::array<bool, kFlagCount> flags{};
    std::string powerOnMessage;
    int pttType = kPttMsk;
    bool ani = false;
    std::string ptt1; // MSK own ID, or the DTMF BOT code
    std::string ptt2; // MSK name, or the DTMF EOT code

    // Longest texts and the characters of the PTT ID boxes for a type.
    static std::size_t PttMaxLength(int type, int box); // box 1 or 2
    static CharRule PttRule(int type, int box);
    // The type list changed: both boxes start empty.
    void setPttType(int type);

    // The power-on message as the page shows it: every byte outside space..'z' is a
    // space. The image is not changed.
    static std::string MessageFromImage(const CodeplugImage& image);

    std::string name() const override { return "Function Setting"; }
    // Repairs the message bytes in the image as it shows them.
    void load(CodeplugImage& image) override;
    void write(CodeplugImage& image) const override;
    std::vector<PageField> fields() const override;
    std::string setField(const std::string& name, const std::string& text) override;

private:
    void loadPttCodes(const CodeplugImage& image);
    void writePttCodes(CodeplugImage& image) const;
};

} // namespace r57::settings
