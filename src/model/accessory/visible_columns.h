// The visible-columns chooser's rules (`frmSelColumns`): which grid columns its buttons
// and its OK change. The receive frequency and "More" columns always stay visible, so a
// channel can still be created and the alternate panel still opened.
#pragma once

#include "model/sheet/grid_rules.h"

namespace r57 {

// "Select All": every column 2..13 visible.
void SelectAllColumns(ColumnVisibility& boxes);
// "Inverse": columns 2..13 flipped.
void InvertColumns(ColumnVisibility& boxes);
// OK: columns 2..13 as the boxes say, the others as they were.
ColumnVisibility ChosenColumns(const ColumnVisibility& before, const ColumnVisibility& boxes);
// Whether the user can change a column's box at all.
bool ColumnChoosable(int column);

} // namespace r57
