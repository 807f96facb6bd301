// The whole-image read against a scripted radio: the frames on the wire, what lands in
// the image, the transcript, and how lost, short or wrong replies are handled.
#include "link/engine_harness.h"

#include <gtest/gtest.h>

#include <sstream>

namespace r57::link::enginetest {
namespace {

// The frames of a clean read: handshake, identification, acknowledge, 64-byte blocks
// over 0x0000..0x2FFF and 0x3800..0x3BFF, end.
std::vector<Bytes> CleanReadFrames() {
    std::vector<Bytes> frames{Handshake(), {0x02}, {0x06}};
    for (int a = 0x0000; a < 0x3000; a += 64)
        frames.push_back(ReadAt(a, 0x40));
    for (int a = 0x3800; a < 0x3C00; a += 64)
        frames.push_back(ReadAt(a, 0x40));
    frames.push_back({'E'});
    return frames;
}

bool AllBytes(const CodeplugImage& a, int from, int to, uint8_t value) {
    return std::all_of(a.data() + from, a.data() + to, [&](uint8_t b) { return b == value; });
}

std::vector<std::string> PercentLines(const std::string& log) {
    std::vector<std::string> lines;
    std::istringstream in(log);
    for (std::string line; std::getline(in, line);)
        if (line.rfind("Completion percentage", 0) == 0)
            lines.push_back(line);
    return lines;
}

TEST(EngineRead, CleanReadSendsEveryFrameAndFillsTheImage) {
    Harness h(CloneKind::Read);
    h.radio.modelCode = '2';
    h.run();

    ASSERT_EQ(h.result, true);
    EXPECT_EQ(h.frames, CleanReadFrames());
    EXPECT_EQ(h.frames.size(), 3u + 208u + 1u);
    EXPECT_TRUE(SameRange(h.image, h.radio.memory, 0x0000, 0x3000));
    EXPECT_TRUE(SameRange(h.image, h.radio.memory, 0x3800, 0x3C00));
    // Never read: these keep what the image held before.
    EXPECT_TRUE(AllBytes(h.image, 0x3000, 0x3800, 0x5A));
    EXPECT_TRUE(AllBytes(h.image, 0x3C00, 0x4000, 0x5A));
    EXPECT_EQ(h.modelCodes, std::vector<char>{'2'});
    EXPECT_TRUE(h.questions.empty());
    EXPECT_TRUE(h.notices.empty());
}

TEST(EngineRead, TranscriptStatusAndProgress) {
    Harness h(CloneKind::Read);
    h.run();
    ASSERT_EQ(h.result, true);

    const std::string& log = h.log();
    EXPECT_EQ(log.rfind("Opening Port...\nTransfering data blocks...\n", 0), 0u);
    const std::string tail = "Reading completed!\nPort Closed.\n";
    EXPECT_EQ(log.substr(log.size() - tail.size()), tail);
    const std::vector<std::string> expected{
        "Completion percentage0%",  "Completion percentage10%", "Completion percentage20%",
        "Completion percentage30%", "Completion percentage40%", "Completion percentage50%",
        "Completion percentage60%", "Completion percentage70%", "Completion percentage80%",
        "Completion percentage90%", "Completion percentage100%"};
    EXPECT_EQ(PercentLines(log), expected);

    ASSERT_FALSE(h.progress.empty());
    EXPECT_EQ(h.progress.front().value, 0);
    EXPECT_EQ(h.progress.front().maximum, 214);
    EXPECT_EQ(h.progress.front().text, "Completion percentage:  0%");
    // 208 blocks of 214 is 97 %, shown as 90 until the end frame fills the bar.
    EXPECT_EQ(h.progress[208].value, 208);
    EXPECT_EQ(h.progress[208].text, "Completion percentage90");
    EXPECT_EQ(h.progress.back().value, 214);
    EXPECT_EQ(h.progress.back().text, "Completion percentage100");

    EXPECT_EQ(h.statuses.front(), "Transfering...\t");
    EXPECT_EQ(h.statuses.back(), "Complete.");
}

TEST(EngineRead, TraceModeWritesEveryByte) {
    Harness h(CloneKind::Read);
    h.settings.traceMode = true;
    h.radio.modelCode = '1';
    h.run();
    ASSERT_EQ(h.result, true);
    const std::string& log = h.log();
    EXPECT_NE(log.find("PC       : &H50  &H52  &H4F  &H49  &H52  &H35  &H37  \n"),
              std::string::npos);
    EXPECT_NE(log.find("RADIO: &H06  &H31  \n"), std::string::npos);
    EXPECT_NE(log.find("PC       : &H52  &H3B  &HC0  &H40  \n"), std::string::npos);
    EXPECT_NE(log.find("PC       : &H45  \n           Complete!! \n\n"), std::string::npos);
}

TEST(EngineRead, BandLimitsOfTheRadioAreNotQuestionedOnRead) {
    Harness h(CloneKind::Read);
    h.radio.identification.assign(16, 0x99);
    h.run();
    EXPECT_EQ(h.result, true);
    EXPECT_TRUE(h.questions.empty());
}

// How soon a damaged reply's frame goes out again.
enum class Resend {
    None,
    AfterTimeout, // the reply stayed incomplete: after the 600 ms timeout
    AtOnce,       // a wrong acknowledgement
    AfterSilence, // bytes beyond the reply: once the line has been quiet for 200 ms
};

struct ReplyCase {
    const char* name;
    int frame; // index of the frame whose reply is damaged
    Fault fault;
    int resends; // frames sent again
    Resend resend;
    long turnaroundMs = 0;
};
void PrintTo(const ReplyCase& c, std::ostream* os) {
    *os << c.name;
}

class EngineReadReplies : public testing::TestWithParam<ReplyCase> {};

TEST_P(EngineReadReplies, EndsWithTheWholeImage) {
    const ReplyCase& c = GetParam();
    Harness h(CloneKind::Read);
    h.faults[c.frame] = c.fault;
    h.turnaroundMs = c.turnaroundMs;
    h.run();

    ASSERT_EQ(h.result, true);
    EXPECT_EQ(h.frames.size(), CleanReadFrames().size() + c.resends);
    if (c.resend != Resend::None) {
        EXPECT_EQ(h.frames[c.frame + 1], h.frames[c.frame]);
        const long gap = h.frameTimes[c.frame + 1] - h.frameTimes[c.frame];
        const long least = c.resend == Resend::AfterTimeout ? 600
                           : c.resend == Resend::AtOnce     ? 10
                                                            : 200;
        EXPECT_GE(gap, least);
        EXPECT_LE(gap, least + 20 + c.turnaroundMs);
    }
    // Every block landed where it belongs: nothing shifted by a stray byte.
    EXPECT_TRUE(SameRange(h.image, h.radio.memory, 0x0000, 0x3000));
    EXPECT_TRUE(SameRange(h.image, h.radio.memory, 0x3800, 0x3C00));
    EXPECT_TRUE(h.questions.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, EngineReadReplies,
    testing::Values(
        ReplyCase{"HandshakeLost", 0, Fault::Silent, 1, Resend::AfterTimeout},
        ReplyCase{"HandshakeNak", 0, Fault::WrongAck, 1, Resend::AtOnce},
        ReplyCase{"HandshakeShort", 0, Fault::Short, 1, Resend::AfterTimeout},
        ReplyCase{"IdentificationShort", 1, Fault::Short, 1, Resend::AfterTimeout},
        ReplyCase{"AcknowledgeWrong", 2, Fault::WrongAck, 1, Resend::AtOnce},
        ReplyCase{"BlockLost", 40, Fault::Silent, 1, Resend::AfterTimeout},
        ReplyCase{"BlockShort", 41, Fault::Short, 1, Resend::AfterTimeout},
        ReplyCase{"LastBlockLost", 210, Fault::Silent, 1, Resend::AfterTimeout},
        ReplyCase{"BlockInPieces", 50, Fault::Pieces, 0, Resend::None},
        ReplyCase{"HandshakeInPieces", 0, Fault::Pieces, 0, Resend::None},
        ReplyCase{"BlockInPiecesSlowRadio", 50, Fault::Pieces, 0, Resend::None, 30},
        // Bytes beyond the reply make it wrong, whenever they come before the next frame.
        ReplyCase{"BlockWithStrayByte", 60, Fault::Extra, 1, Resend::AfterSilence},
        ReplyCase{"BlockTooLong", 60, Fault::Long, 1, Resend::AfterSilence},
        ReplyCase{"AcknowledgeWithStrayByte", 2, Fault::Extra, 1, Resend::AfterSilence},
        ReplyCase{"AcknowledgeWithLateStrayByte", 2, Fault::Late, 1, Resend::AfterSilence},
        ReplyCase{"HandshakeWithLateStrayByte", 0, Fault::Late, 1, Resend::AfterSilence},
        ReplyCase{"BlockWithLateStrayByteSlowRadio", 70, Fault::Late, 1, Resend::AfterSilence, 30},
        // A reply after the resend: both copies are answered, one behind the other.
        ReplyCase{"BlockDelayed", 80, Fault::Delayed, 2, Resend::AfterTimeout},
        ReplyCase{"BlockDelayedSlowRadio", 80, Fault::Delayed, 2, Resend::AfterTimeout, 30},
        ReplyCase{"IdentificationDelayed", 1, Fault::Delayed, 2, Resend::AfterTimeout},
        ReplyCase{"LastBlockDelayedSlowRadio", 210, Fault::Delayed, 2, Resend::AfterTimeout, 30}),
    [](const testing::TestParamInfo<ReplyCase>& info) { return info.param.name; });

TEST(EngineRead, RepliesAlwaysTooLongNeverReachTheImage) {
    Harness h(CloneKind::Read);
    h.deadFrom = 3 + 5; // from the sixth block on every reply carries a stray byte
    h.faultFromFrame = Fault::Extra;
    h.run();

    ASSERT_EQ(h.result, false);
    EXPECT_EQ(h.questions, std::vector<CloneQuestion>{CloneQuestion::RetryOrCancel});
    EXPECT_EQ(h.countFrames(ReadAt(5 * 64, 0x40)), 8);
    EXPECT_TRUE(SameRange(h.image, h.radio.memory, 0, 5 * 64));
    EXPECT_TRUE(AllBytes(h.image, 5 * 64, 0x3000, 0x5A));
}

TEST(EngineRead, SevenSilentResendsThenTheQuestion) {
    Harness h(CloneKind::Read);
    h.deadFrom = 0;
    h.faultFromFrame = Fault::Silent;
    h.run();

    ASSERT_EQ(h.result, false);
    EXPECT_EQ(h.countFrames(Handshake()), 8);
    EXPECT_EQ(h.frames.size(), 8u);
    ASSERT_EQ(h.questions, std::vector<CloneQuestion>{CloneQuestion::RetryOrCancel});
    EXPECT_EQ(h.asks[0].text, "Check Connection. Retry or Cancel?\t");
    EXPECT_EQ(h.asks[0].title, "Error");
    EXPECT_NE(h.log().find("ERROR:Timeout while waiting for data blocks.\nPort Closed.\n"),
              std::string::npos);
    EXPECT_EQ(h.statuses.back(), "Error!");
}

TEST(EngineRead, RetryRestartsFromTheHandshakeAndKeepsTheCount) {
    Harness h(CloneKind::Read);
    h.deadFrom = 0;
    h.faultFromFrame = Fault::Silent;
    h.answers = {true, false};
    h.run();

    ASSERT_EQ(h.result, false);
    // After Retry the count stays spent: the first further failure asks at once.
    EXPECT_EQ(h.countFrames(Handshake()), 9);
    EXPECT_EQ(h.questions.size(), 2u);
}

TEST(EngineRead, RetryAfterTheRadioWakesUpCompletes) {
    Harness h(CloneKind::Read);
    for (int i = 0; i < 8; ++i)
        h.faults[i] = Fault::Silent;
    h.answers = {true};
    h.run();

    ASSERT_EQ(h.result, true);
    EXPECT_EQ(h.questions.size(), 1u);
    EXPECT_EQ(h.countFrames(Handshake()), 9);
    EXPECT_TRUE(SameRange(h.image, h.radio.memory, 0x0000, 0x3000));
    // The restart clears the transcript.
    EXPECT_EQ(h.log().rfind("Opening Port...", 0), 0u);
    EXPECT_EQ(h.log().find("ERROR:"), std::string::npos);
}

TEST(EngineRead, CancelledReadKeepsTheBlocksReceivedSoFar) {
    Harness h(CloneKind::Read);
    h.settings.traceMode = true;
    h.deadFrom = 3 + 10; // the radio stops answering at the eleventh block
    h.faultFromFrame = Fault::Silent;
    h.run();

    ASSERT_EQ(h.result, false);
    EXPECT_TRUE(SameRange(h.image, h.radio.memory, 0x0000, 10 * 64));
    EXPECT_TRUE(AllBytes(h.image, 10 * 64, 0x3000, 0x5A));
    EXPECT_NE(h.log().find("           Error!! \nComPort.inputlen= 0\n\n"), std::string::npos);
}

TEST(EngineRead, FailuresOnDifferentFramesShareOneCount) {
    // Seven isolated losses use up the resends; the eighth asks.
    Harness h(CloneKind::Read);
    for (int i = 0; i < 8; ++i)
        h.faults[10 + i * 3] = Fault::Silent;
    h.run();
    EXPECT_EQ(h.result, false);
    EXPECT_EQ(h.questions.size(), 1u);
}

} // namespace
} // namespace r57::link::enginetest
