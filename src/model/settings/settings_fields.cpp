// The field rules the settings pages share.
#include "model/settings/settings_fields.h"

#include "core/codecs.h"
#include "core/image.h"
#include "core/message_ids.h"
#include "core/strings.h"

#include <algorithm>

namespace r57::settings {

namespace {

constexpr int kTextSec = 1420;

std::vector<std::string> FromIds(std::initializer_list<int> ids, int language) {
    std::vector<std::string> texts;
    for (int id : ids) {
        texts.push_back(Text(id, language));
    }
    return texts;
}

// "first".."last", each followed by the unit text (none when unitId is 0).
std::vector<std::string> Numbers(int first, int last, int step, int unitId, int language) {
    std::vector<std::string> texts;
    const std::string unit = unitId ? Text(unitId, language) : std::string();
    for (int n = first; n <= last; n += step) {
        texts.push_back(std::to_string(n) + unit);
    }
    return texts;
}

std::vector<std::string> WithOffFirst(std::vector<std::string> rest, int language) {
    rest.insert(rest.begin(), Text(kTextOff, language));
    return rest;
}

int LowestBit(uint8_t mask) {
    int shift = 0;
    while (shift < 8 && !(mask & (1u << shift))) {
        ++shift;
    }
    return shift;
}

char Upper(char32_t c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : static_cast<char>(c);
}

} // namespace

std::vector<std::string> ListTexts(ListKind kind, int language) {
    switch (kind) {
    case ListKind::Digits0To9:
    case ListKind::DecodeResume:
        return Numbers(0, 9, 1, 0, language);
    case ListKind::TimeOutTimer:
        return WithOffFirst(Numbers(30, 270, 30, kTextSec, language), language);
    case ListKind::ScanResume:
        return FromIds({1259, kTextCarrier, 1447}, language);
    case ListKind::VoxLevel:
        return Numbers(1, 8, 1, 0, language);
    case ListKind::VoxDelay:
        return Numbers(1, 4, 1, kTextSec, language);
    case ListKind::OffOn:
        return FromIds({kTextOff, kTextOn}, language);
    case ListKind::Lamp:
        return FromIds({kTextOff, kTextOn, 1439}, language);
    case ListKind::AlarmDelay:
        return WithOffFirst(Numbers(1, 10, 1, 0, language), language);
    case ListKind::ChannelDisplay:
        return FromIds({1057, 1441}, language);
    case ListKind::MessageMode:
        return FromIds({kTextOff, 1442, 1443}, language);
    case ListKind::PttIdType:
        return {"MSK", "DTMF"};
    case ListKind::DeadBeat:
        return FromIds({1401, 1402, 1403}, language);
    case ListKind::DecodeMode:
        return FromIds({1410, 1411}, language);
    case ListKind::IntermediateCode:
        return {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "A", "B", "C", "D", "*", "#"};
    case ListKind::GroupCode:
        return WithOffFirst({"A", "B", "C", "D", "*", "#"}, language);
    case ListKind::RespondTime:
        return Numbers(5, 20, 5, kTextSec, language);
    case ListKind::FixDigit:
        return Numbers(0, 5, 1, 0, language);
    case ListKind::FiveToneStandard:
        return {"CCIR1", "CCIR2", "CCITT", "EEA", "EIA", "NATEL", "ZVEI1", "ZVEI2"};
    }
    return {};
}

std::string CaptionText(const FieldCaption& caption, int language) {
    if (caption.id != 0) {
        return Text(caption.id, language);
    }
    return language == 1 ? caption.chinese : caption.english;
}

int LoadChoice(const CodeplugImage& image, const ChoiceField& field) {
    const int value = (image.at(field.address) & field.mask) >> LowestBit(field.mask);
    const int count = static_cast<int>(ListTexts(field.list, 0).size());
    return value < count ? value : field.fallback;
}

void StoreChoice(CodeplugImage& image, const ChoiceField& field, int index) {
    StoreBits(image, field.address, field.mask,
              static_cast<uint8_t>(index << LowestBit(field.mask)));
}

bool LoadFlag(const CodeplugImage& image, const FlagField& field) {
    const bool set = image.at(field.address) & field.bit;
    return set != field.inverted;
}

void StoreFlag(CodeplugImage& image, const FlagField& field, bool checked) {
    StoreBits(image, field.address, field.bit, checked != field.inverted ? field.bit : 0);
}

void StoreBits(CodeplugImage& image, int address, uint8_t mask, uint8_t bits) {
    const uint8_t old = image.at(address);
    image.set(address, static_cast<uint8_t>((old & ~mask) | (bits & mask)));
}

const char* OnOffText(bool on) {
    return on ? "On" : "Off";
}

std::string ParseOnOff(const std::string& text, bool& on) {
    if (text == "On" || text == "Off") {
        on = text == "On";
        return {};
    }
    return "not On or Off";
}

std::string ParseChoice(const std::string& text, ListKind kind, int& index) {
    const std::vector<std::string> texts = ListTexts(kind, 0);
    auto found = std::find(texts.begin(), texts.end(), text);
    if (found == texts.end()) {
        return "not one of the choices";
    }
    index = static_cast<int>(found - texts.begin());
    return {};
}

char DtmfKey(char32_t c) {
    const char u = Upper(c);
    return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'D') || u == '*' || u == '#' ? u : 0;
}

char HexKey(char32_t c) {
    const char u = Upper(c);
    return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'F') ? u : 0;
}

char MskKey(char32_t c) {
    const char u = Upper(c);
    return (u >= '0' && u <= '9') || u == 'E' ? u : 0;
}

char FiveToneKey(char32_t c) {
    const char u = Upper(c);
    return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'D') ? u : 0;
}

char DigitKey(char32_t c) {
    return c >= '0' && c <= '9' ? static_cast<char>(c) : 0;
}

char MessageKey(char32_t c) {
    return c >= 0x20 && c <= 0x7A ? static_cast<char>(c) : 0;
}

char NameKey(char32_t c) {
    return c >= 0x20 && c <= 0x7E ? Upper(c) : 0;
}

char AsciiKey(char32_t c) {
    return c >= 0x20 && c <= 0x7E ? static_cast<char>(c) : 0;
}

char FrequencyKey(char32_t c) {
    return (c >= '0' && c <= '9') || c == '.' || c == ',' ? static_cast<char>(c) : 0;
}

std::string FilterText(std::string_view text, CharRule rule, std::size_t maxLength) {
    std::string out;
    for (char c : text) {
        if (out.size() >= maxLength) {
            break;
        }
        if (char taken = rule(static_cast<unsigned char>(c))) {
            out += taken;
        }
    }
    return out;
}

char DtmfChar(uint8_t byte) {
    if (byte == 14) {
        return '*';
    }
    if (byte == 15) {
        return '#';
    }
    return byte < 10   ? static_cast<char>('0' + byte)
           : byte < 14 ? static_cast<char>('A' + byte - 10)
                       : 0;
}

uint8_t DtmfByte(char c) {
    if (c == '*') {
        return 14;
    }
    if (c == '#') {
        return 15;
    }
    if (c >= '0' && c <= '9') {
        return static_cast<uint8_t>(c - '0');
    }
    const char u = Upper(static_cast<unsigned char>(c));
    return u >= 'A' && u <= 'F' ? static_cast<uint8_t>(u - 'A' + 10) : 0xFF;
}

std::string DecodeHexDigits(const CodeplugImage& image, int address, int count, int limit) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (int i = 0; i < count; ++i) {
        const uint8_t b = image.at(address + i);
        if (b < limit && b < 16) {
            text += kDigits[b];
        }
    }
    return text;
}

std::string DecodeDtmf(const CodeplugImage& image, int address, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        if (char c = DtmfChar(image.at(address + i))) {
            text += c;
        }
    }
    return text;
}

void EncodeDtmf(CodeplugImage& image, int address, int count, std::string_view text) {
    for (int i = 0; i < count; ++i) {
        image.set(address + i, i < static_cast<int>(text.size()) ? DtmfByte(text[i]) : 0xFF);
    }
}

void EncodeHexDigits(CodeplugImage& image, int address, int count, std::string_view text) {
    EncodeDtmf(image, address, count, text); // "*" and "#" never reach a hex code
}

int LeadingInt(std::string_view text) {
    const long long n = LeadingNumber(text);
    return n > 1000000 ? 1000000 : static_cast<int>(n);
}

} // namespace r57::settings
