// Whole-file reads and writes that report the system's error text. Used by data
// files and logo files; the public entry points are declared in data_file.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace r57::detail {

struct FileRead {
    bool ok = false;
    bool tooLarge = false; // the file holds more than the limit; `bytes` is then empty
    std::vector<uint8_t> bytes;
    std::string error; // the system's description when !ok and !tooLarge
};

// Reads a whole file of at most `limit` bytes.
FileRead ReadFileLimited(const std::string& path, std::size_t limit);

} // namespace r57::detail
