// The power-on picture as a page.
#include "model/settings/logo_page.h"

#include "core/image.h"

namespace r57::settings {

namespace {

std::string RowName(int y) {
    return "Row " + std::to_string(y + 1);
}

} // namespace

void LogoPage::load(CodeplugImage& image) {
    UnpackLogo(image, *pixels_);
}

void LogoPage::write(CodeplugImage& image) const {
    PackLogo(*pixels_, image);
}

std::vector<PageField> LogoPage::fields() const {
    std::vector<PageField> out;
    for (int y = 0; y < LogoPixels::kHeight; ++y) {
        std::string row;
        for (int x = 0; x < LogoPixels::kWidth; ++x) {
            row += pixels_->at(x, y) ? '#' : '.';
        }
        out.push_back({RowName(y), row});
    }
    return out;
}

std::string LogoPage::setField(const std::string& name, const std::string& text) {
    for (int y = 0; y < LogoPixels::kHeight; ++y) {
        if (name != RowName(y)) {
            continue;
        }
        if (text.size() > LogoPixels::kWidth ||
            text.find_first_not_of("#1.0 ") != std::string::npos) {
            return "not a row of up to 128 '#' and '.'";
        }
        for (int x = 0; x < LogoPixels::kWidth; ++x) {
            const bool dark =
                x < static_cast<int>(text.size()) && (text[x] == '#' || text[x] == '1');
            pixels_->set(x, y, dark);
        }
        return {};
    }
    return "unknown field";
}

} // namespace r57::settings
