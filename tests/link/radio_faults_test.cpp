// A lossy, garbled or silent radio line: the TransferDriver resends, gives up cleanly,
// and never hangs.
#include "transfer_run.h"

#include "core/address_map.h"
#include "core/band_limits.h"

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>

using namespace r57;
using namespace r57::test;
using link::Question;
using link::TransferKind;

namespace {

long Count(const std::vector<std::string>& frames, const std::string& frame) {
    return std::count(frames.begin(), frames.end(), frame);
}

struct FaultCase {
    const char* name;
    TransferKind kind;
    std::vector<std::string> fault;
    const char* resentFrame; // the frame that must have gone out twice
};

// Names the case in test listings.
void PrintTo(const FaultCase& c, std::ostream* os) {
    *os << c.name;
}

class RadioFault : public ::testing::TestWithParam<FaultCase> {};

} // namespace

// Frames count from 1: handshake, identification, acknowledge, then the blocks
// (frame 5 is the block at 0x0040).
TEST_P(RadioFault, OneBadReplyIsRecoveredByResendingTheSameFrame) {
    const FaultCase& c = GetParam();
    CodeplugImage radioMemory = RandomImage(11);
    StoreBandLimits(radioMemory, BandLimits::Defaults());
    VirtualRadio radio;
    ASSERT_TRUE(radio.start(radioMemory, c.fault));

    Session session;
    session.image = RandomImage(12);
    StoreBandLimits(session.image, BandLimits::Defaults());
    const TransferOutcome out = RunTransfer(session, radio.device(), c.kind);
    ASSERT_TRUE(out.finished);
    EXPECT_TRUE(out.success);
    EXPECT_TRUE(out.questions.empty());

    const auto frames = radio.frames();
    EXPECT_EQ(Count(frames, c.resentFrame), 2);
    const auto memory = radio.stopAndTakeMemory();
    ASSERT_TRUE(memory);
    // Whichever way the data went, both sides now agree on the exchanged blocks.
    EXPECT_TRUE(SameRange(session.image, *memory, addr::kBankARecords, addr::kFileOnlyA));
    EXPECT_TRUE(SameRange(session.image, *memory, 0, addr::kBandLimits));
}

INSTANTIATE_TEST_SUITE_P(
    Faults, RadioFault,
    ::testing::Values(
        FaultCase{"LostHandshakeReply", TransferKind::Read, {"--drop", "1"}, "PROIR57"},
        FaultCase{"LostBlock", TransferKind::Read, {"--drop", "5"}, "R 0040 40"},
        FaultCase{"ShortBlock", TransferKind::Read, {"--short", "5"}, "R 0040 40"},
        FaultCase{"ShortIdentification", TransferKind::Read, {"--short", "2"}, "02"},
        FaultCase{"GarbledAcknowledge", TransferKind::Read, {"--garble", "3"}, "06"},
        FaultCase{"GarbledWriteAck", TransferKind::Write, {"--garble", "5"}, "W 0040 40"},
        FaultCase{"LostShortWriteAck", TransferKind::Write, {"--drop", "56"}, "W 0D10 30"}),
    [](const auto& info) { return std::string(info.param.name); });

// Replies that come late (after the frame was sent again) or too long leave bytes on
// the line; none of them may land in another block.
struct HostileCase {
    const char* name;
    std::vector<std::string> fault;
    const char* resentFrame;
    long copies; // how often that frame went out
};
void PrintTo(const HostileCase& c, std::ostream* os) {
    *os << c.name;
}
class HostileLine : public ::testing::TestWithParam<HostileCase> {};

TEST_P(HostileLine, EveryBlockLandsWhereItBelongs) {
    const HostileCase& c = GetParam();
    const CodeplugImage radioMemory = RandomImage(21);
    VirtualRadio radio;
    ASSERT_TRUE(radio.start(radioMemory, c.fault));
    Session session;
    session.image.fill(0x5A);
    const TransferOutcome out = RunTransfer(session, radio.device(), TransferKind::Read);
    ASSERT_TRUE(out.finished);
    EXPECT_TRUE(out.success);
    EXPECT_TRUE(out.questions.empty());
    EXPECT_EQ(Count(radio.frames(), c.resentFrame), c.copies);
    EXPECT_TRUE(SameRange(session.image, radioMemory, 0, addr::kFileOnlyA));
    EXPECT_TRUE(SameRange(session.image, radioMemory, addr::kLogo, addr::kLogo + 0x400));
}

INSTANTIATE_TEST_SUITE_P(Faults, HostileLine,
                         ::testing::Values(
                             // Late: the radio answers both copies, one behind the other.
                             HostileCase{"LateBlock", {"--late", "5:700"}, "R 0040 40", 3},
                             HostileCase{"LateBlockSlowRadio",
                                         {"--late", "5:700", "--turnaround", "30"},
                                         "R 0040 40",
                                         3},
                             HostileCase{"LateBandRow", {"--late", "56:650"}, "R 0D00 40", 3},
                             HostileCase{"LateHandshake", {"--late", "1:700"}, "PROIR57", 3},
                             HostileCase{"LongBlock", {"--long", "5:20"}, "R 0040 40", 2},
                             HostileCase{"LongBlockTwice", {"--long", "5-6:1"}, "R 0040 40", 3},
                             HostileCase{"LongIdentification", {"--long", "2:3"}, "02", 2}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HostileLine, RepliesAlwaysTooLongEndInTheQuestionWithNothingShifted) {
    const CodeplugImage radioMemory = RandomImage(22);
    VirtualRadio radio;
    ASSERT_TRUE(radio.start(radioMemory, {"--long", "8-300:20"}));
    Session session;
    session.image.fill(0x5A);
    const TransferOutcome out = RunTransfer(session, radio.device(), TransferKind::Read);
    ASSERT_TRUE(out.finished);
    EXPECT_FALSE(out.success);
    EXPECT_EQ(out.questions, std::vector<Question>{Question::RetryOrCancel});
    // Frames 4..7 were the first four blocks; every later reply was refused.
    EXPECT_TRUE(SameRange(session.image, radioMemory, 0, 4 * 64));
    EXPECT_TRUE(std::all_of(session.image.data() + 4 * 64, session.image.data() + 0x3000,
                            [](uint8_t b) { return b == 0x5A; }));
}

// A device that goes away mid-transfer: the port is closed at once, the question waits
// without spinning, and Cancel ends the transfer with the device's own reason.
TEST(RadioVanished, TheQuestionWaitsIdleAndCancelEndsTheTransfer) {
    VirtualRadio radio;
    ASSERT_TRUE(radio.start({"--baud", "9600"}));
    Session session;
    session.startUp();
    TransferScript script;
    script.actAfterMs = 1500;
    script.act = [&radio] {
        radio.vanish();
    };
    script.questionOpenMs = 600;
    script.answers = {true}; // Retry: the device is still gone, so it asks again
    const TransferOutcome out = RunTransfer(session, radio.device(), TransferKind::Read, script);
    ASSERT_TRUE(out.finished);
    EXPECT_FALSE(out.success);
    EXPECT_EQ(out.questions, (std::vector<Question>{Question::PortLost, Question::PortLost}));
    EXPECT_LT(out.seconds, 1.5 + 2 * 0.6 + 1.5);
    EXPECT_LT(out.questionCpuShare, 0.3);
    ASSERT_TRUE(out.failure);
    EXPECT_EQ(out.failure->kind, link::PortFailureKind::Lost);
    EXPECT_EQ(out.failure->device, radio.device());
    EXPECT_FALSE(out.failure->reason.empty());
    // First the device's own reason (its node went with the radio, or stays as a line
    // hung up), then the reason the reopening gave.
    ASSERT_EQ(out.questionTexts.size(), 2u);
    const QString device = QString::fromStdString(radio.device());
    EXPECT_TRUE(out.questionTexts[0].startsWith(device + ": No such device") ||
                out.questionTexts[0].startsWith(device + ": Input/output error"))
        << out.questionTexts[0].toStdString();
    EXPECT_TRUE(out.questionTexts[1].startsWith(device + ": "))
        << out.questionTexts[1].toStdString();
}

TEST(RadioSilent, GivesUpAfterSevenResendsAndTheRetryQuestion) {
    VirtualRadio radio;
    ASSERT_TRUE(radio.start({"--silent-after", "0"}));
    Session session;
    session.startUp();
    const CodeplugImage before = session.image;
    const TransferOutcome out = RunTransfer(session, radio.device(), TransferKind::Read);
    ASSERT_TRUE(out.finished);
    EXPECT_FALSE(out.success);
    EXPECT_EQ(out.questions, std::vector<Question>{Question::RetryOrCancel});
    EXPECT_LT(out.seconds, 10.0);
    EXPECT_EQ(Count(radio.frames(), "PROIR57"), 8);
    EXPECT_TRUE(out.log.contains("ERROR:Timeout while waiting for data blocks."));
    EXPECT_EQ(session.image, before);
}

TEST(RadioSilent, StoppingHalfwayKeepsTheBlocksAlreadyRead) {
    VirtualRadio radio;
    // Handshake, identification, acknowledge and ten blocks, then nothing more.
    ASSERT_TRUE(radio.start({"--silent-after", "13"}));
    Session session;
    session.image.fill(0x5A);
    const TransferOutcome out = RunTransfer(session, radio.device(), TransferKind::Read);
    ASSERT_TRUE(out.finished);
    EXPECT_FALSE(out.success);
    EXPECT_EQ(out.questions, std::vector<Question>{Question::RetryOrCancel});
    const auto memory = radio.stopAndTakeMemory();
    ASSERT_TRUE(memory);
    EXPECT_TRUE(SameRange(session.image, *memory, 0, 10 * 64));
    EXPECT_EQ(session.image.at(10 * 64), 0x5A);
}

TEST(RadioPort, MissingDeviceFailsAtOnceWithTheSystemsReason) {
    Session session;
    session.startUp();
    const CodeplugImage before = session.image;
    const TransferOutcome out =
        RunTransfer(session, "/dev/r57-no-such-port", TransferKind::Read, {}, 2000);
    EXPECT_FALSE(out.started);
    EXPECT_FALSE(out.success);
    EXPECT_EQ(out.notices, std::vector<int>{0});
    EXPECT_EQ(session.image, before);
}

TEST(RadioPort, GarbageOnTheLineBeforeATransferIsSkipped) {
    const CodeplugImage radioMemory = RandomImage(13);
    VirtualRadio radio;
    ASSERT_TRUE(radio.start(radioMemory));
    {
        // Noise, a probe's "ATI1", a handshake cut short and a block frame that never
        // completes: the radio drops them all.
        const int fd = ::open(radio.device().c_str(), O_RDWR | O_NOCTTY);
        ASSERT_GE(fd, 0);
        const char noise[] = "\x01\xff\x7f"
                             "ATI1\r"
                             "PROI"
                             "R\x01";
        ASSERT_EQ(::write(fd, noise, sizeof noise - 1), static_cast<ssize_t>(sizeof noise - 1));
        ::usleep(300 * 1000); // longer than the radio waits for the rest of a frame
        ::close(fd);
    }
    Session session;
    session.startUp();
    const TransferOutcome out = RunTransfer(session, radio.device(), TransferKind::Read);
    ASSERT_TRUE(out.finished);
    EXPECT_TRUE(out.success);
    EXPECT_EQ(Count(radio.frames(), "PROIR57"), 1);
    EXPECT_TRUE(SameRange(session.image, radioMemory, 0, addr::kFileOnlyA));
}
