// Commands over a block of channels of one bank: paste, fill, sort, move and find.
// Each is the single-row rule of the bank sheet applied row by row (a value as if the
// user typed it into the cell, a channel moved as CH-Up and CH-Down move one), so a
// block can never store what a single edit could not. The caller wraps a command in
// one change of the image, which makes it one undo step.
#pragma once

#include "model/sheet/bank_sheet.h"
#include "model/sheet/block_text.h"
#include "model/sheet/cell_notes.h"

#include "core/channel.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace r57 {

// The one path of a value into a channel's cell, whether typed into the grid's editor
// or the panel, filled, pasted or set by a fleet rule: the editor's character filter,
// the QT/DQT list, the column's choices (in either language), the band limits. Blanks
// around the text go, except a name's leading spaces (names are centred with them). A
// field of an empty channel other than its receive frequency is refused: the channel
// gets its receive frequency first. Nothing is written when the value equals what the
// cell shows. Returns a note when the value was refused or replaced.
std::optional<CellNote> CommitAsTyped(BankSheet& sheet, int row, int column, std::string_view text);

// `value` into `column` of every row in `rows`, each through CommitAsTyped. An empty
// receive frequency is never filled: it would delete the channels (Delete does that,
// and asks).
std::vector<CellNote> FillColumn(BankSheet& sheet, const std::vector<int>& rows, int column,
                                 std::string_view value);

// Text read from the clipboard into the rows from `startRow` down, cell by cell through
// CommitAsTyped, the receive frequency first (it creates the channel). A line whose
// receive frequency is refused is refused whole; an empty cell changes nothing, and an
// empty line keeps its channel, so a paste never deletes a channel. Stops at the end of
// the bank. `lastRow` is the last row the text reached, startRow - 1 when none.
struct PasteResult {
    int lastRow = 0;
    std::vector<CellNote> notes; // values not taken, columns not taken, empty lines
    int notPasted = 0;           // lines past the end of the bank
    bool refused = false;        // the header names no column the grid takes: nothing done
};
PasteResult PasteTable(BankSheet& sheet, int startRow, const BlockTable& table);

// Copies of the channels of `rows` in that order (an empty one unfilled), and their
// paste from `startRow` down, each as a single Paste writes one row; an empty one
// empties its row as Edit > Clear does. Returns the last row written.
std::vector<ChannelClipboard> CopyRows(const BankSheet& sheet, const std::vector<int>& rows);
int PasteRows(BankSheet& sheet, int startRow, const std::vector<ChannelClipboard>& block);

// An order of the bank: order[k] is the row whose channel goes to row k + 1.
using BankOrder = std::array<int, kChannelRows>;
// Brings the channels (records and every cell, names included) into `order` by moving
// them one row at a time, as CH-Up does.
void ApplyOrder(BankSheet& sheet, const BankOrder& order);

enum class SortKey { RxFrequency, Name, TxFrequency };
// The order that sorts the channels of `rows` among those rows (the whole bank when
// `rows` is empty): stable, empty channels last in either direction, and for the
// transmit frequency receive-only channels after the others.
BankOrder SortOrder(const BankSheet& sheet, const std::vector<int>& rows, SortKey key,
                    bool descending);
// The order that takes the channels of `rows` out and puts them, in their order,
// before row `before` (1..129; 129 is after the last row).
BankOrder DropOrder(const std::vector<int>& rows, int before);
// Every row of `rows` one row up (step -1) or down (+1), as CH-Up and CH-Down move one;
// nothing moves when the block touches the end it moves to. Returns the rows the
// channels are in now.
std::vector<int> MoveBlock(BankSheet& sheet, const std::vector<int>& rows, int step);
// The used channels of `rows` into the empty rows of the other bank from its first
// empty row down, each as Paste writes it, and out of `from` as the Clear button empties
// one. Nothing moves when `to` has too few empty rows. Returns the rows of `to` written.
std::vector<int> MoveToBank(BankSheet& from, BankSheet& to, const std::vector<int>& rows);

// Find: a channel whose name holds the text (any part, any case) or whose receive or
// transmit frequency starts with it ("446.0" finds 446.00625; "," reads as ".").
bool ChannelMatches(const BankRow& row, std::string_view text);
struct ChannelPlace {
    int bank = 0;
    int row = 1;
};
// The next (or previous) match after `from`, through both banks in the order A1..A128,
// B1..B128 and round again, `from` itself last.
std::optional<ChannelPlace> FindChannel(const std::array<BankTexts, 2>& banks,
                                        std::string_view text, ChannelPlace from, bool forward);

} // namespace r57
