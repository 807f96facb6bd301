// Common signalling settings: where they sit and how the two number boxes settle.
#include "model/settings/common_set_page.h"

#include "core/address_map.h"
#include "core/image.h"
#include "model/settings/settings_fields.h"

#include <algorithm>

namespace r57::settings {

namespace {

const FlagField kSideTone{"Side Tone", addr::kToneLampByte, 0x20, false};

constexpr int kDelayMin = 100;
constexpr int kDelayMax = 1000;
constexpr int kDelayStep = 50;
constexpr int kResetMax = 15;

} // namespace

int CommonSetPage::SettleDigitDelay(const std::string& text) {
    const int ms = std::clamp(LeadingInt(text), kDelayMin, kDelayMax);
    return ms / kDelayStep * kDelayStep;
}

int CommonSetPage::StepDigitDelay(int ms, int step) {
    ms += step * kDelayStep;
    if (ms > kDelayMax) {
        return kDelayMin;
    }
    if (ms < kDelayMin) {
        return kDelayMax;
    }
    return SettleDigitDelay(std::to_string(ms));
}

int CommonSetPage::SettleAutoReset(const std::string& text, const std::string& offText) {
    if (text == offText) {
        return 0;
    }
    // Digits typed over the "Off" word count; the word's letters do not.
    std::string digits;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            digits += c;
        }
    }
    return std::min(LeadingInt(digits), kResetMax);
}

int CommonSetPage::StepAutoReset(int seconds, int step) {
    seconds += step;
    if (seconds > kResetMax) {
        return 0;
    }
    return seconds < 0 ? kResetMax : seconds;
}

std::string CommonSetPage::AutoResetText(int seconds, const std::string& offText) {
    return seconds == 0 ? offText : std::to_string(seconds);
}

void CommonSetPage::load(CodeplugImage& image) {
    sideTone = LoadFlag(image, kSideTone);
    int steps = image.at(addr::kDigitDelay) / 5;
    digitDelayMs = (steps > 18 ? 6 : steps) * kDelayStep + kDelayMin;
    const int reset = image.at(addr::kAutoResetTimer);
    autoResetSeconds = reset > kResetMax ? 10 : reset;
    const int beat = image.at(addr::kDeadBeat) / 85;
    deadBeat = beat == 1 || beat == 2 ? beat - 1 : 2;
}

void CommonSetPage::write(CodeplugImage& image) const {
    StoreFlag(image, kSideTone, sideTone);
    image.set(addr::kDigitDelay, static_cast<uint8_t>((digitDelayMs - kDelayMin) / kDelayStep * 5));
    image.set(addr::kAutoResetTimer, static_cast<uint8_t>(autoResetSeconds));
    image.set(addr::kDeadBeat, static_cast<uint8_t>((deadBeat + 1) * 85));
}

std::vector<PageField> CommonSetPage::fields() const {
    return {
        {kSideTone.name, OnOffText(sideTone)},
        {"Digit Delay", std::to_string(digitDelayMs)},
        {"Auto Reset Timer", AutoResetText(autoResetSeconds, OnOffText(false))},
        {"Dead Beat Disable", ListTexts(ListKind::DeadBeat, 0)[deadBeat]},
    };
}

std::string CommonSetPage::setField(const std::string& name, const std::string& text) {
    if (name == kSideTone.name) {
        return ParseOnOff(text, sideTone);
    }
    if (name == "Digit Delay") {
        digitDelayMs = SettleDigitDelay(text);
        return {};
    }
    if (name == "Auto Reset Timer") {
        autoResetSeconds = SettleAutoReset(text, OnOffText(false));
        return {};
    }
    if (name == "Dead Beat Disable") {
        return ParseChoice(text, ListKind::DeadBeat, deadBeat);
    }
    return "unknown field";
}

} // namespace r57::settings
