// Saving and reading through paths that are not plain files: a save follows symbolic
// links to their target and keeps the link; folders, FIFOs and devices are refused
// without being touched or read (a FIFO without a writer would block for ever).
#include "common/child_process.h"
#include "core/data_file.h"
#include "core/logo.h"
#include "core/session.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <functional>

namespace r57 {
namespace {

using test::TempFolder;

mode_t TypeOf(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 ? (st.st_mode & S_IFMT) : 0;
}

CodeplugImage Sample(uint8_t fill) {
    CodeplugImage image;
    image.fill(fill);
    return image;
}

// Each case lays out the folder; `target` is what is saved to, `written` the file that
// must then hold the data (empty: the save is refused and nothing changes).
struct SaveCase {
    const char* name;
    std::function<void(const TempFolder&)> lay;
    const char* target;
    const char* written;
};
void PrintTo(const SaveCase& c, std::ostream* os) {
    *os << c.name;
}

class SaveThrough : public ::testing::TestWithParam<SaveCase> {};

TEST_P(SaveThrough, WritesTheTargetOrRefusesTouchingNothing) {
    const SaveCase& c = GetParam();
    TempFolder folder;
    c.lay(folder);
    const std::vector<std::string> before = folder.names();
    std::vector<mode_t> types;
    for (const std::string& n : before)
        types.push_back(TypeOf(folder.file(n)));

    const std::string target = c.target[0] == '/' ? c.target : folder.file(c.target);
    const bool creates = *c.written && !test::FileExists(folder.file(c.written));
    const Status checked = CheckWriteTarget(target);
    const Status saved = WriteDataFile(target, Sample(0x3C));
    // No temporary file is left behind, and only a new target is added.
    EXPECT_EQ(folder.names().size(), before.size() + (creates ? 1 : 0));

    if (*c.written) {
        EXPECT_TRUE(checked.ok) << checked.detail;
        ASSERT_TRUE(saved.ok) << saved.detail;
        const LoadedFile back = ReadDataFile(folder.file(c.written));
        ASSERT_TRUE(back.status.ok);
        EXPECT_EQ(back.image, Sample(0x3C));
    } else {
        EXPECT_TRUE(checked.notRegularFile);
        EXPECT_TRUE(saved.notRegularFile);
        EXPECT_FALSE(saved.ok);
    }
    // Every entry that was there is still what it was: links stay links, FIFOs FIFOs.
    for (std::size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(TypeOf(folder.file(before[i])), types[i]) << before[i];
}

void Link(const TempFolder& f, const char* name, const char* to) {
    ASSERT_EQ(::symlink(to, f.file(name).c_str()), 0);
}
void Fifo(const TempFolder& f, const char* name) {
    ASSERT_EQ(::mkfifo(f.file(name).c_str(), 0600), 0);
}
void Plain(const TempFolder& f, const char* name) {
    ASSERT_TRUE(WriteDataFile(f.file(name), Sample(0x11)).ok);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, SaveThrough,
    ::testing::Values(
        SaveCase{"NewFile", [](const TempFolder&) {}, "new.dat", "new.dat"},
        SaveCase{"LinkToFile",
                 [](const TempFolder& f) {
                     Plain(f, "real.dat");
                     Link(f, "link.dat", "real.dat");
                 },
                 "link.dat", "real.dat"},
        SaveCase{"LinkToLinkToFile",
                 [](const TempFolder& f) {
                     Plain(f, "real.dat");
                     Link(f, "one.dat", f.file("real.dat").c_str());
                     Link(f, "two.dat", "one.dat");
                 },
                 "two.dat", "real.dat"},
        SaveCase{"DanglingLink", [](const TempFolder& f) { Link(f, "link.dat", "made.dat"); },
                 "link.dat", "made.dat"},
        SaveCase{"Fifo", [](const TempFolder& f) { Fifo(f, "pipe.dat"); }, "pipe.dat", ""},
        SaveCase{"LinkToFifo",
                 [](const TempFolder& f) {
                     Fifo(f, "pipe");
                     Link(f, "link.dat", "pipe");
                 },
                 "link.dat", ""},
        SaveCase{"Folder", [](const TempFolder& f) { ::mkdir(f.file("dir.dat").c_str(), 0700); },
                 "dir.dat", ""},
        SaveCase{"Device", [](const TempFolder&) {}, "/dev/null", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SavePaths, AFolderThatDoesNotExistIsReportedBeforeAnyWork) {
    TempFolder folder;
    const Status checked = CheckWriteTarget(folder.file("no/such/x.dat"));
    EXPECT_FALSE(checked.ok);
    EXPECT_FALSE(checked.notRegularFile);
    EXPECT_FALSE(checked.detail.empty());
    EXPECT_TRUE(folder.names().empty());
}

// Inputs that are not regular files are refused at once, whoever reads them.
TEST(ReadPaths, FifosFoldersAndDevicesAreRefusedWithoutReading) {
    TempFolder folder;
    ASSERT_EQ(::mkfifo(folder.file("pipe").c_str(), 0600), 0);
    for (const std::string& path : {folder.file("pipe"), folder.path(), std::string("/dev/null")}) {
        const LoadedFile loaded = ReadDataFile(path);
        EXPECT_TRUE(loaded.status.notRegularFile) << path;
        LogoPixels logo;
        EXPECT_FALSE(LoadLogoFile(path, logo)) << path;
        EXPECT_FALSE(ReadWholeFile(path)) << path;
    }
}

TEST(ReadPaths, AStockLogoThatIsAFifoLeavesStartUpWithoutALogo) {
    TempFolder folder;
    ASSERT_EQ(::mkfifo(folder.file("Standard.FIF").c_str(), 0600), 0);
    Session session;
    session.applicationDirectory = folder.path() + "/";
    session.startUp(); // returns: the FIFO is not read
    EXPECT_EQ(TypeOf(folder.file("Standard.FIF")), static_cast<mode_t>(S_IFIFO));
}

} // namespace
} // namespace r57
