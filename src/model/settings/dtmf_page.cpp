// DTMF signalling: codes are DTMF digit bytes, 0xFF padded.
#include "model/settings/dtmf_page.h"

#include "core/address_map.h"
#include "core/image.h"
#include "model/settings/settings_fields.h"

namespace r57::settings {

namespace {

// Bit 2 of 0x0833 is the decode mode here and, for the channels' optional signalling,
// the choice between 3- and 10-digit ID codes.
const ChoiceField kDecodeMode{"DTMF Signalling", addr::kIdCodeLengthByte, addr::kIdCodeLengthBit, 0,
                              ListKind::DecodeMode};
const ChoiceField kIntermediate{"Intermediate Code", addr::kDtmfIntermediate, 0xFF, 0,
                                ListKind::IntermediateCode};
constexpr int kGroupOffset = 9; // list index k stored as k + 9

std::string FastCallName(int n) {
    return "Fast Call " + std::to_string(n);
}

void WriteInhibit(CodeplugImage& image, int address, const std::string& code) {
    EncodeDtmf(image, address, DtmfPage::kInhibitLength, code);
    image.set(address + DtmfPage::kInhibitLength, static_cast<uint8_t>(code.size()));
}

} // namespace

void DtmfPage::load(CodeplugImage& image) {
    for (int n = 0; n < kFastCalls; ++n) {
        fastCalls[n] = DecodeDtmf(image, addr::kDtmfFastCall + 16 * n, kFastCallLength);
    }
    decodeMode = LoadChoice(image, kDecodeMode);
    intermediate = LoadChoice(image, kIntermediate);
    const int g = image.at(addr::kDtmfGroupCode);
    group = g >= 10 && g <= 15 ? g - kGroupOffset : 0;
    // The stored lengths are not read: the digits say how long a code is.
    transmitInhibit = DecodeDtmf(image, addr::kDtmfTransmitInhibit, kInhibitLength);
    transceiverInhibit = DecodeDtmf(image, addr::kDtmfTransceiverInhibit, kInhibitLength);
}

void DtmfPage::write(CodeplugImage& image) const {
    for (int n = 0; n < kFastCalls; ++n) {
        EncodeDtmf(image, addr::kDtmfFastCall + 16 * n, kFastCallLength, fastCalls[n]);
    }
    StoreChoice(image, kDecodeMode, decodeMode);
    StoreChoice(image, kIntermediate, intermediate);
    image.set(addr::kDtmfGroupCode, static_cast<uint8_t>(group == 0 ? 0 : group + kGroupOffset));
    WriteInhibit(image, addr::kDtmfTransmitInhibit, transmitInhibit);
    WriteInhibit(image, addr::kDtmfTransceiverInhibit, transceiverInhibit);
}

std::vector<PageField> DtmfPage::fields() const {
    std::vector<PageField> out;
    for (int n = 0; n < kFastCalls; ++n) {
        out.push_back({FastCallName(n), fastCalls[n]});
    }
    out.push_back({kDecodeMode.name, ListTexts(ListKind::DecodeMode, 0)[decodeMode]});
    out.push_back({kIntermediate.name, ListTexts(ListKind::IntermediateCode, 0)[intermediate]});
    out.push_back({"Group Code", ListTexts(ListKind::GroupCode, 0)[group]});
    out.push_back({"Transmit Inhibit Code", transmitInhibit});
    out.push_back({"Transceiver Inhibit Code", transceiverInhibit});
    return out;
}

std::string DtmfPage::setField(const std::string& name, const std::string& text) {
    for (int n = 0; n < kFastCalls; ++n) {
        if (name == FastCallName(n)) {
            fastCalls[n] = FilterText(text, DtmfKey, kFastCallLength);
            return {};
        }
    }
    if (name == kDecodeMode.name) {
        return ParseChoice(text, ListKind::DecodeMode, decodeMode);
    }
    if (name == kIntermediate.name) {
        return ParseChoice(text, ListKind::IntermediateCode, intermediate);
    }
    if (name == "Group Code") {
        return ParseChoice(text, ListKind::GroupCode, group);
    }
    if (name == "Transmit Inhibit Code") {
        transmitInhibit = FilterText(text, DtmfKey, kInhibitLength);
        return {};
    }
    if (name == "Transceiver Inhibit Code") {
        transceiverInhibit = FilterText(text, DtmfKey, kInhibitLength);
        return {};
    }
    return "unknown field";
}

} // namespace r57::settings
