#include "core/compressor.h"

#include <gtest/gtest.h>

#include <random>

namespace r57 {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Compressed(Bytes data) {
    CompressBytes(data);
    return data;
}

// The output of the first (innermost) pass of a stored form: undo all the others.
Bytes FirstPass(Bytes stored) {
    EXPECT_GE(stored.back(), 1);
    stored.back() -= 1;
    EXPECT_TRUE(ExpandBytes(stored));
    return stored;
}

// Stored forms worked out by hand from the flag rules.
TEST(CompressBytes, MatchesHandVectors) {
    const struct {
        const char* what;
        Bytes input;
        Bytes stored;
    } vectors[] = {
        {"discarded first pass",
         {0x41, 0xFF, 0xFF, 0x42, 0xFF, 0x43, 0x44, 0xFF, 0x45},
         {0x41, 0xFF, 0xFF, 0x42, 0xFF, 0x43, 0x44, 0xFF, 0x45, 0x00}},
        {"twenty erased bytes", Bytes(20, 0xFF), {0, 0, 7, 0xFF, 0, 0, 20, 0x7F, 0x7F, 0x7E, 0x01}},
        // Seven literals then V (0x80), then 11 more V in bit maps (0x7F, 0x78).
        {"literal run then bit maps",
         {1, 2, 3, 4, 5, 6, 7, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9},
         {0, 0, 7, 9, 0, 0, 12, 0x80, 0x7F, 0x78, 1, 2, 3, 4, 5, 6, 7, 0x01}},
        {"empty input", {}, {0x00}},
    };
    for (const auto& v : vectors) {
        EXPECT_EQ(Compressed(v.input), v.stored) << v.what;
    }
}

TEST(CompressBytes, LongLiteralRunsUseTheRunFlags) {
    struct Case {
        const char* what;
        int literalsBefore; // distinct literal bytes before the first V
        Bytes flagsStart;   // the first flag bytes of the first pass
    };
    const Case cases[] = {
        {"134 literals fill one 0xFF", 140, {0xFF, 0x01}}, // then 6 literals and V: bit 0
        {"133 literals then V", 133, {0xFE, 0x7F}},
        {"eight literals then V", 8, {0x81, 0x7F}},
        {"six literals then V", 6, {0x01, 0x7F}},
    };
    for (const Case& c : cases) {
        Bytes input;
        for (int i = 0; i < c.literalsBefore; ++i) {
            input.push_back(static_cast<uint8_t>(i));
        }
        input.insert(input.end(), 200, 0xEE);
        const Bytes first = FirstPass(Compressed(input));
        ASSERT_GE(first.size(), 7 + c.flagsStart.size()) << c.what;
        EXPECT_EQ(first[3], 0xEE) << c.what;
        EXPECT_EQ(Bytes(first.begin() + 7, first.begin() + 7 + c.flagsStart.size()), c.flagsStart)
            << c.what;
    }
}

TEST(CompressBytes, EqualCountsRemoveTheHigherValue) {
    // Too short for the pass to pay off: stored as it is.
    EXPECT_EQ(Compressed({0x01, 0x02, 0x02, 0x01}), (Bytes{0x01, 0x02, 0x02, 0x01, 0x00}));
    Bytes tie;
    for (int i = 0; i < 40; ++i) {
        tie.push_back(i % 2 ? 0x02 : 0x01);
    }
    const Bytes first = FirstPass(Compressed(tie));
    EXPECT_EQ(first[3], 0x02);
    EXPECT_EQ(first[6], 20);
    EXPECT_EQ(first[7], 0x2A); // .V.V.V.
    EXPECT_EQ(first[8], 0x55); // V.V.V.V
}

TEST(CompressBytes, ErasedDataFileShrinksToAFewBytes) {
    Bytes plain(16400, 0xFF);
    const char mark[] = "SLZBRT";
    std::copy(mark, mark + 6, plain.begin());
    Bytes out = Compressed(plain);
    EXPECT_LT(out.size(), 100u);
    EXPECT_GE(out.back(), 2);
    ASSERT_TRUE(ExpandBytes(out));
    EXPECT_EQ(out, plain);
}

TEST(CompressBytes, RoundTripsVariedData) {
    std::mt19937 random(57);
    std::vector<Bytes> inputs{{}, {0x00}, {0xFF}, Bytes(1, 7), Bytes(133, 0), Bytes(135, 1)};
    for (int size : {2, 7, 8, 9, 100, 134, 135, 1000, 16400, 40000}) {
        Bytes uniform(size), sparse(size, 0xFF), runs(size), few(size);
        for (int i = 0; i < size; ++i) {
            uniform[i] = static_cast<uint8_t>(random());
            if (random() % 50 == 0) {
                sparse[i] = static_cast<uint8_t>(random());
            }
            runs[i] = static_cast<uint8_t>((i / 150) % 3 == 0 ? 0xFF : random() % 4);
            few[i] = static_cast<uint8_t>(random() % 3);
        }
        inputs.insert(inputs.end(), {uniform, sparse, runs, few});
    }
    for (const Bytes& input : inputs) {
        Bytes data = Compressed(input);
        ASSERT_TRUE(ExpandBytes(data)) << "size " << input.size();
        EXPECT_EQ(data, input) << "size " << input.size();
    }
}

TEST(ExpandBytes, CountZeroGivesTheBytesBeforeIt) {
    Bytes data{1, 2, 3, 0};
    ASSERT_TRUE(ExpandBytes(data));
    EXPECT_EQ(data, (Bytes{1, 2, 3}));
}

TEST(ExpandBytes, RefusesMalformedInputAndLeavesItAlone) {
    const Bytes good{0, 0, 7, 0xFF, 0, 0, 20, 0x7F, 0x7F, 0x7E, 0x01};
    Bytes shortFlags = good; // N says 21 but the flags place 20
    shortFlags[6] = 21;
    Bytes tooManyLiterals{0, 0, 5, 0xFF, 0, 0, 3, 0x80, 1, 2, 3, 0x01}; // needs 7 literals
    Bytes hugeCount{0, 0, 5, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0x01};
    Bytes hugeLength{0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 1, 0x40, 0x01};
    Bytes lengthBelowHeader{0, 0, 3, 0xFF, 0, 0, 0, 0x01};
    Bytes manyPasses = good;
    manyPasses.back() = 0xFF; // the expanded bytes are no pass
    const struct {
        const char* what;
        Bytes input;
    } cases[] = {
        {"empty", {}},
        {"count only", {0x01}},
        {"pass shorter than its header", {0, 0, 4, 0xFF, 0, 0x01}},
        {"truncated", Bytes(good.begin(), good.begin() + 8)},
        {"flags run out", shortFlags},
        {"literals run out", tooManyLiterals},
        {"count beyond the flags", hugeCount},
        {"flag block beyond the data", hugeLength},
        {"flag block shorter than V and N", lengthBelowHeader},
        {"more passes than stored", manyPasses},
    };
    for (const auto& c : cases) {
        Bytes data = c.input;
        EXPECT_FALSE(ExpandBytes(data)) << c.what;
        EXPECT_EQ(data, c.input) << c.what;
    }
}

TEST(ExpandBytes, EnforcesTheSizeLimitOnEveryPass) {
    Bytes data(5000, 0xFF);
    CompressBytes(data);
    Bytes limited = data;
    EXPECT_FALSE(ExpandBytes(limited, 4999));
    EXPECT_EQ(limited, data);
    EXPECT_TRUE(ExpandBytes(limited, 5000));
    EXPECT_EQ(limited.size(), 5000u);
}

TEST(ExpandBytes, UnusedFlagBytesAfterTheLastOccurrenceAreIgnored) {
    // Older writers may leave a spare flag byte; the literals still start at L + 3.
    Bytes data{0, 0, 6, 0xFF, 0, 0, 1, 0x40, 0x7F, 0xAA, 0x01};
    ASSERT_TRUE(ExpandBytes(data));
    EXPECT_EQ(data, (Bytes{0xFF, 0xAA}));
}

} // namespace
} // namespace r57
