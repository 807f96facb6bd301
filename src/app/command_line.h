// r57cps's command line: `r57cps [--service] [FILE.dat]`, --help and --version.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace r57::app {

// Answers --help and --version on stdout before any window system is touched, so they
// also work without a display (over ssh, in a package build). Returns the exit status
// when the program is done, nullopt when it goes on to its window.
std::optional<int> AnswerHelpOrVersion(int argc, char** argv);

struct StartOptions {
    QString file;         // the data file to open at start, "" for none
    bool service = false; // --service: Program > Advanced stays visible
};

// What the command line asks for, read from the arguments the application left after
// taking its own (-platform, -style ...). nullopt after telling on stderr what is wrong
// with the line.
std::optional<StartOptions> ReadStartOptions(const QStringList& arguments);

} // namespace r57::app
