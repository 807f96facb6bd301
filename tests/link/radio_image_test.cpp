// Whole-image reads and writes through the TransferDriver, against the virtual radio
// on a real pseudo-terminal.
#include "transfer_run.h"

#include "core/address_map.h"
#include "core/band_limits.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>

using namespace r57;
using namespace r57::test;
using link::Question;
using link::TransferKind;

namespace {

constexpr int kBandRowEnd = addr::kBandLimits + 16;

// An image a radio can hold sensibly: random content, but a band-limit row the
// identification check understands.
CodeplugImage RadioImage(unsigned variant) {
    CodeplugImage image = RandomImage(variant);
    StoreBandLimits(image, BandLimits::Defaults());
    return image;
}

long Count(const std::vector<std::string>& frames, const std::string& prefix) {
    return std::count_if(frames.begin(), frames.end(),
                         [&](const std::string& f) { return f.rfind(prefix, 0) == 0; });
}

} // namespace

TEST(RadioImage, ReadFillsTheTransferredRangesAndLeavesTheFileOnlyRangesAlone) {
    const CodeplugImage radioMemory = RandomImage(1);
    VirtualRadio radio;
    ASSERT_TRUE(radio.start(radioMemory, {"--model", "2"}));

    Session session;
    session.image = RandomImage(2);
    const CodeplugImage before = session.image;
    const TransferOutcome out = RunTransfer(session, radio.device(), TransferKind::Read);

    ASSERT_TRUE(out.finished);
    EXPECT_TRUE(out.success);
    EXPECT_TRUE(out.questions.empty());
    EXPECT_EQ(session.modelCode, '2');
    EXPECT_TRUE(SameRange(session.image, radioMemory, 0x0000, addr::kFileOnlyA));
    EXPECT_TRUE(SameRange(session.image, radioMemory, addr::kLogo, addr::kFileOnlyB));
    EXPECT_TRUE(SameRange(session.image, before, addr::kFileOnlyA, addr::kLogo));
    EXPECT_TRUE(SameRange(session.image, before, addr::kFileOnlyB, addr::kImageSize));

    const auto frames = radio.frames();
    EXPECT_EQ(Count(frames, "R "), 208);
    EXPECT_EQ(Count(frames, "W "), 0);
    ASSERT_GE(frames.size(), 4u);
    EXPECT_EQ(frames[0], "PROIR57");
    EXPECT_EQ(frames[3], "R 0000 40");
    EXPECT_EQ(std::find(frames.begin(), frames.end(), "R 0D00 40") != frames.end(), true);
    // The block before the logo is the last one below 0x3000.
    const auto logo = std::find(frames.begin(), frames.end(), "R 3800 40");
    ASSERT_NE(logo, frames.end());
    EXPECT_EQ(*(logo - 1), "R 2FC0 40");
    EXPECT_EQ(Count(frames, "E"), 2); // the end frame, and the one sent on closing
}

struct WriteCase {
    const char* name;
    bool updateTime;
};

// Names the case in test listings.
void PrintTo(const WriteCase& c, std::ostream* os) {
    *os << c.name;
}

class RadioWrite : public ::testing::TestWithParam<WriteCase> {};

TEST_P(RadioWrite, SendsEverythingButTheBandRowTuningRowsAndFileOnlyRanges) {
    const CodeplugImage radioBefore = RadioImage(3);
    VirtualRadio radio;
    ASSERT_TRUE(radio.start(radioBefore));

    Session session;
    session.image = RadioImage(4); // same band-limit row: no question
    session.updateRadioTime = GetParam().updateTime;
    const TransferOutcome out = RunTransfer(session, radio.device(), TransferKind::Write);
    ASSERT_TRUE(out.finished);
    EXPECT_TRUE(out.success);
    EXPECT_TRUE(out.questions.empty());

    const auto frames = radio.frames();
    const auto memory = radio.stopAndTakeMemory();
    ASSERT_TRUE(memory);
    const CodeplugImage& m = *memory;
    const CodeplugImage& s = session.image;
    EXPECT_TRUE(SameRange(m, s, 0x0000, addr::kBandLimits));
    EXPECT_TRUE(SameRange(m, radioBefore, addr::kBandLimits, kBandRowEnd));
    EXPECT_TRUE(SameRange(m, s, kBandRowEnd, addr::kFineTuning));
    EXPECT_TRUE(SameRange(m, radioBefore, addr::kFineTuning, addr::kServiceTuningEnd));
    EXPECT_TRUE(SameRange(m, s, addr::kServiceTuningEnd, addr::kFileOnlyA));
    EXPECT_TRUE(SameRange(m, radioBefore, addr::kFileOnlyA, addr::kLogo));
    EXPECT_TRUE(SameRange(m, s, addr::kLogo, addr::kFileOnlyB));
    EXPECT_TRUE(SameRange(m, radioBefore, addr::kFileOnlyB, addr::kImageSize));

    EXPECT_EQ(Count(frames, "W "), 204);
    EXPECT_EQ(Count(frames, "W 0D10 30"), 1);
    EXPECT_EQ(Count(frames, "W 0EC0 30"), 1);
    const auto last = std::find(frames.begin(), frames.end(), "W 3BC0 40");
    ASSERT_NE(last, frames.end());
    ASSERT_NE(last + 1, frames.end());
    if (GetParam().updateTime) {
        // 'T', then the year, weekday, month, day ... as packed decimal digits.
        std::time_t now = std::time(nullptr);
        char year[8];
        std::strftime(year, sizeof year, "%y", std::localtime(&now));
        EXPECT_EQ((last + 1)->substr(0, 5), std::string("T ") + year + " ");
        EXPECT_EQ(*(last + 2), "E");
    } else {
        EXPECT_EQ(*(last + 1), "E");
        EXPECT_EQ(Count(frames, "T"), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(TimeFrame, RadioWrite,
                         ::testing::Values(WriteCase{"WithTime", true},
                                           WriteCase{"WithoutTime", false}),
                         [](const auto& info) { return std::string(info.param.name); });

struct BandCase {
    const char* name;
    bool goOn;
};

// Names the case in test listings.
void PrintTo(const BandCase& c, std::ostream* os) {
    *os << c.name;
}

class RadioBandQuestion : public ::testing::TestWithParam<BandCase> {};

TEST_P(RadioBandQuestion, AsksOnceAndWritesOnlyWhenToldToGoOn) {
    // The radio reports VHF limits that differ from the image's at the very first byte.
    const CodeplugImage radioBefore = RadioImage(5);
    VirtualRadio radio;
    ASSERT_TRUE(radio.start(radioBefore, {"--ident", "3900"}));

    Session session;
    session.image = RadioImage(6);
    const TransferOutcome out =
        RunTransfer(session, radio.device(), TransferKind::Write, {GetParam().goOn});
    ASSERT_TRUE(out.finished);
    EXPECT_EQ(out.questions, std::vector<Question>{Question::BandLimitsChanged});
    EXPECT_EQ(out.success, GetParam().goOn);

    const auto frames = radio.frames();
    EXPECT_EQ(Count(frames, "W "), GetParam().goOn ? 204 : 0);
    EXPECT_EQ(frames.back(), "E"); // a refused write still closes the session
    const auto memory = radio.stopAndTakeMemory();
    ASSERT_TRUE(memory);
    EXPECT_EQ(*memory == radioBefore, !GetParam().goOn);
}

INSTANTIATE_TEST_SUITE_P(Answers, RadioBandQuestion,
                         ::testing::Values(BandCase{"GoOn", true}, BandCase{"Cancel", false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RadioImage, WriteToAnotherModelIsRefusedWithoutResends) {
    VirtualRadio radio;
    ASSERT_TRUE(radio.start({"--model", "1"}));
    Session session;
    session.startUp();
    session.modelCode = '0';
    const TransferOutcome out = RunTransfer(session, radio.device(), TransferKind::Write);
    ASSERT_TRUE(out.finished);
    EXPECT_FALSE(out.success);
    EXPECT_EQ(out.notices, std::vector<int>{1385});
    EXPECT_TRUE(out.questions.empty());
    const auto frames = radio.frames();
    EXPECT_EQ(Count(frames, "PROIR57"), 1);
    EXPECT_EQ(Count(frames, "W "), 0);
}
