#include "batch_identity.h"

#include "verify.h"

#include <core/address_map.h>

#include <set>

namespace r57::link {

namespace {

// Indexes into the range whose numbers show every decimal digit changing: the first
// few, each power of ten, the last, and two beyond it.
std::set<long> SampleIndexes(int count) {
    std::set<long> indexes;
    for (long i = 0; i < 12; ++i)
        indexes.insert(i);
    for (long ten = 10; ten < 10L * count; ten *= 10)
        indexes.insert(ten);
    indexes.insert(count - 1L);
    indexes.insert(count);
    indexes.insert(count + 1L);
    return indexes;
}

} // namespace

BatchIdentity::BatchIdentity(ImageFor imageFor, long start, long step, int count)
    : imageFor_(std::move(imageFor)) {
    std::vector<bool> sent(addr::kImageSize / addr::kRowSize, false);
    for (const auto& [address, length] : WrittenRanges())
        for (int a = address; a < address + length; a += addr::kRowSize)
            sent[a / addr::kRowSize] = true;
    std::optional<CodeplugImage> first;
    std::set<int> rows;
    for (long index : SampleIndexes(count)) {
        const auto image = imageFor_(start + step * index);
        if (!image)
            continue;
        if (!first) {
            first = image;
            continue;
        }
        for (int a = 0; a < CodeplugImage::kSize; ++a) {
            if (image->at(a) != first->at(a) && sent[a / addr::kRowSize])
                rows.insert(a / addr::kRowSize);
        }
    }
    rows_.assign(rows.begin(), rows.end());
}

std::vector<uint8_t> BatchIdentity::of(const CodeplugImage& image) const {
    std::vector<uint8_t> bytes;
    bytes.reserve(rows_.size() * addr::kRowSize);
    for (int row : rows_)
        for (int i = 0; i < addr::kRowSize; ++i)
            bytes.push_back(image.at(row * addr::kRowSize + i));
    return bytes;
}

void BatchIdentity::remember(long number) {
    if (rows_.empty() || !imageFor_)
        return;
    if (const auto image = imageFor_(number))
        given_[of(*image)] = number;
}

std::optional<long> BatchIdentity::holder(const CodeplugImage& looked) const {
    if (rows_.empty())
        return std::nullopt;
    const auto found = given_.find(of(looked));
    if (found == given_.end())
        return std::nullopt;
    return found->second;
}

} // namespace r57::link
