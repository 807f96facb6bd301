// Where a program finds its data: beside itself in the build folder, in share/r57 of an
// installed tree wherever that tree lies, and beside itself when neither has the logo.
#include "common/child_process.h"
#include "core/logo.h"
#include "core/program_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace r57 {
namespace {

namespace fs = std::filesystem;

void PutLogo(const std::string& folder) {
    fs::create_directories(folder);
    std::ofstream(folder + "/" + kStockLogoFile) << "logo";
}

TEST(ProgramFiles, DataFolderByWhereTheStockLogoLies) {
    test::TempFolder tree;
    const std::string root = tree.path();
    fs::create_directories(root + "/installed/bin");
    PutLogo(root + "/installed/share/r57");
    PutLogo(root + "/build/bin");
    fs::create_directories(root + "/bare/bin");

    const struct {
        std::string program;
        std::string data;
    } table[] = {
        {root + "/installed/bin/", root + "/installed/share/r57/"},
        {root + "/installed/bin", root + "/installed/share/r57/"},
        {root + "/build/bin/", root + "/build/bin/"},
        {root + "/build/bin", root + "/build/bin/"},
        {root + "/bare/bin/", root + "/bare/bin/"},
    };
    for (const auto& row : table) {
        EXPECT_EQ(DataFolder(row.program), row.data) << row.program;
    }
}

TEST(ProgramFiles, RunningProgramFolderIsTheTestsOwn) {
    EXPECT_EQ(RunningProgramFolder("ignored"), test::BuiltProgramFolder() + "/");
    EXPECT_STRNE(ProgramVersion(), "");
}

} // namespace
} // namespace r57
