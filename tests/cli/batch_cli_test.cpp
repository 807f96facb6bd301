// r57 batch end to end: refused arguments and rules before anything is sent, radios on
// two ports holding the codeplug plus their own fields, and the exit codes.
#include "common/radio_process.h"

#include "core/band_limits.h"
#include "core/data_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include <unistd.h>

using namespace r57;
using namespace r57::test;

namespace {

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class BatchCommand : public ::testing::Test {
protected:
    void SetUp() override {
        StoreBandLimits(image, BandLimits::Defaults());
        ASSERT_TRUE(WriteDataFile(base, image).ok);
    }

    std::vector<std::string> args(const std::vector<std::string>& ports,
                                  std::vector<std::string> more) {
        std::vector<std::string> a{"batch", base, "--log", log, "--no-time"};
        for (const std::string& port : ports) {
            a.push_back("--port");
            a.push_back(port);
        }
        a.insert(a.end(), more.begin(), more.end());
        return a;
    }

    CodeplugImage image = RandomImage(9);
    TempFolder folder;
    const std::string base = folder.file("base.dat");
    const std::string log = folder.file("log.csv");
};

TEST_F(BatchCommand, BadArgumentsAndARefusedRuleExitTwoBeforeAnythingIsSent) {
    VirtualRadio radio;
    ASSERT_TRUE(radio.start());
    const std::string id = "--set=MSK/Own ID={n:04}";
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"--set", "Function Setting/PowerOn Message=UNIT {n:03}", "--start", "1", "--count", "2"},
         "Function Setting / PowerOn Message, number 1: would be stored as \"UNIT 00\""},
        {{id, "--start", "9998", "--step", "1", "--count", "3"}, "number 10000: would be stored"},
        {{"--set", "MSK/Own ID=0001", "--start", "1", "--count", "2"}, "has no {n}"},
        {{"--set", "Nowhere/Own ID={n}", "--start", "1", "--count", "2"}, "no page \"Nowhere\""},
        {{"--set", "Function Setting/PowerOn Mesage=U{n}", "--start", "1", "--count", "2"},
         "no field \"PowerOn Mesage\"; the nearest: \"PowerOn Message\", \"PowerOn Msg\""},
        {{id, "--start", "1"}, "missing --count"},
        {{id, "--start", "1", "--step", "0", "--count", "2"}, "--step takes"},
        {{id, "--start", "-1", "--count", "2"}, "--start takes"},
        {{id, "--start", "1", "--count", "2", "--port", radio.device()}, "is the same port as"},
    };
    for (const auto& [more, message] : cases) {
        const auto r = RunBuiltProgram("r57", args({radio.device()}, more));
        EXPECT_EQ(r.exitCode, 2) << message << "\n" << r.err;
        EXPECT_TRUE(Contains(r.err, message)) << r.err;
    }
    EXPECT_EQ(RunBuiltProgram("r57", {"batch", base, "--set", id, "--start", "1", "--count", "1"})
                  .exitCode,
              2);
    // One cable under two names, and a codeplug that is not there: bad input, exit 2.
    const std::string link = folder.file("by-id-cable");
    ASSERT_EQ(symlink(radio.device().c_str(), link.c_str()), 0);
    const auto twice =
        RunBuiltProgram("r57", args({radio.device(), link}, {id, "--start", "1", "--count", "2"}));
    EXPECT_EQ(twice.exitCode, 2) << twice.err;
    EXPECT_TRUE(Contains(twice.err, link + " is the same port as " + radio.device())) << twice.err;
    auto missing = args({radio.device()}, {id, "--start", "1", "--count", "1"});
    missing[1] = folder.file("no-such.dat");
    EXPECT_EQ(RunBuiltProgram("r57", missing).exitCode, 2);
    EXPECT_TRUE(radio.frames().empty());
    EXPECT_FALSE(FileExists(log));

    // --fields: what a rule can name in this codeplug, one field a line, tab-separated.
    const auto fields = RunBuiltProgram("r57", {"batch", base, "--fields", "--model", "1"});
    EXPECT_EQ(fields.exitCode, 0) << fields.err;
    EXPECT_TRUE(Contains(fields.out, "Page\tField\tCaption\tChinese caption\tValue\tShown\n"));
    EXPECT_TRUE(Contains(fields.out, "\nMSK\tOwn ID\tID Code\tID 码\t\""));
    EXPECT_TRUE(Contains(fields.out, "\nDTMF\tFast Call 0\t\t\t\""));
    EXPECT_FALSE(Contains(fields.out, "needs model DTMF"));
    EXPECT_TRUE(Contains(fields.out, "\tno (needs model 2Tone/5Tone)\n"));
    EXPECT_EQ(RunBuiltProgram("r57", {"batch", "--fields"}).exitCode, 2);
}

TEST_F(BatchCommand, TwoPortsDeliverTheCodeplugWithEachRadiosOwnFieldsAndExitZero) {
    VirtualRadio radios[2];
    for (VirtualRadio& radio : radios)
        ASSERT_TRUE(radio.start());
    const auto r =
        RunBuiltProgram("r57", args({radios[0].device(), radios[1].device()},
                                    {"--set", "MSK/Own ID={n:04}", "--set",
                                     "Function Setting/PowerOn Message=UNIT {n:02}", "--start", "7",
                                     "--step", "3", "--count", "2", "--no-verify"}));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(Contains(r.err, "2 of 2 radios delivered, 0 failed.")) << r.err;
    std::istringstream out(r.out);
    int lines = 0;
    for (std::string line; std::getline(out, line); ++lines)
        EXPECT_TRUE(Contains(line, " OK ")) << line;
    EXPECT_EQ(lines, 2) << r.out;

    // The two radios differ in exactly their own two fields.
    for (VirtualRadio& radio : radios)
        ASSERT_TRUE(radio.stopAndTakeMemory());
    const bool firstGotSeven =
        Contains(RunBuiltProgram("r57", {"export", radios[0].savedMemoryPath()}).out, "UNIT 07");
    const auto d = RunBuiltProgram("r57", {"diff", radios[firstGotSeven ? 0 : 1].savedMemoryPath(),
                                           radios[firstGotSeven ? 1 : 0].savedMemoryPath()});
    EXPECT_EQ(d.exitCode, 1) << d.err;
    EXPECT_EQ(d.out, "Function Setting / PowerOn Message: UNIT 07 -> UNIT 10\n"
                     "MSK / Own ID: 0007 -> 0010\n");
    std::ifstream csv(log);
    std::string header;
    std::getline(csv, header);
    EXPECT_EQ(header, "time,port,number,MSK / Own ID,Function Setting / PowerOn Message,result,"
                      "verify,seconds,reason");
}

// A batch that was stopped goes on with --continue: the numbers its log shows given
// (delivered, or written and not verified) are never given again, gaps first.
TEST_F(BatchCommand, ContinueFillsTheGapsAndNeverGivesATakenNumberAgain) {
    {
        std::ofstream csv(log);
        csv << "time,port,number,MSK / Own ID,result,verify,seconds,reason\n"
               "t,p,1,0001,OK,OK,1.0,\n"
               "t,p,2,0002,failed,,1.0,Timeout\n"
               "t,p,3,0003,\"written, not verified\",failed,1.0,verify\n"
               "t,p,4,0004,OK,OK,1.0,\n";
    }
    VirtualRadio radio;
    ASSERT_TRUE(
        radio.start({"--units", "2", "--save", radio.unitSavePattern(), "--unit-gap", "100"}));
    const std::vector<std::string> rule{
        "--set", "MSK/Own ID={n:04}", "--start", "1", "--count", "2", "--auto"};
    const auto anew = RunBuiltProgram("r57", args({radio.device()}, rule));
    EXPECT_EQ(anew.exitCode, 2) << anew.err;
    EXPECT_TRUE(Contains(anew.err, "number 1 was already given")) << anew.err;
    EXPECT_TRUE(radio.frames().empty());
    std::vector<std::string> more = rule;
    more.push_back("--continue");
    const auto r = RunBuiltProgram("r57", args({radio.device()}, more), 60000);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "2 " + radio.device() + " OK")) << r.out;
    EXPECT_TRUE(Contains(r.out, "5 " + radio.device() + " OK")) << r.out;
}

// Both lanes done, only lane 0's radio swapped, Enter: lane 1's radio, still on its
// cable, is not written again; lane 0's next radio gets the next number.
TEST_F(BatchCommand, EnterWritesOnlyTheRadiosThatWereSwapped) {
    VirtualRadio swapped;
    VirtualRadio kept;
    ASSERT_TRUE(swapped.start({"--units", "2", "--save", swapped.unitSavePattern(), "--unit-gap",
                               "100", "--swap-idle", "100"}));
    ASSERT_TRUE(kept.start());
    const auto r = RunOnTerminal(
        "r57",
        args({swapped.device(), kept.device()},
             {"--set", "MSK/Own ID={n:04}", "--start", "1", "--count", "3", "--no-verify"}),
        {{"press Next", ""}, {"press Next", "\n"}}, 60000);
    EXPECT_EQ(r.exitCode, 0) << r.screen;
    EXPECT_TRUE(Contains(r.screen, kept.device() + ": this radio already has number")) << r.screen;
    EXPECT_TRUE(Contains(r.screen, "3 of 3 radios delivered, 0 failed.")) << r.screen;
    int writes = 0;
    for (const std::string& frame : kept.frames())
        writes += frame.rfind("W 0000", 0) == 0;
    EXPECT_EQ(writes, 1);
}

TEST_F(BatchCommand, ARadioThatFailsMakesTheExitOneWhenTheBatchIsInterrupted) {
    VirtualRadio radio;
    ASSERT_TRUE(radio.start({"--model", "1"})); // not the model the codeplug is for
    const auto r = RunBuiltProgram(
        "r57", args({radio.device()}, {"--set", "MSK/Own ID={n}", "--start", "1", "--count", "1"}),
        10000, 2500);
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_TRUE(Contains(r.out, "1 " + radio.device() + " failed")) << r.out;
    EXPECT_TRUE(Contains(r.out, "Model type is wrong.")) << r.out;
    EXPECT_TRUE(Contains(r.err, "0 of 1 radios delivered, 1 failed.")) << r.err;
    EXPECT_EQ(radio.frames().back(), "E");
}

} // namespace
