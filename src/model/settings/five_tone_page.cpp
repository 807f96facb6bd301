// 5-Tone signalling: digit bytes 0..13 (the hexadecimal value of 0-9, A-D).
#include "model/settings/five_tone_page.h"

#include "core/address_map.h"
#include "core/image.h"
#include "model/settings/settings_fields.h"

namespace r57::settings {

namespace {

const ChoiceField kRespond{"Respond Waiting Time", addr::kFiveToneRespond, 0xFF, 1,
                           ListKind::RespondTime};
const ChoiceField kFixDigit{"Fix Digit", addr::kFiveToneFixDigit, 0xFF, 0, ListKind::FixDigit};
constexpr const char* kCodeNames[FiveTonePage::kCodes] = {"Transceiver Inhibit Code",
                                                          "Transmit Inhibit Code", "Wait-Up Code"};
constexpr int kDigitLimit = 14; // bytes 0..13 are digits
constexpr uint8_t kCodeMark = 0x0E;
constexpr int kCodeSize = 8;
constexpr int kIdSize = 6;

// Tenths of a hertz for digits 0..F, one row a standard: CCIR1, CCIR2, CCITT, EEA, EIA,
// NATEL, ZVEI1, ZVEI2.
constexpr int kTones[FiveTonePage::kStandards][16] = {
    {19810, 11240, 11970, 12750, 13580, 14460, 15400, 16400, 17470, 18600, 24000, 9300, 22470, 9910,
     21100, 0},
    {19810, 11240, 11970, 12750, 13580, 14460, 15400, 16400, 17470, 18600, 24000, 9300, 22470, 9910,
     21100, 0},
    {4000, 6970, 7700, 8520, 9410, 12090, 13350, 14770, 16330, 18000, 19000, 20000, 21000, 22000,
     23000, 0},
    {19810, 11240, 11970, 12750, 13580, 14460, 15400, 16400, 17470, 18600, 10550, 9300, 24000, 9910,
     21100, 0},
    {6000, 7410, 8820, 10230, 11640, 13050, 14460, 15870, 17280, 18690, 21510, 24330, 20100, 22920,
     4590, 0},
    {16330, 6310, 6970, 7700, 8520, 9410, 10400, 12090, 13360, 14770, 19950, 5710, 22050, 24370,
     18050, 0},
    {24000, 10600, 11600, 12700, 14000, 15300, 16700, 18300, 20000, 22000, 28000, 8100, 9700, 8850,
     26000, 0},
    {24000, 10600, 11600, 12700, 14000, 15300, 16700, 18300, 20000, 22000, 8850, 8100, 7400, 6800,
     9700, 0},
};

int CodeAddress(int i) {
    return addr::kFiveToneControl + kCodeSize * i;
}

int IdAddress(int row) {
    return addr::kFiveToneIdList + kIdSize * row;
}

std::string IdName(int row) {
    return "ID " + std::to_string(row + 1);
}

} // namespace

std::string FiveTonePage::ToneText(int standard, int digit) {
    const int tenths = kTones[standard][digit];
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

int FiveTonePage::shortCode() const {
    for (int i = 0; i < kCodes; ++i) {
        if (!codes[i].empty() && codes[i].size() < kCodeLength) {
            return i;
        }
    }
    return -1;
}

std::string FiveTonePage::SettleId(const std::string& text) {
    std::string id = text;
    if (!id.empty() && id.size() < kIdLength) {
        id.append(kIdLength - id.size(), 'A');
    }
    return id;
}

void FiveTonePage::completeIdRow(int row) {
    IdRow& r = ids[row];
    if (r.id.empty()) {
        r.standard = -1; // an ID cleared takes its entry with it
    } else if (r.standard < 0) {
        r.standard = 0;
    }
}

void FiveTonePage::load(CodeplugImage& image) {
    respond = LoadChoice(image, kRespond);
    fixDigit = LoadChoice(image, kFixDigit);
    for (int i = 0; i < kCodes; ++i) {
        // The leading 0x0E mark and the 0xFF padding are not digits.
        codes[i] =
            DecodeHexDigits(image, CodeAddress(i), kCodeSize, kDigitLimit).substr(0, kCodeLength);
    }
    for (int row = 0; row < kIds; ++row) {
        const int standard = image.at(IdAddress(row));
        ids[row].standard = standard < kStandards ? standard : -1;
        ids[row].id = DecodeHexDigits(image, IdAddress(row) + 1, kIdLength, kDigitLimit);
    }
}

void FiveTonePage::write(CodeplugImage& image) const {
    StoreChoice(image, kRespond, respond);
    StoreChoice(image, kFixDigit, fixDigit);
    for (int i = 0; i < kCodes; ++i) {
        // A code's unused positions are 0xFF, so a shorter code never keeps digits of
        // the longer one it replaced.
        EncodeHexDigits(image, CodeAddress(i), kCodeSize, codes[i]);
        if (!codes[i].empty()) {
            EncodeHexDigits(image, CodeAddress(i) + 1, kCodeSize - 1, codes[i]);
            image.set(CodeAddress(i), kCodeMark);
        }
    }
    for (int row = 0; row < kIds; ++row) {
        const int standard = ids[row].standard;
        image.set(IdAddress(row), standard < 0 ? 0xFF : static_cast<uint8_t>(standard));
        EncodeHexDigits(image, IdAddress(row) + 1, kIdLength, ids[row].id);
    }
}

std::vector<PageField> FiveTonePage::fields() const {
    const auto standards = ListTexts(ListKind::FiveToneStandard, 0);
    std::vector<PageField> out = {
        {kRespond.name, ListTexts(ListKind::RespondTime, 0)[respond]},
        {kFixDigit.name, ListTexts(ListKind::FixDigit, 0)[fixDigit]},
    };
    for (int i = 0; i < kCodes; ++i) {
        out.push_back({kCodeNames[i], codes[i]});
    }
    for (int row = 0; row < kIds; ++row) {
        const int standard = ids[row].standard;
        out.push_back({IdName(row) + " Standard", standard < 0 ? "" : standards[standard]});
        out.push_back({IdName(row), ids[row].id});
    }
    return out;
}

std::string FiveTonePage::setField(const std::string& name, const std::string& text) {
    if (name == kRespond.name) {
        return ParseChoice(text, ListKind::RespondTime, respond);
    }
    if (name == kFixDigit.name) {
        return ParseChoice(text, ListKind::FixDigit, fixDigit);
    }
    for (int i = 0; i < kCodes; ++i) {
        if (name == kCodeNames[i]) {
            codes[i] = FilterText(text, FiveToneKey, kCodeLength);
            return {};
        }
    }
    for (int row = 0; row < kIds; ++row) {
        if (name == IdName(row) + " Standard") {
            if (text.empty()) {
                ids[row].standard = -1;
                return {};
            }
            return ParseChoice(text, ListKind::FiveToneStandard, ids[row].standard);
        }
        if (name == IdName(row)) {
            ids[row].id = SettleId(FilterText(text, FiveToneKey, kIdLength));
            return {};
        }
    }
    return "unknown field";
}

} // namespace r57::settings
