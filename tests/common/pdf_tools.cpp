#include "pdf_tools.h"

#include "child_process.h"

#include <sstream>

namespace r57::test {

std::vector<std::string> PdfPages(const std::string& path) {
    const ProgramResult text = RunBuiltProgram("/usr/bin/pdftotext", {path, "-"});
    std::vector<std::string> pages;
    if (text.exitCode != 0) {
        return pages;
    }
    std::size_t start = 0;
    for (std::size_t feed; (feed = text.out.find('\f', start)) != std::string::npos;
         start = feed + 1) {
        pages.push_back(text.out.substr(start, feed - start));
    }
    return pages;
}

std::vector<std::string> UnembeddedFonts(const std::string& path) {
    const ProgramResult fonts = RunBuiltProgram("/usr/bin/pdffonts", {path});
    if (fonts.exitCode != 0) {
        return {"pdffonts failed"};
    }
    // name, type, encoding, then "emb sub uni object ID": the fourth word from the end
    // says whether the font is embedded. Two heading lines come first.
    std::vector<std::string> missing;
    std::istringstream lines(fonts.out);
    std::string line;
    for (int n = 0; std::getline(lines, line); ++n) {
        std::istringstream words(line);
        std::vector<std::string> w;
        for (std::string word; words >> word;) {
            w.push_back(word);
        }
        if (n >= 2 && (w.size() < 6 || w[w.size() - 5] != "yes")) {
            missing.push_back(line);
        }
    }
    return missing;
}

} // namespace r57::test
