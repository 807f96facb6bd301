// The r57 commands of the codeplug as text, run as a user runs them: files in and out,
// messages and exit statuses.
#include "common/child_process.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace r57 {
namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

class TextCli : public ::testing::Test {
protected:
    test::ProgramResult r57(const std::vector<std::string>& args) {
        return test::RunBuiltProgram("r57", args);
    }
    std::string file(const std::string& name) const { return folder_.file(name); }

    test::TempFolder folder_;
};

TEST_F(TextCli, ExportImportCsvAndDiffOnRealFiles) {
    WriteFile(file("in.csv"),
              "\xEF\xBB\xBFLocation,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,"
              "DtcsCode,DtcsPolarity,RxDtcsCode,CrossMode,Mode,Skip,Power\r\n"
              "1,PMR1,446.006250,,0,TSQL,88.5,67.0,023,NN,023,Tone->Tone,NFM,,Low\r\n"
              "2,AIR,127.5,,0,,88.5,88.5,023,NN,023,Tone->Tone,AM,,\r\n");
    const struct {
        std::vector<std::string> args;
        int exitCode;
        std::string errHas;
    } steps[] = {
        {{"new", "-o", file("new.dat")}, 0, ""},
        {{"csv-import", file("in.csv"), "--bank", "B", "--start", "5", "-o", file("ch.dat")},
         0,
         "line 3 (Location 2) refused: mode AM: the radio has FM and NFM only"},
        {{"csv-import", file("in.csv"), "--base", file("ch.dat"), "--bank", "B", "--start", "5",
          "-o", file("same.dat")},
         0,
         "1 channel(s) taken (B5 first), 0 changed, 1 row(s) refused"},
        {{"export", file("ch.dat"), "-o", file("ch.yaml"), "--model", "2"}, 0, ""},
        {{"import", file("ch.yaml"), "-o", file("back.dat")}, 0, "give --model 2 to r57 write"},
        {{"diff", file("ch.dat"), file("back.dat")}, 0, ""},
        {{"diff", file("new.dat"), file("ch.dat")}, 1, ""},
        {{"diff", file("new.dat"), file("missing.dat")}, 2, "missing.dat"},
        {{"csv-export", file("ch.dat"), "--bank", "B", "-o", file("out.csv")}, 0, ""},
        {{"csv-import", file("in.csv"), "--start", "129", "-o", file("x.dat")},
         2,
         "--start is a channel 1 to 128"},
        {{"csv-import", file("ch.yaml"), "-o", file("x.dat")}, 2, "no Frequency column"},
        {{"csv-export", file("ch.dat"), "--bank", "C"}, 2, "--bank is A, B or both"},
        {{"export", file("ch.dat"), "--model", "3"}, 2, "--model takes 0, 1 or 2"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.args.front() + " " + step.args[1]);
        const test::ProgramResult run = r57(step.args);
        EXPECT_EQ(run.exitCode, step.exitCode) << run.err;
        EXPECT_NE(run.err.find(step.errHas), std::string::npos) << run.err;
    }
    EXPECT_FALSE(test::FileExists(file("x.dat")));
    EXPECT_EQ(r57({"diff", file("new.dat"), file("ch.dat")}).out.substr(0, 38),
              "B5: \"\" -> 446.00625, 446.00625, PMR1\n");
    EXPECT_EQ(ReadFile(file("out.csv")).substr(ReadFile(file("out.csv")).find("\r\n") + 2),
              "5,PMR1,446.006250,,0.000000,TSQL,67.0,67.0,023,NN,023,Tone->Tone,NFM,6.25,,"
              "Low,B5,,,,\r\n");
    const std::string yaml = ReadFile(file("ch.yaml"));
    EXPECT_NE(yaml.find("Model Variant: \"2\"\nChannels:\n  B5:\n    RX Freq: \"446.00625\""),
              std::string::npos);
    // The text to standard output reads back the same.
    EXPECT_EQ(r57({"export", file("ch.dat")}).out,
              ReadFile(file("ch.yaml")).replace(yaml.find("\"2\""), 3, "\"0\""));
}

TEST_F(TextCli, ABadFieldStopsTheImportWithItsPlaceAndWritesNothing) {
    WriteFile(file("bad.yaml"), "Function Setting:\n  Squelch Level: \"12\"\n");
    const test::ProgramResult run = r57({"import", file("bad.yaml"), "-o", file("out.dat")});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("bad.yaml: line 2, column 18: Function Setting / Squelch Level: not "
                           "one of the choices; nothing was written"),
              std::string::npos)
        << run.err;
    EXPECT_FALSE(test::FileExists(file("out.dat")));
    // A base that is no data file is refused before anything is written.
    WriteFile(file("good.yaml"), "Function Setting:\n  Squelch Level: 3\n");
    EXPECT_EQ(r57({"import", file("good.yaml"), "--base", file("good.yaml"), "-o", file("out.dat")})
                  .exitCode,
              2);
    EXPECT_FALSE(test::FileExists(file("out.dat")));
}

} // namespace
} // namespace r57
