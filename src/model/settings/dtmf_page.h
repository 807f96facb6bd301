// The "DTMF" page: ten fast-call codes, the decode mode with its intermediate and
// group codes, and the two inhibit codes.
#pragma once

#include "model/page.h"

#include <array>
#include <string>

namespace r57::settings {

class DtmfPage : public Page {
public:
    static constexpr int kFastCalls = 10;
    static constexpr std::size_t kFastCallLength = 16;
    static constexpr std::size_t kInhibitLength = 10;
    enum DecodeMode { kCodeSquelch = 0, kSelectiveCall = 1 };

    std::array<std::string, kFastCalls> fastCalls;
    int decodeMode = kCodeSquelch;
    int intermediate = 0; // index into "0".."9", "A".."D", "*", "#"
    int group = 0;        // 0 off, 1..6 "A".."D", "*", "#"
    std::string transmitInhibit;
    std::string transceiverInhibit;

    // The longest ID code a channel's optional signalling takes in a decode mode.
    static int IdCodeLength(int decodeMode) { return decodeMode == kSelectiveCall ? 3 : 10; }

    std::string name() const override { return "DTMF"; }
    void load(CodeplugImage& image) override;
    void write(CodeplugImage& image) const override;
    std::vector<PageField> fields() const override;
    std::string setField(const std::string& name, const std::string& text) override;
};

} // namespace r57::settings
