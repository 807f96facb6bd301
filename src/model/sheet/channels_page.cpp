#include "model/sheet/channels_page.h"

#include "model/sheet/alternate_panel_rules.h"
#include "model/sheet/block_commands.h"
#include "model/sheet/grid_rules.h"

#include "core/address_map.h"
#include "core/band_limits.h"
#include "core/channel.h"
#include "core/codecs.h"
#include "core/message_ids.h"
#include "core/strings.h"

#include <algorithm>

namespace r57 {

namespace {

// The option-signalling fields after the fourteen grid fields of a channel.
enum SignalField { kSignalType, kSignalDecode, kAutoResponse, kIdCode, kSignalFieldCount };
constexpr const char* kSignalFieldNames[kSignalFieldCount] = {"Signal Type", "Signal Decode",
                                                              "Auto Response", "ID Code"};

constexpr const char* kEmptyChannel = "the channel is empty: give its RX Freq first";
constexpr const char* kNotTaken = "not a value of this field";

std::string FieldName(int bank, int row, const std::string& suffix) {
    return ChannelLabel(bank, row) + " " + suffix;
}

// "A12 TX Power" -> bank A, row 12, suffix "TX Power".
bool SplitName(const std::string& name, int& bank, int& row, std::string& suffix) {
    if (name.size() < 4 || (name[0] != 'A' && name[0] != 'B')) {
        return false;
    }
    const std::size_t space = name.find(' ');
    if (space == std::string::npos || space < 2 || space > 4) {
        return false;
    }
    row = 0;
    for (std::size_t i = 1; i < space; ++i) {
        if (name[i] < '0' || name[i] > '9') {
            return false;
        }
        row = row * 10 + (name[i] - '0');
    }
    if (row < 1 || row > kChannelRows || name[1] == '0') {
        return false;
    }
    bank = name[0] == 'A' ? kBankA : kBankB;
    suffix = name.substr(space + 1);
    return true;
}

} // namespace

ChannelsPage::ChannelsPage() {
    session_.bands = BandLimits::Defaults();
    session_.resetToDefaults();
    session_.language = kEnglish;
    sheets_[kBankA] = std::make_unique<BankSheet>(session_, kBankA);
    sheets_[kBankB] = std::make_unique<BankSheet>(session_, kBankB);
}

ChannelsPage::~ChannelsPage() = default;

void ChannelsPage::load(CodeplugImage& image) {
    session_.image = image;
    session_.bands = DecodeBandLimits(image);
    sheets_[kBankA]->refresh();
    sheets_[kBankB]->refresh();
}

void ChannelsPage::write(CodeplugImage& image) const {
    const CodeplugImage& from = session_.image;
    uint8_t bytes[addr::kRecordSize];
    for (int bank : {kBankA, kBankB}) {
        for (int row = 1; row <= kChannelRows; ++row) {
            from.read(RecordAddress(bank, row), bytes, addr::kRecordSize);
            image.write(RecordAddress(bank, row), bytes, addr::kRecordSize);
            if (!sheets_[bank]->rowUsed(row)) {
                continue; // an empty channel has no name or ID code to hand over
            }
            from.read(NameAddress(NameSlot(bank, row)), bytes, addr::kNameLength);
            image.write(NameAddress(NameSlot(bank, row)), bytes, addr::kNameLength);
            from.read(SignalIdAddress(bank, row), bytes, addr::kSignalIdCount + 1);
            image.write(SignalIdAddress(bank, row), bytes, addr::kSignalIdCount + 1);
        }
    }
}

void ChannelsPage::channelFields(int bank, int row, std::vector<PageField>& list) const {
    const BankSheet& sheet = *sheets_[bank];
    for (int c = kColRx; c < kColMore; ++c) {
        list.push_back({FieldName(bank, row, ColumnCaption(c, kEnglish)), sheet.cell(row, c)});
    }
    const ChannelSignalling s = ReadSignalling(session_.image, bank, row);
    const auto type = SignalTypeFromBits(s.typeBits);
    const std::string texts[kSignalFieldCount] = {
        type ? SignalTypeText(*type, kEnglish) : OtherSignalText(s.typeBits),
        std::to_string(s.decodeCode), Text(s.autoResponse ? kTextOn : kTextOff, kEnglish),
        s.idCode};
    for (int f = 0; f < kSignalFieldCount; ++f) {
        list.push_back({FieldName(bank, row, kSignalFieldNames[f]), texts[f]});
    }
}

std::vector<PageField> ChannelsPage::fields() const {
    std::vector<PageField> list;
    for (int bank : {kBankA, kBankB}) {
        for (int row = 1; row <= kChannelRows; ++row) {
            if (sheets_[bank]->rowUsed(row)) {
                channelFields(bank, row, list);
            }
        }
    }
    return list;
}

std::optional<std::string> ChannelsPage::fieldText(const std::string& name) const {
    int bank = 0;
    int row = 0;
    std::string suffix;
    if (!SplitName(name, bank, row, suffix) || !sheets_[bank]->rowUsed(row)) {
        return std::nullopt;
    }
    std::vector<PageField> list;
    channelFields(bank, row, list);
    for (PageField& field : list) {
        if (field.name == name) {
            return std::move(field.text);
        }
    }
    return std::nullopt;
}

std::string ChannelsPage::setField(const std::string& name, const std::string& text) {
    int bank = 0;
    int row = 0;
    std::string suffix;
    if (SplitName(name, bank, row, suffix)) {
        for (int c = kColRx; c < kColMore; ++c) {
            if (suffix == ColumnCaption(c, kEnglish)) {
                return setChannelField(bank, row, c, text);
            }
        }
        for (int f = 0; f < kSignalFieldCount; ++f) {
            if (suffix == kSignalFieldNames[f]) {
                return setSignalField(bank, row, f, text);
            }
        }
    }
    return "unknown field";
}

std::string ChannelsPage::setChannelField(int bank, int row, int column, const std::string& text) {
    BankSheet& sheet = *sheets_[bank];
    if (text == sheet.cell(row, column)) {
        return {}; // as in the grid, an unchanged text writes nothing
    }
    if (column != kColRx && !sheet.rowUsed(row)) {
        return kEmptyChannel;
    }
    // The grid's own path; a value it would not take as given is refused here, except
    // a frequency outside the band limits, which a file may hold from other limits and
    // takes the band's lower limit as in the grid.
    const std::optional<CellNote> note = CommitAsTyped(sheet, row, column, text);
    if (!note) {
        return {};
    }
    switch (note->kind) {
    case CellNote::kOutOfBand:
        return {};
    case CellNote::kNoSuchTone:
        return "no such QT/DQT tone";
    case CellNote::kNotAChoice:
    case CellNote::kReceiveOnly:
        return kNotTaken;
    case CellNote::kEmptyChannel:
        return kEmptyChannel;
    default:
        return "characters or length the field does not take";
    }
}

std::string ChannelsPage::setSignalField(int bank, int row, int which, const std::string& text) {
    if (!sheets_[bank]->rowUsed(row)) {
        return kEmptyChannel;
    }
    CodeplugImage& image = session_.image;
    const ChannelSignalling now = ReadSignalling(image, bank, row);
    switch (which) {
    case kSignalType:
        for (int bits = 0; bits < 16; ++bits) {
            const auto type = SignalTypeFromBits(bits);
            if (text == (type ? SignalTypeText(*type, kEnglish) : OtherSignalText(bits))) {
                WriteSignalTypeBits(image, bank, row, bits);
                return {};
            }
        }
        return kNotTaken;
    case kSignalDecode:
        if (text.size() != 1 || text[0] < '0' || text[0] > '7') {
            return "a digit 0 to 7";
        }
        WriteDecodeCode(image, bank, row, text[0] - '0');
        return {};
    case kAutoResponse:
        if (text != Text(kTextOff, kEnglish) && text != Text(kTextOn, kEnglish)) {
            return kNotTaken;
        }
        WriteAutoResponse(image, bank, row, text == Text(kTextOn, kEnglish));
        return {};
    case kIdCode:
        if (text == now.idCode) {
            return {};
        }
        if (!IdCodeEditAllowed(now.idCode, text, IdCodeLimit(image))) {
            return "digits only, at most " + std::to_string(IdCodeLimit(image));
        }
        WriteIdCode(image, bank, row, text);
        return {};
    default:
        return "unknown field";
    }
}

} // namespace r57
