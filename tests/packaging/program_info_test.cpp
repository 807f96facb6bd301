// --version and --help of the three programs, also where there is no display, and the
// man pages keeping up with what --help lists.
#include "packaging_support.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>

namespace r57::test {
namespace {

const std::string kVersion = R57_VERSION_TEXT;

TEST(ProgramInfo, EveryProgramAnswersVersionAndHelp) {
    const struct {
        const char* program;
        std::vector<std::string> args;
        bool display;
        int exitCode;
        std::string outStart; // stdout starts with this
        std::string errHas;   // stderr holds this
    } table[] = {
        {"r57", {"--version"}, false, 0, "r57 " + kVersion + "\n", ""},
        {"r57cps", {"--version"}, false, 0, "r57cps " + kVersion + "\n", ""},
        {"r57-radio", {"--version"}, false, 0, "r57-radio " + kVersion + "\n", ""},
        {"r57", {"--help"}, false, 0, "Usage: r57 COMMAND", ""},
        {"r57cps", {"--help"}, false, 0, "Usage: r57cps [options] [FILE.dat]", ""},
        {"r57cps", {"-platform", "offscreen", "-h"}, false, 0, "Usage: r57cps", ""},
        {"r57-radio", {"--help"}, false, 0, "Usage: r57-radio", ""},
        {"r57cps", {"--frequency"}, true, 2, "", "r57cps: Unknown option 'frequency'"},
        {"r57cps", {"a.dat", "b.dat"}, true, 2, "", "only one data file"},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(std::string(row.program) + " " + row.args.front());
        ScopedEnv platform("QT_QPA_PLATFORM", row.display ? "offscreen" : nullptr);
        ScopedEnv display("DISPLAY", nullptr);
        ScopedEnv wayland("WAYLAND_DISPLAY", nullptr);
        const ProgramResult run = RunBuiltProgram(row.program, row.args);
        EXPECT_EQ(run.exitCode, row.exitCode) << run.err;
        EXPECT_EQ(run.out.substr(0, row.outStart.size()), row.outStart) << run.out;
        EXPECT_NE(run.err.find(row.errHas), std::string::npos) << run.err;
    }
}

// The words of `text` that look like long options ("--link"), and for r57 the
// commands of its command list.
std::set<std::string> OptionsAndCommands(const std::string& text) {
    std::set<std::string> found;
    const std::regex option("--[a-z][a-z-]*");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), option);
         it != std::sregex_iterator(); ++it) {
        found.insert(it->str());
    }
    const std::size_t commands = text.find("Commands:\n");
    if (commands != std::string::npos) {
        const std::regex line("\n  ([a-z]+) ");
        const std::string list = text.substr(commands, text.find("\n\n", commands) - commands);
        for (auto it = std::sregex_iterator(list.begin(), list.end(), line);
             it != std::sregex_iterator(); ++it) {
            found.insert((*it)[1].str());
        }
    }
    return found;
}

TEST(ProgramInfo, ManPagesNameEveryOptionAndCommandOfTheHelp) {
    for (const char* program : {"r57", "r57cps", "r57-radio"}) {
        SCOPED_TRACE(program);
        const ProgramResult help = RunBuiltProgram(program, {"--help"});
        ASSERT_EQ(help.exitCode, 0);
        std::string page =
            ReadText(std::string(R57_SOURCE_DIR) + "/packaging/man/" + program + ".1");
        page = std::regex_replace(page, std::regex(R"(\\-)"), "-");
        const std::set<std::string> words = OptionsAndCommands(help.out);
        EXPECT_GE(words.size(), 2u);
        for (const std::string& word : words) {
            EXPECT_NE(page.find(word), std::string::npos)
                << word << " is not in " << program << "(1)";
        }
    }
}

} // namespace
} // namespace r57::test
