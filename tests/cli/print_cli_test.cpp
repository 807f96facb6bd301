// r57 pdf as a script or a print server runs it: no display, no platform named.
#include "common/child_process.h"
#include "common/pdf_tools.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace r57 {
namespace {

TEST(PrintCli, MakesTheSheetWithoutADisplayAndRefusesWhatItCannotDo) {
    // As on a machine without X: whatever the test runner set is taken away.
    unsetenv("QT_QPA_PLATFORM");
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    test::TempFolder folder;
    const auto file = [&](const std::string& name) {
        return folder.file(name);
    };
    std::ofstream(file("in.csv"), std::ios::binary)
        << "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,"
           "DtcsPolarity,RxDtcsCode,CrossMode,Mode,Skip,Power\n"
           "1,PMR1,446.006250,,0,TSQL,88.5,88.5,023,NN,023,Tone->Tone,NFM,,Low\n"
           "2,HILL,145.500000,,0,,88.5,88.5,023,NN,023,Tone->Tone,FM,,\n";
    ASSERT_EQ(test::RunBuiltProgram(
                  "r57", {"csv-import", file("in.csv"), "--bank", "B", "-o", file("ch.dat")})
                  .exitCode,
              0);

    const struct {
        std::vector<std::string> args;
        int exitCode;
        std::vector<std::string> has; // in the PDF, or on stderr when refused
    } cases[] = {
        {{"pdf", file("ch.dat"), "-o", file("en.pdf")},
         0,
         {"Channel List", "ch.dat", "R57", "Model Type: SIMPLE", "B1", "446.00625", "PMR1", "B2",
          "145.50000", "HILL", "Page 1 of 2", "Page 2 of 2", "Function Setting"}},
        {{"pdf", file("ch.dat"), "-o", file("zh.pdf"), "--lang", "zh", "--paper", "letter",
          "--landscape", "--model", "2"},
         0,
         // (characters that double as radicals, like 音, come out of the text layer as
         // the radical, so the model is matched by its first characters)
         {"信道列表", "ch.dat", "机型：两", "接收频率", "446.00625", "PMR1", "HILL", "1/2", "2/2",
          "功能设置", "MSK ID 码"}},
        {{"pdf", file("ch.dat"), "-o", file("x.pdf"), "--paper", "a3"},
         2,
         {"--paper takes a4 or letter"}},
        {{"pdf", file("missing.dat"), "-o", file("x.pdf")}, 1, {"missing.dat"}},
        {{"pdf", file("in.csv"), "-o", file("x.pdf")}, 2, {"Incorrect File Type."}},
        {{"pdf", file("ch.dat"), "-o", folder.path()}, 2, {"nothing was written"}},
        {{"pdf", file("ch.dat")}, 2, {"missing -o OUT.pdf"}},
        {{"pdf", file("ch.dat"), "-o", file("ch.dat")}, 2, {"the output is the codeplug itself"}},
    };
    std::ifstream before(file("ch.dat"), std::ios::binary);
    const std::string codeplug((std::istreambuf_iterator<char>(before)), {});
    for (const auto& c : cases) {
        const test::ProgramResult run = test::RunBuiltProgram("r57", c.args);
        ASSERT_EQ(run.exitCode, c.exitCode) << c.args[1] << ": " << run.err;
        if (c.exitCode != 0) {
            for (const std::string& want : c.has) {
                EXPECT_NE(run.err.find(want), std::string::npos) << want << " in " << run.err;
            }
            continue;
        }
        EXPECT_EQ(run.err, "");
        const std::string pdf = c.args[3];
        std::string all;
        for (const std::string& page : test::PdfPages(pdf)) {
            all += page;
        }
        for (const std::string& want : c.has) {
            EXPECT_NE(all.find(want), std::string::npos) << want << " in " << pdf;
        }
        EXPECT_EQ(test::UnembeddedFonts(pdf), std::vector<std::string>{});
    }
    EXPECT_FALSE(test::FileExists(file("x.pdf")));
    std::ifstream after(file("ch.dat"), std::ios::binary);
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(after)), {}), codeplug);
}

} // namespace
} // namespace r57
