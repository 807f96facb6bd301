#include "packaging_support.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace r57::test {

namespace fs = std::filesystem;

std::string FindOnPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::istringstream folders(path ? path : "/usr/bin:/bin");
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        const std::string candidate = folder + "/" + name;
        if (!folder.empty() && access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
    }
    return {};
}

ProgramResult InstallInto(const std::string& destdir, const std::string& prefix) {
    ScopedEnv dest("DESTDIR", destdir.c_str());
    return RunBuiltProgram(R57_CMAKE, {"--install", R57_BUILD_DIR, "--prefix", prefix}, 60000);
}

std::vector<std::string> FilesUnder(const std::string& root) {
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) {
            files.push_back(fs::relative(entry.path(), root).string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::string> ExpectedFiles() {
    std::vector<std::string> files = {
        "usr/bin/r57",
        "usr/bin/r57-radio",
        "usr/bin/r57cps",
        "usr/lib/udev/rules.d/60-r57-cable.rules",
        "usr/share/applications/com.tarvex.r57cps.desktop",
        "usr/share/bash-completion/completions/r57",
        "usr/share/icons/hicolor/256x256/apps/com.tarvex.r57cps.png",
        "usr/share/icons/hicolor/48x48/apps/com.tarvex.r57cps.png",
        "usr/share/icons/hicolor/scalable/apps/com.tarvex.r57cps.svg",
        "usr/share/man/man1/r57-radio.1.gz",
        "usr/share/man/man1/r57.1.gz",
        "usr/share/man/man1/r57cps.1.gz",
        "usr/share/metainfo/com.tarvex.r57cps.metainfo.xml",
        "usr/share/mime/packages/com.tarvex.r57cps.xml",
        "usr/share/r57/Standard.FIF",
        "usr/share/zsh/vendor-completions/_r57",
    };
    // The user's guide and the screenshots it shows, as they lie in docs/.
    for (const char* folder : {"guide", "screenshots"}) {
        const fs::path docs(R57_DOCS_DIR);
        for (const auto& entry : fs::recursive_directory_iterator(docs / folder)) {
            if (entry.is_regular_file()) {
                files.push_back("usr/share/r57/help/" +
                                entry.path().lexically_relative(docs).generic_string());
            }
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

ScopedEnv::ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) {
        had_ = true;
        old_ = old;
    }
    if (value) {
        setenv(name, value, 1);
    } else {
        unsetenv(name);
    }
}

ScopedEnv::~ScopedEnv() {
    if (had_) {
        setenv(name_.c_str(), old_.c_str(), 1);
    } else {
        unsetenv(name_.c_str());
    }
}

} // namespace r57::test
