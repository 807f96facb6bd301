// Band limits: row 0x0D00 decoding with its plausibility check, storing with the VFO rows.
#include "core/band_limits.h"
#include "core/image.h"

#include <gtest/gtest.h>

#include <vector>

namespace r57 {
namespace {

std::vector<uint8_t> Bytes(const CodeplugImage& image, int address, int count) {
    return {image.data() + address, image.data() + address + count};
}

CodeplugImage WithRow(std::vector<uint8_t> row) {
    CodeplugImage image;
    image.write(addr::kBandLimits, row.data(), row.size());
    return image;
}

TEST(BandLimits, StoringTheDefaultsWritesTheRowAndBothVfoRecords) {
    CodeplugImage image;
    StoreBandLimits(image, BandLimits::Defaults());
    EXPECT_EQ(Bytes(image, 0x0D00, 16),
              (std::vector<uint8_t>{0x40, 0x00, 0x49, 0x00, 0x40, 0x00, 0x49, 0x00, 0x13, 0x60,
                                    0x17, 0x40, 0x13, 0x60, 0x17, 0x40}));
    EXPECT_EQ(Bytes(image, 0x0810, 16),
              (std::vector<uint8_t>{0x40, 0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x00, 0xFF, 0xFF,
                                    0xFF, 0xFF, 0x04, 0x00, 0x46, 0x00}));
    EXPECT_EQ(Bytes(image, 0x0820, 16),
              (std::vector<uint8_t>{0x13, 0x60, 0x00, 0x00, 0x13, 0x60, 0x00, 0x00, 0xFF, 0xFF,
                                    0xFF, 0xFF, 0x04, 0x00, 0x46, 0x00}));
}

TEST(BandLimits, DecodeReadsDigitsAndDropsThe100kHzDigit) {
    const BandLimits got =
        DecodeBandLimits(WithRow({0x40, 0x05, 0x52, 0x09, 0x41, 0x00, 0x48, 0x00, 0x13, 0x65, 0x17,
                                  0x49, 0x14, 0x40, 0x15, 0x00}));
    BandLimits want;
    want.low = {400, 410, 136, 144};
    want.high = {520, 480, 174, 150};
    EXPECT_EQ(got, want);
}

TEST(BandLimits, ImplausibleRowsGiveTheDefaultsAndLeaveTheImageAlone) {
    const std::vector<uint8_t> good{0x40, 0x00, 0x49, 0x00, 0x40, 0x00, 0x49, 0x00,
                                    0x13, 0x60, 0x17, 0x40, 0x13, 0x60, 0x17, 0x40};
    struct Case {
        const char* what;
        int offset;
        uint8_t first, second;
    };
    const Case cases[] = {
        {"lower equals upper", 12, 0x17, 0x40},  // index 3 lower 174, upper 174
        {"lower above upper", 0, 0x49, 0x50},    // index 0 lower 495
        {"lower below 50 MHz", 8, 0x04, 0x90},   // 49
        {"upper above 530 MHz", 2, 0x53, 0x10},  // 531
        {"hex digit reads as 0", 4, 0xF0, 0x00}, // index 1 lower 0
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> row = good;
        row[c.offset] = c.first;
        row[c.offset + 1] = c.second;
        const CodeplugImage image = WithRow(row);
        EXPECT_EQ(DecodeBandLimits(image), BandLimits::Defaults()) << c.what;
        EXPECT_EQ(Bytes(image, 0x0D00, 16), row) << c.what;
    }
    EXPECT_EQ(DecodeBandLimits(CodeplugImage()), BandLimits::Defaults()) << "erased row";

    // The edges of the window are accepted.
    BandLimits edge;
    edge.low = {50, 50, 50, 50};
    edge.high = {530, 530, 530, 530};
    CodeplugImage image;
    StoreBandLimits(image, edge);
    EXPECT_EQ(DecodeBandLimits(image), edge);
}

TEST(BandLimits, StoreThenDecodeKeepsTheLimitsAndStartsTheVfosAtTheirLowEnds) {
    BandLimits limits;
    limits.low = {420, 425, 144, 145};
    limits.high = {450, 440, 148, 146};
    CodeplugImage image;
    StoreBandLimits(image, limits);
    EXPECT_EQ(DecodeBandLimits(image), limits);
    EXPECT_EQ(Bytes(image, 0x0810, 8),
              (std::vector<uint8_t>{0x42, 0x00, 0x00, 0x00, 0x42, 0x00, 0x00, 0x00}));
    EXPECT_EQ(Bytes(image, 0x0820, 8),
              (std::vector<uint8_t>{0x14, 0x40, 0x00, 0x00, 0x14, 0x40, 0x00, 0x00}));
}

TEST(BandLimits, ContainsExcludesTheUpperLimit) {
    BandLimits limits;
    limits.low = {400, 410, 136, 137};
    limits.high = {490, 480, 174, 170};
    struct Case {
        double mhz;
        int direction;
        bool in;
    };
    const Case cases[] = {{400, 0, true},  {489.999, 0, true}, {490, 0, false},  {136, 0, true},
                          {174, 0, false}, {173.99, 0, true},  {405, 1, false},  {410, 1, true},
                          {480, 1, false}, {136.5, 1, false},  {169.9, 1, true}, {300, 0, false},
                          {400, 2, false}, {400, -1, false}};
    for (const Case& c : cases) {
        EXPECT_EQ(limits.contains(c.mhz, c.direction), c.in) << c.mhz << " dir " << c.direction;
    }
}

} // namespace
} // namespace r57

namespace r57 {

TEST(BandLimits, ARowThePageCouldNotSetIsNamedAndShownAsStored) {
    const struct {
        int address;
        uint8_t first, second;
        int index;
        bool upper;
        int mhz; // -1: the row may be written
    } table[] = {
        {0x0D00, 0x40, 0x00, 0, false, -1},  // the defaults
        {0x0D00, 0x04, 0x00, 0, false, 40},  // a 40 MHz lower limit
        {0x0D06, 0x49, 0x50, 1, true, 495},  // above what TX UHF takes
        {0x0D08, 0x13, 0x65, 2, false, 136}, // a 100 kHz digit
        {0x0D0E, 0x13, 0x00, 3, true, 130},  // below VHF, and below its lower limit
        {0x0D02, 0xFF, 0xFF, 0, true, 0},    // erased
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.address);
        CodeplugImage image;
        StoreBandLimits(image, BandLimits::Defaults());
        image.set(row.address, row.first);
        image.set(row.address + 1, row.second);
        const auto problem = UnwritableBandField(image);
        ASSERT_EQ(problem.has_value(), row.mhz >= 0);
        if (!problem)
            continue;
        EXPECT_EQ(problem->index, row.index);
        EXPECT_EQ(problem->upper, row.upper);
        EXPECT_EQ(problem->mhz, row.mhz);
        const BandLimits stored = StoredBandLimits(image);
        EXPECT_EQ(row.upper ? stored.high[row.index] : stored.low[row.index], row.mhz);
    }
}

} // namespace r57
