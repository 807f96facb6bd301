// The programs' version and data folder; R57_VERSION and R57_DATA_FROM_PROGRAM come
// from the build (src/core/CMakeLists.txt).
#include "core/program_files.h"

#include "core/logo.h"

#include <filesystem>
#include <system_error>

#ifndef R57_VERSION
#error "R57_VERSION is set by the build"
#endif
#ifndef R57_DATA_FROM_PROGRAM
#error "R57_DATA_FROM_PROGRAM is set by the build"
#endif

namespace r57 {
namespace {

namespace fs = std::filesystem;

std::string WithSeparator(std::string folder) {
    if (!folder.empty() && folder.back() != '/') {
        folder += '/';
    }
    return folder;
}

bool HoldsStockLogo(const fs::path& folder) {
    std::error_code ec;
    return fs::is_regular_file(folder / kStockLogoFile, ec);
}

} // namespace

const char* ProgramVersion() {
    return R57_VERSION;
}

std::string RunningProgramFolder(const char* argv0) {
    std::error_code ec;
    fs::path program = fs::read_symlink("/proc/self/exe", ec);
    if (ec || program.empty()) {
        program = fs::absolute(argv0 ? argv0 : "", ec);
    }
    return WithSeparator(program.parent_path().string());
}

std::string DataFolder(const std::string& programFolder) {
    const fs::path own(programFolder.empty() ? "." : programFolder);
    if (HoldsStockLogo(own)) {
        return WithSeparator(programFolder);
    }
    // An absolute install folder stays as it is; a relative one hangs off the program's.
    const fs::path installed = (own / R57_DATA_FROM_PROGRAM).lexically_normal();
    if (HoldsStockLogo(installed)) {
        return WithSeparator(installed.string());
    }
    return WithSeparator(programFolder);
}

} // namespace r57
