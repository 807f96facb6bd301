// The .deb: built by cpack from this build, holding exactly what the install puts down,
// with its Depends worked out from the libraries the programs use.
#include "packaging_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace r57::test {
namespace {

namespace fs = std::filesystem;

TEST(Package, DebHoldsTheInstallAndDependsOnTheLibrariesUsed) {
    const std::string dpkgDeb = FindOnPath("dpkg-deb");
    if (dpkgDeb.empty() || FindOnPath("dpkg-shlibdeps").empty()) {
        GTEST_SKIP() << "dpkg-deb and dpkg-shlibdeps are needed";
    }
    TempFolder out;
    const ProgramResult cpack = RunBuiltProgram(
        R57_CPACK, {"-G", "DEB", "-B", out.path(), "--config", R57_BUILD_DIR "/CPackConfig.cmake"},
        300000);
    ASSERT_EQ(cpack.exitCode, 0) << cpack.out << cpack.err;
    std::string deb;
    for (const auto& entry : fs::directory_iterator(out.path())) {
        if (entry.path().extension() == ".deb") {
            deb = entry.path().string();
        }
    }
    ASSERT_FALSE(deb.empty()) << cpack.out;
    EXPECT_EQ(fs::path(deb).filename().string().rfind("r57_" R57_VERSION_TEXT "_", 0), 0u) << deb;

    const ProgramResult contents = RunBuiltProgram(dpkgDeb, {"--contents", deb});
    ASSERT_EQ(contents.exitCode, 0) << contents.err;
    std::vector<std::string> files;
    std::istringstream lines(contents.out);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t path = line.find(" ./");
        if (!line.empty() && line[0] == '-' && path != std::string::npos) {
            files.push_back(line.substr(path + 3));
        }
    }
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, ExpectedFiles());

    const ProgramResult fields =
        RunBuiltProgram(dpkgDeb, {"--field", deb, "Package", "Version", "Depends"});
    ASSERT_EQ(fields.exitCode, 0) << fields.err;
    EXPECT_NE(fields.out.find("Package: r57\n"), std::string::npos) << fields.out;
    EXPECT_NE(fields.out.find("Version: " R57_VERSION_TEXT "\n"), std::string::npos) << fields.out;
    // dpkg-shlibdeps names each library package with the least version the programs need.
    for (const char* library : {"libc6 (>= ", "libstdc++6 (>= ", "libqt6core6 (>= ",
                                "libqt6widgets6 (>= ", "libqt6serialport6 (>= "}) {
        EXPECT_NE(fields.out.find(library), std::string::npos) << library << "\n" << fields.out;
    }
}

} // namespace
} // namespace r57::test
