#include "test_images.h"

#include <algorithm>
#include <random>

namespace r57::test {

CodeplugImage RandomImage(unsigned variant) {
    std::mt19937 random(variant);
    CodeplugImage image;
    for (int a = 0; a < CodeplugImage::kSize; ++a)
        image.set(a, static_cast<uint8_t>(random()));
    return image;
}

bool SameRange(const CodeplugImage& a, const CodeplugImage& b, int from, int to) {
    return std::equal(a.data() + from, a.data() + to, b.data() + from);
}

} // namespace r57::test
