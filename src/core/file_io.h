// Whole-file reads and writes that report the system's error text. Used by data
// files and logo files; the public entry points are declared in data_file.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace r57::detail {

struct FileRead {
    bool ok = false;
    bool tooLarge = false;       // the file holds more than the limit; `bytes` is then empty
    bool notRegularFile = false; // a folder, FIFO or device: refused without reading
    std::vector<uint8_t> bytes;
    std::string error; // the system's description when !ok and !tooLarge
};

// Reads a whole file of at most `limit` bytes.
FileRead ReadFileLimited(const std::string& path, std::size_t limit);

// Opens a regular file for reading. Anything else is refused before a read could block
// on it (a FIFO without a writer) or disturb it (a serial device): `file` is then null
// and `notRegularFile` set.
struct OpenedFile {
    std::FILE* file = nullptr;
    bool notRegularFile = false;
    std::string error; // the system's description when the file could not be opened
};
OpenedFile OpenRegularFile(const std::string& path);

// True when the path names a folder (following symbolic links).
bool IsFolder(const std::string& path);

} // namespace r57::detail
