// The service-data transfers (frequency ranges, tuning rows) through the
// TransferDriver, against one virtual radio that sees the port opened and closed for
// every transfer.
#include "transfer_run.h"

#include "core/address_map.h"
#include "core/band_limits.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace r57;
using namespace r57::test;
using link::Question;
using link::TransferKind;

namespace {

constexpr int kBandRow = addr::kBandLimits;
constexpr int kTuningFirst = addr::kGainSteps; // 0x0EE0
constexpr int kTuningEnd = addr::kServiceTuningEnd;

// The rows a frequency-range transfer moves.
bool SameRangeRows(const CodeplugImage& a, const CodeplugImage& b) {
    return SameRange(a, b, kBandRow, kBandRow + 16) &&
           SameRange(a, b, addr::kVfoA, addr::kVfoB + 16);
}

// Everything outside the given rows agrees.
bool SameOutside(const CodeplugImage& a, const CodeplugImage& b,
                 std::vector<std::pair<int, int>> rows) {
    CodeplugImage x = a;
    CodeplugImage y = b;
    for (auto [from, to] : rows)
        for (int i = from; i < to; ++i)
            x.set(i, y.at(i));
    return x == y;
}

std::vector<std::string> After(const std::vector<std::string>& frames, std::size_t first) {
    return {frames.begin() + static_cast<long>(first), frames.end()};
}

class RadioService : public ::testing::Test {
protected:
    void SetUp() override {
        radioMemory = RandomImage(21);
        BandLimits limits;
        limits.low = {410, 410, 140, 140};
        limits.high = {470, 470, 170, 170};
        StoreBandLimits(radioMemory, limits);
        ASSERT_TRUE(radio.start(radioMemory));
        session.image = RandomImage(22);
        StoreBandLimits(session.image, BandLimits::Defaults());
    }

    TransferOutcome run(TransferKind kind, std::vector<bool> answers = {}) {
        first = radio.frames().size();
        return RunTransfer(session, radio.device(), kind, std::move(answers));
    }

    CodeplugImage radioMemory;
    VirtualRadio radio;
    Session session;
    std::size_t first = 0;
};

} // namespace

TEST_F(RadioService, ReadsThenWritesEachRowSetInItsOwnOrder) {
    // Read the ranges: every block followed by an acknowledge exchange.
    const CodeplugImage start = session.image;
    auto out = run(TransferKind::ReadRanges);
    ASSERT_TRUE(out.finished);
    EXPECT_TRUE(out.success);
    EXPECT_EQ(After(radio.frames(), first),
              (std::vector<std::string>{"PROIR57", "02", "06", "R 0D00 10", "06", "R 0810 10", "06",
                                        "R 0820 10", "06", "E", "E"}));
    EXPECT_TRUE(SameRangeRows(session.image, radioMemory));
    EXPECT_TRUE(SameOutside(session.image, start,
                            {{kBandRow, kBandRow + 16}, {addr::kVfoA, addr::kVfoB + 16}}));

    // Read the tuning rows.
    out = run(TransferKind::ReadTuning);
    ASSERT_TRUE(out.finished);
    EXPECT_TRUE(out.success);
    auto frames = After(radio.frames(), first);
    ASSERT_EQ(frames.size(), 3u + 18 * 2 + 2);
    EXPECT_EQ(frames[3], "R 0EE0 10");
    EXPECT_EQ(frames[4], "06");
    EXPECT_EQ(frames[37], "R 0FF0 10");
    EXPECT_TRUE(SameRange(session.image, radioMemory, kTuningFirst, kTuningEnd));

    // Change both row sets, and write them back: no reading acknowledges in between.
    for (int a = kTuningFirst; a < kTuningEnd; ++a)
        session.image.set(a, static_cast<uint8_t>(a));
    session.image.set(addr::kVfoA + 15, 0x42);
    out = run(TransferKind::WriteTuning);
    ASSERT_TRUE(out.finished);
    EXPECT_TRUE(out.success);
    frames = After(radio.frames(), first);
    ASSERT_EQ(frames.size(), 3u + 18 + 2);
    EXPECT_EQ(frames[3], "W 0EE0 10");
    EXPECT_EQ(frames[20], "W 0FF0 10");

    out = run(TransferKind::WriteRanges); // the radio's limits were read: no question
    ASSERT_TRUE(out.finished);
    EXPECT_TRUE(out.success);
    EXPECT_TRUE(out.questions.empty());
    EXPECT_EQ(After(radio.frames(), first),
              (std::vector<std::string>{"PROIR57", "02", "06", "W 0D00 10", "W 0810 10",
                                        "W 0820 10", "E", "E"}));

    const auto memory = radio.stopAndTakeMemory();
    ASSERT_TRUE(memory);
    EXPECT_TRUE(SameRange(*memory, session.image, kTuningFirst, kTuningEnd));
    EXPECT_TRUE(SameRangeRows(*memory, session.image));
    EXPECT_TRUE(SameOutside(*memory, radioMemory,
                            {{kTuningFirst, kTuningEnd}, {addr::kVfoA, addr::kVfoB + 16}}));
}

TEST_F(RadioService, RangeWriteAsksWhenTheRadioHasOtherLimits) {
    for (bool goOn : {false, true}) {
        SCOPED_TRACE(goOn ? "go on" : "cancel");
        const auto out = run(TransferKind::WriteRanges, {goOn});
        ASSERT_TRUE(out.finished);
        EXPECT_EQ(out.success, goOn);
        EXPECT_EQ(out.questions, std::vector<Question>{Question::ServiceBandLimitsChanged});
        const auto frames = After(radio.frames(), first);
        EXPECT_EQ(std::count(frames.begin(), frames.end(), "W 0D00 10"), goOn ? 1 : 0);
    }
    const auto memory = radio.stopAndTakeMemory();
    ASSERT_TRUE(memory);
    EXPECT_TRUE(SameRangeRows(*memory, session.image));
}

TEST_F(RadioService, TuningWriteNeverComparesTheLimits) {
    const auto out = run(TransferKind::WriteTuning);
    ASSERT_TRUE(out.finished);
    EXPECT_TRUE(out.success);
    EXPECT_TRUE(out.questions.empty());
}
