// r57 read, write and service keep their backups, r57 write --verify reads the radio
// back, and a backup folder that cannot be written fails nothing.
#include "common/radio_process.h"

#include "core/band_limits.h"
#include "core/data_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace r57;
using namespace r57::test;

namespace {

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

CodeplugImage RadioImage(unsigned variant) {
    CodeplugImage image = RandomImage(variant);
    StoreBandLimits(image, BandLimits::Defaults());
    return image;
}

class BackupsAndVerify : public ::testing::Test {
protected:
    void SetUp() override {
        old_ = std::getenv("XDG_DATA_HOME");
        setenv("XDG_DATA_HOME", home.path().c_str(), 1);
    }
    void TearDown() override { setenv("XDG_DATA_HOME", old_.c_str(), 1); }

    std::string backups() const { return home.file("Tarvex/R57/backups"); }

    // The backups of one kind ("_read.dat"), as images.
    std::vector<CodeplugImage> kept(const std::string& suffix) const {
        std::vector<CodeplugImage> images;
        std::error_code ec;
        for (const auto& entry : std::filesystem::directory_iterator(backups(), ec)) {
            const std::string name = entry.path().filename().string();
            if (name.size() > suffix.size() &&
                name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0) {
                images.push_back(ReadDataFile(entry.path().string()).image);
            }
        }
        return images;
    }

    std::string save(const CodeplugImage& image, const std::string& name) {
        const std::string path = folder.file(name);
        EXPECT_TRUE(WriteDataFile(path, image).ok);
        return path;
    }

    TempFolder home;
    TempFolder folder;

private:
    std::string old_;
};

} // namespace

TEST_F(BackupsAndVerify, EveryTransferKeepsWhatCameOrWentUnlessToldNot) {
    VirtualRadio radio;
    ASSERT_TRUE(radio.start(RadioImage(1)));
    const std::string out = folder.file("read.dat");
    auto r = RunBuiltProgram("r57", {"read", "--port", radio.device(), "-o", out});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(Contains(r.err, "Backup: " + backups() + "/")) << r.err;
    ASSERT_EQ(kept("_read.dat").size(), 1u);
    EXPECT_TRUE(kept("_read.dat")[0] == ReadDataFile(out).image);

    const CodeplugImage sent = RadioImage(2);
    const std::string in = save(sent, "in.dat");
    // The file's own gain rows too, so that what was sent is the file as it stands.
    r = RunBuiltProgram("r57",
                        {"write", in, "--port", radio.device(), "--no-time", "--write-gain"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    ASSERT_EQ(kept("_written.dat").size(), 1u);
    EXPECT_TRUE(kept("_written.dat")[0] == sent);

    r = RunBuiltProgram("r57", {"service", "read-tuning", in, "--port", radio.device()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    ASSERT_EQ(kept("_tuning-read.dat").size(), 1u);
    EXPECT_TRUE(kept("_tuning-read.dat")[0] == ReadDataFile(in).image);

    r = RunBuiltProgram("r57", {"read", "--port", radio.device(), "-o", out, "--no-backup"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    r = RunBuiltProgram("r57", {"write", in, "--port", radio.device(), "--no-time", "--no-backup"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(kept(".dat").size(), 3u);
}

TEST_F(BackupsAndVerify, VerifyPassesOnAGoodRadioAndNamesTheByteABadOneDidNotKeep) {
    const struct {
        const char* name;
        std::vector<std::string> radioOptions;
        int exitCode;
        const char* says;
        std::size_t verifyReads;
    } table[] = {
        {"good", {}, 0, "Verify after write: all 13024 bytes written read back the same.", 0},
        {"bad cell",
         {"--corrupt-write", "0x1A2B", "--corrupt-write", "0x3800"},
         1,
         "r57: verify after write failed: 2 of the 13024 bytes written read back differently, "
         "the first at address 0x1A2B",
         1},
    };
    const CodeplugImage sent = RadioImage(3);
    const std::string in = save(sent, "in.dat");
    for (const auto& row : table) {
        SCOPED_TRACE(row.name);
        VirtualRadio radio;
        ASSERT_TRUE(radio.start(RadioImage(4), row.radioOptions));
        const auto r = RunBuiltProgram(
            "r57", {"write", in, "--port", radio.device(), "--no-time", "--verify"});
        EXPECT_EQ(r.exitCode, row.exitCode) << r.err;
        EXPECT_TRUE(Contains(r.err, row.says)) << r.err;
        const auto reads = kept("_verify-read.dat");
        ASSERT_EQ(reads.size(), row.verifyReads);
        if (!reads.empty()) {
            EXPECT_EQ(reads[0].at(0x1A2B), static_cast<uint8_t>(~sent.at(0x1A2B)));
        }
    }
}

TEST_F(BackupsAndVerify, ABackupFolderThatCannotBeWrittenFailsNothing) {
    std::filesystem::create_directories(home.file("Tarvex/R57"));
    std::ofstream(backups()) << "a file where the folder should be";
    VirtualRadio radio;
    const CodeplugImage memory = RadioImage(5);
    ASSERT_TRUE(radio.start(memory));
    const std::string out = folder.file("read.dat");
    const auto r = RunBuiltProgram("r57", {"read", "--port", radio.device(), "-o", out});
    EXPECT_EQ(r.exitCode, 3) << r.err; // done, but a script must hear of the lost backup
    EXPECT_TRUE(Contains(r.err, "r57: no backup could be kept in " + backups())) << r.err;
    EXPECT_TRUE(SameRange(ReadDataFile(out).image, memory, 0, 0x3000));
}
