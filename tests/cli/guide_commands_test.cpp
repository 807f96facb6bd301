// Every r57 command line of the user's guide (both languages) and of the README, read
// out of the pages, runs here against scratch files and the virtual radio, and ends
// with the exit status the page claims. A line added to a page without a row in the
// table below, or a row whose line left the pages, fails as well.
#include "common/radio_process.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <regex>
#include <set>
#include <sstream>

using namespace r57::test;

namespace {

const std::string kSource = std::string(R57_SOURCE_DIR) + "/";

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Unescaped(std::string text) {
    for (const auto& [from, to] : std::vector<std::pair<std::string, std::string>>{
             {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&amp;", "&"}}) {
        for (std::size_t at = text.find(from); at != std::string::npos;
             at = text.find(from, at + to.size())) {
            text.replace(at, from.size(), to);
        }
    }
    return text;
}

std::string Squeezed(const std::string& text) {
    return std::regex_replace(std::regex_replace(text, std::regex("\\s+"), " "),
                              std::regex("^ | $"), "");
}

// "r57 ..." after any "VAR=value " and "build/bin/" in front; "" for other programs.
std::string ToolLine(const std::string& line) {
    static const std::regex tool(R"(^(?:[A-Z0-9_]+=\S+ )*(?:build/bin/)?(r57 .*)$)");
    std::smatch m;
    return std::regex_match(line, m, tool) ? m[1].str() : std::string();
}

struct GuideLine {
    std::string page; // "en/fleet.html", "README.md"
    int block;        // lines of one block run in order, on the same scratch files
    std::string text; // as the page shows it, blanks squeezed
};

// The lines of a block of commands: "\" at the end and, in the README's synopsis,
// an indented line of options continue a line; a column of explanation after three
// blanks is not part of it.
std::vector<std::string> BlockLines(const std::string& block) {
    std::vector<std::string> lines;
    std::istringstream in(block);
    std::string raw;
    bool continued = false;
    while (std::getline(in, raw)) {
        std::string line = std::regex_replace(raw, std::regex(R"((\S)\s{3,}.*$)"), "$1");
        const bool indented = !line.empty() && line[0] == ' ';
        const std::string trimmed = Squeezed(line);
        const bool options = !trimmed.empty() && (trimmed[0] == '-' || trimmed[0] == '[');
        if (!lines.empty() && (continued || (indented && options && !lines.back().empty()))) {
            lines.back() += " " + trimmed;
        } else {
            lines.push_back(ToolLine(trimmed));
        }
        continued = !lines.back().empty() && lines.back().back() == '\\';
        if (continued) {
            lines.back().pop_back();
        }
    }
    std::vector<std::string> commands;
    for (const std::string& line : lines) {
        if (!line.empty()) {
            commands.push_back(Squeezed(line));
        }
    }
    return commands;
}

std::vector<GuideLine> CommandLines() {
    std::vector<GuideLine> found;
    int block = 0;
    auto add = [&](const std::string& page, const std::string& text) {
        ++block;
        for (const std::string& line : BlockLines(Unescaped(text))) {
            found.push_back({page, block, line});
        }
    };
    for (const char* language : {"en", "zh"}) {
        const std::string folder = kSource + "docs/guide/" + language;
        std::set<std::string> pages;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            pages.insert(entry.path().filename().string());
        }
        for (const std::string& page : pages) {
            const std::string html = Read(folder + "/" + page);
            const std::string name = std::string(language) + "/" + page;
            static const std::regex pre(R"(<pre>([\s\S]*?)</pre>)");
            for (std::sregex_iterator it(html.begin(), html.end(), pre), end; it != end; ++it) {
                add(name, (*it)[1].str());
            }
            // A command given in the text with a file to work on, not a mere mention.
            static const std::regex code(R"(<code>(r57 [^<]*\.[^<]*)</code>)");
            for (std::sregex_iterator it(html.begin(), html.end(), code), end; it != end; ++it) {
                add(name, (*it)[1].str());
            }
        }
    }
    const std::string readme = Read(kSource + "README.md");
    static const std::regex fence(R"(```\n([\s\S]*?)```)");
    for (std::sregex_iterator it(readme.begin(), readme.end(), fence), end; it != end; ++it) {
        add("README.md", (*it)[1].str());
    }
    return found;
}

// How a line runs: `run` in place of the line where it names placeholders a shell
// would not take as they stand ("" runs the line itself), and the exit status the
// page claims. DEVICE and the pages' serial devices are the virtual radio.
struct Row {
    const char* line;
    const char* run;
    int exit;
};
const Row kTable[] = {
    // The synopsis of the command-line page and of the README.
    {"r57 new -o FILE.dat", "", 0},
    {"r57 read --port DEVICE -o FILE.dat [--no-backup]", "r57 read --port DEVICE -o FILE.dat", 0},
    {"r57 write FILE.dat --port DEVICE [--model 0|1|2] [--no-time] [--yes] [--verify] "
     "[--no-backup]",
     "r57 write FILE.dat --port DEVICE --model 0 --no-time --yes --verify", 0},
    {"r57 service read-ranges|write-ranges|read-tuning|write-tuning FILE.dat --port DEVICE "
     "[--yes]",
     "r57 service read-ranges FILE.dat --port DEVICE", 0},
    {"r57 service read-ranges|write-ranges|read-tuning|write-tuning FILE.dat --port DEVICE "
     "[--yes] [--no-backup] [--no-verify] [--restore-on-failure]",
     "r57 service write-tuning FILE.dat --port DEVICE --yes --no-backup --no-verify "
     "--restore-on-failure",
     0},
    {"r57 service ... --restore-on-failure",
     "r57 service write-ranges FILE.dat --port DEVICE --yes --restore-on-failure", 0},
    {"r57 write FILE.dat --port DEVICE [--model 0|1|2] [--no-time] [--yes] [--verify] "
     "[--no-backup] [--write-gain] [--keep-old]",
     "r57 write FILE.dat --port DEVICE --yes --verify --write-gain --keep-old", 0},
    {"r57 restore BACKUP.dat --port DEVICE [--model 0|1|2] [--yes] [--no-time] [--no-backup]",
     "r57 restore BACKUP.dat --port DEVICE --model 0 --yes --no-time --no-backup", 0},
    {"r57 restore BACKUP.dat --port DEVICE --yes", "", 0},
    {"r57 diff A.dat B.dat", "", 0},
    {"r57 channels FILE.dat [--bank A|B]", "r57 channels FILE.dat --bank B", 0},
    {"r57 hex FILE.dat", "", 0},
    {"r57 pack IMAGE.bin -o FILE.dat", "", 0},
    {"r57 unpack FILE.dat -o IMAGE.bin", "", 0},
    {"r57 export FILE.dat -o FILE.yaml", "", 0},
    {"r57 import FILE.yaml -o FILE.dat [--base BASE.dat]",
     "r57 import FILE.yaml -o FILE.dat --base BASE.dat", 0},
    {"r57 csv-export FILE.dat --bank A -o bank-a.csv", "", 0},
    {"r57 csv-import list.csv --bank B --start 10 -o FILE.dat", "", 0},
    {"r57 diff OLD.dat NEW.dat", "", 0},
    {"r57 batch FILE.dat --fields [--model 0|1|2]", "r57 batch FILE.dat --fields --model 1", 0},
    {"r57 batch FILE.dat --port DEVICE [--port ...] --set 'PAGE/FIELD=PATTERN' [--set ...] "
     "--start N [--step S] --count C [--no-verify] [--auto] [--keep-old] [--yes] "
     "[--log FILE.csv]",
     "r57 batch FILE.dat --port DEVICE --set 'MSK/Own ID={n:04}' --start 5 --step 2 --count 1 "
     "--auto --keep-old --yes --log FILE.csv",
     0},
    {"r57 pdf FILE.dat -o OUT.pdf [--paper a4|letter] [--landscape] [--model 0|1|2]",
     "r57 pdf FILE.dat -o OUT.pdf --paper letter --landscape --model 1", 0},
    // The examples.
    {"r57 read --port /tmp/r57 -o radio.dat", "", 0},
    {"r57 export radio.dat -o radio.yaml", "", 0},
    {"r57 import radio.yaml -o edited.dat", "", 0},
    {"r57 csv-export radio.dat --bank A -o bank-a.csv", "", 0},
    {"r57 csv-import list.csv --bank B --start 10 -o edited.dat", "", 0},
    {"r57 diff radio.dat edited.dat [--csv]", "r57 diff radio.dat edited.dat --csv",
     1}, // the channels imported into bank B differ
    {"r57 batch fleet.dat --port /dev/ttyUSB0 --port /dev/ttyUSB1 --set 'Function Setting/PTT "
     "ID Own ID=1{n:03}' --set 'MSK/Own ID={n:04}' --set 'Function Setting/PowerOn "
     "Message=UNIT {n:02}' --start 1 --count 30 --auto",
     "r57 batch fleet.dat --port /dev/ttyUSB0 --port /dev/ttyUSB1 --set 'Function Setting/PTT "
     "ID Own ID=1{n:03}' --set 'MSK/Own ID={n:04}' --set 'Function Setting/PowerOn "
     "Message=UNIT {n:02}' --start 1 --count 2 --auto", // two radios stand for thirty
     0},
    {"r57 batch taxi.dat --port /dev/ttyUSB0 --port /dev/ttyUSB1 --set 'Function Setting/PTT "
     "ID Own ID={n:04}' --set 'Function Setting/PowerOn Message=UNIT{n:02}' --start 1 "
     "--count 30 --auto --log taxi.csv",
     "r57 batch taxi.dat --port /dev/ttyUSB0 --port /dev/ttyUSB1 --set 'Function Setting/PTT "
     "ID Own ID={n:04}' --set 'Function Setting/PowerOn Message=UNIT{n:02}' --start 1 "
     "--count 2 --auto --log taxi.csv",
     0},
    {"r57 batch taxi-dtmf.dat --port /dev/ttyUSB0 --set 'Function Setting/PTT ID BOT=1{n:03}' "
     "--start 1 --count 30 --auto",
     "r57 batch taxi-dtmf.dat --port /dev/ttyUSB0 --set 'Function Setting/PTT ID BOT=1{n:03}' "
     "--start 1 --count 1 --auto",
     0},
    {"r57 pdf FILE.dat -o OUT.pdf", "", 0},
    {"r57 pdf 文件.dat -o 输出.pdf", "", 0},
    {"r57 batch FILE.dat --fields", "", 0},
    {"r57 batch 文件.dat --fields", "", 0},
    // What the fleet page says of its first example on a DTMF codeplug.
    {nullptr,
     "r57 batch taxi-dtmf.dat --port /dev/ttyUSB0 --set 'Function Setting/PTT ID Own "
     "ID={n:04}' --start 1 --count 30 --auto",
     2},
};

// A line's words as a shell splits them: a quoted text is one word, without its quotes.
std::vector<std::string> Words(const std::string& line) {
    static const std::regex word(R"re('([^']*)'|"([^"]*)"|(\S+))re");
    std::vector<std::string> words;
    for (std::sregex_iterator it(line.begin(), line.end(), word), end; it != end; ++it) {
        const std::smatch& m = *it;
        words.push_back(m[1].matched ? m[1].str() : m[2].matched ? m[2].str() : m[3].str());
    }
    return words;
}

// The scratch files a line reads, made before it runs: codeplugs, their text and
// channel list, a raw image. A codeplug named for DTMF has the PTT ID type DTMF.
class Scratch {
public:
    Scratch() { EXPECT_EQ(run({"new", "-o", folder_.file("fresh.dat")}), 0); }

    std::string path(const std::string& name) { return folder_.file(name); }

    void provide(const std::vector<std::string>& words) {
        for (std::size_t i = 1; i < words.size(); ++i) {
            const std::string& word = words[i];
            const std::string extension = std::filesystem::path(word).extension().string();
            if (words[i - 1] == "-o" || words[i - 1] == "--log" || FileExists(path(word)) ||
                !std::set<std::string>{".dat", ".yaml", ".csv", ".bin"}.count(extension)) {
                continue;
            }
            const std::string fresh = folder_.file("fresh.dat");
            if (extension == ".dat" && word.find("dtmf") != std::string::npos) {
                std::ofstream(path("dtmf.yaml")) << "Function Setting:\n  PTT ID Type: DTMF\n";
                EXPECT_EQ(run({"import", path("dtmf.yaml"), "-o", path(word)}), 0);
            } else if (extension == ".dat") {
                std::filesystem::copy_file(fresh, path(word));
            } else if (extension == ".yaml") {
                EXPECT_EQ(run({"export", fresh, "-o", path(word)}), 0);
            } else if (extension == ".csv") {
                std::ofstream(path(word))
                    << "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq\n"
                       "1,DEPOT,446.00625,,0.000000,Tone,88.5,88.5\n";
            } else {
                EXPECT_EQ(run({"unpack", fresh, "-o", path(word)}), 0);
            }
        }
    }

    // The line's words with the pages' devices put onto virtual radios, one a name.
    std::vector<std::string> devices(std::vector<std::string> words) {
        for (std::size_t i = 1; i < words.size(); ++i) {
            if (words[i - 1] != "--port") {
                continue;
            }
            std::unique_ptr<VirtualRadio>& radio = radios_[words[i]];
            if (!radio) {
                radio = std::make_unique<VirtualRadio>();
                EXPECT_TRUE(radio->start());
            }
            words[i] = radio->device();
        }
        return words;
    }

    static int run(const std::vector<std::string>& args, std::string* err = nullptr) {
        const ProgramResult result = RunBuiltProgram("r57", args, 60000);
        if (err) {
            *err = result.err;
        }
        return result.exitCode;
    }

private:
    TempFolder folder_;
    std::map<std::string, std::unique_ptr<VirtualRadio>> radios_;
};

TEST(GuideCommands, EveryCommandLineOfTheGuideAndTheReadmeRunsWithTheExitItClaims) {
    if (!VirtualRadio::Built()) {
        GTEST_SKIP() << "r57-radio is not built";
    }
    const std::vector<GuideLine> lines = CommandLines();
    EXPECT_GT(lines.size(), 40u);
    std::set<std::string> listed;
    for (const Row& row : kTable) {
        if (row.line) {
            listed.insert(row.line);
        }
    }
    std::set<std::string> seen;
    for (const GuideLine& line : lines) {
        EXPECT_TRUE(listed.count(line.text)) << line.page << ": no row for \"" << line.text << '"';
        seen.insert(line.text);
    }
    for (const std::string& row : listed) {
        EXPECT_TRUE(seen.count(row)) << "no page holds \"" << row << '"';
    }

    // Each block on scratch files of its own, its lines in order (a block the other
    // language's page shows alike runs once); then the lines that stand for what a
    // page says in words.
    std::map<int, std::string> blockText;
    for (const GuideLine& line : lines) {
        blockText[line.block] += line.text + "\n";
    }
    std::set<std::string> blocksRun;
    std::map<int, std::unique_ptr<Scratch>> blocks;
    auto runRow = [](Scratch& scratch, const Row& row, const std::string& where) {
        std::vector<std::string> words = Words(*row.run ? row.run : row.line);
        scratch.provide(words);
        words = scratch.devices(words);
        const char* const cwd = getcwd(nullptr, 0);
        EXPECT_EQ(chdir(scratch.path("").c_str()), 0);
        std::string err;
        const int exit = Scratch::run({words.begin() + 1, words.end()}, &err);
        EXPECT_EQ(chdir(cwd), 0);
        free(const_cast<char*>(cwd));
        EXPECT_EQ(exit, row.exit) << where << ": " << (*row.run ? row.run : row.line) << "\n"
                                  << err;
    };
    for (const GuideLine& line : lines) {
        const auto row = std::find_if(std::begin(kTable), std::end(kTable),
                                      [&](const Row& r) { return r.line && line.text == r.line; });
        if (row == std::end(kTable) ||
            (!blocks.count(line.block) && !blocksRun.insert(blockText[line.block]).second)) {
            continue;
        }
        std::unique_ptr<Scratch>& scratch = blocks[line.block];
        if (!scratch) {
            scratch = std::make_unique<Scratch>();
        }
        runRow(*scratch, *row, line.page);
    }
    Scratch words;
    for (const Row& row : kTable) {
        if (!row.line) {
            runRow(words, row, "said in words");
        }
    }
}

} // namespace
