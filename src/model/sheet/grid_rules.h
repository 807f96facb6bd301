// The decisions behind a bank grid's cursor and in-cell editors, taken from the cell
// texts of the row and the visible columns only: which cell a click or Enter really
// opens, what a typed key does, where Enter moves to from each editor, and which
// characters the frequency/name editor takes. The widget asks, these functions answer.
#pragma once

#include "core/channel.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace r57 {

// One flag per grid column 0..14; a hidden column has width 0.
using ColumnVisibility = std::array<bool, kColumnCount>;
ColumnVisibility AllColumnsVisible();

// Start-up width of a column in twips (600 for the label, 1200 for the two
// frequencies, 1000 for the rest) and on screen at 15 twips a pixel.
int ColumnWidthTwips(int column);
int TwipsToPixels(int twips);

enum class EditorKind {
    None,   // columns 0 and 14
    Text,   // `txtMemChannel`: columns 1, 2, 8
    Tone,   // `cboQtDqt`: columns 3, 4
    Choice, // `cboPowerScan`: columns 5-7, 9-13
};
EditorKind EditorFor(int column);
// Longest text `txtMemChannel` holds: 9 for a frequency, 7 for a name, 0 elsewhere.
int EditorMaxLength(int column);

// What the cursor rules need to know of a channel row.
struct RowState {
    bool used = false;  // column 1 (receive frequency) not empty
    bool hasTx = false; // column 2 (transmit frequency) not empty
};

// A click (or double click) on a cell, or Enter on the grid.
struct OpenDecision {
    enum Action { kNothing, kEditor, kAlternatePanel };
    Action action = kNothing;
    int column = 0; // the cell the cursor moves to and whose editor opens
};
// An empty channel always starts at its receive frequency; an encode tone needs a
// transmit frequency first; the "More" column opens the alternate channel panel.
// Editors never open on a hidden column or on the label.
OpenDecision DecideOpen(int column, RowState row, const ColumnVisibility& visible);

// A key typed on the grid (not Enter, not Ctrl+C/V/D, not a navigation key).
struct TypedKey {
    int code = 0;               // the key's character code (letters in capitals), 0 if none
    bool keypadDecimal = false; // the numeric pad's decimal key, whatever it prints
    bool withCtrlOrAlt = false;
};
struct KeyDecision {
    bool startEditor = false;
    int column = 0; // the cell whose editor starts
    char first = 0; // the editor's text: this one character, caret after it
};
// Digits and "." start the frequency or name editor in columns 1, 2 and 8; any other
// character key in column 8 starts the name editor (letters in capitals), except C, D,
// I and V. On an empty channel the receive editor starts instead, and only with a
// character it can take (a letter would otherwise become a 400 MHz channel).
KeyDecision DecideTypedKey(int column, RowState row, TypedKey key, const ColumnVisibility& visible);

// Characters `txtMemChannel` takes while typing: digits, "." and "," for a frequency;
// space to "z" (32..122) for a name. Backspace is handled by the editor itself.
bool EditorAcceptsChar(int column, char32_t ch);
// A text reduced to the characters and length the column's editor takes.
std::string FilterEditorText(int column, std::string_view text);

// Where the cursor goes after Enter in each editor (row stays unless stated).
// `txtMemChannel`: next visible column to the right, or back to the edited one.
int TextEnterColumn(int column, const ColumnVisibility& visible);
// `cboQtDqt`: decode -> encode (-> TX Power when there is no transmit frequency),
// encode -> TX Power, hidden columns skipped.
int ToneEnterColumn(int column, bool hasTx, const ColumnVisibility& visible);
// `cboPowerScan`: next visible column; past the last one to column 1 of the next
// row, except in row 128 where the cursor stays.
struct GridCell {
    int row = 1;
    int column = 1;
    bool operator==(const GridCell& o) const { return row == o.row && column == o.column; }
};
GridCell ChoiceEnterCell(int row, int column, const ColumnVisibility& visible);

// The QT/DQT list entry a text in `cboQtDqt` stands for: the entry itself (letters in
// any case, surrounding spaces ignored), or for a number the QT tone of that value
// ("88.50", "88,5" and "88.5" all give "88.5"); anything starting with "N" is the first
// entry, no tone, in either language. Nothing for a text the radio has no
// code for, so a mistyped tone never reaches the record.
std::optional<std::string> MatchTone(std::string_view text,
                                     const std::vector<std::string>& toneList);

} // namespace r57
