// The byte-run compressor of data files. Each pass removes every occurrence of the
// most frequent byte value and records their places in a bit map; passes repeat while
// they pay off, and the stored form ends with the number of accepted passes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace r57 {

// Replaces `data` by its stored (compressed) form.
void CompressBytes(std::vector<uint8_t>& data);

// Replaces a stored form by the expanded bytes. Every read is checked against the
// buffer: malformed input returns false and leaves `data` unchanged.
bool ExpandBytes(std::vector<uint8_t>& data);

// The largest result (and intermediate pass) ExpandBytes accepts by default: far above
// the 16400 bytes of a data file, low enough that a forged count cannot exhaust memory.
constexpr std::size_t kMaxExpandedSize = std::size_t{1} << 20;

// The same with an explicit limit on the size of every expanded pass.
bool ExpandBytes(std::vector<uint8_t>& data, std::size_t maxSize);

} // namespace r57
