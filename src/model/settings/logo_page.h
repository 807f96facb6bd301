// The "PowerOn Logo" page: the 128 x 64 picture. Its load unpacks the image into a
// pixel buffer; its write packs the buffer into 0x3800..0x3BFF. As text, one field a
// row: 128 characters, "#" dark and "." clear.
#pragma once

#include "core/logo.h"
#include "model/page.h"

namespace r57::settings {

class LogoPage : public Page {
public:
    // A page over its own buffer, or over a shared one (the session's).
    LogoPage() : pixels_(&own_) {}
    explicit LogoPage(LogoPixels& shared) : pixels_(&shared) {}
    LogoPage(const LogoPage&) = delete;
    LogoPage& operator=(const LogoPage&) = delete;

    LogoPixels& pixels() { return *pixels_; }
    const LogoPixels& pixels() const { return *pixels_; }

    std::string name() const override { return "PowerOn Logo"; }
    void load(CodeplugImage& image) override;
    void write(CodeplugImage& image) const override;
    std::vector<PageField> fields() const override;
    // A row takes "#" (or "1") as dark and "." (or "0", space) as clear; a short row
    // leaves the rest of the row clear.
    std::string setField(const std::string& name, const std::string& text) override;

private:
    LogoPixels own_;
    LogoPixels* pixels_;
};

} // namespace r57::settings
