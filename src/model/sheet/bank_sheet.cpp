// The bank sheet's texts and its whole-channel commands. Every command changes the
// cell texts and the channel records together, so that the grid always shows what the
// radio will receive. Names move only in column 8; rewriteNames() stores them.
#include "model/sheet/bank_sheet.h"

#include "model/sheet/record_access.h"

#include "core/codecs.h"
#include "core/session.h"

namespace r57 {

using sheet::EmptyIdBlock;
using sheet::ErasedRecord;
using sheet::ReadIdBlock;
using sheet::ReadRecord;
using sheet::Record;
using sheet::WriteIdBlock;
using sheet::WriteRecord;

namespace {

bool ValidRow(int row) {
    return row >= 1 && row <= kChannelRows;
}

} // namespace

BankSheet::BankSheet(Session& session, int bank) : session_(session), bank_(bank) {
    // Show what the image holds without repairing it yet: building a sheet must not
    // count as an edit. refresh() does the repair when the bank is shown.
    CodeplugImage scratch = session_.image;
    cells_ = DecodeBank(scratch, bank_, session_.language);
}

const std::string& BankSheet::cell(int row, int column) const {
    static const std::string kNone;
    if (!ValidRow(row) || column < 0 || column >= kColumnCount) {
        return kNone;
    }
    return cells_[row - 1][column];
}

void BankSheet::refresh() {
    cells_ = DecodeBank(session_.image, bank_, session_.language);
}

void BankSheet::clearAll() {
    for (BankRow& r : cells_) {
        for (int c = kColRx; c < kColumnCount; ++c) {
            r[c].clear();
        }
    }
}

bool BankSheet::copy(int row, ChannelClipboard& clip) const {
    if (!ValidRow(row) || !rowUsed(row)) {
        return false;
    }
    Record record = ReadRecord(session_.image, bank_, row);
    if (record[0] == 0xFF) {
        return false;
    }
    clip.filled = true;
    clip.record = record;
    clip.idBlock = ReadIdBlock(session_.image, bank_, row);
    clip.texts = cells_[row - 1];
    clip.language = session_.language;
    return true;
}

void BankSheet::paste(int row, const ChannelClipboard& clip) {
    if (!ValidRow(row) || !clip.filled) {
        return; // nothing copied yet: nothing to paste
    }
    WriteRecord(session_.image, bank_, row, clip.record);
    WriteIdBlock(session_.image, bank_, row, clip.idBlock);
    BankRow& cells = cells_[row - 1];
    for (int c = kColRx; c < kColumnCount; ++c) {
        cells[c] = clip.texts[c];
    }
    if (clip.language == session_.language) {
        return;
    }
    // Copied in the other language: the texts that depend on it are told again from
    // the record (frequencies, the name and ">>" read the same in both).
    const int language = session_.language;
    const uint8_t* r = clip.record.data();
    for (int c : {kColDecode, kColEncode}) {
        const int at = c == kColDecode ? 8 : 10;
        if (!cells[c].empty()) {
            cells[c] = ToneTextFromBytes(r[at], r[at + 1], language);
        }
    }
    for (int c :
         {kColPower, kColScan, kColWidth, kColBcl, kColPttId, kColVox, kColOption, kColScrambler}) {
        if (!cells[c].empty()) {
            cells[c] = ChoiceText(r, c, language);
        }
    }
}

void BankSheet::clearRecord(int row) {
    if (!ValidRow(row)) {
        return;
    }
    WriteRecord(session_.image, bank_, row, ErasedRecord());
    EmptyIdBlock(session_.image, bank_, row);
    for (int c = kColRx; c < kColumnCount; ++c) {
        cells_[row - 1][c].clear();
    }
}

void BankSheet::clearChannel(int row) {
    commitRx(row, {});
}

int BankSheet::moveUp(int row) {
    if (!ValidRow(row) || row == 1) {
        return row;
    }
    Record upper = ReadRecord(session_.image, bank_, row - 1);
    Record lower = ReadRecord(session_.image, bank_, row);
    WriteRecord(session_.image, bank_, row - 1, lower);
    WriteRecord(session_.image, bank_, row, upper);
    const Record upperId = ReadIdBlock(session_.image, bank_, row - 1);
    WriteIdBlock(session_.image, bank_, row - 1, ReadIdBlock(session_.image, bank_, row));
    WriteIdBlock(session_.image, bank_, row, upperId);
    for (int c = kColRx; c < kColumnCount; ++c) {
        std::swap(cells_[row - 2][c], cells_[row - 1][c]);
    }
    return row - 1;
}

int BankSheet::moveDown(int row) {
    if (!ValidRow(row) || row == kChannelRows) {
        return row;
    }
    moveUp(row + 1);
    return row + 1;
}

void BankSheet::insert(int row) {
    if (!ValidRow(row)) {
        return;
    }
    for (int k = kChannelRows - 1; k >= row; --k) {
        WriteRecord(session_.image, bank_, k + 1, ReadRecord(session_.image, bank_, k));
        WriteIdBlock(session_.image, bank_, k + 1, ReadIdBlock(session_.image, bank_, k));
        for (int c = kColRx; c < kColumnCount; ++c) {
            cells_[k][c] = std::move(cells_[k - 1][c]);
        }
    }
    clearRecord(row);
}

void BankSheet::remove(int row) {
    if (!ValidRow(row)) {
        return;
    }
    for (int k = row; k < kChannelRows; ++k) {
        WriteRecord(session_.image, bank_, k, ReadRecord(session_.image, bank_, k + 1));
        WriteIdBlock(session_.image, bank_, k, ReadIdBlock(session_.image, bank_, k + 1));
        for (int c = kColRx; c < kColumnCount; ++c) {
            cells_[k - 1][c] = std::move(cells_[k][c]);
        }
    }
    clearRecord(kChannelRows);
}

void BankSheet::rewriteNames() {
    rewriteNames(session_.image);
}

void BankSheet::rewriteNames(CodeplugImage& image) const {
    for (int row = 1; row <= kChannelRows; ++row) {
        if (rowUsed(row)) {
            WriteChannelName(image, NameSlot(bank_, row),
                             std::string_view(cell(row, kColName)).substr(0, 7));
        }
    }
}

} // namespace r57
