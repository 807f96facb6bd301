// Frequencies and QT/DQT tones between their packed-decimal image bytes and text, the
// tone choice list, and the snapping of typed frequencies to the channel grid.
#include "core/codecs.h"

#include "core/band_limits.h"
#include "core/message_ids.h"
#include "core/strings.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace r57 {
namespace {

constexpr int kQtTones[50] = {670,  693,  719,  744,  770,  797,  825,  854,  885,  915,
                              948,  974,  1000, 1035, 1072, 1109, 1148, 1188, 1230, 1273,
                              1318, 1365, 1413, 1462, 1514, 1567, 1598, 1622, 1655, 1679,
                              1713, 1738, 1773, 1799, 1835, 1862, 1899, 1928, 1966, 1995,
                              2035, 2065, 2107, 2181, 2257, 2291, 2336, 2418, 2503, 2541};

constexpr const char* kDqtCodes[105] = {
    "023", "025", "026", "031", "032", "036", "043", "047", "051", "053", "054", "065",
    "071", "072", "073", "074", "114", "115", "116", "122", "125", "131", "132", "134",
    "143", "145", "152", "155", "156", "162", "165", "172", "174", "205", "212", "223",
    "225", "226", "243", "244", "245", "246", "251", "252", "255", "261", "263", "265",
    "266", "271", "274", "306", "311", "315", "325", "331", "332", "343", "346", "351",
    "356", "364", "365", "371", "411", "412", "413", "423", "431", "432", "445", "446",
    "452", "454", "455", "462", "464", "465", "466", "503", "506", "516", "523", "526",
    "532", "546", "565", "606", "612", "624", "627", "631", "632", "645", "654", "662",
    "664", "703", "712", "723", "731", "732", "734", "743", "754"};

// "无" in UTF-8.
constexpr std::string_view kChineseNone = "\xE6\x97\xA0";

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The leading-number value of character `index` (0-based) of a text: its digit value,
// or 0 for a non-digit and for a position past the end of the text.
int CharValue(std::string_view text, std::size_t index) {
    return index < text.size() && IsDigit(text[index]) ? text[index] - '0' : 0;
}

// "ddd.ddddd" from a count of 10 Hz units: the "0.00000" form of units / 100000.
std::string FormatTenHertz(long long units) {
    std::string sign;
    unsigned long long magnitude = static_cast<unsigned long long>(units);
    if (units < 0) {
        sign = "-";
        magnitude = 0ULL - magnitude;
    }
    std::string fraction = std::to_string(magnitude % 100000);
    fraction.insert(0, 5 - fraction.size(), '0');
    return sign + std::to_string(magnitude / 100000) + "." + fraction;
}

std::string FormatTenths(int tenths) {
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

// A decimal number held exactly enough for snapping: `halfNano` counts units of
// 0.5e-9 MHz, so nine decimals are exact and any further nonzero decimals add one
// half unit (the value then lies strictly between two whole units, which keeps every
// comparison with the grid and its midpoints exact).
struct Decimal {
    bool ok = false;
    long long halfNano = 0;
};

constexpr long long kNanoPerMhz = 1000000000LL;
constexpr long long kMaxWholeMhz = 10000000LL; // anything beyond is out of range anyway

// Accumulates digits from `text` at `pos`. The whole part saturates past kMaxWholeMhz;
// returns the number of digits read.
std::size_t ReadWhole(std::string_view text, std::size_t& pos, long long& whole) {
    std::size_t count = 0;
    for (; pos < text.size() && IsDigit(text[pos]); ++pos, ++count) {
        if (whole <= kMaxWholeMhz)
            whole = whole * 10 + (text[pos] - '0');
    }
    return count;
}

std::size_t ReadFraction(std::string_view text, std::size_t& pos, long long& nano, bool& sticky) {
    std::size_t count = 0;
    long long scale = kNanoPerMhz / 10;
    for (; pos < text.size() && IsDigit(text[pos]); ++pos, ++count) {
        const int digit = text[pos] - '0';
        if (scale > 0) {
            nano += digit * scale;
            scale /= 10;
        } else if (digit != 0) {
            sticky = true;
        }
    }
    return count;
}

Decimal MakeDecimal(bool negative, long long whole, long long nano, bool sticky) {
    if (whole > kMaxWholeMhz)
        whole = kMaxWholeMhz + 1;
    long long value = 2 * (whole * kNanoPerMhz + nano) + (sticky ? 1 : 0);
    return {true, negative ? -value : value};
}

std::size_t SkipSpaces(std::string_view text, std::size_t pos) {
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t'))
        ++pos;
    return pos;
}

// Leading-number parse of a decimal with a point: optional spaces and sign, digits, an
// optional point and digits; reading stops at the first other character ("1.2.3" reads
// 1.2, "145.5abc" 145.5); no digits reads 0. Never fails.
Decimal ParseLeadingDecimal(std::string_view text) {
    std::size_t pos = SkipSpaces(text, 0);
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        negative = text[pos++] == '-';
    long long whole = 0, nano = 0;
    bool sticky = false;
    ReadWhole(text, pos, whole);
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        ReadFraction(text, pos, nano, sticky);
    }
    return MakeDecimal(negative, whole, nano, sticky);
}

// Whole-text conversion of a text without a point: optional surrounding spaces, an
// optional sign, digits with at most one "," as the decimal mark, and at least one
// digit. Anything else (letters, exponents such as "1e3", a second ",") fails. An empty
// text counts as 0.
Decimal ParseWholeNumber(std::string_view text) {
    std::size_t pos = SkipSpaces(text, 0);
    if (pos == text.size())
        return MakeDecimal(false, 0, 0, false);
    bool negative = false;
    if (text[pos] == '+' || text[pos] == '-')
        negative = text[pos++] == '-';
    long long whole = 0, nano = 0;
    bool sticky = false;
    std::size_t digits = ReadWhole(text, pos, whole);
    if (pos < text.size() && text[pos] == ',') {
        ++pos;
        digits += ReadFraction(text, pos, nano, sticky);
    }
    pos = SkipSpaces(text, pos);
    if (digits == 0 || pos != text.size())
        return {};
    return MakeDecimal(negative, whole, nano, sticky);
}

// n / d rounded to the nearest whole number, halves away from zero (d > 0, even).
long long RoundDivide(long long n, long long d) {
    return n >= 0 ? (n + d / 2) / d : -((-n + d / 2) / d);
}

// The band index (direction or direction + 2) whose range holds the value, or -1.
int BandOf(long long halfNano, int direction, const BandLimits& bands) {
    for (int index : {direction, direction + 2}) {
        const long long low = 2 * kNanoPerMhz * bands.low[index];
        const long long high = 2 * kNanoPerMhz * bands.high[index];
        if (low <= halfNano && halfNano < high)
            return index;
    }
    return -1;
}

} // namespace

char NibbleChar(uint8_t nibble) {
    return static_cast<char>(0x30 + (nibble & 0x0F));
}

std::string NibbleText(uint8_t byte) {
    return {NibbleChar(static_cast<uint8_t>(byte >> 4)), NibbleChar(byte)};
}

long long LeadingNumber(std::string_view text) {
    constexpr long long kMax = std::numeric_limits<long long>::max();
    long long value = 0;
    for (char c : text) {
        if (!IsDigit(c))
            break;
        const int digit = c - '0';
        value = value > (kMax - digit) / 10 ? kMax : value * 10 + digit;
    }
    return value;
}

std::string FrequencyTextFromBytes(const uint8_t bytes[4]) {
    std::string digits;
    for (int i = 0; i < 4; ++i)
        digits += NibbleText(bytes[i]);
    const long long value = LeadingNumber(digits);
    return value == 0 ? std::string() : FormatTenHertz(value);
}

std::array<uint8_t, 4> FrequencyBytesFromText(std::string_view text) {
    long long units = 0;
    if (text.size() == 9 && text[3] == '.') {
        // The "ddd.ddddd" form: character pairs (1,2), (3,5), (6,7), (8,9).
        constexpr std::size_t kDigitPositions[8] = {0, 1, 2, 4, 5, 6, 7, 8};
        for (std::size_t position : kDigitPositions)
            units = units * 10 + CharValue(text, position);
    } else {
        // Any other text: its leading decimal number in MHz, cut to 10 Hz and held to
        // the eight digits of the field (negative or unreadable gives 0).
        const Decimal d = ParseLeadingDecimal(text);
        units = d.halfNano <= 0 ? 0 : d.halfNano / 2 / 10000;
        if (units > 99999999)
            units = 99999999;
    }
    std::array<uint8_t, 4> bytes{};
    for (int i = 3; i >= 0; --i) {
        const int low = static_cast<int>(units % 10);
        units /= 10;
        const int high = static_cast<int>(units % 10);
        units /= 10;
        bytes[static_cast<std::size_t>(i)] = static_cast<uint8_t>(high * 16 + low);
    }
    return bytes;
}

std::string ToneTextFromBytes(uint8_t low, uint8_t high, int language) {
    if (high == 0xFF)
        return Text(kTextNone, language);
    if (high < 0x40) {
        const long long tenths = LeadingNumber(NibbleText(high) + NibbleText(low));
        return FormatTenths(static_cast<int>(tenths));
    }
    if (high >= 0x80) {
        std::string text = "D";
        text += NibbleChar(high);
        text += NibbleText(low);
        text += high >= 0xC0 ? "I" : "N";
        return text;
    }
    return {};
}

std::array<uint8_t, 2> ToneBytesFromText(std::string_view text) {
    // An empty text has no first character; it is taken as "no tone".
    if (text.empty() || text[0] == 'N' || text.substr(0, kChineseNone.size()) == kChineseNone) {
        return {0xFF, 0xFF};
    }
    if (text[0] == 'D') {
        const int flag = text.back() == 'N' ? 8 : 12;
        const int high = flag * 16 + CharValue(text, 1);
        const int low = CharValue(text, 2) * 16 + CharValue(text, 3);
        return {static_cast<uint8_t>(low), static_cast<uint8_t>(high)};
    }
    // A QT tone "ddd.d"; a 4-character text gets a leading "0" ("88.5" -> "088.5").
    const std::size_t shift = text.size() == 4 ? 1 : 0;
    auto value = [&](std::size_t index) {
        return index < shift ? 0 : CharValue(text, index - shift);
    };
    const int high = value(0) * 16 + value(1);
    const int low = value(2) * 16 + value(4);
    return {static_cast<uint8_t>(low), static_cast<uint8_t>(high)};
}

std::vector<std::string> BuildToneList(int language) {
    std::vector<std::string> list;
    list.reserve(261);
    list.push_back(Text(kTextNone, language));
    for (int tone : kQtTones)
        list.push_back(FormatTenths(tone));
    for (const char* code : kDqtCodes)
        list.push_back(std::string("D") + code + "N");
    for (const char* code : kDqtCodes)
        list.push_back(std::string("D") + code + "I");
    return list;
}

namespace {

// The band (0 or 1) a typed frequency lies in, or -1; `value` gets what was read.
int TypedBand(std::string_view text, int direction, const BandLimits& bands, Decimal& value) {
    value = text.find('.') != std::string_view::npos ? ParseLeadingDecimal(text)
                                                     : ParseWholeNumber(text);
    return value.ok ? BandOf(value.halfNano, direction == 1 ? 1 : 0, bands) : -1;
}

} // namespace

bool FrequencyInBand(std::string_view text, int direction, const BandLimits& bands) {
    Decimal value;
    return TypedBand(text, direction, bands, value) >= 0;
}

std::string SnapFrequency(std::string_view text, int direction, const BandLimits& bands) {
    if (direction != 1)
        direction = 0;
    Decimal value;
    const int band = TypedBand(text, direction, bands, value);
    if (band < 0) {
        return FormatTenHertz(static_cast<long long>(bands.low[direction]) * 100000);
    }
    // 10 Hz = 2e4 half-nano units; 2.5 kHz = 250 x 10 Hz, 6.25 kHz = 625 x 10 Hz.
    constexpr long long kHalfNanoPer10Hz = 20000;
    const long long a = RoundDivide(value.halfNano, 250 * kHalfNanoPer10Hz) * 250;
    const long long b = RoundDivide(value.halfNano, 625 * kHalfNanoPer10Hz) * 625;
    const long long distA = std::llabs(value.halfNano - a * kHalfNanoPer10Hz);
    const long long distB = std::llabs(value.halfNano - b * kHalfNanoPer10Hz);
    long long result = distB >= distA ? a : b;
    // Just below the upper limit the nearest grid point can be the limit itself, which
    // lies outside the band; take the highest 2.5 kHz point inside it instead.
    const long long limit = static_cast<long long>(bands.high[band]) * 100000;
    if (result >= limit)
        result = limit - 250;
    return FormatTenHertz(result);
}

std::string TenHertzText(long long units) {
    return FormatTenHertz(units);
}

GridValue SnapToGrid(std::string_view text, long long low, long long high, long long step) {
    const Decimal value = text.find('.') != std::string_view::npos ? ParseLeadingDecimal(text)
                                                                   : ParseWholeNumber(text);
    if (!value.ok || step <= 0) {
        return {};
    }
    constexpr long long kHalfNanoPer10Hz = 20000;
    if (value.halfNano < low * kHalfNanoPer10Hz) {
        return {GridValue::kBelow, 0};
    }
    if (value.halfNano > high * kHalfNanoPer10Hz) {
        return {GridValue::kAbove, 0};
    }
    long long units = RoundDivide(value.halfNano, step * kHalfNanoPer10Hz) * step;
    units = std::clamp(units, low, high);
    return {GridValue::kInside, units};
}

} // namespace r57
