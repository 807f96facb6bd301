#include "model/accessory/embedded_message_page.h"

#include "core/address_map.h"
#include "core/image.h"

namespace r57 {

namespace {

const std::string kFieldName = "Message";

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The characters of a UTF-8 text; a broken sequence gives U+FFFD.
std::u32string DecodeUtf8(std::string_view text) {
    std::u32string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<uint8_t>(text[i]);
        int length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        bool ok = length > 0 && i + length <= text.size();
        for (int k = 1; ok && k < length; ++k) {
            const auto next = static_cast<uint8_t>(text[i + k]);
            ok = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        out += ok ? c : U'\uFFFD';
        i += ok ? length : 1;
    }
    return out;
}

} // namespace

bool EmbeddedMessageTakes(char32_t c) {
    const bool control = c < 0x20 || (c >= 0x7F && c < 0xA0);
    return !control && c < 0xFF;
}

std::string FilterEmbeddedMessage(std::string_view utf8) {
    std::string out;
    int count = 0;
    for (char32_t c : DecodeUtf8(utf8)) {
        if (EmbeddedMessageTakes(c) && count < addr::kEmbeddedMessageLength) {
            AppendUtf8(out, c);
            ++count;
        }
    }
    return out;
}

void EmbeddedMessagePage::load(CodeplugImage& image) {
    text_.clear();
    for (int i = 0; i < addr::kEmbeddedMessageLength; ++i) {
        const uint8_t byte = image.at(addr::kEmbeddedMessage + i);
        if (byte != 0xFF) {
            AppendUtf8(text_, byte);
        }
    }
}

void EmbeddedMessagePage::write(CodeplugImage& image) const {
    const std::u32string chars = DecodeUtf8(text_);
    for (int i = 0; i < addr::kEmbeddedMessageLength; ++i) {
        const bool used = i < static_cast<int>(chars.size());
        image.set(addr::kEmbeddedMessage + i, used ? static_cast<uint8_t>(chars[i]) : 0xFF);
    }
}

std::vector<PageField> EmbeddedMessagePage::fields() const {
    return {{kFieldName, text_}};
}

std::string EmbeddedMessagePage::setField(const std::string& name, const std::string& text) {
    if (name != kFieldName) {
        return "unknown field";
    }
    setText(text);
    return {};
}

} // namespace r57
