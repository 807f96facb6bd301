// `cmake --install` into a scratch DESTDIR: every file in its place, the desktop entry
// and the AppStream metadata accepted by their validators, data files known by their
// mark, and the installed programs finding the stock logo wherever the tree lies.
#include "packaging_support.h"

#include "core/address_map.h"
#include "core/data_file.h"
#include "core/session.h"

#include <QMimeDatabase>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <sys/stat.h>

namespace r57::test {
namespace {

namespace fs = std::filesystem;

class Install : public ::testing::Test {
protected:
    // An install with `prefix` under the scratch folder; the folder of the tree.
    std::string install(const std::string& prefix = "/usr") {
        const std::string dest = scratch_.file("dest");
        const ProgramResult run = InstallInto(dest, prefix);
        EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
        return dest;
    }

    // Runs a validator on the PATH over `file`: its exit status and everything it said.
    static ProgramResult validate(const std::string& validator, std::vector<std::string> args) {
        const std::string program = FindOnPath(validator);
        if (program.empty()) {
            ADD_FAILURE() << validator << " is not installed (scripts/setup.sh installs it)";
            return {};
        }
        return RunBuiltProgram(program, args);
    }

    TempFolder scratch_;
};

TEST_F(Install, PutsEveryFileInItsPlace) {
    const std::string dest = install();
    EXPECT_EQ(FilesUnder(dest), ExpectedFiles());
    for (const char* program : {"r57", "r57cps", "r57-radio"}) {
        struct stat st {};
        ASSERT_EQ(stat((dest + "/usr/bin/" + program).c_str(), &st), 0) << program;
        EXPECT_TRUE(st.st_mode & S_IXOTH) << program;
    }
    // The cable rule covers the four adapters programming cables are built on.
    const std::string rule = ReadText(dest + "/usr/lib/udev/rules.d/60-r57-cable.rules");
    for (const char* ids :
         {"\"1a86\", ATTRS{idProduct}==\"7523\"", "\"067b\", ATTRS{idProduct}==\"2303\"",
          "\"10c4\", ATTRS{idProduct}==\"ea60\"", "\"0403\", ATTRS{idProduct}==\"6001\""}) {
        EXPECT_NE(rule.find(ids), std::string::npos) << ids;
    }
}

TEST_F(Install, DesktopEntryAndMetadataPassTheirValidators) {
    const std::string dest = install();
    const ProgramResult desktop = validate(
        "desktop-file-validate", {dest + "/usr/share/applications/com.tarvex.r57cps.desktop"});
    EXPECT_EQ(desktop.exitCode, 0) << desktop.out << desktop.err;
    EXPECT_EQ(desktop.out + desktop.err, "") << "hints or warnings";
    const ProgramResult metainfo =
        validate("appstreamcli", {"validate", "--no-net", "--pedantic",
                                  dest + "/usr/share/metainfo/com.tarvex.r57cps.metainfo.xml"});
    EXPECT_EQ(metainfo.exitCode, 0) << metainfo.out << metainfo.err;
}

TEST_F(Install, InstalledProgramsFindTheStockLogoWhereverTheTreeLies) {
    const ProgramResult built = RunBuiltProgram("r57", {"new", "-o", scratch_.file("built.dat")});
    ASSERT_EQ(built.exitCode, 0) << built.err;
    const std::optional<std::vector<uint8_t>> expected = ReadWholeFile(scratch_.file("built.dat"));
    ASSERT_TRUE(expected);
    const std::optional<CodeplugImage> image = DecodeDataFile(*expected);
    ASSERT_TRUE(image);
    const uint8_t* logo = image->data() + addr::kLogo;
    ASSERT_NE(std::count(logo, logo + addr::kLogoSize, 0), addr::kLogoSize) << "no stock logo";

    for (const std::string prefix : {"/usr", "/opt/r57"}) {
        SCOPED_TRACE(prefix);
        const std::string dest = install(prefix);
        const std::string moved = scratch_.file("moved");
        for (const std::string& tree : {dest, moved}) {
            if (tree == moved) {
                fs::rename(dest, moved); // a relocated install still finds its data
            }
            const std::string out = scratch_.file("installed.dat");
            const ProgramResult run =
                RunBuiltProgram(tree + prefix + "/bin/r57", {"new", "-o", out});
            ASSERT_EQ(run.exitCode, 0) << tree << run.err;
            EXPECT_EQ(ReadWholeFile(out), expected) << tree;
        }
        fs::remove_all(moved);
    }
}

TEST_F(Install, DataFilesAreKnownByTheirMarkAsWellAsTheirName) {
    const std::string dest = install();
    const std::string mime = dest + "/usr/share/mime";
    const ProgramResult update = validate("update-mime-database", {mime});
    ASSERT_EQ(update.exitCode, 0) << update.err;

    // Two hundred named channels push the mark behind the compressor's tables. (A file
    // so regular that a pass takes out a letter of the mark is known by its name only.)
    CodeplugImage full;
    std::mt19937 random(57);
    for (int channel = 0; channel < 200; ++channel) {
        const uint8_t record[8] = {
            0x00, static_cast<uint8_t>(random() % 0x99), 0x50, 0x44, 0x00, 0x25, 0x50, 0x44};
        full.write(addr::kBankARecords + channel * 16, record, 8);
        for (int i = 8; i < 16; ++i) {
            full.set(addr::kBankARecords + channel * 16 + i, static_cast<uint8_t>(random()));
        }
        for (int i = 0; i < 7; ++i) {
            full.set(addr::kNames + channel * 7 + i, static_cast<uint8_t>('A' + random() % 26));
        }
    }
    const std::vector<uint8_t> fullFile = EncodeDataFile(full);
    const std::string text(fullFile.begin(), fullFile.end());
    ASSERT_GT(text.find(kFileMark), 256u);

    const struct {
        const char* name;
        std::vector<uint8_t> bytes;
        bool codeplug;
    } table[] = {
        {"fresh.dat", EncodeDataFile(CodeplugImage()), true},
        {"attachment", EncodeDataFile(CodeplugImage()), true},
        {"full-bank.bin", fullFile, true},
        {"notes.txt", {'h', 'e', 'l', 'l', 'o', '\n'}, false},
    };
    ScopedEnv dirs("XDG_DATA_DIRS", (dest + "/usr/share").c_str());
    ScopedEnv home("XDG_DATA_HOME", scratch_.file("no-home").c_str());
    QMimeDatabase database;
    for (const auto& row : table) {
        const std::string path = scratch_.file(row.name);
        ASSERT_TRUE(WriteFileAtomically(path, row.bytes));
        const QString type = database.mimeTypeForFile(QString::fromStdString(path)).name();
        EXPECT_EQ(type == "application/x-r57-codeplug", row.codeplug)
            << row.name << " " << type.toStdString();
    }
}

} // namespace
} // namespace r57::test
