#include "app/command_line.h"

#include "core/program_files.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>
#include <string>
#include <vector>

namespace r57::app {
namespace {

constexpr char kProgram[] = "r57cps";

struct Options {
    QCommandLineOption help{{"h", "help"}, "Show this help and exit."};
    QCommandLineOption version{"version", "Show the program's version and exit."};
    QCommandLineOption service{"service",
                               "Show Program > Advanced, the password-protected service section."};
};

void Describe(QCommandLineParser& parser, const Options& options) {
    parser.setApplicationDescription(
        "The R57 programming software: reads, edits and writes the codeplug of an R57\n"
        "radio over its programming cable, and keeps codeplugs as data files (*.dat).");
    parser.addOption(options.help);
    parser.addOption(options.version);
    parser.addOption(options.service);
    parser.addPositionalArgument(
        "FILE.dat", "A data file to open at start, checked like File > Open.", "[FILE.dat]");
}

void Print(FILE* stream, const QString& text) {
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    std::fflush(stream);
}

} // namespace

std::optional<int> AnswerHelpOrVersion(int argc, char** argv) {
    // A plain core application knows the arguments without opening a display; it is
    // gone again before the window program's application starts. The usage line names
    // the program, not the path it was started by.
    std::vector<char*> args(argv, argv + argc);
    std::string name = kProgram;
    if (args.empty()) {
        args.push_back(name.data());
    } else {
        args[0] = name.data();
    }
    int count = static_cast<int>(args.size());
    args.push_back(nullptr);
    QCoreApplication probe(count, args.data());

    QCommandLineParser parser;
    Options options;
    Describe(parser, options);
    // Options of the window system are not known here; they are judged later.
    parser.parse(QCoreApplication::arguments());
    if (parser.isSet(options.help)) {
        Print(stdout, parser.helpText());
        return 0;
    }
    if (parser.isSet(options.version)) {
        Print(stdout, QString("%1 %2\n").arg(kProgram, ProgramVersion()));
        return 0;
    }
    return std::nullopt;
}

std::optional<StartOptions> ReadStartOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    Options options;
    Describe(parser, options);
    QString problem;
    if (!parser.parse(arguments)) {
        problem = parser.errorText();
    } else if (parser.positionalArguments().size() > 1) {
        problem = "only one data file can be opened at a time";
    }
    if (!problem.isEmpty()) {
        Print(stderr, QString("%1: %2\nTry '%1 --help'.\n").arg(kProgram, problem));
        return std::nullopt;
    }
    return StartOptions{parser.positionalArguments().value(0), parser.isSet(options.service)};
}

} // namespace r57::app
