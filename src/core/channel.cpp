// Channel records and names, and the cell texts of a bank's grid.
#include "core/channel.h"

#include "core/address_map.h"
#include "core/codecs.h"
#include "core/image.h"
#include "core/message_ids.h"
#include "core/strings.h"

#include <stdexcept>

namespace r57 {
namespace {

constexpr const char* kQtDqt = "QT/DQT"; // fixed text in both languages
constexpr const char* kPttIdCaption = "PTT ID";

// Captions of columns 0..14; 0 marks the fixed "PTT ID".
constexpr int kCaptionIds[kColumnCount] = {1345, 1347, 1348, 1140, 1139, 1049, 1051, 1050,
                                           1346, 1349, 0,    1350, 1351, 1352, 1356};

void CheckChannel(int bank, int channel) {
    if ((bank != 0 && bank != 1) || channel < 1 || channel > addr::kChannelsPerBank) {
        throw std::out_of_range("no channel " + std::to_string(channel) + " in bank " +
                                std::to_string(bank));
    }
}

// The next character of UTF-8 text from `pos` as one single-byte code: ASCII as itself,
// anything else (a multi-byte sequence or a stray byte) as '?'. Advances `pos` past it.
uint8_t NextNameCode(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<uint8_t>(text[pos++]);
    if (lead < 0x80)
        return lead;
    std::size_t length = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 1;
    if (lead >= 0xF5)
        length = 1;
    for (std::size_t k = 1; k < length; ++k) {
        if (pos >= text.size() || (static_cast<uint8_t>(text[pos]) & 0xC0) != 0x80)
            break;
        ++pos;
    }
    return '?';
}

bool FrequencyIsSet(const uint8_t* field) {
    std::string digits;
    for (int i = 0; i < 4; ++i)
        digits += NibbleText(field[i]);
    return LeadingNumber(digits) != 0;
}

} // namespace

int RecordAddress(int bank, int channel) {
    CheckChannel(bank, channel);
    const int base = bank == 0 ? addr::kBankARecords : addr::kBankBRecords;
    return base + (channel - 1) * addr::kRecordSize;
}

int NameSlot(int bank, int channel) {
    CheckChannel(bank, channel);
    return channel + bank * addr::kChannelsPerBank;
}

int NameAddress(int slot) {
    if (slot < 1 || slot > addr::kNameSlots) {
        throw std::out_of_range("no name slot " + std::to_string(slot));
    }
    return addr::kNames + (slot - 1) * addr::kNameLength;
}

int SignalIdAddress(int bank, int channel) {
    CheckChannel(bank, channel);
    const int base = bank == 0 ? addr::kBankASignalIds : addr::kBankBSignalIds;
    return base + (channel - 1) * addr::kRecordSize;
}

std::string ChannelLabel(int bank, int channel) {
    CheckChannel(bank, channel);
    return (bank == 0 ? "A" : "B") + std::to_string(channel);
}

std::string ReadChannelName(CodeplugImage& image, int slot) {
    const int address = NameAddress(slot);
    std::string name;
    for (int j = 0; j < addr::kNameLength; ++j) {
        uint8_t byte = image.at(address + j);
        if (byte < 0x20 || byte > 0x7A) {
            byte = 0x20;
            image.set(address + j, byte);
        }
        name += static_cast<char>(byte);
    }
    return name;
}

void WriteChannelName(CodeplugImage& image, int slot, std::string_view text) {
    const int address = NameAddress(slot);
    uint8_t buffer[addr::kNameLength];
    std::size_t pos = 0;
    for (uint8_t& byte : buffer)
        byte = pos < text.size() ? NextNameCode(text, pos) : 0x20;
    image.write(address, buffer, sizeof buffer);
}

std::string ColumnCaption(int column, int language) {
    if (column < 0 || column >= kColumnCount)
        return {};
    if (column == kColPttId)
        return kPttIdCaption;
    return Text(kCaptionIds[column], language);
}

std::vector<std::string> ColumnChoices(int column, int language) {
    auto texts = [language](std::initializer_list<int> ids) {
        std::vector<std::string> list;
        for (int id : ids)
            list.push_back(Text(id, language));
        return list;
    };
    switch (column) {
    case kColPower:
        return texts({kTextHigh, kTextLow});
    case kColScan:
        return texts({kTextDel, kTextAdd});
    case kColWidth:
        return texts({kTextWide, kTextNarrow});
    case kColBcl: {
        std::vector<std::string> list = texts({kTextOff, kTextCarrier});
        list.push_back(kQtDqt);
        return list;
    }
    case kColPttId:
        return texts({kTextOff, kTextBot, kTextEot, kTextBoth});
    case kColVox:
        return texts({kTextOff, kTextOn});
    case kColOption:
        return texts({kTextOff, kTextCompand, kTextScramble});
    case kColScrambler:
        return {"1", "2", "3", "4", "5", "6", "7", "8"};
    default:
        return {};
    }
}

std::string ChoiceText(const uint8_t record[16], int column, int language) {
    const uint8_t flags1 = record[12], flags2 = record[13], flags3 = record[14];
    switch (column) {
    case kColPower:
        return Text(flags1 & 0x04 ? kTextHigh : kTextLow, language);
    case kColScan:
        return Text(flags3 & 0x40 ? kTextAdd : kTextDel, language);
    case kColWidth:
        return Text(flags2 & 0x08 ? kTextNarrow : kTextWide, language);
    case kColBcl:
        switch (flags2 & 0x03) {
        case 1:
            return Text(kTextCarrier, language);
        case 2:
            return kQtDqt;
        default:
            return Text(kTextOff, language); // 0, and 3 shown as "Off"
        }
    case kColPttId: {
        constexpr int kPttIds[4] = {kTextOff, kTextBot, kTextEot, kTextBoth};
        return Text(kPttIds[(flags1 >> 4) & 0x03], language);
    }
    case kColVox:
        return Text(flags2 & 0x04 ? kTextOn : kTextOff, language);
    case kColOption: {
        // 3 is shown as "Off".
        constexpr int kOptionIds[4] = {kTextOff, kTextCompand, kTextScramble, kTextOff};
        return Text(kOptionIds[flags1 & 0x03], language);
    }
    case kColScrambler:
        return std::to_string((flags3 & 0x07) + 1);
    default:
        return {};
    }
}

BankTexts DecodeBank(CodeplugImage& image, int bank, int language) {
    BankTexts rows;
    for (int channel = 1; channel <= kChannelRows; ++channel) {
        BankRow& row = rows[static_cast<std::size_t>(channel - 1)];
        row[kColLabel] = ChannelLabel(bank, channel);
        const int address = RecordAddress(bank, channel);
        uint8_t record[addr::kRecordSize];
        image.read(address, record, sizeof record);

        if (!FrequencyIsSet(record)) {
            // Empty channel: empty cells, and the record held as 16 x 0xFF.
            for (uint8_t& byte : record)
                byte = 0xFF;
            image.write(address, record, sizeof record);
            continue;
        }
        row[kColRx] = FrequencyTextFromBytes(record);
        row[kColDecode] = ToneTextFromBytes(record[8], record[9], language);
        if (FrequencyIsSet(record + 4)) {
            row[kColTx] = FrequencyTextFromBytes(record + 4);
            row[kColEncode] = ToneTextFromBytes(record[10], record[11], language);
        } else {
            // No transmit frequency, so no encode tone either.
            for (int i : {4, 5, 6, 7, 10, 11})
                record[i] = 0xFF;
            image.write(address, record, sizeof record);
        }
        for (int column : {kColPower, kColScan, kColWidth, kColBcl, kColPttId, kColVox, kColOption,
                           kColScrambler}) {
            row[static_cast<std::size_t>(column)] = ChoiceText(record, column, language);
        }
        row[kColName] = ReadChannelName(image, NameSlot(bank, channel));
        row[kColMore] = kMoreText;
    }
    return rows;
}

} // namespace r57
