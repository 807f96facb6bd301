#include "link/verify.h"

#include "link/clone_frames.h"

#include <core/address_map.h>

namespace r57::link {

std::vector<std::pair<int, int>> WrittenRanges() {
    // The write's own schedule, without the time frame, names the blocks.
    std::vector<std::pair<int, int>> ranges;
    for (int row = FirstRow(CloneKind::Write); row != kStepEnd;
         row = StepAfter(CloneKind::Write, row, false)) {
        ranges.emplace_back(row * addr::kRowSize, BlockBytes(CloneKind::Write, row));
    }
    return ranges;
}

VerifyResult CompareWritten(const CodeplugImage& sent, const CodeplugImage& readBack) {
    VerifyResult result;
    for (const auto& [start, length] : WrittenRanges()) {
        for (int address = start; address < start + length; ++address) {
            ++result.compared;
            if (sent.at(address) == readBack.at(address)) {
                continue;
            }
            if (result.differing++ == 0) {
                result.firstAddress = address;
            }
        }
    }
    return result;
}

} // namespace r57::link
