// The "Common Set" page: the signalling settings every system shares (side tone,
// digit delay, auto reset timer, dead beat disable).
#pragma once

#include "model/page.h"

#include <string>

namespace r57::settings {

class CommonSetPage : public Page {
public:
    bool sideTone = false;
    int digitDelayMs = 400;   // 100..1000, a multiple of 50
    int autoResetSeconds = 0; // 0 = off, 1..15
    int deadBeat = 2;         // 0 Transceiver Inhibit, 1 Transmit Inhit, 2 Normal

    // The digit delay box: a typed text to the value it settles on (clamped to
    // 100..1000, rounded down to a multiple of 50; no number reads as 0).
    static int SettleDigitDelay(const std::string& text);
    // The up and down keys (step +1 or -1): 50 ms a step, wrapping past either end.
    static int StepDigitDelay(int ms, int step);
    // The auto reset box: the "Off" text (in the language shown) stays off; otherwise
    // the number its digits make, above 15 becoming 15 and below 1 off.
    static int SettleAutoReset(const std::string& text, const std::string& offText);
    // One second a step, wrapping from 15 to off and from off to 15.
    static int StepAutoReset(int seconds, int step);
    // The box's text for a value: the number, or `offText` for 0.
    static std::string AutoResetText(int seconds, const std::string& offText);

    std::string name() const override { return "Common Set"; }
    void load(CodeplugImage& image) override;
    void write(CodeplugImage& image) const override;
    std::vector<PageField> fields() const override;
    std::string setField(const std::string& name, const std::string& text) override;
};

} // namespace r57::settings
