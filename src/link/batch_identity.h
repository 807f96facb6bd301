// Which radio is on a lane's cable: the rows that hold a batch's per-radio fields, read
// from the radio before it is written (a few 16-byte rows, well under a second), and
// the numbers whose rows this batch has put into radios, in this run and in its log. A
// radio whose rows are those of a number already given is not written again.
#pragma once

#include "core/image.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace r57::link {

class BatchIdentity {
public:
    using ImageFor = std::function<std::optional<CodeplugImage>(long number)>;

    BatchIdentity() = default;
    // Finds the rows in which the images of the batch's numbers differ (numbers around
    // and across the range are compared, so every digit that changes is seen); only
    // rows that a write sends count, since only those a radio can hold from us.
    BatchIdentity(ImageFor imageFor, long start, long step, int count);

    const std::vector<int>& rows() const { return rows_; }
    bool empty() const { return rows_.empty(); }
    // The bytes of the identity rows of `image`.
    std::vector<uint8_t> of(const CodeplugImage& image) const;
    // `number` has been written into a radio.
    void remember(long number);
    // The number whose rows `looked` holds, if this batch gave it.
    std::optional<long> holder(const CodeplugImage& looked) const;

private:
    ImageFor imageFor_;
    std::vector<int> rows_;
    std::map<std::vector<uint8_t>, long> given_;
};

} // namespace r57::link
