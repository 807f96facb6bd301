// What the settings pages share: list fields stored in some bits of one byte, check
// boxes stored in one bit, the choice lists in both languages, the digit codes the
// signalling systems store one digit a byte, and the characters each box takes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace r57 {
class CodeplugImage;
}

namespace r57::settings {

// The choice lists of the settings window. Texts come from the string table where it
// has them, so the window and a text export say the same.
enum class ListKind {
    Digits0To9,       // "0".."9"
    TimeOutTimer,     // Off, 30sec..270sec
    ScanResume,       // Time, Carrier, Seek
    VoxLevel,         // "1".."8"
    VoxDelay,         // 1sec..4sec
    OffOn,            // Off, On
    Lamp,             // Off, On, Auto
    AlarmDelay,       // Off, "1".."10"
    ChannelDisplay,   // Frequency, Name
    MessageMode,      // Off, DC, MSG
    PttIdType,        // MSK, DTMF
    DeadBeat,         // Transceiver Inhibit, Transmit Inhit, Normal
    DecodeMode,       // Code Squelch, Selective Call
    IntermediateCode, // "0".."9", "A".."D", "*", "#"
    GroupCode,        // Off, "A".."D", "*", "#"
    DecodeResume,     // "0".."9"
    RespondTime,      // 5sec, 10sec, 15sec, 20sec
    FixDigit,         // "0".."5"
    FiveToneStandard, // CCIR1 .. ZVEI2
};
std::vector<std::string> ListTexts(ListKind kind, int language);

// The caption a control shows: a string-table entry, or a text of the program's own in
// both languages where the table has none (then `id` is 0). UTF-8.
struct FieldCaption {
    int id;
    const char* english;
    const char* chinese;
};
std::string CaptionText(const FieldCaption& caption, int language);

// A list whose index is stored in the bits `mask` of one byte (at the lowest of them).
struct ChoiceField {
    const char* name; // field name
    int address;
    uint8_t mask;
    int fallback; // shown for a stored index the list does not have
    ListKind list;
};
int LoadChoice(const CodeplugImage& image, const ChoiceField& field);
void StoreChoice(CodeplugImage& image, const ChoiceField& field, int index);

// A check box stored in one bit; `inverted` when a tick stores 0.
struct FlagField {
    const char* name;
    int address;
    uint8_t bit;
    bool inverted;
};
bool LoadFlag(const CodeplugImage& image, const FlagField& field);
void StoreFlag(CodeplugImage& image, const FlagField& field, bool checked);

// Read-modify-write of the bits `mask` of one byte.
void StoreBits(CodeplugImage& image, int address, uint8_t mask, uint8_t bits);

// Field texts of check boxes and lists, as the text export writes them.
const char* OnOffText(bool on);
// "" when taken; otherwise why not. `index` is left alone then.
std::string ParseOnOff(const std::string& text, bool& on);
std::string ParseChoice(const std::string& text, ListKind kind, int& index);

// Characters a box takes while typing: the character as stored (letters made upper
// case where the box does so), or 0 when the box refuses it.
using CharRule = char (*)(char32_t);
char DtmfKey(char32_t c);      // 0-9, A-D (a-d), *, #
char HexKey(char32_t c);       // 0-9, A-F (a-f)
char MskKey(char32_t c);       // 0-9, E (e): what the MSK boxes take while typing
char FiveToneKey(char32_t c);  // 0-9, A-D (a-d)
char DigitKey(char32_t c);     // 0-9
char MessageKey(char32_t c);   // space .. "z", as typed
char NameKey(char32_t c);      // printable ASCII, a-z made upper case
char AsciiKey(char32_t c);     // printable ASCII, as it is
char FrequencyKey(char32_t c); // 0-9, ".", ","
// `text` through a rule, refused characters dropped, cut to `maxLength` characters.
std::string FilterText(std::string_view text, CharRule rule, std::size_t maxLength);

// Digit codes, one digit a byte, unused positions 0xFF.
// DTMF: 0-9, A-D = 10..13, * = 14, # = 15; a byte of 16 or more is an empty position.
char DtmfChar(uint8_t byte); // 0 for an empty position
uint8_t DtmfByte(char c);
// Bytes below `limit` as upper-case hexadecimal digits (MSK, 5-Tone); others skipped.
std::string DecodeHexDigits(const CodeplugImage& image, int address, int count, int limit);
std::string DecodeDtmf(const CodeplugImage& image, int address, int count);
// Each character's digit byte from `address` on, the rest of `count` bytes 0xFF.
void EncodeDtmf(CodeplugImage& image, int address, int count, std::string_view text);
void EncodeHexDigits(CodeplugImage& image, int address, int count, std::string_view text);

// The leading decimal number of a text; no digits gives 0.
int LeadingInt(std::string_view text);

} // namespace r57::settings
