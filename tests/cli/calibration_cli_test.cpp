// A radio with its own calibration, written by r57 as a dealer would: each service
// write keeps the radio's rows, asks, verifies, and puts them back after a fault. Every
// case ends with the radio's saved memory compared byte for byte.
#include "common/radio_process.h"

#include "core/band_limits.h"
#include "core/data_file.h"
#include "core/session.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace r57;
using namespace r57::test;

namespace {

constexpr int kTuning = 0x0EE0;
constexpr int kTuningEnd = 0x1000;

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

CodeplugImage WithRows(CodeplugImage image, const CodeplugImage& from, int start, int end) {
    image.write(start, from.data() + start, static_cast<std::size_t>(end - start));
    return image;
}

class Calibration : public ::testing::Test {
protected:
    void SetUp() override {
        old_ = std::getenv("XDG_DATA_HOME");
        setenv("XDG_DATA_HOME", home.path().c_str(), 1);
        Session fresh;
        fresh.resetToDefaults();
        file = fresh.image; // a fresh codeplug: blank tuning rows
        radioMemory = RandomImage(7);
        StoreBandLimits(radioMemory, BandLimits::Defaults());
    }
    void TearDown() override { setenv("XDG_DATA_HOME", old_.c_str(), 1); }

    std::string backups() const { return home.file("Tarvex/R57/backups"); }
    std::vector<std::string> kept(const std::string& suffix) const {
        std::vector<std::string> paths;
        std::error_code ec;
        for (const auto& e : std::filesystem::directory_iterator(backups(), ec)) {
            const std::string name = e.path().filename().string();
            if (name.size() > suffix.size() && name.rfind('.', 0) != 0 &&
                name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
                paths.push_back(e.path().string());
        }
        return paths;
    }
    std::string save(const CodeplugImage& image, const std::string& name) {
        const std::string path = folder.file(name);
        EXPECT_TRUE(WriteDataFile(path, image).ok);
        return path;
    }

    TempFolder home;
    TempFolder folder;
    CodeplugImage file;
    CodeplugImage radioMemory;

private:
    std::string old_;
};

} // namespace

TEST_F(Calibration, ServiceWritesKeepAskVerifyAndPutTheRadiosRowsBack) {
    const std::string in = save(file, "new.dat");
    // The radio's memory with the calibration --calibration gives it, read once.
    CodeplugImage own;
    {
        VirtualRadio radio;
        ASSERT_TRUE(radio.start(radioMemory, {"--calibration", "5"}));
        own = *radio.stopAndTakeMemory();
    }
    ASSERT_FALSE(SameRange(own, file, kTuning, kTuningEnd));
    const CodeplugImage written = WithRows(own, file, kTuning, kTuningEnd);
    CodeplugImage badCell = written;
    badCell.set(0x0F33, static_cast<uint8_t>(~written.at(0x0F33)));

    const struct {
        const char* name;
        std::vector<std::string> radio;
        std::vector<std::string> args;
        int exitCode;
        const char* says;
        const CodeplugImage& after;
        bool pinned; // the kept rows stay whatever the rotation
    } table[] = {
        {"not on a terminal, no --yes",
         {},
         {},
         2,
         "18 of the radio's 18 tuning and gain rows",
         own,
         false},
        {"--yes", {}, {"--yes"}, 0, "were written and read back the same", written, false},
        {"a cell that stores a wrong byte",
         {"--corrupt-write", "0x0F33"},
         {"--yes"},
         1,
         "1 of them read back differently: 0x0F30",
         badCell,
         true},
        {"cut after 7 rows, put back",
         {"--cut-write", "7"},
         {"--yes", "--restore-on-failure"},
         1,
         "New: 0x0EE0-0x0F40. Perhaps new: 0x0F50. Still the radio's own: 0x0F60-0x0FF0.",
         own,
         true},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.name);
        std::filesystem::remove_all(backups());
        VirtualRadio radio;
        std::vector<std::string> options{"--calibration", "5"};
        options.insert(options.end(), row.radio.begin(), row.radio.end());
        ASSERT_TRUE(radio.start(radioMemory, options));
        std::vector<std::string> args{"service", "write-tuning", in, "--port", radio.device()};
        args.insert(args.end(), row.args.begin(), row.args.end());
        const auto r = RunBuiltProgram("r57", args);
        EXPECT_EQ(r.exitCode, row.exitCode) << r.err;
        EXPECT_TRUE(Contains(r.err, row.says)) << r.err;
        const auto before = kept("_service-tuning-before.dat");
        ASSERT_EQ(before.size(), 1u) << r.err;
        EXPECT_TRUE(SameRange(ReadDataFile(before[0]).image, own, kTuning, kTuningEnd));
        const auto name = std::filesystem::path(before[0]).filename().string();
        EXPECT_EQ(std::filesystem::exists(backups() + "/." + name + ".pin"), row.pinned);
        const auto memory = radio.stopAndTakeMemory();
        ASSERT_TRUE(memory);
        EXPECT_TRUE(*memory == row.after);
    }
}

TEST_F(Calibration, ABandRowThePageCouldNotSetIsNeverSent) {
    CodeplugImage bad = file;
    bad.set(0x0D00, 0x04); // a 40 MHz lower limit
    bad.set(0x0D01, 0x00);
    const std::string in = save(bad, "bad.dat");
    VirtualRadio radio;
    ASSERT_TRUE(radio.start(radioMemory));
    const auto r =
        RunBuiltProgram("r57", {"service", "write-ranges", in, "--port", radio.device(), "--yes"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(Contains(r.err, "RX(UHF) lower limit 40 MHz")) << r.err;
    EXPECT_TRUE(radio.frames().empty());
    EXPECT_TRUE(*radio.stopAndTakeMemory() == radioMemory);
}

TEST_F(Calibration, AWriteKeepsTheRadiosGainAndOldMemoryAndARestoreGivesEveryByteBack) {
    CodeplugImage first; // the radio's whole memory, also where no read reaches
    {
        VirtualRadio radio;
        ASSERT_TRUE(radio.start(radioMemory, {"--calibration", "5"}));
        first = *radio.stopAndTakeMemory();
    }
    VirtualRadio radio;
    ASSERT_TRUE(radio.start(radioMemory, {"--calibration", "5"}));
    const std::string port = radio.device();
    const auto read = [&](const char* name) {
        const std::string out = folder.file(name);
        const auto r = RunBuiltProgram("r57", {"read", "--port", port, "-o", out, "--no-backup"});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        return ReadDataFile(out).image;
    };
    const CodeplugImage own = read("own.dat");
    CodeplugImage wrong = RandomImage(8); // another radio's codeplug, other gain rows
    StoreBandLimits(wrong, BandLimits::Defaults());
    for (int a = 0x0EE0; a < 0x0EF0; ++a)
        wrong.set(a, static_cast<uint8_t>((own.at(a) + 1) % 8));
    const std::string wrongFile = save(wrong, "wrong.dat");

    // The radio's gain stays; its old memory is kept, pinned until the write verified.
    auto r = RunBuiltProgram("r57", {"write", wrongFile, "--port", port, "--no-time", "--yes",
                                     "--keep-old", "--verify"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(Contains(r.err, "Kept the radio's own gain rows (0x0EE0-0x0EEF)")) << r.err;
    CodeplugImage now = read("now.dat");
    EXPECT_TRUE(SameRange(now, own, 0x0EE0, 0x0EF0));
    EXPECT_TRUE(SameRange(now, wrong, 0x1000, 0x3000));
    const auto old = kept("_memory-before.dat");
    ASSERT_EQ(old.size(), 1u);
    EXPECT_TRUE(SameRange(ReadDataFile(old[0]).image, own, 0, 0x3000));
    EXPECT_FALSE(std::filesystem::exists(
        backups() + "/." + std::filesystem::path(old[0]).filename().string() + ".pin"));

    // --write-gain, and a wrong tuning file over the calibration.
    r = RunBuiltProgram("r57",
                        {"write", wrongFile, "--port", port, "--no-time", "--yes", "--write-gain"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(SameRange(read("gain.dat"), wrong, 0x0EE0, 0x0EF0));
    r = RunBuiltProgram("r57", {"service", "write-tuning", wrongFile, "--port", port, "--yes"});
    ASSERT_EQ(r.exitCode, 0) << r.err;

    // One restore from the memory kept before: every byte as it was.
    r = RunBuiltProgram("r57", {"restore", old[0], "--port", port, "--no-time"});
    EXPECT_EQ(r.exitCode, 2) << r.err; // replaces calibration: not unasked without --yes
    r = RunBuiltProgram("r57", {"restore", old[0], "--port", port, "--no-time", "--yes"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto memory = radio.stopAndTakeMemory();
    ASSERT_TRUE(memory);
    EXPECT_TRUE(*memory == first);
}
