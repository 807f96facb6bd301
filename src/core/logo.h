// The 128 x 64 power-on picture: the pixel buffer, its packed form in the image
// (0x3800..0x3BFF) and logo files (.FIF: 8192 bytes, one byte per pixel, row by row).
#pragma once

#include "core/status.h"

#include <array>
#include <cstdint>
#include <string>

namespace r57 {

class CodeplugImage;

class LogoPixels {
public:
    static constexpr int kWidth = 128;
    static constexpr int kHeight = 64;
    static constexpr int kFileSize = kWidth * kHeight; // 8192

    LogoPixels() { clear(); }

    // 1 = dark, 0 = clear; x 0..127 from the left, y 0..63 from the top.
    uint8_t at(int x, int y) const { return pixels_[y * kWidth + x]; }
    void set(int x, int y, uint8_t dark) { pixels_[y * kWidth + x] = dark ? 1 : 0; }
    void clear() { pixels_.fill(0); }

    const std::array<uint8_t, kFileSize>& pixels() const { return pixels_; }
    std::array<uint8_t, kFileSize>& pixels() { return pixels_; }

    bool operator==(const LogoPixels& o) const { return pixels_ == o.pixels_; }

private:
    std::array<uint8_t, kFileSize> pixels_;
};

// Pixel buffer -> image 0x3800..0x3BFF (a nonzero pixel sets its bit).
void PackLogo(const LogoPixels& logo, CodeplugImage& image);
// Image 0x3800..0x3BFF -> pixel buffer (every pixel 0 or 1).
void UnpackLogo(const CodeplugImage& image, LogoPixels& logo);

// Reads up to 8192 bytes of a logo file into the buffer (any nonzero byte is dark);
// a missing file leaves the buffer unchanged, a short one changes only the pixels it
// covers. Returns false when the file could not be read; callers stay silent about it.
bool LoadLogoFile(const std::string& path, LogoPixels& logo);

// Writes the 8192 pixel bytes (0 or 1) as a whole file, replacing it without ever
// leaving it half-written. Returns false on failure.
bool SaveLogoFile(const std::string& path, const LogoPixels& logo);

// A logo file the user picks: only a whole picture is taken, exactly 8192 bytes, each
// 0 (clear) or one and the same nonzero value (dark). Anything else (a short or long
// file, a text, a PNG or BMP under another name) is refused with Status::wrongFormat
// and leaves `logo` as it was; a file that cannot be read gives the system's text.
Status ReadLogoFile(const std::string& path, LogoPixels& logo);
// Writes a logo file, with the system's description of a failure for a window to show.
Status WriteLogoFile(const std::string& path, const LogoPixels& logo);

// The stock logo's file name, looked for in the program's directory.
constexpr const char* kStockLogoFile = "Standard.FIF";

} // namespace r57
