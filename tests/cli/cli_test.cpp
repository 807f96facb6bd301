// Runs the built r57 tool (beside this test) and checks its output, files and exit
// statuses.
#include "common/child_process.h"
#include "core/channel.h"
#include "core/codecs.h"
#include "core/data_file.h"
#include "core/session.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace r57 {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

Bytes ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteBytes(const fs::path& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

struct Outcome {
    int status = -1;
    std::string out, err;
};

class Cli : public ::testing::Test {
protected:
    fs::path file(const std::string& name) const { return folder_.file(name); }

    Outcome r57(const std::vector<std::string>& args) const {
        const test::ProgramResult run = test::RunBuiltProgram("r57", args);
        return {run.exitCode, run.out, run.err};
    }

    // A codeplug with defaults, a few channels in both banks and odd records.
    fs::path sampleFile(const std::string& name, CodeplugImage* imageOut = nullptr) const {
        Session session;
        session.resetToDefaults();
        CodeplugImage& image = session.image;
        const char* freqs[] = {"446.00625", "145.50000", "433.02500", "136.12500"};
        for (int i = 0; i < 4; ++i) {
            const int address = RecordAddress(i % 2, i + 1);
            const auto rx = FrequencyBytesFromText(freqs[i]);
            image.write(address, rx.data(), 4);
            image.write(address + 4, rx.data(), 4);
            image.write(address + 12, kNewChannelFlags.data(), 4);
            WriteChannelName(image, NameSlot(i % 2, i + 1), "CH" + std::to_string(i));
        }
        // An all-zero record: empty, and repaired only in memory when listed.
        std::fill(image.data() + RecordAddress(0, 9), image.data() + RecordAddress(0, 10), 0);
        if (imageOut) {
            *imageOut = image;
        }
        const fs::path path = file(name);
        EXPECT_TRUE(WriteDataFile(path.string(), image));
        return path;
    }

    test::TempFolder folder_;
};

TEST_F(Cli, NewWritesTheStartUpCodeplugWithTheStockLogo) {
    const Outcome run = r57({"new", "-o", file("new.dat").string()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    const std::optional<CodeplugImage> image = DecodeDataFile(ReadBytes(file("new.dat")));
    ASSERT_TRUE(image);

    Session expected;
    expected.applicationDirectory = test::BuiltProgramFolder() + "/";
    expected.startUp();
    EXPECT_EQ(*image, expected.image);
    const uint8_t* logo = image->data() + addr::kLogo;
    EXPECT_NE(std::count(logo, logo + addr::kLogoSize, 0), addr::kLogoSize) << "stock logo missing";
}

TEST_F(Cli, PackAndUnpackRoundTripARawImage) {
    std::mt19937 random(57);
    Bytes raw(16384);
    for (auto& b : raw) {
        b = random() % 4 ? 0xFF : static_cast<uint8_t>(random());
    }
    WriteBytes(file("image.bin"), raw);
    Outcome run = r57({"pack", file("image.bin").string(), "-o", file("packed.dat").string()});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::optional<CodeplugImage> image = DecodeDataFile(ReadBytes(file("packed.dat")));
    ASSERT_TRUE(image);
    EXPECT_EQ(Bytes(image->data(), image->data() + 16384), raw);

    run = r57({"unpack", file("packed.dat").string(), "-o", file("back.bin").string()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadBytes(file("back.bin")), raw);
}

TEST_F(Cli, RefusedOrFailedCommandsLeaveTheOutputAlone) {
    WriteBytes(file("short.bin"), Bytes(16383, 0xFF));
    WriteBytes(file("long.bin"), Bytes(16385, 0xFF));
    WriteBytes(file("garbage.dat"), Bytes{'n', 'o', 't', ' ', 'a', ' ', 'c', 'o', 'd', 'e'});
    const std::string good = sampleFile("good.dat").string();
    fs::create_directory(file("folder"));
    const std::string out = file("out").string();
    const Bytes old{'o', 'l', 'd'};

    struct Case {
        std::vector<std::string> args;
        int status;
        std::string message; // part of stderr
    };
    const std::string garbage = file("garbage.dat").string();
    const std::string missing = file("missing.dat").string();
    const Case cases[] = {
        {{"pack", file("short.bin").string(), "-o", out}, 2, "16384 bytes"},
        {{"pack", file("long.bin").string(), "-o", out}, 2, "16384 bytes"},
        {{"pack", garbage, "-o", out}, 2, "16384 bytes"},
        {{"unpack", garbage, "-o", out}, 2, "Incorrect File Type."},
        {{"unpack", garbage, "-o", out, "--lang", "zh"}, 2, "文件类型不正确。"},
        {{"--lang=zh", "hex", garbage}, 2, "文件类型不正确。"},
        {{"channels", garbage}, 2, "Incorrect File Type."},
        {{"unpack", good}, 2, "missing -o"},
        {{"new"}, 2, "missing -o"},
        {{"new", "-o"}, 2, "needs a value"},
        {{"channels", good, "--bank", "C"}, 2, "A or B"},
        {{"channels", good, "--lang", "fr"}, 2, "unknown language"},
        {{"hex", good, "--wide"}, 2, "unknown option"},
        {{"hex", good, good}, 2, "too many"},
        {{"frobnicate"}, 2, "unknown command"},
        {{}, 2, "Usage: r57"},
        {{"unpack", missing, "-o", out}, 1, "No such file or directory"},
        {{"pack", missing, "-o", out}, 1, "No such file or directory"},
        {{"unpack", good, "-o", file("folder").string()}, 2, "Is a directory"},
        {{"new", "-o", file("no-such-folder/new.dat").string()}, 1, "No such file or directory"},
    };
    for (const Case& c : cases) {
        std::string line;
        for (const std::string& a : c.args) {
            line += a + " ";
        }
        WriteBytes(out, old);
        const Outcome run = r57(c.args);
        EXPECT_EQ(run.status, c.status) << line << "\n" << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << line << "\n" << run.err;
        EXPECT_EQ(ReadBytes(out), old) << line;
    }
    EXPECT_TRUE(fs::is_directory(file("folder")));
    EXPECT_FALSE(fs::exists(file("no-such-folder")));
    // Nothing but what the test made: no temporary files left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_.path()), fs::directory_iterator()), 6);
}

// A codeplug written with -o is named so that File > Open lists it, and a master copy
// without write bits is not replaced.
TEST_F(Cli, CodeplugOutputsGetTheDataSuffixAndSpareReadOnlyFiles) {
    const std::string good = sampleFile("good.dat").string();
    WriteBytes(file("image.bin"), Bytes(16384, 0xFF));
    WriteBytes(file("master.dat"), Bytes{'o', 'l', 'd'});
    fs::permissions(file("master.dat"), fs::perms::owner_read | fs::perms::group_read);
    const struct {
        std::vector<std::string> args;
        const char* written; // the file the command made, or "" when refused
    } cases[] = {
        {{"new", "-o", file("St. Marys").string()}, "St. Marys.dat"},
        {{"pack", file("image.bin").string(), "-o", file("v1.2").string()}, "v1.2.dat"},
        {{"new", "-o", file("UPPER.DAT").string()}, "UPPER.DAT"},
        {{"unpack", good, "-o", file("raw.bin").string()}, "raw.bin"}, // no codeplug
        {{"new", "-o", file("master.dat").string()}, ""},
        {{"pack", file("image.bin").string(), "-o", file("master").string()}, ""},
    };
    for (const auto& c : cases) {
        const Outcome run = r57(c.args);
        SCOPED_TRACE(c.args.back());
        if (*c.written) {
            EXPECT_EQ(run.status, 0) << run.err;
            EXPECT_TRUE(fs::is_regular_file(file(c.written)));
        } else {
            EXPECT_EQ(run.status, 1);
            EXPECT_NE(run.err.find("master.dat: Permission denied"), std::string::npos) << run.err;
        }
    }
    EXPECT_FALSE(fs::exists(file("St. Marys")));
    EXPECT_FALSE(fs::exists(file("master")));
    EXPECT_EQ(ReadBytes(file("master.dat")), (Bytes{'o', 'l', 'd'}));
}

TEST_F(Cli, ChannelsListsTheBankAsTheGridShowsIt) {
    CodeplugImage image;
    const fs::path path = sampleFile("site.dat", &image);
    const Bytes before = ReadBytes(path);

    for (int language : {0, 1}) {
        for (int bank : {0, 1}) {
            std::vector<std::string> args{"channels", path.string(), "--bank", bank ? "B" : "A"};
            if (language) {
                args.insert(args.end(), {"--lang", "zh"});
            }
            const Outcome run = r57(args);
            ASSERT_EQ(run.status, 0) << run.err;
            const std::vector<std::string> lines = Lines(run.out);
            ASSERT_EQ(lines.size(), 129u);

            std::string header;
            for (int c = 0; c < kColumnCount; ++c) {
                header += (c ? "\t" : "") + ColumnCaption(c, language);
            }
            EXPECT_EQ(lines[0], header);
            CodeplugImage copy = image;
            const BankTexts rows = DecodeBank(copy, bank, language);
            for (int n = 0; n < 128; ++n) {
                std::string expected;
                for (int c = 0; c < kColumnCount; ++c) {
                    expected += (c ? "\t" : "") + rows[n][c];
                }
                ASSERT_EQ(lines[n + 1], expected) << "bank " << bank << " row " << n + 1;
            }
        }
    }
    // Concrete cells: A1 is 446.00625 MHz named CH0, B2 145.5 MHz, A9 empty.
    const std::vector<std::string> a = Lines(r57({"channels", path.string()}).out);
    EXPECT_EQ(a[1].substr(0, a[1].find('\t', 3)), "A1\t446.00625");
    EXPECT_NE(a[1].find("\tCH0    \t"), std::string::npos);
    EXPECT_EQ(a[9], "A9" + std::string(14, '\t'));
    const std::vector<std::string> b = Lines(r57({"channels", path.string(), "--bank=b"}).out);
    EXPECT_EQ(b[2].substr(0, 12), "B2\t145.50000");

    EXPECT_EQ(ReadBytes(path), before) << "listing changed the file";
}

TEST_F(Cli, HexPrintsEveryRow) {
    CodeplugImage image;
    const fs::path path = sampleFile("site.dat", &image);
    const Outcome run = r57({"hex", path.string()});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 1024u);
    EXPECT_EQ(lines[0], "0 FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF");
    EXPECT_EQ(lines[0x81], "81 40 00 00 00 40 00 00 00 FF FF FF FF 04 00 46 00");
    EXPECT_EQ(lines[0x100].substr(0, 16), "100 44 60 06 25 ");
    for (int row = 0; row < 1024; ++row) {
        char expected[64];
        int n = std::snprintf(expected, sizeof expected, "%X", row);
        for (int c = 0; c < 16; ++c) {
            n += std::snprintf(expected + n, sizeof expected - n, " %02X", image.at(row, c));
        }
        ASSERT_EQ(lines[row], expected);
    }
}

TEST_F(Cli, HelpForTheToolAndEveryCommand) {
    const Outcome tool = r57({"--help"});
    EXPECT_EQ(tool.status, 0);
    EXPECT_EQ(tool.err, "");
    for (const std::string name : {"new", "pack", "unpack", "channels", "hex"}) {
        EXPECT_NE(tool.out.find("  " + name + " "), std::string::npos) << name;
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{name, "--help"}, {name, "-h"}, {"help", name}}) {
            const Outcome run = r57(args);
            EXPECT_EQ(run.status, 0) << name;
            EXPECT_EQ(run.out.rfind("Usage: r57 " + name, 0), 0u) << name << ": " << run.out;
        }
    }
    EXPECT_EQ(r57({"-h"}).out, tool.out);
}

} // namespace
} // namespace r57
