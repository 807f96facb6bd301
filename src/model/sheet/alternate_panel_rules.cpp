#include "model/sheet/alternate_panel_rules.h"

#include "model/sheet/record_access.h"

#include "core/address_map.h"
#include "core/channel.h"
#include "core/image.h"
#include "core/strings.h"

#include <algorithm>

namespace r57 {

namespace {

constexpr int kTypeNone = 1107;
constexpr int kTypeTwoTone = 1315;
constexpr int kTypeFiveTone = 1316;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The number of a run of digits, saturating well above any channel number.
int DigitsValue(std::string_view digits) {
    int value = 0;
    for (char c : digits) {
        if (IsDigit(c)) {
            value = std::min(value * 10 + (c - '0'), 100000);
        }
    }
    return value;
}

bool HasDigit(std::string_view text) {
    return std::any_of(text.begin(), text.end(), IsDigit);
}

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

void UpdateByte(CodeplugImage& image, int bank, int row, int offset, int mask, int value) {
    sheet::Record record = sheet::ReadRecord(image, bank, row);
    record[offset] = static_cast<uint8_t>((record[offset] & ~mask) | (value & mask));
    sheet::WriteRecord(image, bank, row, record);
}

} // namespace

int PanelIndex(int bank, int row) {
    return std::clamp(row, 1, kChannelRows) + (bank == 1 ? kChannelRows : 0);
}

int PanelBank(int index) {
    return std::clamp(index, 1, kPanelChannels) > kChannelRows ? 1 : 0;
}

int PanelRow(int index) {
    index = std::clamp(index, 1, kPanelChannels);
    return index > kChannelRows ? index - kChannelRows : index;
}

std::string PanelLabel(int index) {
    return ChannelLabel(PanelBank(index), PanelRow(index));
}

int StepPanelIndex(int index, int delta) {
    const int zeroBased = std::clamp(index, 1, kPanelChannels) - 1 + delta % kPanelChannels;
    return (zeroBased + kPanelChannels) % kPanelChannels + 1;
}

int PanelIndexFromDigits(std::string_view digits, int fallback) {
    if (!HasDigit(digits)) {
        return std::clamp(fallback, 1, kPanelChannels);
    }
    return std::clamp(DigitsValue(digits), 1, kPanelChannels);
}

char LabelKeyChar(std::string_view text, bool emptyOrAllSelected, char typed) {
    const char c = Upper(typed);
    if (c == 'A' || c == 'B') {
        return emptyOrAllSelected ? c : 0;
    }
    if (IsDigit(c) && !emptyOrAllSelected && !text.empty() && text.size() <= 3 &&
        (Upper(text[0]) == 'A' || Upper(text[0]) == 'B')) {
        return c;
    }
    return 0;
}

std::optional<int> PanelIndexFromLabel(std::string_view text) {
    if (text.size() <= 1) {
        return std::nullopt;
    }
    const char letter = Upper(text[0]);
    if (letter != 'A' && letter != 'B') {
        return std::nullopt;
    }
    const int row = std::clamp(DigitsValue(text.substr(1)), 1, kChannelRows);
    return PanelIndex(letter == 'B' ? 1 : 0, row);
}

int SignalTypeBits(SignalType type) {
    switch (type) {
    case SignalType::None:
        return 0;
    case SignalType::Msk:
        return 1;
    case SignalType::Dtmf:
        return 2;
    case SignalType::TwoTone:
        return 4;
    case SignalType::FiveTone:
        return 8;
    }
    return 0;
}

std::optional<SignalType> SignalTypeFromBits(int bits) {
    for (SignalType t : {SignalType::None, SignalType::Msk, SignalType::Dtmf, SignalType::TwoTone,
                         SignalType::FiveTone}) {
        if (SignalTypeBits(t) == bits) {
            return t;
        }
    }
    return std::nullopt;
}

std::vector<SignalType> SignalTypesFor(char modelCode) {
    std::vector<SignalType> types = {SignalType::None, SignalType::Msk};
    if (modelCode == '1') {
        types.push_back(SignalType::Dtmf);
    } else if (modelCode == '2') {
        types.push_back(SignalType::TwoTone);
        types.push_back(SignalType::FiveTone);
    }
    return types;
}

std::string SignalTypeText(SignalType type, int language) {
    switch (type) {
    case SignalType::None:
        return Text(kTypeNone, language);
    case SignalType::Msk:
        return "MSK";
    case SignalType::Dtmf:
        return "DTMF";
    case SignalType::TwoTone:
        return Text(kTypeTwoTone, language);
    case SignalType::FiveTone:
        return Text(kTypeFiveTone, language);
    }
    return {};
}

std::string OtherSignalText(int bits) {
    std::string text = "Other (";
    for (int bit = 3; bit >= 0; --bit) {
        text += (bits >> bit) & 1 ? '1' : '0';
    }
    return text + ")";
}

SignalControls ShownSignalControls(std::optional<SignalType> chosen) {
    SignalControls shown;
    if (chosen == SignalType::TwoTone || chosen == SignalType::FiveTone) {
        shown.decodeCode = true;
        shown.autoResponse = chosen == SignalType::FiveTone;
    }
    shown.idCode = chosen == SignalType::Dtmf;
    return shown;
}

ChannelSignalling ReadSignalling(const CodeplugImage& image, int bank, int row) {
    const sheet::Record record = sheet::ReadRecord(image, bank, row);
    ChannelSignalling s;
    s.typeBits = record[13] >> kSignalTypeShift;
    s.autoResponse = (record[14] & kAutoResponseBit) != 0;
    s.decodeCode = (record[14] & kDecodeCodeMask) >> kDecodeCodeShift;
    // The digits the count names, up to the first byte that is no digit: an erased or
    // damaged block shows what it really holds and never more than ten digits.
    const int block = SignalIdAddress(bank, row);
    const int count = std::min<int>(image.at(block + addr::kSignalIdCount), addr::kSignalIdDigits);
    for (int i = 0; i < count; ++i) {
        const uint8_t digit = image.at(block + i);
        if (digit > 9) {
            break;
        }
        s.idCode += static_cast<char>('0' + digit);
    }
    return s;
}

void WriteSignalTypeBits(CodeplugImage& image, int bank, int row, int bits) {
    UpdateByte(image, bank, row, 13, 0xF0, bits << kSignalTypeShift);
}

void WriteAutoResponse(CodeplugImage& image, int bank, int row, bool on) {
    UpdateByte(image, bank, row, 14, kAutoResponseBit, on ? kAutoResponseBit : 0);
}

void WriteDecodeCode(CodeplugImage& image, int bank, int row, int code) {
    UpdateByte(image, bank, row, 14, kDecodeCodeMask, std::clamp(code, 0, 7) << kDecodeCodeShift);
}

std::string WriteIdCode(CodeplugImage& image, int bank, int row, std::string_view digits) {
    std::string code;
    for (char c : digits) {
        if (IsDigit(c) && code.size() < static_cast<std::size_t>(addr::kSignalIdDigits)) {
            code += c;
        }
    }
    // The radio needs at least three digits; a shorter code is taken as "000".
    if (!code.empty() && code.size() < 3) {
        code = "000";
    }
    const int block = SignalIdAddress(bank, row);
    for (int i = 0; i < addr::kSignalIdDigits; ++i) {
        const bool used = i < static_cast<int>(code.size());
        image.set(block + i, used ? static_cast<uint8_t>(code[i] - '0') : 0xFF);
    }
    image.set(block + addr::kSignalIdCount, static_cast<uint8_t>(code.size()));
    return code;
}

int IdCodeLimit(const CodeplugImage& image) {
    return (image.at(addr::kIdCodeLengthByte) & addr::kIdCodeLengthBit) ? 3 : 10;
}

bool IdCodeEditAllowed(std::string_view before, std::string_view after, int limit) {
    if (!std::all_of(after.begin(), after.end(), IsDigit)) {
        return false;
    }
    return after.size() <= static_cast<std::size_t>(limit) || after.size() < before.size();
}

} // namespace r57
