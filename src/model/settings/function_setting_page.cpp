// The function settings and the PTT ID: where each value sits in the image.
#include "model/settings/function_setting_page.h"

#include "core/address_map.h"
#include "core/image.h"

namespace r57::settings {

namespace {

// The PTT ID fields of the two types, by the box that shows them.
constexpr const char* kPttFieldNames[2][2] = {
    {"PTT ID Own ID", "PTT ID Name"}, // MSK
    {"PTT ID BOT", "PTT ID EOT"},     // DTMF
};
constexpr int kMskIdLength = 4;
constexpr int kMskNameLength = 6;
constexpr int kDtmfCodeLength = 7;

const FlagField kAni{"PTT ID ANI", addr::kToneLampByte, 0x04, false};
const ChoiceField kPttTypeField{"PTT ID Type", addr::kToneLampByte, 0x10, 0, ListKind::PttIdType};

} // namespace

const std::array<ChoiceField, FunctionSettingPage::kChoiceCount>& FunctionSettingPage::Choices() {
    using addr::kAlarmByte, addr::kAlertOptions, addr::kDisplayByte, addr::kToneLampByte;
    static const std::array<ChoiceField, kChoiceCount> kChoices = {{
        {"Squelch Level", addr::kSquelchLevel, 0xFF, 5, ListKind::Digits0To9},
        {"Time Out Timer", addr::kTimeOutTimer, 0xFF, 0, ListKind::TimeOutTimer},
        {"Scan Resume", addr::kScanRelayByte, 0xC0, 0, ListKind::ScanResume},
        {"VOX Gain Level", addr::kVoxByte, 0x0F, 5, ListKind::VoxLevel},
        {"VOX Delay Time", addr::kVoxByte, 0xF0, 1, ListKind::VoxDelay},
        {"Battery Save", kDisplayByte, 0x01, 0, ListKind::OffOn},
        {"Beep Tone", kDisplayByte, 0x02, 0, ListKind::OffOn},
        {"Roger Tone", kToneLampByte, 0x02, 0, ListKind::OffOn},
        {"Lamp", kToneLampByte, 0xC0, 0, ListKind::Lamp},
        {"Local Roger Tone", kAlertOptions, 0x04, 0, ListKind::OffOn},
        {"Alarm Delay", kAlarmByte, 0x0F, 2, ListKind::AlarmDelay},
        {"Channel Display", kDisplayByte, 0x08, 0, ListKind::ChannelDisplay},
        {"Chord", kDisplayByte, 0x04, 0, ListKind::OffOn},
        {"Message Mode", addr::kMessageModeByte, 0xC0, 0, ListKind::MessageMode},
    }};
    return kChoices;
}

const std::array<FlagField, FunctionSettingPage::kFlagCount>& FunctionSettingPage::Flags() {
    static const std::array<FlagField, kFlagCount> kFlags = {{
        {"Relay Transfer", addr::kScanRelayByte, 0x04, false},
        {"Manual", addr::kManualByte, addr::kManualBit, false},
        {"TOT Penalty", addr::kDisplayByte, 0x20, false},
        {"Inhibit Receiver When Working", addr::kToneLampByte, 0x01, true},
        {"Cancel Code Squelch On PTT", addr::kToneLampByte, 0x08, false},
        {"Standby Time", addr::kAlarmByte, 0x10, false},
        {"Vibration", addr::kAlertOptions, 0x01, false},
        {"Upend", addr::kAlertOptions, 0x02, false},
    }};
    return kFlags;
}

const std::array<FieldCaption, FunctionSettingPage::kChoiceCount>&
FunctionSettingPage::ChoiceCaptions() {
    static const std::array<FieldCaption, kChoiceCount> kCaptions = {{
        {1075, "", ""},
        {1215, "", ""},
        {1421, "", ""},
        {1448, "", ""},
        {1422, "", ""},
        {1078, "", ""},
        {1424, "", ""},
        {1425, "", ""},
        {1426, "", ""},
        {0, "Local Roger-Tone", "本机结束音"},
        {1423, "", ""},
        {1429, "", ""},
        {1444, "", ""},
        {1427, "", ""},
    }};
    return kCaptions;
}

const std::array<FieldCaption, FunctionSettingPage::kFlagCount>&
FunctionSettingPage::FlagCaptions() {
    static const std::array<FieldCaption, kFlagCount> kCaptions = {{
        {1433, "", ""},
        {1435, "", ""},
        {1434, "", ""},
        {1432, "", ""},
        {1431, "", ""},
        {0, "Standby time", "待机时间"},
        {1436, "", ""},
        {1437, "", ""},
    }};
    return kCaptions;
}

std::size_t FunctionSettingPage::PttMaxLength(int type, int box) {
    if (type == kPttDtmf) {
        return kDtmfCodeLength;
    }
    return box == 1 ? kMskIdLength : kMskNameLength;
}

CharRule FunctionSettingPage::PttRule(int type, int box) {
    if (type == kPttDtmf) {
        return DtmfKey;
    }
    return box == 1 ? DigitKey : NameKey;
}

void FunctionSettingPage::setPttType(int type) {
    if (type != pttType) {
        pttType = type;
        ptt1.clear();
        ptt2.clear();
    }
}

std::string FunctionSettingPage::MessageFromImage(const CodeplugImage& image) {
    std::string text;
    for (int i = 0; i < kMessageLength; ++i) {
        const char c = static_cast<char>(image.at(addr::kPowerOnMessage + i));
        text += MessageKey(static_cast<unsigned char>(c)) ? c : ' ';
    }
    return text;
}

void FunctionSettingPage::load(CodeplugImage& image) {
    for (int i = 0; i < kChoiceCount; ++i) {
        choices[i] = LoadChoice(image, Choices()[i]);
    }
    for (int i = 0; i < kFlagCount; ++i) {
        flags[i] = LoadFlag(image, Flags()[i]);
    }
    powerOnMessage = MessageFromImage(image);
    image.write(addr::kPowerOnMessage, reinterpret_cast<const uint8_t*>(powerOnMessage.data()),
                kMessageLength);
    pttType = LoadChoice(image, kPttTypeField);
    ani = LoadFlag(image, kAni);
    loadPttCodes(image);
}

void FunctionSettingPage::loadPttCodes(const CodeplugImage& image) {
    if (pttType == kPttDtmf) {
        ptt1 = DecodeDtmf(image, addr::kPttIdBot, kDtmfCodeLength);
        ptt2 = DecodeDtmf(image, addr::kPttIdEot, kDtmfCodeLength);
        return;
    }
    ptt1 = DecodeHexDigits(image, addr::kPttIdMskId, kMskIdLength, 10);
    ptt2.clear();
    for (int i = 0; i < kMskNameLength; ++i) {
        const uint8_t b = image.at(addr::kPttIdMskName + i);
        if (b >= 0x20 && b <= 0x7E) {
            ptt2 += static_cast<char>(b);
        }
    }
}

void FunctionSettingPage::write(CodeplugImage& image) const {
    for (int i = 0; i < kChoiceCount; ++i) {
        StoreChoice(image, Choices()[i], choices[i]);
    }
    for (int i = 0; i < kFlagCount; ++i) {
        StoreFlag(image, Flags()[i], flags[i]);
    }
    StoreChoice(image, kPttTypeField, pttType);
    StoreFlag(image, kAni, ani);
    writePttCodes(image);
    for (int i = 0; i < kMessageLength; ++i) {
        const bool typed = i < static_cast<int>(powerOnMessage.size());
        image.set(addr::kPowerOnMessage + i, typed ? powerOnMessage[i] : ' ');
    }
}

void FunctionSettingPage::writePttCodes(CodeplugImage& image) const {
    // Only the codes of the chosen type; the other type's stay as they are.
    if (pttType == kPttDtmf) {
        EncodeDtmf(image, addr::kPttIdBot, kDtmfCodeLength, ptt1);
        EncodeDtmf(image, addr::kPttIdEot, kDtmfCodeLength, ptt2);
        return;
    }
    EncodeDtmf(image, addr::kPttIdMskId, kMskIdLength, ptt1);
    for (int i = 0; i < kMskNameLength; ++i) {
        const bool typed = i < static_cast<int>(ptt2.size());
        image.set(addr::kPttIdMskName + i, typed ? static_cast<uint8_t>(ptt2[i]) : 0xFF);
    }
}

std::vector<PageField> FunctionSettingPage::fields() const {
    std::vector<PageField> out;
    for (int i = 0; i < kChoiceCount; ++i) {
        out.push_back({Choices()[i].name, ListTexts(Choices()[i].list, 0)[choices[i]]});
    }
    for (int i = 0; i < kFlagCount; ++i) {
        out.push_back({Flags()[i].name, OnOffText(flags[i])});
    }
    out.push_back({"PowerOn Message", powerOnMessage});
    out.push_back({kPttTypeField.name, ListTexts(ListKind::PttIdType, 0)[pttType]});
    out.push_back({kAni.name, OnOffText(ani)});
    out.push_back({kPttFieldNames[pttType][0], ptt1});
    out.push_back({kPttFieldNames[pttType][1], ptt2});
    return out;
}

std::string FunctionSettingPage::setField(const std::string& name, const std::string& text) {
    for (int i = 0; i < kChoiceCount; ++i) {
        if (name == Choices()[i].name) {
            return ParseChoice(text, Choices()[i].list, choices[i]);
        }
    }
    for (int i = 0; i < kFlagCount; ++i) {
        if (name == Flags()[i].name) {
            bool on = false;
            std::string problem = ParseOnOff(text, on);
            if (problem.empty()) {
                flags[i] = on;
            }
            return problem;
        }
    }
    if (name == "PowerOn Message") {
        powerOnMessage = FilterText(text, MessageKey, kMessageLength);
        return {};
    }
    if (name == kPttTypeField.name) {
        int type = pttType;
        std::string problem = ParseChoice(text, ListKind::PttIdType, type);
        if (problem.empty()) {
            setPttType(type);
        }
        return problem;
    }
    if (name == kAni.name) {
        return ParseOnOff(text, ani);
    }
    for (int type : {kPttMsk, kPttDtmf}) {
        for (int box : {1, 2}) {
            if (name != kPttFieldNames[type][box - 1]) {
                continue;
            }
            if (type != pttType) {
                return "not shown for this PTT ID Type";
            }
            // A name keeps its case: the box makes typed letters upper case, but a
            // name read from a radio may hold lower-case ones.
            const CharRule rule = type == kPttMsk && box == 2 ? AsciiKey : PttRule(type, box);
            (box == 1 ? ptt1 : ptt2) = FilterText(text, rule, PttMaxLength(type, box));
            return {};
        }
    }
    return "unknown field";
}

} // namespace r57::settings
