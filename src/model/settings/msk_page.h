// The "MSK" page: the radio's own MSK ID and a call list of ten MSK IDs.
#pragma once

#include "model/page.h"

#include <array>
#include <string>

namespace r57::settings {

class MskPage : public Page {
public:
    static constexpr int kCalls = 10;
    static constexpr std::size_t kCodeLength = 4;

    std::string ownId;
    std::array<std::string, kCalls> calls; // rows numbered 0..9

    std::string name() const override { return "MSK"; }
    void load(CodeplugImage& image) override;
    // Leaves 0x0D34..0x0D37, between the own ID and the call list, alone.
    void write(CodeplugImage& image) const override;
    std::vector<PageField> fields() const override;
    std::string setField(const std::string& name, const std::string& text) override;
};

} // namespace r57::settings
