// Channel records (16 bytes each) and channel names (7 bytes each, in their own
// table), and the cell texts a bank's grid shows for them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace r57 {

class CodeplugImage;

// Grid columns of a bank; column 0 is the channel label, 14 the "More" column.
enum Column : int {
    kColLabel = 0,
    kColRx = 1,
    kColTx = 2,
    kColDecode = 3,
    kColEncode = 4,
    kColPower = 5,
    kColScan = 6,
    kColWidth = 7,
    kColName = 8,
    kColBcl = 9,
    kColPttId = 10,
    kColVox = 11,
    kColOption = 12,
    kColScrambler = 13,
    kColMore = 14,
};
constexpr int kColumnCount = 15;
constexpr int kChannelRows = 128;
constexpr const char* kMoreText = ">>";

// Bytes 12..15 of a channel created by typing a receive frequency into an empty row:
// high power, wide, everything off, scan add, scrambler group 7.
constexpr std::array<uint8_t, 4> kNewChannelFlags{0x04, 0x00, 0x46, 0x00};

// Record address of channel 1..128 of bank 0 (A) or 1 (B).
int RecordAddress(int bank, int channel);
// Name slot 1..256 of a channel: n for bank A, n + 128 for bank B.
int NameSlot(int bank, int channel);
// Address of the first byte of name slot 1..256.
int NameAddress(int slot);
// Address of the optional-signalling ID block of a channel.
int SignalIdAddress(int bank, int channel);
// "A1".."A128", "B1".."B128".
std::string ChannelLabel(int bank, int channel);

// The 7 characters of a name slot, trailing spaces kept. Bytes outside 0x20..0x7A are
// replaced by spaces in the text and in the image.
std::string ReadChannelName(CodeplugImage& image, int slot);
// Stores at most 7 characters, padded with spaces. The text is UTF-8; each character
// takes one byte: ASCII as itself, any other character as '?'.
void WriteChannelName(CodeplugImage& image, int slot, std::string_view text);

// Caption of a grid column in a language ("CH", "RX Freq", ... "PTT ID" ... "More").
std::string ColumnCaption(int column, int language);
// The choices the drop-down editor of a choice column (5-7, 9-13) offers, in order.
std::vector<std::string> ColumnChoices(int column, int language);

// The text of one choice column (5-7, 9-13) for a record.
std::string ChoiceText(const uint8_t record[16], int column, int language);

using BankRow = std::array<std::string, kColumnCount>;
using BankTexts = std::array<BankRow, kChannelRows>;

// The 128 rows of a bank as its grid shows them, column 0 holding the label.
// Like the grid refresh, it repairs the image: an empty channel's record becomes 16 x
// 0xFF, a channel without transmit frequency gets FF in bytes 4..7 and 10..11, and
// invalid name bytes become spaces.
BankTexts DecodeBank(CodeplugImage& image, int bank, int language);

} // namespace r57
