// The image's two views (address and row/column) and its bounds checks.
#include "core/image.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace r57 {
namespace {

TEST(CodeplugImage, StartsErased) {
    const CodeplugImage image;
    for (int a = 0; a < CodeplugImage::kSize; ++a)
        ASSERT_EQ(image.at(a), 0xFF) << a;
}

TEST(CodeplugImage, AddressAndRowColumnAreTheSameBytes) {
    struct Case {
        int address, row, column;
    };
    const Case cases[] = {{0x0000, 0, 0}, {0x1000, 256, 0}, {0x0389, 56, 9}, {0x3FFF, 1023, 15}};
    for (const Case& c : cases) {
        CodeplugImage image;
        image.set(c.address, 0x5A);
        EXPECT_EQ(image.at(c.row, c.column), 0x5A) << c.address;
        image.set(c.row, c.column, 0x17);
        EXPECT_EQ(image.at(c.address), 0x17) << c.address;
        EXPECT_EQ(image.data()[c.address], 0x17);
    }
}

TEST(CodeplugImage, RejectsAccessOutsideTheImage) {
    CodeplugImage image;
    EXPECT_THROW(image.at(-1), std::out_of_range);
    EXPECT_THROW(image.at(0x4000), std::out_of_range);
    EXPECT_THROW(image.set(0x4000, 0), std::out_of_range);
    // A column past 15 must not wrap into the next row.
    EXPECT_THROW(image.at(0, 16), std::out_of_range);
    EXPECT_THROW(image.at(1024, 0), std::out_of_range);
    EXPECT_THROW(image.set(-1, 0, 0), std::out_of_range);
    EXPECT_THROW(image.set(0, -1, 0), std::out_of_range);
}

TEST(CodeplugImage, RunsMustLieInsideAndChangeNothingOtherwise) {
    CodeplugImage image;
    const std::vector<uint8_t> run{1, 2, 3, 4};
    image.write(0x3FFC, run.data(), run.size());
    std::vector<uint8_t> back(4);
    image.read(0x3FFC, back.data(), back.size());
    EXPECT_EQ(back, run);

    const CodeplugImage before = image;
    EXPECT_THROW(image.write(0x3FFD, run.data(), run.size()), std::out_of_range);
    EXPECT_THROW(image.write(-1, run.data(), run.size()), std::out_of_range);
    EXPECT_THROW(image.read(0x3FFD, back.data(), back.size()), std::out_of_range);
    EXPECT_EQ(image, before);

    image.write(0x4000, run.data(), 0); // an empty run at the end is harmless
    EXPECT_EQ(image, before);
}

} // namespace
} // namespace r57
