// Comma-separated text as spreadsheets and other radio programs write it: fields in
// double quotes may hold commas, quotes ("") and line breaks; lines end in CR LF or LF;
// a UTF-8 byte-order mark before the first line is skipped.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace r57::text {

struct CsvRecord {
    int line = 0; // 1-based line the record starts on
    std::vector<std::string> fields;
};

// Every record of the text; a blank line is no record. A quote still open at the end
// runs to the end of the text; `openQuote`, when given, gets the line it opened on
// (0 when every quote is closed).
std::vector<CsvRecord> ReadCsv(std::string_view text, int* openQuote = nullptr);

// One record, fields quoted where they need it, ended by CR LF.
std::string CsvLine(const std::vector<std::string>& fields);

} // namespace r57::text
