// The power-on picture: packing the pixel buffer into the radio's page layout and
// reading and writing logo files.
#include "core/logo.h"

#include "core/data_file.h"
#include "core/file_io.h"
#include "core/image.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace r57 {

// The radio's display memory: 8 pages of 128 column bytes, bit k of a byte being the
// pixel k rows below the top of its page.
void PackLogo(const LogoPixels& logo, CodeplugImage& image) {
    uint8_t* packed = image.data() + addr::kLogo;
    for (int page = 0; page < LogoPixels::kHeight / 8; ++page) {
        for (int x = 0; x < LogoPixels::kWidth; ++x) {
            uint8_t byte = 0;
            for (int k = 0; k < 8; ++k) {
                if (logo.at(x, page * 8 + k)) {
                    byte |= static_cast<uint8_t>(1u << k);
                }
            }
            packed[page * LogoPixels::kWidth + x] = byte;
        }
    }
}

void UnpackLogo(const CodeplugImage& image, LogoPixels& logo) {
    const uint8_t* packed = image.data() + addr::kLogo;
    for (int page = 0; page < LogoPixels::kHeight / 8; ++page) {
        for (int x = 0; x < LogoPixels::kWidth; ++x) {
            const uint8_t byte = packed[page * LogoPixels::kWidth + x];
            for (int k = 0; k < 8; ++k) {
                logo.set(x, page * 8 + k, (byte >> k) & 1u);
            }
        }
    }
}

namespace {

// Reads up to `limit` bytes of a regular file.
Status ReadLogoBytes(const std::string& path, std::size_t limit, std::vector<uint8_t>& bytes) {
    detail::OpenedFile opened = detail::OpenRegularFile(path);
    std::FILE* f = opened.file;
    if (opened.notRegularFile) {
        return Status::NotRegularFile(detail::IsFolder(path));
    }
    if (!f) {
        return Status::SystemError(opened.error);
    }
    bytes.resize(limit);
    const std::size_t got = std::fread(bytes.data(), 1, bytes.size(), f);
    const int err = std::ferror(f) ? (errno != 0 ? errno : EIO) : 0;
    std::fclose(f);
    if (err != 0) {
        return Status::SystemError(std::strerror(err));
    }
    bytes.resize(got);
    return Status::Ok();
}

void TakePixels(const std::vector<uint8_t>& bytes, LogoPixels& logo) {
    std::transform(bytes.begin(), bytes.end(), logo.pixels().begin(),
                   [](uint8_t b) { return b ? 1 : 0; });
}

} // namespace

Status ReadLogoFile(const std::string& path, LogoPixels& logo) {
    // One byte more than a picture tells a longer file apart.
    std::vector<uint8_t> bytes;
    const Status read = ReadLogoBytes(path, LogoPixels::kFileSize + 1, bytes);
    if (!read) {
        return read;
    }
    if (bytes.size() != static_cast<std::size_t>(LogoPixels::kFileSize)) {
        return Status::WrongFormat();
    }
    uint8_t dark = 0;
    for (uint8_t b : bytes) {
        if (b != 0 && dark != 0 && b != dark) {
            return Status::WrongFormat(); // more than two values: no picture of ours
        }
        dark = b != 0 ? b : dark;
    }
    TakePixels(bytes, logo);
    return Status::Ok();
}

Status WriteLogoFile(const std::string& path, const LogoPixels& logo) {
    std::vector<uint8_t> bytes(LogoPixels::kFileSize);
    std::transform(logo.pixels().begin(), logo.pixels().end(), bytes.begin(),
                   [](uint8_t p) { return p ? 1 : 0; });
    return WriteFileAtomically(path, bytes);
}

bool LoadLogoFile(const std::string& path, LogoPixels& logo) {
    // Files longer than a picture are read as far as the picture goes.
    std::vector<uint8_t> bytes;
    if (!ReadLogoBytes(path, LogoPixels::kFileSize, bytes)) {
        return false;
    }
    TakePixels(bytes, logo);
    return true;
}

bool SaveLogoFile(const std::string& path, const LogoPixels& logo) {
    return WriteLogoFile(path, logo).ok;
}

} // namespace r57
