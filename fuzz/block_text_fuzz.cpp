// libFuzzer target for the clipboard reader: whatever text another program puts on the
// clipboard, a paste reads it into columns the grid has, changes only the rows it
// reaches, never deletes a channel or touches an ID code, keeps the cells in step with
// the image, and what it wrote reads back from our own copy cell for cell.
#include "model/sheet/bank_sheet.h"
#include "model/sheet/block_commands.h"

#include "core/channel.h"
#include "core/session.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using namespace r57;

Session Base() {
    Session s;
    BankSheet a(s, kBankA);
    a.refresh(); // the image as a shown bank has it
    for (int row = 1; row <= kChannelRows; row += 3) {
        a.commitRx(row, row % 2 ? "446.00625" : "145.5");
        a.commitName(row, " CH");
        s.image.set(SignalIdAddress(kBankA, row), static_cast<uint8_t>(row % 10));
    }
    a.commitTx(4, "");
    a.rewriteNames();
    return s;
}

bool Used(const CodeplugImage& image, int row) {
    return image.at(RecordAddress(kBankA, row)) != 0xFF;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const Session base = Base();
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    Session s = base;
    BankSheet sheet(s, kBankA);
    sheet.refresh();
    const int firstColumn = kColRx + static_cast<int>(size % 13);
    const int start = 1 + static_cast<int>(size % kChannelRows);

    const BlockTable table = ReadBlockText(input, firstColumn);
    for (int c : table.columns) {
        if (c < -1 || c >= kColMore) {
            std::abort(); // a column the grid does not have
        }
    }
    const PasteResult result = PasteTable(sheet, start, table);
    if (result.lastRow < start - 1 || result.lastRow > kChannelRows) {
        std::abort();
    }
    for (int address = 0; address < CodeplugImage::kSize; ++address) {
        const bool record = address >= RecordAddress(kBankA, start) &&
                            address < RecordAddress(kBankA, 1) + result.lastRow * 16;
        const bool name = address >= NameAddress(NameSlot(kBankA, start)) &&
                          address < NameAddress(NameSlot(kBankA, 1)) + result.lastRow * 7;
        if (!record && !name && s.image.at(address) != base.image.at(address)) {
            std::abort(); // outside the rows it reached, or an ID code
        }
    }
    for (int row = 1; row <= kChannelRows; ++row) {
        if (Used(base.image, row) && !Used(s.image, row)) {
            std::abort(); // a paste never deletes a channel
        }
    }
    CodeplugImage copy = s.image;
    const BankTexts decoded = DecodeBank(copy, kBankA, s.language);
    std::vector<int> rows;
    for (int row = 1; row <= kChannelRows; ++row) {
        for (int c = kColRx; c < kColumnCount; ++c) {
            if (c != kColName && decoded[row - 1][c] != sheet.cell(row, c)) {
                std::abort(); // the grid shows what the radio will not receive
            }
        }
        if (row >= start && row <= result.lastRow) {
            rows.push_back(row);
        }
    }
    const BlockTable back = ReadBlockText(BlockText(sheet, rows));
    if (back.rows.size() != rows.size()) {
        std::abort();
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        for (int c = kColLabel; c < kColMore; ++c) {
            if (back.rows[i].size() != static_cast<std::size_t>(kColMore) ||
                back.rows[i][c] != sheet.cell(rows[i], c)) {
                std::abort(); // our own copy does not read back
            }
        }
    }
    for (int language : {kEnglish, kChinese}) {
        NoteTexts(result.notes, kBankA, language);
    }
    return 0;
}
