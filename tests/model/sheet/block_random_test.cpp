// Random sequences of block commands against a plain model of the two banks: a list of
// channels, each its record, name and ID block. After every command each channel the
// command did not name is exactly as before, every channel it moved arrived whole, no
// byte outside the channel tables changed, and undo gives back the image byte for byte.
#include "sheet_fixture.h"

#include "model/sheet/block_commands.h"
#include "model/sheet/record_access.h"

#include "core/undo_history.h"

#include <algorithm>
#include <random>
#include <sstream>

namespace r57::test {
namespace {

struct Channel {
    Bytes16 record;
    std::string name; // column 8 without the padding after it
    Bytes16 id;
    bool operator==(const Channel& o) const {
        return record == o.record && name == o.name && id == o.id;
    }
};
using Bank = std::vector<Channel>; // rows 1..128 at 0..127

std::string Unpadded(std::string s) {
    s.erase(s.find_last_not_of(' ') + 1);
    return s;
}

Channel Emptied(Channel c) {
    c.record = Erased();
    c.name.clear();
    std::fill(c.id.begin(), c.id.begin() + 10, 0xFF);
    c.id[10] = 0;
    return c;
}

bool Used(const Channel& c) {
    return c.record[0] != 0xFF;
}

bool IsChannelTable(int address) {
    return (address >= 0x0010 && address < 0x0710) || (address >= 0x1000 && address < 0x2000) ||
           (address >= 0x2000 && address < 0x3000);
}

class RandomBlocks : public TwoSheets {
protected:
    std::mt19937 rng{20261208};
    std::ostringstream trail; // the commands of the sequence, for a failure's message

    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); }

    Bank Read(const BankSheet& sheet) const {
        Bank bank(kChannelRows);
        for (int row = 1; row <= kChannelRows; ++row) {
            bank[row - 1] = {RecordOf(s, sheet.bank(), row), Unpadded(sheet.cell(row, kColName)),
                             sheet::ReadIdBlock(s.image, sheet.bank(), row)};
        }
        return bank;
    }

    // A bank with some channels of every kind, random ID blocks and signalling bits.
    void Populate(BankSheet& sheet) {
        sheet.refresh();
        static const char* kNames[] = {"  HOME", "VOX", "Rpt 1", "", "\"Q\"", "a\tb"};
        for (int row = 1; row <= kChannelRows; ++row) {
            if (Pick(0, 2) == 0) {
                continue;
            }
            sheet.commitRx(row, Pick(0, 1) ? "446.00625" : std::to_string(Pick(400, 479)) + ".5");
            if (Pick(0, 3) == 0) {
                sheet.commitTx(row, "");
            }
            sheet.commitName(row, kNames[Pick(0, 5)]);
            sheet.commitChoice(row, kColPower, Pick(0, 1) ? "Low" : "High");
            Bytes16 id;
            for (auto& b : id) {
                b = static_cast<uint8_t>(Pick(0, 255));
            }
            sheet::WriteIdBlock(s.image, sheet.bank(), row, id);
            s.image.set(RecordAddress(sheet.bank(), row) + 13,
                        static_cast<uint8_t>(Pick(0, 15) << 4));
        }
        sheet.rewriteNames();
        sheet.refresh();
    }

    std::vector<int> Selection() {
        std::vector<int> rows;
        if (Pick(0, 2) == 0) {
            for (int row = 1; row <= kChannelRows; ++row) {
                if (Pick(0, 9) == 0) {
                    rows.push_back(row);
                }
            }
        } else {
            const int first = Pick(1, kChannelRows);
            const int last = std::min(kChannelRows, first + Pick(0, 12));
            for (int row = first; row <= last; ++row) {
                rows.push_back(row);
            }
        }
        if (rows.empty()) {
            rows.push_back(Pick(1, kChannelRows));
        }
        return rows;
    }
};

TEST_F(RandomBlocks, EveryCommandKeepsWhatItDoesNotNameAndUndoGivesTheImageBack) {
    for (int sequence = 0; sequence < 2000; ++sequence) {
        s = Session();
        Populate(a);
        Populate(b);
        UndoHistory history;
        history.reset(s.image, {});
        std::vector<CodeplugImage> images{s.image}; // at each checkpoint
        std::vector<std::pair<Bank, Bank>> models{{Read(a), Read(b)}};
        trail.str("");
        trail << "sequence " << sequence << ":";
        std::vector<ChannelClipboard> block;
        std::string text;
        for (int step = 0; step < 6; ++step) {
            const Bank beforeA = Read(a);
            const Bank beforeB = Read(b);
            const CodeplugImage image = s.image;
            Bank wantA = beforeA;
            Bank wantB = beforeB;
            std::vector<bool> named(kChannelRows, false); // rows of A the command rewrites
            const std::vector<int> rows = Selection();
            const int command = Pick(0, 10);
            trail << " " << command << "@" << rows.front() << "+" << rows.size();
            switch (command) {
            case 0: // copy, and cut
            case 1:
                block = CopyRows(a, rows);
                text = BlockText(a, rows);
                if (command == 1) {
                    for (int row : rows) {
                        a.clearRecord(row);
                        wantA[row - 1] = Emptied(wantA[row - 1]);
                    }
                }
                break;
            case 2: { // paste our own block
                const int last = PasteRows(a, rows.front(), block);
                for (std::size_t i = 0; i < block.size() && rows.front() + i <= kChannelRows; ++i) {
                    Channel& c = wantA[rows.front() - 1 + i];
                    c = block[i].filled
                            ? Channel{block[i].record, Unpadded(block[i].texts[kColName]),
                                      block[i].idBlock}
                            : Emptied(c);
                }
                EXPECT_EQ(last, std::min<int>(kChannelRows, rows.front() + block.size() - 1));
                break;
            }
            case 3: { // paste text: ours, or as a spreadsheet gives it with an empty line
                if (text.empty()) {
                    break;
                }
                std::string pasted = text;
                if (Pick(0, 1)) {
                    const std::size_t line = pasted.find('\n', pasted.find('\n') + 1);
                    if (line != std::string::npos) {
                        pasted.insert(line + 1, "\r\n");
                    }
                }
                const BlockTable table = ReadBlockText(pasted);
                const PasteResult r = PasteTable(a, rows.front(), table);
                ASSERT_EQ(r.lastRow - rows.front() + 1 + r.notPasted,
                          static_cast<int>(table.rows.size()))
                    << trail.str();
                // A line's cells land as given; an empty line keeps its channel whole.
                for (int row = rows.front(); row <= r.lastRow; ++row) {
                    const auto& cells = table.rows[row - rows.front()];
                    for (int c = kColRx; c < kColMore && c < int(cells.size()); ++c) {
                        if (!TrimBlanks(cells[c]).empty()) {
                            named[row - 1] = true;
                            ASSERT_EQ(Unpadded(a.cell(row, c)), Unpadded(cells[c]))
                                << "A" << row << " column " << c << " " << trail.str();
                        }
                    }
                }
                break;
            }
            case 4: { // fill a column
                static const std::pair<int, const char*> kFills[] = {
                    {kColName, "  NEW"}, {kColPower, "low"},  {kColTx, ""},
                    {kColRx, ""},        {kColTx, "447.1"},   {kColDecode, "88.5"},
                    {kColRx, "440,1"},   {kColScan, "Maybe"}, {kColName, ""}};
                const auto& [column, value] = kFills[Pick(0, 8)];
                FillColumn(a, rows, column, value);
                for (int row : rows) {
                    // An empty RX Freq is never filled; an empty channel waits for one.
                    named[row - 1] = column == kColRx ? *value != '\0' : Used(beforeA[row - 1]);
                }
                break;
            }
            case 5: { // sort
                const BankOrder order = SortOrder(a, rows, SortKey(Pick(0, 2)), Pick(0, 1));
                ApplyOrder(a, order);
                for (int k = 0; k < kChannelRows; ++k) {
                    wantA[k] = beforeA[order[k] - 1];
                }
                break;
            }
            case 6: { // Ctrl+Shift+Up or Down: each row swaps with its neighbour
                const int by = Pick(0, 1) ? 1 : -1;
                MoveBlock(a, rows, by);
                if ((by < 0 && rows.front() > 1) || (by > 0 && rows.back() < kChannelRows)) {
                    auto swapOne = [&](int row) {
                        std::swap(wantA[row - 1], wantA[row - 1 + by]);
                    };
                    if (by < 0) {
                        std::for_each(rows.begin(), rows.end(), swapOne);
                    } else {
                        std::for_each(rows.rbegin(), rows.rend(), swapOne);
                    }
                }
                break;
            }
            case 7: { // drag the labels before another row
                const int before = Pick(1, kChannelRows + 1);
                ApplyOrder(a, DropOrder(rows, before));
                Bank moving;
                Bank rest;
                int at = 0;
                for (int row = 1; row <= kChannelRows; ++row) {
                    const bool moves = std::count(rows.begin(), rows.end(), row) > 0;
                    (moves ? moving : rest).push_back(beforeA[row - 1]);
                    at += !moves && row < before ? 1 : 0;
                }
                rest.insert(rest.begin() + at, moving.begin(), moving.end());
                wantA = rest;
                break;
            }
            case 8: // delete, from the bottom as the window does; or insert one row
                if (Pick(0, 3) == 0) {
                    a.insert(rows.front());
                    wantA.insert(wantA.begin() + rows.front() - 1,
                                 Emptied(wantA[rows.front() - 1]));
                    wantA.pop_back();
                    break;
                }
                for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
                    a.remove(*it);
                    const Channel last = wantA.back();
                    wantA.erase(wantA.begin() + (*it - 1));
                    wantA.push_back(Emptied(last));
                }
                break;
            case 9: { // to bank B
                const std::vector<int> moved = MoveToBank(a, b, rows);
                std::vector<int> used;
                for (int row : rows) {
                    if (Used(beforeA[row - 1])) {
                        used.push_back(row);
                    }
                }
                for (std::size_t i = 0; i < moved.size(); ++i) {
                    ASSERT_EQ(moved.size(), used.size()) << trail.str();
                    ASSERT_FALSE(Used(beforeB[moved[i] - 1])) << trail.str();
                    wantB[moved[i] - 1] = beforeA[used[i] - 1];
                    wantA[used[i] - 1] = Emptied(beforeA[used[i] - 1]);
                }
                break;
            }
            case 10: // undo: the image and the channels of the checkpoint before
                if (images.size() > 1) {
                    UndoContext context;
                    ASSERT_TRUE(history.undo(s.image, context));
                    images.pop_back();
                    models.pop_back();
                    ASSERT_EQ(s.image, images.back()) << trail.str();
                    a.refresh();
                    b.refresh();
                    wantA = models.back().first;
                    wantB = models.back().second;
                }
                break;
            }
            const Bank nowA = Read(a);
            const Bank nowB = Read(b);
            for (int k = 0; k < kChannelRows; ++k) {
                if (named[k]) {
                    ASSERT_EQ(nowA[k].id, wantA[k].id) << "A" << k + 1 << " " << trail.str();
                } else {
                    ASSERT_EQ(nowA[k], wantA[k]) << "A" << k + 1 << " " << trail.str();
                }
                ASSERT_EQ(nowB[k], wantB[k]) << "B" << k + 1 << " " << trail.str();
            }
            a.rewriteNames();
            b.rewriteNames();
            for (int address = 0; address < CodeplugImage::kSize; ++address) {
                if (!IsChannelTable(address) && s.image.at(address) != image.at(address)) {
                    FAIL() << "byte " << address << " " << trail.str();
                }
            }
            ExpectInStep(a, s);
            if (command != 10 && history.checkpoint(s.image, {})) {
                images.push_back(s.image);
                models.push_back({nowA, nowB});
            }
        }
        // Undo all the way: the image the sequence started from, byte for byte.
        UndoContext context;
        while (history.undo(s.image, context)) {
        }
        ASSERT_EQ(s.image, images.front()) << trail.str();
    }
}

} // namespace
} // namespace r57::test
