// r57 read, write and service end to end against the virtual radio.
#include "common/radio_process.h"

#include "core/address_map.h"
#include "core/band_limits.h"
#include "core/data_file.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <unistd.h>

using namespace r57;
using namespace r57::test;

namespace {

constexpr const char* kCannotOpen = "Cannot Open Communication Port.";
constexpr const char* kTimeout = "ERROR:Timeout while waiting for data blocks.";
constexpr const char* kBandQuestion = "FrequencyRange has been changed!Go on?";

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

CodeplugImage WithDefaultBands(CodeplugImage image) {
    StoreBandLimits(image, BandLimits::Defaults());
    return image;
}

long CountFrames(const std::vector<std::string>& log, const std::string& prefix) {
    return std::count_if(log.begin(), log.end(), [&](const std::string& line) {
        return line.compare(line.find(' ') + 1, prefix.size(), prefix) == 0;
    });
}

class RadioCommands : public ::testing::Test {
protected:
    std::string saveFile(const CodeplugImage& image, const std::string& name = "in.dat") {
        const std::string path = folder.file(name);
        EXPECT_TRUE(WriteDataFile(path, image).ok);
        return path;
    }
    CodeplugImage loadFile(const std::string& path) {
        auto loaded = ReadDataFile(path);
        EXPECT_TRUE(loaded.status.ok) << path;
        return loaded.image;
    }

    TempFolder folder;
    VirtualRadio radio;
};

} // namespace

TEST_F(RadioCommands, ReadSavesTheRadiosMemoryOverAFreshCodeplug) {
    const CodeplugImage memory = RandomImage(31);
    ASSERT_TRUE(radio.start(memory));
    const std::string out = folder.file("read.dat");
    const auto r = RunBuiltProgram("r57", {"read", "--port", radio.device(), "-o", out});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(Contains(r.err, "Reading completed!")) << r.err;
    const CodeplugImage read = loadFile(out);
    EXPECT_TRUE(SameRange(read, memory, 0, addr::kFileOnlyA));
    EXPECT_TRUE(SameRange(read, memory, addr::kLogo, addr::kFileOnlyB));
    // The ranges the radio never sends are as in a new codeplug: erased.
    EXPECT_EQ(read.at(addr::kFileOnlyA), 0xFF);
    EXPECT_EQ(read.at(addr::kImageSize - 1), 0xFF);
}

struct FailedRead {
    const char* name;
    std::vector<std::string> radioOptions;
    bool radio; // false: the port names no device at all
    const char* message;
};

// Names the case in test listings.
void PrintTo(const FailedRead& c, std::ostream* os) {
    *os << c.name;
}

class RadioReadFailure : public ::testing::TestWithParam<FailedRead> {};

TEST_P(RadioReadFailure, PrintsTheMessageExitsOneAndWritesNoFile) {
    const FailedRead& c = GetParam();
    TempFolder folder;
    VirtualRadio radio;
    std::string device = "/dev/r57-no-such-port";
    if (c.radio) {
        ASSERT_TRUE(radio.start(c.radioOptions));
        device = radio.device();
    }
    const std::string out = folder.file("read.dat");
    const auto r = RunBuiltProgram("r57", {"read", "--port", device, "-o", out});
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_TRUE(Contains(r.err, c.message)) << r.err;
    EXPECT_FALSE(FileExists(out));
}

INSTANTIATE_TEST_SUITE_P(
    Failures, RadioReadFailure,
    ::testing::Values(FailedRead{"MissingDevice", {}, false, kCannotOpen},
                      FailedRead{"SilentRadio", {"--silent-after", "0"}, true, kTimeout},
                      FailedRead{
                          "RadioFallsSilentHalfway", {"--silent-after", "40"}, true, kTimeout}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RadioCommands, UnknownSlotIsRefusedAsAPortThatCannotOpen) {
    const auto r = RunBuiltProgram("r57", {"read", "--port", "COM21", "-o", folder.file("x.dat")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(Contains(r.err, kCannotOpen)) << r.err;
}

TEST_F(RadioCommands, WriteSendsTheFileAndSetsTheClockUnlessToldNot) {
    for (bool noTime : {false, true}) {
        SCOPED_TRACE(noTime ? "--no-time" : "with time");
        VirtualRadio radio;
        const CodeplugImage before = WithDefaultBands(RandomImage(32));
        ASSERT_TRUE(radio.start(before));
        const CodeplugImage file = WithDefaultBands(RandomImage(33));
        std::vector<std::string> args{"write", saveFile(file), "--port", radio.device()};
        if (noTime)
            args.push_back("--no-time");
        const auto r = RunBuiltProgram("r57", args);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_TRUE(Contains(r.err, "Writing completed!")) << r.err;
        EXPECT_EQ(CountFrames(radio.log(), "T "), noTime ? 0 : 1);
        const auto memory = radio.stopAndTakeMemory();
        ASSERT_TRUE(memory);
        EXPECT_TRUE(SameRange(*memory, file, addr::kBankARecords, addr::kFileOnlyA));
        EXPECT_TRUE(SameRange(*memory, before, addr::kFineTuning, addr::kServiceTuningEnd));
    }
}

TEST_F(RadioCommands, WriteStopsOnOtherBandLimitsUnlessTold) {
    for (bool yes : {false, true}) {
        SCOPED_TRACE(yes ? "--yes" : "no terminal");
        VirtualRadio radio;
        const CodeplugImage before = WithDefaultBands(RandomImage(34));
        ASSERT_TRUE(radio.start(before));
        CodeplugImage file = RandomImage(35);
        BandLimits uhfNarrower;
        uhfNarrower.low[0] = uhfNarrower.low[1] = 410;
        StoreBandLimits(file, uhfNarrower);
        std::vector<std::string> args{"write", saveFile(file), "--port", radio.device()};
        if (yes)
            args.push_back("--yes");
        const auto r = RunBuiltProgram("r57", args);
        EXPECT_EQ(r.exitCode, yes ? 0 : 1) << r.err;
        EXPECT_EQ(Contains(r.err, kBandQuestion), !yes) << r.err;
        const auto memory = radio.stopAndTakeMemory();
        ASSERT_TRUE(memory);
        EXPECT_EQ(SameRange(*memory, file, addr::kBankARecords, addr::kFileOnlyA), yes);
        EXPECT_EQ(*memory == before, !yes);
    }
}

TEST_F(RadioCommands, WriteToAnotherModelIsRefused) {
    ASSERT_TRUE(radio.start({"--model", "2"}));
    const auto r = RunBuiltProgram(
        "r57", {"write", saveFile(RandomImage(36)), "--port", radio.device(), "--model", "1"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(Contains(r.err, "Model type is wrong.")) << r.err;
    EXPECT_EQ(CountFrames(radio.log(), "W "), 0);
}

TEST_F(RadioCommands, ServiceReadsUpdateOnlyTheirRowsAndWritesSendThem) {
    CodeplugImage memory = RandomImage(37);
    BandLimits limits;
    limits.low = {420, 420, 144, 144};
    limits.high = {450, 450, 148, 148};
    StoreBandLimits(memory, limits);
    ASSERT_TRUE(radio.start(memory));
    const CodeplugImage original = WithDefaultBands(RandomImage(38));
    const std::string path = saveFile(original);

    auto r = RunBuiltProgram("r57", {"service", "read-ranges", path, "--port", radio.device()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "RX(UHF) 420-450 MHz")) << r.out;
    EXPECT_TRUE(Contains(r.out, "TX(VHF) 144-148 MHz")) << r.out;
    r = RunBuiltProgram("r57", {"service", "read-tuning", path, "--port", radio.device()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    CodeplugImage file = loadFile(path);
    EXPECT_TRUE(SameRange(file, memory, addr::kBandLimits, addr::kBandLimits + 16));
    EXPECT_TRUE(SameRange(file, memory, addr::kVfoA, addr::kVfoB + 16));
    EXPECT_TRUE(SameRange(file, memory, addr::kGainSteps, addr::kServiceTuningEnd));
    EXPECT_TRUE(SameRange(file, original, addr::kBankARecords, addr::kImageSize));

    // New tuning values in the file go back to the radio.
    for (int a = addr::kGainSteps; a < addr::kServiceTuningEnd; ++a)
        file.set(a, static_cast<uint8_t>(a * 7));
    saveFile(file);
    // They replace the radio's own calibration: not without --yes off a terminal.
    r = RunBuiltProgram("r57", {"service", "write-tuning", path, "--port", radio.device()});
    EXPECT_EQ(r.exitCode, 2) << r.err;
    r = RunBuiltProgram("r57",
                        {"service", "write-tuning", path, "--port", radio.device(), "--yes"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    r = RunBuiltProgram("r57", {"service", "write-ranges", path, "--port", radio.device()});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    const auto after = radio.stopAndTakeMemory();
    ASSERT_TRUE(after);
    EXPECT_TRUE(SameRange(*after, file, addr::kGainSteps, addr::kServiceTuningEnd));
    EXPECT_TRUE(SameRange(*after, memory, addr::kBankARecords, addr::kImageSize));
}

TEST_F(RadioCommands, ServiceRangeWriteStopsOnOtherBandLimitsWithoutTouchingTheRadio) {
    const CodeplugImage memory = WithDefaultBands(RandomImage(39));
    ASSERT_TRUE(radio.start(memory));
    CodeplugImage file = RandomImage(40);
    BandLimits limits;
    limits.high[0] = limits.high[1] = 480;
    StoreBandLimits(file, limits);
    const auto r = RunBuiltProgram(
        "r57", {"service", "write-ranges", saveFile(file), "--port", radio.device()});
    // The radio's own rows are read first and asked about; off a terminal the write
    // stops before anything is written.
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(Contains(r.err, "of the radio's 3 frequency-range rows differ")) << r.err;
    const auto after = radio.stopAndTakeMemory();
    ASSERT_TRUE(after);
    EXPECT_EQ(*after, memory);
}

TEST_F(RadioCommands, FailedServiceReadLeavesTheFileAsItWas) {
    ASSERT_TRUE(radio.start({"--silent-after", "5"}));
    const CodeplugImage original = RandomImage(41);
    const std::string path = saveFile(original);
    const auto r =
        RunBuiltProgram("r57", {"service", "read-tuning", path, "--port", radio.device()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(Contains(r.err, kTimeout)) << r.err;
    EXPECT_EQ(loadFile(path), original);
}

TEST_F(RadioCommands, QuestionsAreAskedOnATerminal) {
    CodeplugImage file = RandomImage(42);
    BandLimits limits;
    limits.low[0] = limits.low[1] = 430;
    StoreBandLimits(file, limits);
    const std::string path = saveFile(file);
    // Quiet once the blocks begin: after the look at the gain row (frames 1-7) and the
    // write's handshake (8-10).
    ASSERT_TRUE(radio.start({"--silent-after", "10"}));

    // Go on past the band question, then Retry once and Cancel: a Retry starts again
    // from the handshake, which the radio no longer answers.
    const auto r = RunOnTerminal("r57", {"write", path, "--port", radio.device()},
                                 {{std::string(kBandQuestion) + " [y/N]", "y\n"},
                                  {"Retry or Cancel?", "r\n"},
                                  {"Retry or Cancel?", "c\n"}});
    EXPECT_EQ(r.exitCode, 1) << r.screen;
    EXPECT_TRUE(Contains(r.screen, kTimeout)) << r.screen;
    const auto log = radio.log();
    EXPECT_EQ(CountFrames(log, "W 0000 40"), 8); // the first block and seven resends
    EXPECT_GE(CountFrames(log, "PROIR57"), 2);
}

TEST_F(RadioCommands, RadioLoadsADataFileAndLeavesAfterTheSessionsAskedFor) {
    const CodeplugImage memory = WithDefaultBands(RandomImage(43));
    ASSERT_TRUE(
        radio.start({"--load", saveFile(memory, "radio.dat"), "--exit-after-sessions", "1"}));
    const std::string out = folder.file("read.dat");
    const auto r = RunBuiltProgram("r57", {"read", "--port", radio.device(), "-o", out});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(SameRange(loadFile(out), memory, 0, addr::kFileOnlyA));
    EXPECT_EQ(radio.waitForExit(3000), 0);
    EXPECT_EQ(loadFile(radio.savedMemoryPath()), memory);
}

TEST_F(RadioCommands, InterruptedReadReleasesTheRadioAndWritesNoFile) {
    ASSERT_TRUE(radio.start({"--turnaround", "20"})); // slow enough to be caught halfway
    const std::string out = folder.file("read.dat");
    const auto r =
        RunBuiltProgram("r57", {"read", "--port", radio.device(), "-o", out}, 30000, 1000);
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_TRUE(Contains(r.err, "interrupted")) << r.err;
    EXPECT_FALSE(FileExists(out));
    // The radio may still be finishing the reply it was sending when "E" came.
    auto log = radio.log();
    for (int i = 0; i < 100 && (log.empty() || CountFrames({log.back()}, "E") == 0); ++i) {
        usleep(10 * 1000);
        log = radio.log();
    }
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(CountFrames({log.back()}, "E"), 1) << log.back();
    EXPECT_LT(CountFrames(log, "R "), 208);
}

TEST_F(RadioCommands, AVanishedDeviceEndsTheReadAtOnceWithItsReason) {
    ASSERT_TRUE(radio.start({"--baud", "9600"}));
    const std::string out = folder.file("read.dat");
    int outFd = -1;
    int errFd = -1;
    const pid_t pid =
        SpawnBuiltProgram("r57", {"read", "--port", radio.device(), "-o", out}, outFd, errFd);
    ASSERT_GT(pid, 0);
    usleep(1500 * 1000); // a few dozen blocks into the transfer
    radio.vanish();
    const long long gone = NowMs();
    const int code = WaitOrKill(pid, 5000);
    const long long took = NowMs() - gone;
    std::string err;
    char buffer[4096];
    for (ssize_t n; (n = read(errFd, buffer, sizeof buffer)) > 0;)
        err.append(buffer, static_cast<std::size_t>(n));
    close(outFd);
    close(errFd);

    EXPECT_EQ(code, 1) << err;
    EXPECT_LT(took, 2000);
    EXPECT_TRUE(Contains(err, radio.device() + ": ")) << err;
    EXPECT_FALSE(Contains(err, kTimeout)) << err;
    EXPECT_FALSE(FileExists(out));
}
