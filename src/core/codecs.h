// Text forms of the values the radio stores as packed decimal digits: frequencies,
// QT/DQT tones, and the snapping of typed frequencies to the channel grid.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace r57 {

struct BandLimits;

// One nibble as a character: 0x30 + nibble, so 0xA..0xF become ":" ";" "<" "=" ">" "?".
char NibbleChar(uint8_t nibble);
// The two nibble characters of a byte, high nibble first.
std::string NibbleText(uint8_t byte);
// Digits up to the first non-digit; no digits gives 0.
long long LeadingNumber(std::string_view text);

// Four BCD bytes (10 Hz units) -> "446.00625", or "" when the digits read as 0.
std::string FrequencyTextFromBytes(const uint8_t bytes[4]);
// "ddd.ddddd" (nine characters) -> four BCD bytes. Any other text is read as a decimal
// number of MHz, cut to 10 Hz and held to the field's eight digits (unreadable or
// negative text gives 00 00 00 00).
std::array<uint8_t, 4> FrequencyBytesFromText(std::string_view text);

// QT/DQT field (low byte first) -> "None"/"无", "88.5", "D023N", "D754I" or "".
std::string ToneTextFromBytes(uint8_t low, uint8_t high, int language);
// Text from the tone list (or accepted by the field rules) -> {low, high}. Never reads
// past the text: a missing character counts as 0, and an empty text means no tone.
std::array<uint8_t, 2> ToneBytesFromText(std::string_view text);

// The 261 QT/DQT choices: "None" (language's text), 50 QT tones, 105 DQT codes "N",
// the same 105 codes "I".
std::vector<std::string> BuildToneList(int language);

// The nearest valid channel frequency for a typed text, "0.00000" form; direction 0
// receive, 1 transmit. Out of range or unreadable text gives the lower limit of the
// first band of that direction. A text with "." is read up to its first character that
// cannot continue the number ("1.2.3" is 1.2); one without must be a whole number with
// at most one "," as the decimal mark (no exponent). A value that would snap onto the
// excluded upper limit gives the highest 2.5 kHz step below it.
std::string SnapFrequency(std::string_view text, int direction, const BandLimits& bands);
// True when SnapFrequency takes the text's own value (it reads as a number within one
// of the direction's bands); false when it puts the lower limit in its place.
bool FrequencyInBand(std::string_view text, int direction, const BandLimits& bands);

// "ddd.ddddd"-style text of a count of 10 Hz units ("87.50000" for 8750000).
std::string TenHertzText(long long units);

// A typed frequency, read as SnapFrequency reads it, against the closed range [low, high]
// (10 Hz units): where it lies, and inside the range its nearest multiple of `step` (10 Hz
// units; halves go up), never past the range's ends.
struct GridValue {
    enum Where { kUnreadable, kBelow, kInside, kAbove };
    Where where = kUnreadable;
    long long units = 0; // valid when inside
};
GridValue SnapToGrid(std::string_view text, long long low, long long high, long long step);

} // namespace r57
