// The r57 tool and paths that are not plain files: it writes through symbolic links,
// refuses FIFOs, folders and devices (exit 2) without touching them or hanging on
// them, and `read` finds an output it cannot create before it talks to the radio.
#include "common/child_process.h"
#include "common/radio_process.h"
#include "core/data_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace r57 {
namespace {

using test::RunBuiltProgram;
using test::TempFolder;

bool IsFifo(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISFIFO(st.st_mode);
}

struct PathCase {
    const char* name;
    std::vector<std::string> args; // "@" stands for the folder
    int exitCode;
    const char* message;
};
void PrintTo(const PathCase& c, std::ostream* os) {
    *os << c.name;
}

class ToolPaths : public ::testing::TestWithParam<PathCase> {};

TEST_P(ToolPaths, RefusesOrWritesThroughWithoutHanging) {
    const PathCase& c = GetParam();
    TempFolder folder;
    ASSERT_EQ(::mkfifo(folder.file("pipe.dat").c_str(), 0600), 0);
    ASSERT_TRUE(WriteDataFile(folder.file("real.dat"), CodeplugImage()).ok);
    ASSERT_EQ(::symlink("real.dat", folder.file("link.dat").c_str()), 0);
    std::vector<std::string> args;
    for (const std::string& a : c.args)
        args.push_back(a[0] == '@' ? folder.path() + a.substr(1) : a);

    const test::ProgramResult r = RunBuiltProgram("r57", args, 5000);
    EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_TRUE(IsFifo(folder.file("pipe.dat")));
    struct stat st {};
    ASSERT_EQ(::lstat(folder.file("link.dat").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(folder.names(), (std::vector<std::string>{"link.dat", "pipe.dat", "real.dat"}));
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ToolPaths,
    ::testing::Values(
        PathCase{"NewIntoFifo", {"new", "-o", "@/pipe.dat"}, 2, "not a regular file"},
        PathCase{"NewIntoFolder", {"new", "-o", "@"}, 2, "Is a directory"},
        PathCase{"NewIntoDevice", {"new", "-o", "/dev/null"}, 2, "not a regular file"},
        PathCase{"NewThroughLink", {"new", "-o", "@/link.dat"}, 0, ""},
        PathCase{"ChannelsOfFifo", {"channels", "@/pipe.dat"}, 2, "not a regular file"},
        PathCase{"HexOfDevice", {"hex", "/dev/zero"}, 2, "not a regular file"},
        PathCase{"PackFifo", {"pack", "@/pipe.dat", "-o", "@/link.dat"}, 2, "not a regular file"},
        PathCase{"ReadIntoFifo",
                 {"read", "--port", "/dev/null", "-o", "@/pipe.dat"},
                 2,
                 "not a regular file"},
        PathCase{"ReadIntoMissingFolder",
                 {"read", "--port", "/dev/null", "-o", "@/none/x.dat"},
                 1,
                 "No such file or directory"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ToolPaths, ReadChecksTheOutputBeforeTalkingToTheRadio) {
    test::VirtualRadio radio;
    ASSERT_TRUE(radio.start());
    TempFolder folder;
    const auto r =
        RunBuiltProgram("r57", {"read", "--port", radio.device(), "-o", folder.file("no/x.dat")});
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_TRUE(radio.frames().empty());
}

} // namespace
} // namespace r57
