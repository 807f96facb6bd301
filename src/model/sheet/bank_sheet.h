// One bank's 128 x 15 cell texts together with the rules that keep them and the
// image in step: the field rules a committed cell goes through, and the whole-channel
// commands (copy, paste, clear, move up and down, insert, delete). The grid widget
// only shows these texts and forwards the user's edits here.
#pragma once

#include "core/channel.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace r57 {

class Session;

// One channel as copied: its record, its ID block and the texts of columns 1..14.
// Shared by both banks, so a channel copied in bank A can be pasted into bank B.
struct ChannelClipboard {
    bool filled = false;
    int language = 0; // of the texts; a paste in another language shows its own
    std::array<uint8_t, 16> record{};
    std::array<uint8_t, 16> idBlock{};
    BankRow texts{};
};

class BankSheet {
public:
    // Starts with the texts the image holds, without repairing the image yet.
    BankSheet(Session& session, int bank);

    int bank() const { return bank_; }
    // The language, band limits and image the sheet's rules read.
    const Session& session() const { return session_; }

    // Row 1..128, column 0..14. Column 0 holds the channel label.
    const std::string& cell(int row, int column) const;
    bool rowUsed(int row) const { return !cell(row, kColRx).empty(); }

    // Rebuilds every cell from the image in the session's language (repairing the
    // image as the grid refresh does).
    void refresh();
    // Empties columns 1..14 of every row (New).
    void clearAll();

    // Field rules: a committed value for one cell. Each writes the record (and name)
    // of that row at once. On an empty row only the receive frequency is taken (it
    // creates the channel); the other fields wait until the channel exists.
    void commitRx(int row, std::string_view text);
    void commitTx(int row, std::string_view text);
    void commitTone(int row, int column, std::string_view text);   // column 3 or 4
    void commitChoice(int row, int column, std::string_view text); // 5-7, 9-13
    void commitName(int row, std::string_view text);
    // Dispatches to the rule of the column.
    void commitCell(int row, int column, std::string_view text);

    // Whole-channel commands. Rows are 1..128. A channel's ID block travels with its
    // record (copy, paste, moves, insert, delete) and is emptied where the channel is.
    bool copy(int row, ChannelClipboard& clip) const; // false for an empty channel
    void paste(int row, const ChannelClipboard& clip);
    void clearRecord(int row);  // Edit > Clear: record 0xFF, cells empty, name kept
    void clearChannel(int row); // button Clear: as an empty receive frequency
    int moveUp(int row);        // returns the new cursor row
    int moveDown(int row);
    bool insertNeedsConfirmation() const { return rowUsed(kChannelRows); } // message 1314
    void insert(int row);
    void remove(int row);

    // Writes column 8 of every used row into its name slot.
    void rewriteNames();
    // The same into another image (what the image will hold once the names are written).
    void rewriteNames(CodeplugImage& image) const;

private:
    Session& session_;
    int bank_;
    BankTexts cells_;
};

} // namespace r57
