// The embedded message (`frmEmbMsg`): up to 16 characters at 0x0D10, one byte each,
// 0xFF where there is none.
#pragma once

#include "model/page.h"

#include <string>
#include <string_view>

namespace r57 {

// Characters the message can hold: one byte each, so Latin-1 (codes below 256) but
// "ÿ" (0xFF), whose byte marks an empty position and would vanish on reading, and but
// the control characters (below 0x20, 0x7F..0x9F): a tab or a line break pasted with
// the text is no character the radio shows.
bool EmbeddedMessageTakes(char32_t c);
// A UTF-8 text reduced to the characters the message takes, at most 16 of them.
std::string FilterEmbeddedMessage(std::string_view utf8);

class EmbeddedMessagePage : public Page {
public:
    std::string name() const override { return "Embedded Message"; }
    void load(CodeplugImage& image) override;
    void write(CodeplugImage& image) const override;
    std::vector<PageField> fields() const override;
    std::string setField(const std::string& name, const std::string& text) override;

    // The message as UTF-8.
    const std::string& text() const { return text_; }
    void setText(std::string_view utf8) { text_ = FilterEmbeddedMessage(utf8); }

private:
    std::string text_;
};

} // namespace r57
