// The service-data clone: the four row sets with their frame sequences, the extra
// acknowledge after each read block, the 12-byte band check, and fresh resend counts.
#include "link/engine_harness.h"

#include <gtest/gtest.h>

namespace r57::link::enginetest {
namespace {

const std::vector<int> kRangeRows{0x0D00, 0x0810, 0x0820};

std::vector<int> TuningRows() {
    std::vector<int> rows;
    for (int a = 0x0EE0; a <= 0x0FF0; a += 16)
        rows.push_back(a);
    return rows;
}

std::vector<Bytes> ExpectedFrames(CloneKind kind, const CodeplugImage& image) {
    const bool ranges = kind == CloneKind::ReadRanges || kind == CloneKind::WriteRanges;
    const bool reading = kind == CloneKind::ReadRanges || kind == CloneKind::ReadTuning;
    std::vector<Bytes> frames{Handshake(), {0x02}, {0x06}};
    for (int address : ranges ? kRangeRows : TuningRows()) {
        if (reading) {
            frames.push_back(ReadAt(address, 0x10));
            frames.push_back({0x06});
        } else {
            frames.push_back(WriteAt(image, address, 16));
        }
    }
    frames.push_back({'E'});
    return frames;
}

bool SameRows(const CodeplugImage& a, const CodeplugImage& b, const std::vector<int>& rows) {
    for (int r : rows)
        if (!std::equal(a.data() + r, a.data() + r + 16, b.data() + r))
            return false;
    return true;
}

struct KindCase {
    const char* name;
    CloneKind kind;
    size_t frames;
};
void PrintTo(const KindCase& c, std::ostream* os) {
    *os << c.name;
}

class EngineServiceKinds : public testing::TestWithParam<KindCase> {};

TEST_P(EngineServiceKinds, SendsItsRowsAndNothingElse) {
    const KindCase& c = GetParam();
    Harness h(c.kind);
    h.image.fill(0x33);
    // The band rows agree, so a range write asks nothing.
    h.matchRadioBandRow();
    // The service clone does not look at the model code.
    h.radio.modelCode = '2';
    const CodeplugImage imageBefore = h.image;
    const CodeplugImage radioBefore = h.radio.memory;
    h.run();

    ASSERT_EQ(h.result, true);
    EXPECT_EQ(h.frames, ExpectedFrames(c.kind, h.image));
    EXPECT_EQ(h.frames.size(), c.frames);
    EXPECT_TRUE(h.questions.empty());
    EXPECT_TRUE(h.notices.empty());
    EXPECT_TRUE(h.modelCodes.empty());
    // No progress bar and no status panel for the service data.
    EXPECT_TRUE(h.progress.empty());
    EXPECT_TRUE(h.statuses.empty());
    EXPECT_EQ(h.log().find("completed"), std::string::npos);

    const std::vector<int> rows =
        c.kind == CloneKind::ReadRanges || c.kind == CloneKind::WriteRanges ? kRangeRows
                                                                            : TuningRows();
    if (IsRead(c.kind)) {
        EXPECT_TRUE(SameRows(h.image, h.radio.memory, rows));
        CodeplugImage rest = h.image;
        for (int r : rows)
            std::copy(imageBefore.data() + r, imageBefore.data() + r + 16, rest.data() + r);
        EXPECT_EQ(rest, imageBefore) << "a read stores only its rows";
    } else {
        EXPECT_TRUE(SameRows(h.radio.memory, h.image, rows));
        CodeplugImage rest = h.radio.memory;
        for (int r : rows)
            std::copy(radioBefore.data() + r, radioBefore.data() + r + 16, rest.data() + r);
        EXPECT_EQ(rest, radioBefore) << "a write sends only its rows";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, EngineServiceKinds,
    testing::Values(KindCase{"ReadRanges", CloneKind::ReadRanges, 3 + 6 + 1},
                    KindCase{"WriteRanges", CloneKind::WriteRanges, 3 + 3 + 1},
                    KindCase{"ReadTuning", CloneKind::ReadTuning, 3 + 36 + 1},
                    KindCase{"WriteTuning", CloneKind::WriteTuning, 3 + 18 + 1}),
    [](const testing::TestParamInfo<KindCase>& info) { return info.param.name; });

struct BandCase {
    const char* name;
    CloneKind kind;
    int differingByte;
    bool answer;
    bool asked;
    bool success;
};
void PrintTo(const BandCase& c, std::ostream* os) {
    *os << c.name;
}

class EngineServiceBands : public testing::TestWithParam<BandCase> {};

TEST_P(EngineServiceBands, OnlyTheRangeWriteComparesTwelveBytes) {
    const BandCase& c = GetParam();
    Harness h(c.kind);
    h.matchRadioBandRow();
    h.radio.identification[c.differingByte] ^= 0x01;
    h.radio.identification[11] ^= c.differingByte < 11 ? 0x01 : 0x00;
    h.answers = {c.answer};
    h.run();

    ASSERT_EQ(h.result, c.success);
    ASSERT_EQ(h.questions.size(), c.asked ? 1u : 0u);
    if (c.asked) {
        EXPECT_EQ(h.questions[0], CloneQuestion::ServiceBandLimitsChanged);
        EXPECT_EQ(h.asks[0].text, "FrequencyRange has been changed!Go on?");
        EXPECT_EQ(h.asks[0].title, "Warning");
    }
    if (!c.success) {
        EXPECT_EQ(h.frames.size(), 2u) << "no resend after Cancel";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, EngineServiceBands,
    testing::Values(
        BandCase{"RangesFirstByteOk", CloneKind::WriteRanges, 0, true, true, true},
        BandCase{"RangesTenthByteOk", CloneKind::WriteRanges, 9, true, true, true},
        BandCase{"RangesTwelfthByteCancel", CloneKind::WriteRanges, 11, false, true, false},
        BandCase{"RangesThirteenthByte", CloneKind::WriteRanges, 12, false, false, true},
        BandCase{"TuningNeverCompares", CloneKind::WriteTuning, 0, false, false, true},
        BandCase{"ReadNeverCompares", CloneKind::ReadRanges, 0, false, false, true}),
    [](const testing::TestParamInfo<BandCase>& info) { return info.param.name; });

TEST(EngineService, RetryStartsWithAFreshCount) {
    Harness h(CloneKind::ReadTuning);
    h.deadFrom = 0;
    h.faultFromFrame = Fault::Silent;
    h.answers = {true, false};
    h.run();

    ASSERT_EQ(h.result, false);
    EXPECT_EQ(h.countFrames(Handshake()), 16);
    ASSERT_EQ(h.questions.size(), 2u);
    EXPECT_EQ(h.asks[0].title, "Error");
}

TEST(EngineService, LostReadAcknowledgeIsResent) {
    Harness h(CloneKind::ReadRanges);
    h.faults[4] = Fault::Silent; // the 0x06 after the first block
    h.faults[6] = Fault::Short;  // the second block
    h.run();

    ASSERT_EQ(h.result, true);
    EXPECT_EQ(h.frames[4], Bytes{0x06});
    EXPECT_EQ(h.frames[5], Bytes{0x06});
    EXPECT_EQ(h.frames[6], ReadAt(0x0810, 16));
    EXPECT_EQ(h.frames[7], ReadAt(0x0810, 16));
    EXPECT_TRUE(SameRows(h.image, h.radio.memory, kRangeRows));
}

TEST(EngineService, TraceShowsTheDiagnosticLines) {
    Harness h(CloneKind::WriteRanges);
    h.settings.traceMode = true;
    h.matchRadioBandRow();
    h.deadFrom = 3;
    h.faultFromFrame = Fault::Short;
    h.run();

    ASSERT_EQ(h.result, false);
    const std::string& log = h.log();
    EXPECT_NE(log.find("PC       : &H57  &H0D  &H00  &H10  "), std::string::npos);
    EXPECT_NE(log.find("           Error!! \n"
                       "当前步（加开头两次应答共）：208\n"
                       "发送器状态：False\n"
                       "缓冲期数据个数：0  0\n"
                       "最近端口事件代码= 2\n"),
              std::string::npos);
    EXPECT_EQ(log.find("ERROR:"), std::string::npos);

    Harness ok(CloneKind::ReadRanges);
    ok.settings.traceMode = true;
    ok.run();
    ASSERT_EQ(ok.result, true);
    EXPECT_NE(ok.log().find("           Complete!! \n\n当前步（加开头两次应答共）：999\n"),
              std::string::npos);
}

} // namespace
} // namespace r57::link::enginetest
