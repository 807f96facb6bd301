// What differs between two codeplugs: field by field in the words of the text export
// ("A5 RX Freq: 446.00625 -> 446.01875", "Function Setting / Squelch Level: 5 -> 3"),
// then the bytes no field accounts for, by address ("0x0D34: FF -> 12").
#pragma once

#include "core/image.h"

#include <string>
#include <vector>

namespace r57::text {

// One line per difference; empty when the images are the same byte for byte.
std::vector<std::string> DiffCodeplugs(const CodeplugImage& a, const CodeplugImage& b);

} // namespace r57::text
