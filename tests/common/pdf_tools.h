// Looks into a PDF file with the poppler tools, as a user's viewer would read it.
#pragma once

#include <string>
#include <vector>

namespace r57::test {

// The text of each page (pdftotext); empty when the file does not open as a PDF.
std::vector<std::string> PdfPages(const std::string& path);
// The fonts the PDF uses that are not embedded (pdffonts); "pdffonts failed" when the
// file does not open.
std::vector<std::string> UnembeddedFonts(const std::string& path);

} // namespace r57::test
