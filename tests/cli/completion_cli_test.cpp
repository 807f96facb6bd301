// The shell completion r57 prints, tried in the shells themselves: bash completes a line
// as a user types it (its completion function is called on the words of the line), zsh
// reads its script without a fault, and every command "r57 --help" lists is completed.
#include "common/child_process.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

namespace r57 {
namespace {

std::set<std::string> Words(const std::string& text) {
    std::set<std::string> words;
    std::istringstream in(text);
    for (std::string word; in >> word;) {
        words.insert(word);
    }
    return words;
}

class Completion : public ::testing::Test {
protected:
    void SetUp() override {
        const test::ProgramResult bash = test::RunBuiltProgram("r57", {"completion", "bash"});
        ASSERT_EQ(bash.exitCode, 0) << bash.err;
        std::ofstream(folder_.file("r57.bash")) << bash.out;
        for (const char* name : {"radio.dat", "OLD.DAT", "list.csv", "notes.txt", "text.yaml"}) {
            std::ofstream(folder_.file(name)) << "x";
        }
    }

    // What bash offers with the cursor at the end of `line` (the words of the line as
    // bash splits them; a trailing space starts an empty word).
    std::set<std::string> complete(const std::string& line) const {
        std::string words = "(";
        std::istringstream in(line);
        for (std::string word; in >> word;) {
            words += "'" + word + "' ";
        }
        if (line.back() == ' ') {
            words += "''";
        }
        words += ")";
        const std::string script = "cd '" + folder_.path() +
                                   "' && source r57.bash && COMP_WORDS=" + words +
                                   " && COMP_CWORD=$((${#COMP_WORDS[@]} - 1)) && _r57 && "
                                   "printf '%s\\n' \"${COMPREPLY[@]}\"";
        const test::ProgramResult run = test::RunBuiltProgram("/bin/bash", {"-c", script});
        EXPECT_EQ(run.exitCode, 0) << line << ": " << run.err;
        return Words(run.out);
    }

    test::TempFolder folder_;
};

TEST_F(Completion, BashCompletesWhatEachCommandTakes) {
    const struct {
        const char* line;
        std::set<std::string> offered; // each of these is offered
        std::set<std::string> not_offered;
    } cases[] = {
        {"r57 ", {"read", "write", "batch", "csv-import", "completion", "--help"}, {"radio.dat"}},
        {"r57 --lang zh wr", {"write"}, {"read"}},
        {"r57 --lang ", {"en", "zh"}, {}},
        {"r57 write ", {"radio.dat", "OLD.DAT"}, {"list.csv", "notes.txt"}},
        {"r57 write radio.dat --",
         {"--port", "--model", "--verify", "--yes", "--lang"},
         {"--bank"}},
        {"r57 write radio.dat --model ", {"0", "1", "2"}, {"radio.dat"}},
        {"r57 read --port /dev/null -o ", {"radio.dat"}, {"text.yaml"}},
        {"r57 csv-import ", {"list.csv"}, {"radio.dat"}},
        {"r57 csv-export radio.dat --bank ", {"A", "B", "both"}, {}},
        {"r57 import ", {"text.yaml"}, {"list.csv"}},
        {"r57 pdf radio.dat --paper ", {"a4", "letter"}, {}},
        {"r57 service ", {"read-ranges", "write-ranges", "read-tuning", "write-tuning"}, {}},
        {"r57 service read-tuning ", {"radio.dat"}, {"read-ranges"}},
        {"r57 batch radio.dat --log ", {"list.csv"}, {"radio.dat"}},
        {"r57 completion ", {"bash", "zsh"}, {}},
    };
    for (const auto& c : cases) {
        const std::set<std::string> offered = complete(c.line);
        for (const std::string& word : c.offered) {
            EXPECT_TRUE(offered.count(word)) << "'" << c.line << "' does not offer " << word;
        }
        for (const std::string& word : c.not_offered) {
            EXPECT_FALSE(offered.count(word)) << "'" << c.line << "' offers " << word;
        }
    }
}

TEST_F(Completion, EveryCommandOfTheHelpIsCompletedInBothShells) {
    const test::ProgramResult help = test::RunBuiltProgram("r57", {"--help"});
    const test::ProgramResult zsh = test::RunBuiltProgram("r57", {"completion", "zsh"});
    ASSERT_EQ(zsh.exitCode, 0);
    std::istringstream lines(help.out.substr(help.out.find("Commands:")));
    std::string line;
    std::getline(lines, line);
    int commands = 0;
    while (std::getline(lines, line) && !line.empty()) {
        std::string name;
        std::istringstream(line) >> name;
        ++commands;
        EXPECT_TRUE(complete("r57 " + name.substr(0, name.size() - 1)).count(name)) << name;
        EXPECT_NE(zsh.out.find("\n    " + name + ")\n"), std::string::npos) << name;
    }
    EXPECT_GE(commands, 14);
    EXPECT_EQ(test::RunBuiltProgram("r57", {"completion", "fish"}).exitCode, 2);

    std::ofstream(folder_.file("_r57")) << zsh.out;
    if (!test::FileExists("/usr/bin/zsh") && !test::FileExists("/bin/zsh")) {
        GTEST_SKIP() << "zsh is not installed, so its script is not read here";
    }
    const test::ProgramResult read =
        test::RunBuiltProgram("/bin/zsh", {"-n", folder_.file("_r57")});
    EXPECT_EQ(read.exitCode, 0) << read.err;
}

} // namespace
} // namespace r57
