// Shared helpers of the bank sheet tests: record bytes by channel, a session with both
// banks' sheets, and the check that the sheet's texts say what the image says.
#pragma once

#include "model/sheet/bank_sheet.h"

#include "core/channel.h"
#include "core/session.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>

namespace r57::test {

using Bytes16 = std::array<uint8_t, 16>;

inline Bytes16 RecordOf(const Session& s, int bank, int row) {
    Bytes16 r;
    s.image.read(RecordAddress(bank, row), r.data(), r.size());
    return r;
}

inline void SetRecord(Session& s, int bank, int row, const Bytes16& r) {
    s.image.write(RecordAddress(bank, row), r.data(), r.size());
}

inline std::string NameOf(const Session& s, int bank, int row) {
    CodeplugImage copy = s.image;
    return ReadChannelName(copy, NameSlot(bank, row));
}

inline Bytes16 Erased() {
    Bytes16 r;
    r.fill(0xFF);
    return r;
}

// A session with the sheets of both banks over it.
class TwoSheets : public ::testing::Test {
protected:
    Session s;
    BankSheet a{s, kBankA};
    BankSheet b{s, kBankB};
};

// Every cell of columns 1..14 but the name equals what a refresh of the image would
// show (names move in the grid first and reach the image with rewriteNames).
inline void ExpectInStep(const BankSheet& sheet, const Session& s) {
    CodeplugImage copy = s.image;
    BankTexts decoded = DecodeBank(copy, sheet.bank(), s.language);
    for (int row = 1; row <= kChannelRows; ++row) {
        for (int c = kColRx; c < kColumnCount; ++c) {
            if (c == kColName) {
                continue;
            }
            ASSERT_EQ(sheet.cell(row, c), decoded[row - 1][c]) << "row " << row << " col " << c;
        }
    }
}

} // namespace r57::test
