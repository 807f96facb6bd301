// The alternate channel panel's own rules, apart from the channel fields it shares with
// the grid (those are the bank sheet's): the channel number 1..256 that spans both
// banks and its "A1".."B128" label, and the option signalling of a channel that the grid
// does not show: the signalling type and the two codes in record bytes 13 and 14, and
// the DTMF ID code in the channel's ID block.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace r57 {

class CodeplugImage;

// Channel numbers of the panel: 1..128 are A1..A128, 129..256 are B1..B128.
constexpr int kPanelChannels = 256;

int PanelIndex(int bank, int row);
int PanelBank(int index); // the index is clamped to 1..256 first
int PanelRow(int index);
// "A1".."A128", "B1".."B128" for 1..256 (clamped).
std::string PanelLabel(int index);
// Up and Down arrows: one channel on, wrapping from 256 to 1 and from 1 to 256.
int StepPanelIndex(int index, int delta);
// The number typed into the channel box, clamped to 1..256; `fallback` when it holds
// no digits.
int PanelIndexFromDigits(std::string_view digits, int fallback);

// The label box: the character a typed key puts in (letters in capitals), or 0 when the
// box refuses it. "A" or "B" only as the first character (the box empty or all of it
// selected), digits only after the letter while the text has at most 3 characters.
char LabelKeyChar(std::string_view text, bool emptyOrAllSelected, char typed);
// The channel a committed label names: the letter and a number clamped to 1..128
// ("b7" -> 135, "A0" -> 1, "B999" -> 256). Nothing for a text of one character or less
// and for a text that does not start with a bank letter.
std::optional<int> PanelIndexFromLabel(std::string_view text);

// Option-signalling type of a channel: bits 7..4 of record byte 13, one bit each.
enum class SignalType { None, Msk, Dtmf, TwoTone, FiveTone };
constexpr int kSignalTypeShift = 4;    // byte 13, bits 7..4
constexpr int kAutoResponseBit = 0x80; // byte 14, bit 7
constexpr int kDecodeCodeShift = 3;    // byte 14, bits 5..3
constexpr int kDecodeCodeMask = 0x38;

int SignalTypeBits(SignalType type);
std::optional<SignalType> SignalTypeFromBits(int bits);
// The types the model variant offers, in list order: "None" and "MSK" always, "DTMF"
// with variant '1', "2-Tone" and "5-Tone" with variant '2'.
std::vector<SignalType> SignalTypesFor(char modelCode);
std::string SignalTypeText(SignalType type, int language);
// The English text of four stored type bits that name no single type: "Other (0101)".
std::string OtherSignalText(int bits);

// Which of the signalling controls a chosen type shows.
struct SignalControls {
    bool decodeCode = false;   // 2-Tone and 5-Tone
    bool autoResponse = false; // 5-Tone
    bool idCode = false;       // DTMF
};
SignalControls ShownSignalControls(std::optional<SignalType> chosen);

// The option signalling of one channel as stored.
struct ChannelSignalling {
    int typeBits = 0;          // bits 7..4 of byte 13
    bool autoResponse = false; // byte 14 bit 7
    int decodeCode = 0;        // byte 14 bits 5..3, 0..7
    std::string idCode;        // the ID block's digits
};
ChannelSignalling ReadSignalling(const CodeplugImage& image, int bank, int row);

// Each writes only its own bits of the record (or the ID block).
void WriteSignalTypeBits(CodeplugImage& image, int bank, int row, int bits);
void WriteAutoResponse(CodeplugImage& image, int bank, int row, bool on);
void WriteDecodeCode(CodeplugImage& image, int bank, int row, int code);
// Stores an ID code (digits only, at most 10 taken): no digits erases it, one or two
// digits become "000", longer codes are stored digit by digit. Returns the code stored.
std::string WriteIdCode(CodeplugImage& image, int bank, int row, std::string_view digits);

// The longest ID code the radio uses: 3 digits when bit 2 of 0x0833 is set, else 10.
int IdCodeLimit(const CodeplugImage& image);
// Whether the ID box takes an edit from `before` to `after`: digits only, and no longer
// than the limit unless it shortens a longer code kept from before.
bool IdCodeEditAllowed(std::string_view before, std::string_view after, int limit);

} // namespace r57
