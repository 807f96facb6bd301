// The byte-run compressor of data files. Each pass removes every occurrence of the
// most frequent byte value and records their places in a bit map; passes repeat while
// they pay off, and the stored form ends with the number of accepted passes.
#pragma once

#include <cstdint>
#include <vector>

namespace r57 {

// Replaces `data` by its stored (compressed) form.
void CompressBytes(std::vector<uint8_t>& data);

// Replaces a stored form by the expanded bytes. Every read is checked against the
// buffer: malformed input returns false and leaves `data` unchanged.
bool ExpandBytes(std::vector<uint8_t>& data);

} // namespace r57
