#include "model/service/analogue_gain_page.h"

#include "core/address_map.h"
#include "core/image.h"

#include <cstdio>

namespace r57::service {

namespace {

constexpr int kWideMaximum = 0x3FFF;   // 14 bits
constexpr int kNarrowMaximum = 0x07FF; // 11 bits

std::string Decibels(double value) {
    char text[16];
    std::snprintf(text, sizeof text, "%.1fdb", value);
    return text;
}

std::string ListField(int pair, bool output) {
    const Caption& frame = AnalogueGainPage::kFrames[pair / 2];
    return std::string(frame.english) + " " +
           AnalogueGainPage::kPairLabels[pair % 2][output ? 1 : 0].english;
}

// The item whose text is `text`; -1 for "" (no item); -2 for anything else.
int FindStep(const std::string& text, bool output) {
    if (text.empty()) {
        return -1;
    }
    for (int step = 0; step < AnalogueGainPage::kSteps; ++step) {
        const std::string item =
            output ? AnalogueGainPage::OutputGainText(step) : AnalogueGainPage::InputGainText(step);
        if (item == text) {
            return step;
        }
    }
    return -2;
}

} // namespace

const Caption AnalogueGainPage::kTitle{"Analogue Setting Gain", "模拟增益设置"};
const Caption AnalogueGainPage::kFrames[4] = {
    {"Wide", "宽带"},
    {"Compand|Narrow", "压扩|窄带"},
    {"Compand|Wide", "压扩|宽带"},
    {"Narrow", "窄带"},
};
const Caption AnalogueGainPage::kPairLabels[2][2] = {
    {{"Mic input gain", "话筒输入增益"}, {"Mod output Gain", "调制输出增益"}},
    {{"Disc input gain", "鉴频输入增益"}, {"Audio output gain", "音频输出增益"}},
};
const Caption AnalogueGainPage::kFineLabels[kFineValues] = {
    {"Fine Output Gain", "输出增益微调"},
    {"Fine Output Gain(Audio)", "输出增益微调(音频)"},
    {"Output Offset(Audio)", "输出偏置(音频)"},
    {"Fine Output Gain(Mod)", "输出增益微调(调制)"},
    {"Output Offset(Mod)", "输出偏置(调制)"},
    {"Fine Output Gain(Mod)[Compand]", "输出增益微调(调制)[压扩]"},
    {"Tone Tx Level", "信令发射电平"},
};

std::string AnalogueGainPage::InputGainText(int step) {
    return step == 0 ? "0db" : Decibels(step * 3.2);
}

std::string AnalogueGainPage::OutputGainText(int step) {
    if (step == 0) {
        return "Mute";
    }
    return step == kSteps - 1 ? "0db" : Decibels(step * 3.2 - 22.4);
}

int AnalogueGainPage::FineMaximum(int k) {
    return k == kNarrowFine ? kNarrowMaximum : kWideMaximum;
}

int AnalogueGainPage::DecodeFine(int k, uint8_t high, uint8_t low) {
    const int topHigh = FineMaximum(k) >> 8; // 0x07 or 0x3F
    return high > topHigh ? (topHigh << 8) + low : high * 256 + low;
}

int AnalogueGainPage::FineFromText(int k, const std::string& text) {
    return static_cast<int>(ReadWholeNumber(text.c_str(), 0, FineMaximum(k)));
}

void AnalogueGainPage::load(CodeplugImage& image) {
    image.read(addr::kGainSteps, steps_.data(), steps_.size());
    for (int k = 0; k < kFineValues; ++k) {
        const int at = addr::kFineTuning + 2 * k;
        fine_[k] = DecodeFine(k, image.at(at), image.at(at + 1));
    }
}

void AnalogueGainPage::write(CodeplugImage& image) const {
    image.write(addr::kGainSteps, steps_.data(), steps_.size());
    for (int k = 0; k < kFineValues; ++k) {
        const int at = addr::kFineTuning + 2 * k;
        image.set(at, static_cast<uint8_t>(fine_[k] / 256));
        image.set(at + 1, static_cast<uint8_t>(fine_[k] % 256));
    }
}

void AnalogueGainPage::setInput(int k, int step) {
    if (k >= 0 && k < kPairs && step >= 0 && step < kSteps) {
        steps_[2 * k] = static_cast<uint8_t>(step);
    }
}

void AnalogueGainPage::setOutput(int k, int step) {
    if (k >= 0 && k < kPairs && step >= 0 && step < kSteps) {
        steps_[2 * k + 1] = static_cast<uint8_t>(step);
    }
}

void AnalogueGainPage::setFine(int k, long value) {
    if (k < 0 || k >= kFineValues) {
        return;
    }
    const long top = FineMaximum(k);
    fine_[k] = static_cast<int>(value < 0 ? 0 : value > top ? top : value);
}

std::vector<PageField> AnalogueGainPage::fields() const {
    std::vector<PageField> out;
    for (int k = 0; k < kPairs; ++k) {
        out.push_back({ListField(k, false), input(k) < 0 ? "" : InputGainText(input(k))});
        out.push_back({ListField(k, true), output(k) < 0 ? "" : OutputGainText(output(k))});
    }
    for (int k = 0; k < kFineValues; ++k) {
        out.push_back({kFineLabels[k].english, std::to_string(fine_[k])});
    }
    return out;
}

std::string AnalogueGainPage::setField(const std::string& name, const std::string& text) {
    for (int k = 0; k < kPairs; ++k) {
        for (bool output : {false, true}) {
            if (name != ListField(k, output)) {
                continue;
            }
            const int step = FindStep(text, output);
            if (step == -2) {
                return "not an item of the list";
            }
            if (step >= 0) {
                output ? setOutput(k, step) : setInput(k, step);
            }
            return "";
        }
    }
    for (int k = 0; k < kFineValues; ++k) {
        if (name == kFineLabels[k].english) {
            if (text.find_first_not_of("0123456789") != std::string::npos) {
                return "not a number";
            }
            setFine(k, FineFromText(k, text));
            return "";
        }
    }
    return "unknown field";
}

} // namespace r57::service
