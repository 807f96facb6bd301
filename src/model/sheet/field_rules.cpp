// The rules a committed channel field goes through before it reaches the record.
// Typing a receive frequency into an empty row is what creates a channel, and clearing
// it is what deletes one; every other field only edits a channel that exists.
#include "model/sheet/bank_sheet.h"

#include "model/sheet/grid_rules.h"
#include "model/sheet/record_access.h"

#include "core/codecs.h"
#include "core/message_ids.h"
#include "core/session.h"
#include "core/strings.h"

#include <optional>

namespace r57 {

using sheet::EncodeFrequency;
using sheet::ErasedRecord;
using sheet::FrequencyUnits;
using sheet::ReadRecord;
using sheet::Record;
using sheet::WriteRecord;

namespace {

// VHF and UHF channels may not share one channel's receive and transmit sides: a pair
// straddling 174 MHz is pulled back to simplex.
constexpr long long kBandSplitUnits = 174LL * 100000;

constexpr const char* kQtDqt = "QT/DQT";
constexpr const char* kChineseNone = "无";

bool ValidRow(int row) {
    return row >= 1 && row <= kChannelRows;
}

void SetBit(uint8_t& byte, uint8_t mask, bool on) {
    byte = on ? static_cast<uint8_t>(byte | mask) : static_cast<uint8_t>(byte & ~mask);
}

void SetBits(uint8_t& byte, uint8_t mask, int shift, int value) {
    byte = static_cast<uint8_t>((byte & ~mask) | ((value << shift) & mask));
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsOctal(char c) {
    return c >= '0' && c <= '7';
}

std::string NoneText(int language) {
    return ToneTextFromBytes(0xFF, 0xFF, language);
}

// The text handed to the tone encoder for what the user chose or typed, or nothing for
// "no tone". The encoder reads fixed character positions, so only the two shapes it
// understands get through: a QT tone "ddd.d" (shorter ones padded with zeros) and a DQT
// code "Dooo" followed by N or I. Anything else counts as no tone.
std::optional<std::string> ToneCodecText(std::string_view text) {
    if (text.empty() || text[0] == 'N' || text[0] == 'n' || text.substr(0, 3) == kChineseNone) {
        return std::nullopt;
    }
    if (text.size() == 5 && (text[0] == 'D' || text[0] == 'd') && IsOctal(text[1]) &&
        IsOctal(text[2]) && IsOctal(text[3])) {
        char polarity = text[4];
        if (polarity == 'N' || polarity == 'n' || polarity == 'I' || polarity == 'i') {
            std::string code(text);
            code[0] = 'D';
            code[4] = (polarity == 'N' || polarity == 'n') ? 'N' : 'I';
            return code;
        }
        return std::nullopt;
    }
    std::size_t point = text.find('.');
    if (point == std::string_view::npos || point == 0 || point > 3 || point + 2 != text.size() ||
        !IsDigit(text[point + 1])) {
        return std::nullopt;
    }
    bool nonZero = text[point + 1] != '0';
    for (std::size_t i = 0; i < point; ++i) {
        if (!IsDigit(text[i])) {
            return std::nullopt;
        }
        nonZero = nonZero || text[i] != '0';
    }
    if (!nonZero) {
        return std::nullopt;
    }
    return std::string(3 - point, '0') + std::string(text);
}

// Names hold the characters from space to "z", at most seven of them.
std::string FilterName(std::string_view text) {
    std::string name;
    for (char c : text) {
        auto code = static_cast<unsigned char>(c);
        if (code >= 32 && code <= 122 &&
            name.size() < static_cast<std::size_t>(addr::kNameLength)) {
            name.push_back(c);
        }
    }
    return name;
}

} // namespace

void BankSheet::commitRx(int row, std::string_view text) {
    if (!ValidRow(row)) {
        return;
    }
    BankRow& cells = cells_[row - 1];
    const int slot = NameSlot(bank_, row);
    if (text.empty()) {
        WriteRecord(session_.image, bank_, row, ErasedRecord());
        for (int c = kColRx; c < kColumnCount; ++c) {
            cells[c].clear();
        }
        WriteChannelName(session_.image, slot, {});
        sheet::EmptyIdBlock(session_.image, bank_, row);
        return;
    }

    // A channel exists once it has a receive frequency. Only a row without one is
    // created afresh, so retyping the frequency of a channel keeps its other fields.
    const bool created = cells[kColRx].empty();
    const std::string rx = SnapFrequency(text, 0, session_.bands);
    const auto rxBytes = EncodeFrequency(rx);
    Record record = created ? ErasedRecord() : ReadRecord(session_.image, bank_, row);
    std::copy(rxBytes.begin(), rxBytes.end(), record.begin());
    cells[kColRx] = rx;

    if (!created) {
        WriteRecord(session_.image, bank_, row, record);
        const std::string& tx = cells[kColTx];
        if (!tx.empty()) {
            long long rxUnits = FrequencyUnits(rx);
            long long txUnits = FrequencyUnits(tx);
            if ((rxUnits <= kBandSplitUnits) != (txUnits <= kBandSplitUnits)) {
                commitTx(row, rx);
            }
        }
        return;
    }

    // A new channel: simplex when the radio may transmit there, else receive-only
    // (transmit bytes erased, so the image says the same as the grid).
    const int language = session_.language;
    const bool canTransmit = session_.bands.contains(FrequencyUnits(rx) / 100000.0, 1);
    if (canTransmit) {
        std::copy(rxBytes.begin(), rxBytes.end(), record.begin() + 4);
    }
    std::copy(kNewChannelFlags.begin(), kNewChannelFlags.end(), record.begin() + 12);
    WriteRecord(session_.image, bank_, row, record);

    cells[kColTx] = canTransmit ? rx : std::string();
    cells[kColDecode] = NoneText(language);
    cells[kColEncode] = canTransmit ? NoneText(language) : std::string();
    for (int c :
         {kColPower, kColScan, kColWidth, kColBcl, kColPttId, kColVox, kColOption, kColScrambler}) {
        cells[c] = ChoiceText(record.data(), c, language);
    }
    cells[kColName].clear();
    WriteChannelName(session_.image, slot, {});
    cells[kColMore] = kMoreText;
}

void BankSheet::commitTx(int row, std::string_view text) {
    if (!ValidRow(row) || !rowUsed(row)) {
        return; // an empty channel gets its receive frequency first
    }
    BankRow& cells = cells_[row - 1];
    Record record = ReadRecord(session_.image, bank_, row);
    if (text.empty()) {
        // Receive-only: without a transmit frequency there is no encode tone either.
        std::fill(record.begin() + 4, record.begin() + 8, 0xFF);
        record[10] = record[11] = 0xFF;
        cells[kColTx].clear();
        cells[kColEncode].clear();
    } else {
        const std::string tx = SnapFrequency(text, 1, session_.bands);
        const auto txBytes = EncodeFrequency(tx);
        std::copy(txBytes.begin(), txBytes.end(), record.begin() + 4);
        cells[kColTx] = tx;
        if (cells[kColEncode].empty()) {
            cells[kColEncode] = NoneText(session_.language);
            record[10] = record[11] = 0xFF;
        }
    }
    WriteRecord(session_.image, bank_, row, record);
}

void BankSheet::commitTone(int row, int column, std::string_view text) {
    if (!ValidRow(row) || !rowUsed(row) || (column != kColDecode && column != kColEncode)) {
        return;
    }
    if (column == kColEncode && cell(row, kColTx).empty()) {
        return; // a receive-only channel sends no tone
    }
    std::array<uint8_t, 2> bytes{0xFF, 0xFF};
    if (auto codecText = ToneCodecText(text)) {
        bytes = ToneBytesFromText(*codecText);
    }
    Record record = ReadRecord(session_.image, bank_, row);
    const int offset = column == kColDecode ? 8 : 10;
    record[offset] = bytes[0];
    record[offset + 1] = bytes[1];
    WriteRecord(session_.image, bank_, row, record);
    // The cell shows the tone as the radio will have it ("088.5" reads back "88.5").
    cells_[row - 1][column] = ToneTextFromBytes(bytes[0], bytes[1], session_.language);
}

void BankSheet::commitChoice(int row, int column, std::string_view text) {
    if (!ValidRow(row) || !rowUsed(row)) {
        return;
    }
    const int language = session_.language;
    auto is = [&](int id) {
        return text == Text(id, language);
    };
    Record record = ReadRecord(session_.image, bank_, row);
    switch (column) {
    case kColPower:
        SetBit(record[12], 0x04, is(kTextHigh));
        break;
    case kColScan:
        SetBit(record[14], 0x40, is(kTextAdd));
        break;
    case kColWidth:
        SetBit(record[13], 0x08, is(kTextNarrow));
        break;
    case kColBcl:
        SetBits(record[13], 0x03, 0, text == kQtDqt ? 2 : is(kTextCarrier) ? 1 : 0);
        break;
    case kColPttId:
        SetBits(record[12], 0x30, 4, is(kTextBot) ? 1 : is(kTextEot) ? 2 : is(kTextBoth) ? 3 : 0);
        break;
    case kColVox:
        SetBit(record[13], 0x04, is(kTextOn));
        break;
    case kColOption:
        if (is(kTextCompand)) {
            SetBits(record[12], 0x03, 0, 1);
        } else if (is(kTextScramble)) {
            SetBits(record[12], 0x03, 0, 2);
        } else if (is(kTextOff)) {
            SetBits(record[12], 0x03, 0, 0);
        }
        break;
    case kColScrambler:
        if (text.size() == 1 && text[0] >= '1' && text[0] <= '8') {
            SetBits(record[14], 0x07, 0, text[0] - '1');
        }
        break;
    default:
        return;
    }
    WriteRecord(session_.image, bank_, row, record);
    // The cell shows what the record now holds, so a text that matched no choice
    // does not linger in the grid.
    cells_[row - 1][column] = ChoiceText(record.data(), column, language);
}

void BankSheet::commitName(int row, std::string_view text) {
    if (!ValidRow(row) || !rowUsed(row)) {
        return;
    }
    std::string name = FilterName(text);
    WriteChannelName(session_.image, NameSlot(bank_, row), name);
    cells_[row - 1][kColName] = std::move(name);
}

void BankSheet::commitCell(int row, int column, std::string_view text) {
    // The editor a column opens with is also the rule its value goes through.
    switch (EditorFor(column)) {
    case EditorKind::Text:
        if (column == kColRx) {
            commitRx(row, text);
        } else if (column == kColTx) {
            commitTx(row, text);
        } else {
            commitName(row, text);
        }
        break;
    case EditorKind::Tone:
        commitTone(row, column, text);
        break;
    case EditorKind::Choice:
        commitChoice(row, column, text);
        break;
    case EditorKind::None:
        break; // the label and "More" columns hold no value
    }
}

} // namespace r57
