// Data files: the plain file image behind the "SLZBRT" mark, byte-run compressed.
#include "core/data_file.h"

#include "core/compressor.h"
#include "core/file_io.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include <sys/stat.h>

namespace r57 {
namespace {

constexpr int kMarkLength = 6;
constexpr int kHeaderSize = 16; // the mark and ten 0xFF bytes

// A pass may come out a little longer than its input, so the intermediate stages of a
// genuine file stay close to 16400 bytes; anything far beyond is not a data file.
constexpr std::size_t kExpandLimit = 4 * kPlainFileSize;
// The stored form of any image is about as long as the plain image at most.
constexpr std::size_t kLargestDataFile = 4 * kPlainFileSize;

} // namespace

std::vector<uint8_t> BuildPlainImage(const CodeplugImage& image) {
    std::vector<uint8_t> plain(kPlainFileSize, 0xFF);
    std::memcpy(plain.data(), kFileMark, kMarkLength);
    std::copy(image.data(), image.data() + CodeplugImage::kSize, plain.begin() + kHeaderSize);
    return plain;
}

std::vector<uint8_t> EncodeDataFile(const CodeplugImage& image) {
    std::vector<uint8_t> content = BuildPlainImage(image);
    CompressBytes(content);
    return content;
}

std::optional<CodeplugImage> DecodeDataFile(const std::vector<uint8_t>& content) {
    std::vector<uint8_t> plain = content;
    if (!ExpandBytes(plain, kExpandLimit) || plain.size() != kPlainFileSize ||
        std::memcmp(plain.data(), kFileMark, kMarkLength) != 0) {
        return std::nullopt;
    }
    CodeplugImage image;
    std::copy(plain.begin() + kHeaderSize, plain.end(), image.data());
    return image;
}

LoadedFile ReadDataFile(const std::string& path) {
    LoadedFile loaded;
    detail::FileRead read = detail::ReadFileLimited(path, kLargestDataFile);
    if (read.tooLarge) {
        loaded.status = Status::Message(kIncorrectFileType);
        return loaded;
    }
    if (read.notRegularFile) {
        loaded.status = Status::NotRegularFile(detail::IsFolder(path));
        return loaded;
    }
    if (!read.ok) {
        loaded.status = Status::SystemError(read.error);
        return loaded;
    }
    std::optional<CodeplugImage> image = DecodeDataFile(read.bytes);
    if (!image) {
        loaded.status = Status::Message(kIncorrectFileType);
        return loaded;
    }
    loaded.image = *image;
    return loaded;
}

Status WriteDataFile(const std::string& path, const CodeplugImage& image) {
    return WriteFileAtomically(path, EncodeDataFile(image));
}

std::string WithDataSuffix(const std::string& path) {
    // A folder, a device or a FIFO stays as named: the write refuses it, and no file
    // beside it is made instead.
    struct stat st {};
    if (path.empty() || path.back() == '/' ||
        (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode))) {
        return path;
    }
    const std::size_t cut = path.find_last_of('/');
    const std::string name = cut == std::string::npos ? path : path.substr(cut + 1);
    if (name == "." || name == "..") {
        return path;
    }
    std::string lower = name;
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    if (lower.size() > 4 && lower.compare(lower.size() - 4, 4, ".dat") == 0) {
        return path;
    }
    // "St. Marys." is not given a second dot.
    return path + (path.back() == '.' ? "dat" : ".dat");
}

std::string WindowTitle(const std::string& currentFileName) {
    const std::size_t cut = currentFileName.find_last_of("\\/");
    const std::string base =
        cut == std::string::npos ? currentFileName : currentFileName.substr(cut + 1);
    return "R57 [File Name: " + base + "] V1.10";
}

} // namespace r57
