// What the build fixes about the programs: their version, and where their data files
// (the stock logo Standard.FIF, the help file) lie.
//
// In the build folder the data lie beside the programs (build/bin/). An installed
// program lies in PREFIX/bin and its data in PREFIX/share/r57; the way from the one
// folder to the other is fixed when the programs are built and is relative, so an
// installed tree that is moved elsewhere (or unpacked under a staging folder) still
// finds its data.
#pragma once

#include <string>

namespace r57 {

// "1.10": the version the programs report with --version.
const char* ProgramVersion();

// The folder of the running program, with a trailing '/': the target of
// /proc/self/exe, or the folder of `argv0` when that cannot be read.
std::string RunningProgramFolder(const char* argv0);

// The data folder for a program in `programFolder`, with a trailing '/': the program's
// own folder when the stock logo lies there (the build folder), otherwise the installed
// data folder when the stock logo lies there, otherwise the program's own folder (so a
// missing file is looked for, and reported, where the program is).
std::string DataFolder(const std::string& programFolder);

} // namespace r57
