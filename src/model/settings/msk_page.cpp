// MSK codes: one hexadecimal digit a byte, unused positions 0xFF.
#include "model/settings/msk_page.h"

#include "core/address_map.h"
#include "core/image.h"
#include "model/settings/settings_fields.h"

namespace r57::settings {

namespace {

int CallAddress(int n) {
    return addr::kMskCallList + static_cast<int>(MskPage::kCodeLength) * n;
}

std::string CallName(int n) {
    return "Call List " + std::to_string(n);
}

} // namespace

void MskPage::load(CodeplugImage& image) {
    ownId = DecodeHexDigits(image, addr::kMskOwnId, kCodeLength, 16);
    for (int n = 0; n < kCalls; ++n) {
        calls[n] = DecodeHexDigits(image, CallAddress(n), kCodeLength, 16);
    }
}

void MskPage::write(CodeplugImage& image) const {
    EncodeHexDigits(image, addr::kMskOwnId, kCodeLength, ownId);
    for (int n = 0; n < kCalls; ++n) {
        EncodeHexDigits(image, CallAddress(n), kCodeLength, calls[n]);
    }
}

std::vector<PageField> MskPage::fields() const {
    std::vector<PageField> out = {{"Own ID", ownId}};
    for (int n = 0; n < kCalls; ++n) {
        out.push_back({CallName(n), calls[n]});
    }
    return out;
}

std::string MskPage::setField(const std::string& name, const std::string& text) {
    // Any hexadecimal digit: the boxes take 0-9 and E, a key typed on the call list
    // may start a code with A-F, and codes read from a radio may hold any of them.
    if (name == "Own ID") {
        ownId = FilterText(text, HexKey, kCodeLength);
        return {};
    }
    for (int n = 0; n < kCalls; ++n) {
        if (name == CallName(n)) {
            calls[n] = FilterText(text, HexKey, kCodeLength);
            return {};
        }
    }
    return "unknown field";
}

} // namespace r57::settings
