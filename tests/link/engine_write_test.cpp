// The whole-image write against a scripted radio: the block schedule and its gaps, the
// time frame, the model and band-limit checks, and resends of lost acknowledgements.
#include "link/engine_harness.h"

#include <gtest/gtest.h>

namespace r57::link::enginetest {
namespace {

// The blocks of a write by address: 0x0000..0x0CFF, 48 bytes at 0x0D10, 0x0D40..0x0EBF,
// 48 bytes at 0x0EC0, 0x1000..0x2FFF, 0x3800..0x3BFF.
std::vector<Bytes> WriteBlocks(const CodeplugImage& image) {
    std::vector<Bytes> frames;
    for (int a = 0x0000; a < 0x0D00; a += 64)
        frames.push_back(WriteAt(image, a, 64));
    frames.push_back(WriteAt(image, 0x0D10, 48));
    for (int a = 0x0D40; a < 0x0EC0; a += 64)
        frames.push_back(WriteAt(image, a, 64));
    frames.push_back(WriteAt(image, 0x0EC0, 48));
    for (int a = 0x1000; a < 0x3000; a += 64)
        frames.push_back(WriteAt(image, a, 64));
    for (int a = 0x3800; a < 0x3C00; a += 64)
        frames.push_back(WriteAt(image, a, 64));
    return frames;
}

// A program image unlike the radio's, with the radio's band limits and model code.
void Prepare(Harness& h) {
    for (int a = 0; a < CodeplugImage::kSize; ++a)
        h.image.data()[a] = static_cast<uint8_t>(0x80 ^ (a * 13));
    h.matchRadioBandRow();
    h.radio.modelCode = h.settings.modelCode = '1';
}

TEST(EngineWrite, CleanWriteSendsTheScheduleAndTheTime) {
    Harness h(CloneKind::Write);
    Prepare(h);
    const CodeplugImage radioBefore = h.radio.memory;
    h.run();

    ASSERT_EQ(h.result, true);
    std::vector<Bytes> expected{Handshake(), {0x02}, {0x06}};
    const std::vector<Bytes> blocks = WriteBlocks(h.image);
    EXPECT_EQ(blocks.size(), 204u);
    expected.insert(expected.end(), blocks.begin(), blocks.end());
    // Sunday 15 March 2026, 09:05:59.
    expected.push_back({'T', 0x26, 0x01, 0x03, 0x15, 0x09, 0x05, 0x59});
    expected.push_back({'E'});
    EXPECT_EQ(h.frames, expected);

    // What the radio holds now: the image where blocks went, its own bytes elsewhere.
    for (auto [from, to] :
         {std::pair{0x0000, 0x0D00}, {0x0D10, 0x0EF0}, {0x1000, 0x3000}, {0x3800, 0x3C00}})
        EXPECT_TRUE(SameRange(h.radio.memory, h.image, from, to)) << std::hex << from;
    for (auto [from, to] :
         {std::pair{0x0D00, 0x0D10}, {0x0EF0, 0x1000}, {0x3000, 0x3800}, {0x3C00, 0x4000}})
        EXPECT_TRUE(SameRange(h.radio.memory, radioBefore, from, to)) << std::hex << from;

    EXPECT_TRUE(h.questions.empty());
    EXPECT_TRUE(h.modelCodes.empty());
    const std::string tail = "Writing completed!\nPort Closed.\n";
    EXPECT_EQ(h.log().substr(h.log().size() - tail.size()), tail);
    EXPECT_EQ(h.progress.front().maximum, 207);
    EXPECT_EQ(h.progress.back().value, 207);
    EXPECT_EQ(h.progress.back().text, "Completion percentage100");
    EXPECT_EQ(h.statuses.back(), "Complete.");
}

TEST(EngineWrite, WithoutTheTimeOptionTheEndFollowsTheLastBlock) {
    Harness h(CloneKind::Write);
    Prepare(h);
    h.settings.updateRadioTime = false;
    h.run();

    ASSERT_EQ(h.result, true);
    ASSERT_EQ(h.frames.size(), 3u + 204u + 1u);
    EXPECT_EQ(h.frames[h.frames.size() - 2], WriteAt(h.image, 0x3BC0, 64));
    EXPECT_EQ(h.frames.back(), Bytes{'E'});
    EXPECT_TRUE(h.radio.lastTime.empty());
}

struct TimeCase {
    ClockReading now;
    Bytes frame;
};

TEST(EngineWrite, TimeFrameIsPackedBcdWithSundayOne) {
    const std::vector<TimeCase> cases{
        {{2026, 3, 15, 9, 5, 59, 0}, {'T', 0x26, 0x01, 0x03, 0x15, 0x09, 0x05, 0x59}},
        {{2031, 12, 31, 23, 59, 58, 6}, {'T', 0x31, 0x07, 0x12, 0x31, 0x23, 0x59, 0x58}},
        {{2000, 1, 1, 0, 0, 0, 6}, {'T', 0x00, 0x07, 0x01, 0x01, 0x00, 0x00, 0x00}},
        {{2099, 7, 4, 12, 30, 0, 6}, {'T', 0x99, 0x07, 0x07, 0x04, 0x12, 0x30, 0x00}},
        // Outside 2000..2099 the two digits of the year are sent: the date stays a
        // real one (2104-02-29 becomes 2004-02-29, both leap years).
        {{2100, 1, 1, 8, 0, 0, 5}, {'T', 0x00, 0x06, 0x01, 0x01, 0x08, 0x00, 0x00}},
        {{2104, 2, 29, 8, 0, 0, 5}, {'T', 0x04, 0x06, 0x02, 0x29, 0x08, 0x00, 0x00}},
        {{1999, 12, 31, 23, 59, 59, 5}, {'T', 0x99, 0x06, 0x12, 0x31, 0x23, 0x59, 0x59}},
    };
    for (const TimeCase& c : cases)
        EXPECT_EQ(TimeFrame(c.now), c.frame) << c.now.year << "-" << c.now.month;

    // The engine reads the clock when it sends the frame, and the radio acknowledges it.
    Harness h(CloneKind::Write);
    Prepare(h);
    h.settings.clock = [] {
        return ClockReading{2104, 2, 29, 8, 0, 0, 5};
    };
    h.run();
    EXPECT_EQ(h.result, true);
    EXPECT_EQ(h.radio.lastTime, cases[5].frame);
}

TEST(EngineWrite, WrongModelEndsAtOnceWithoutResend) {
    Harness h(CloneKind::Write);
    Prepare(h);
    h.radio.modelCode = '2';
    h.run();

    ASSERT_EQ(h.result, false);
    EXPECT_EQ(h.frames, std::vector<Bytes>{Handshake()});
    ASSERT_EQ(h.notices.size(), 1u);
    EXPECT_EQ(h.notices[0].value, 1385);
    EXPECT_EQ(h.notices[0].text, "Model type is wrong.");
    EXPECT_EQ(h.notices[0].title, "Warning");
    EXPECT_TRUE(h.questions.empty());
    EXPECT_EQ(h.statuses.back(), "Error!");
}

struct BandCase {
    const char* name;
    int differingByte; // in the radio's identification; -1 none
    bool answer;
    bool asked;
    bool success;
};
void PrintTo(const BandCase& c, std::ostream* os) {
    *os << c.name;
}

class EngineWriteBands : public testing::TestWithParam<BandCase> {};

TEST_P(EngineWriteBands, AskOnceAtTheFirstDifference) {
    const BandCase& c = GetParam();
    Harness h(CloneKind::Write);
    Prepare(h);
    if (c.differingByte >= 0) {
        h.radio.identification[c.differingByte] ^= 0x10;
        // A second difference further on asks nothing more.
        if (c.differingByte < 7)
            h.radio.identification[7] ^= 0x01;
    }
    h.answers = {c.answer};
    h.run();

    ASSERT_EQ(h.result, c.success);
    ASSERT_EQ(h.questions.size(), c.asked ? 1u : 0u);
    if (c.asked) {
        EXPECT_EQ(h.questions[0], CloneQuestion::BandLimitsChanged);
        EXPECT_EQ(h.asks[0].text, "FrequencyRange has been changed!Go on?");
        EXPECT_EQ(h.asks[0].title, "Warning");
    }
    // Cancel sends nothing more: the driver's final "E" is all the radio gets.
    EXPECT_EQ(h.frames.size(), c.success ? 3u + 204u + 2u : 2u);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, EngineWriteBands,
    testing::Values(BandCase{"Same", -1, false, false, true},
                    BandCase{"FirstByteOk", 0, true, true, true},
                    BandCase{"FirstByteCancel", 0, false, true, false},
                    BandCase{"EighthByteOk", 7, true, true, true},
                    BandCase{"EighthByteCancel", 7, false, true, false},
                    // Bytes past the eighth are not compared by the whole-image write.
                    BandCase{"NinthByte", 8, false, false, true},
                    BandCase{"TwelfthByte", 11, false, false, true}),
    [](const testing::TestParamInfo<BandCase>& info) { return info.param.name; });

TEST(EngineWrite, LostAcknowledgementSendsTheBlockTwice) {
    Harness h(CloneKind::Write);
    Prepare(h);
    // Frame indices count the resends before them.
    h.faults[3 + 52] = Fault::Silent;     // the 48-byte block at 0x0D10
    h.faults[3 + 100] = Fault::WrongAck;  // a channel block
    h.faults[3 + 204 + 2] = Fault::Short; // the time frame
    h.run();

    ASSERT_EQ(h.result, true);
    EXPECT_EQ(h.countFrames(WriteAt(h.image, 0x0D10, 48)), 2);
    EXPECT_EQ(h.frames.size(), 3u + 204u + 2u + 3u);
    EXPECT_EQ(h.countFrames(Bytes{'T', 0x26, 0x01, 0x03, 0x15, 0x09, 0x05, 0x59}), 2);
    EXPECT_TRUE(SameRange(h.radio.memory, h.image, 0x1000, 0x3000));
}

TEST(EngineWrite, DeadRadioAfterSomeBlocksEndsInTheQuestion) {
    Harness h(CloneKind::Write);
    Prepare(h);
    h.deadFrom = 3 + 20;
    h.faultFromFrame = Fault::WrongAck;
    h.run();

    ASSERT_EQ(h.result, false);
    EXPECT_EQ(h.questions, std::vector<CloneQuestion>{CloneQuestion::RetryOrCancel});
    EXPECT_EQ(h.countFrames(WriteAt(h.image, 20 * 64, 64)), 8);
    // Blocks before the failure have reached the radio.
    EXPECT_TRUE(SameRange(h.radio.memory, h.image, 0, 20 * 64));
}

} // namespace
} // namespace r57::link::enginetest
