// The "Analogue Setting Gain" page of the service window: eight pairs of audio gain
// steps (an input and an output list, 0x0EE0..0x0EEF) and seven fine level values
// (16-bit, high byte first, 0x0EF0..0x0EFD). Value 5 is 11 bits wide, the others 14.
#pragma once

#include "model/service/page_text.h"

#include "model/page.h"

#include <array>
#include <cstdint>
#include <string>

namespace r57::service {

class AnalogueGainPage : public Page {
public:
    static constexpr int kPairs = 8;
    static constexpr int kSteps = 8;      // list items 0..7
    static constexpr int kFineValues = 7; // `Text1` 0..6
    static constexpr int kNarrowFine = 5; // the 11-bit value

    // The page's title, the four frames of two pairs each ("Wide", "Compand|Narrow",
    // "Compand|Wide", "Narrow"), the labels of a frame's first and second pair
    // (input, output), and the labels of the fine values.
    static const Caption kTitle;
    static const Caption kFrames[4];
    static const Caption kPairLabels[2][2];
    static const Caption kFineLabels[kFineValues];
    // Pair k sits in frame k / 2, as the frame's pair k % 2.

    // "0db", "3.2db" ... "22.4db"; "Mute", "-19.2db" ... "-3.2db", "0db".
    static std::string InputGainText(int step);
    static std::string OutputGainText(int step);

    // 2047 for value 5, 16383 for the others.
    static int FineMaximum(int k);
    // The value two image bytes hold; a high byte beyond the value's width reads as
    // the top of the range in that byte (0x3F00 + low, or 0x700 + low for value 5).
    static int DecodeFine(int k, uint8_t high, uint8_t low);
    // The number a `Text1` box holds when it is left, within 0..FineMaximum(k).
    static int FineFromText(int k, const std::string& text);

    std::string name() const override { return "Analogue Setting Gain"; }
    void load(CodeplugImage& image) override;
    void write(CodeplugImage& image) const override;
    std::vector<PageField> fields() const override;
    std::string setField(const std::string& name, const std::string& text) override;

    // The selected item of `Cboinput` k / `Cbooutput` k, or -1 when the image byte
    // names no item (8 or more): the list then shows nothing and the byte is kept.
    int input(int k) const { return Step(steps_[2 * k]); }
    int output(int k) const { return Step(steps_[2 * k + 1]); }
    void setInput(int k, int step);
    void setOutput(int k, int step);

    int fine(int k) const { return fine_[k]; }
    void setFine(int k, long value); // held within 0..FineMaximum(k)

private:
    static int Step(uint8_t byte) { return byte < kSteps ? byte : -1; }

    std::array<uint8_t, 2 * kPairs> steps_{};
    std::array<int, kFineValues> fine_{};
};

} // namespace r57::service
