// Verify after write: what a whole-image write sent, compared with what the radio gives
// back when it is read again. Only the rows the write sends are compared: the band-limit
// row, the service tuning rows and the areas no transfer carries are not written, so
// the radio may hold anything there.
#pragma once

#include "core/image.h"

#include <utility>
#include <vector>

namespace r57::link {

// The address and length of every block a whole-image write sends, in address order.
std::vector<std::pair<int, int>> WrittenRanges();

struct VerifyResult {
    int compared = 0;      // bytes compared (those the write sends)
    int differing = 0;     // of these, how many read back differently
    int firstAddress = -1; // the lowest differing address, -1 when none differs
    bool ok() const { return differing == 0; }
};

VerifyResult CompareWritten(const CodeplugImage& sent, const CodeplugImage& readBack);

} // namespace r57::link
