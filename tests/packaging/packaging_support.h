// What the install and package tests share: an install of this build into a scratch
// DESTDIR, the files of a tree, and programs found on the PATH.
#pragma once

#include "common/child_process.h"

#include <string>
#include <vector>

namespace r57::test {

// The full path of a program on the PATH; "" when there is none.
std::string FindOnPath(const std::string& name);

// `cmake --install` of this build with `prefix`, under DESTDIR `destdir`.
ProgramResult InstallInto(const std::string& destdir, const std::string& prefix);

// The regular files under `root`, relative to it and sorted.
std::vector<std::string> FilesUnder(const std::string& root);

// What an install with the prefix /usr puts down, relative to DESTDIR and sorted: the
// same files the package holds.
std::vector<std::string> ExpectedFiles();

// A file's whole content.
std::string ReadText(const std::string& path);

// Sets an environment variable (or unsets it, for nullptr) until the object goes.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string name_;
    bool had_ = false;
    std::string old_;
};

} // namespace r57::test
