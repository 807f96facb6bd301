// What differs between two codeplugs, one row a difference: a channel's field ("A5 RX
// Freq: 446.00625 -> 446.01875"), a channel only one of them uses ("B20"), a field of a
// settings or service page ("Function Setting / Squelch Level: 5 -> 3"), and at the end
// the bytes no listed field accounts for, by address range ("0x0D34: FF -> 12"). The
// same rows serve `r57 diff`, its CSV and the comparison window, so the three can never
// say different things about the same two files.
#pragma once

#include "core/image.h"

#include <string>
#include <vector>

namespace r57::text {

// Where a difference lies; the window groups the rows by it.
enum class DiffArea { ChannelsA, ChannelsB, Settings, Service, Bytes };

struct DiffRow {
    DiffArea area = DiffArea::Settings;
    std::string page;  // the page's stable name ("Channels", "Function Setting"); "" for bytes
    std::string field; // the field's stable name ("A5 RX Freq", "Squelch Level"); "A5" for
                       // a whole channel; "" for bytes
    int bank = -1;     // channel rows: bank and channel 1..128
    int channel = 0;
    int column = -1;  // a grid column (kColRx..kColScrambler); -1 for a whole channel or
                      // an option-signalling field
    int address = 0;  // byte rows: the first address and how many bytes (within one
    int length = 0;   // memory-map row of 16)
    std::string mine; // this codeplug's value, as the text export writes it
    std::string other;
};

// Every difference, channels first, then each page in the export's order, then the
// bytes; empty when the images are the same byte for byte. A byte is listed unless a
// listed field explains every differing bit of it: taking that field's value across
// (either way, through the page's rules) changes those bits.
std::vector<DiffRow> CompareCodeplugs(const CodeplugImage& mine, const CodeplugImage& other);

// A row in the words of the windows, in a language (0 English, 1 Chinese).
struct DiffWords {
    std::string area;  // "Channels A", "Function Setting", "Service Data", "Other Bytes"
    std::string where; // "A5 RX Freq", "Squelch Level", "Frequency Range / RX Low", "0x0D34"
    std::string mine;
    std::string other;
};
DiffWords WordsOf(const DiffRow& row, int language);

// The caption the field's control carries in its window, where the page names it
// ("Scan_Rev" for "Scan Resume"); otherwise the field's name.
std::string WindowCaption(const DiffRow& row, int language);

// The captions of the four columns ("Area", "Where", "This Codeplug", "Other").
std::vector<std::string> DiffCaptions(int language);

// One line of `r57 diff`: "A5 RX Freq: 446.05625 -> 446.01875",
// "Function Setting / Squelch Level: 5 -> 3", "0x0D34-0x0D35: FF FF -> 12 34".
std::string DiffLine(const DiffRow& row, int language);
// The rows as CSV: the captions, then one line a row (CRLF line ends).
std::string DiffCsv(const std::vector<DiffRow>& rows, int language);

// One line per difference (English); empty when the images are the same.
std::vector<std::string> DiffCodeplugs(const CodeplugImage& a, const CodeplugImage& b);

// The rows taken across: each row's other value goes into `mine` through the same page
// and sheet rules as typing it (a whole channel as all its fields, receive frequency
// first; a channel the other does not use is emptied), the service pages' rows like the
// settings', and a byte row's bits that no page holds as they stand. Rows are taken in
// the order an import applies pages (band limits first, channels last).
struct TakenRow {
    std::size_t row = 0; // index into the rows given
    std::string field;   // the field refused ("A5 TX Freq")
    std::string problem; // the rule's reason
};
struct TakeResult {
    CodeplugImage image;
    std::vector<TakenRow> refused; // every value the rules would not take
};
TakeResult TakeFromOther(const CodeplugImage& mine, const CodeplugImage& other,
                         const std::vector<DiffRow>& rows);

} // namespace r57::text
