#include "model/accessory/visible_columns.h"

#include "core/channel.h"

namespace r57 {

bool ColumnChoosable(int column) {
    return column > kColRx && column < kColMore;
}

void SelectAllColumns(ColumnVisibility& boxes) {
    for (int c = 0; c < kColumnCount; ++c) {
        boxes[c] = ColumnChoosable(c) ? true : boxes[c];
    }
}

void InvertColumns(ColumnVisibility& boxes) {
    for (int c = 0; c < kColumnCount; ++c) {
        boxes[c] = ColumnChoosable(c) ? !boxes[c] : boxes[c];
    }
}

ColumnVisibility ChosenColumns(const ColumnVisibility& before, const ColumnVisibility& boxes) {
    ColumnVisibility chosen = before;
    for (int c = 0; c < kColumnCount; ++c) {
        if (ColumnChoosable(c)) {
            chosen[c] = boxes[c];
        }
    }
    return chosen;
}

} // namespace r57
