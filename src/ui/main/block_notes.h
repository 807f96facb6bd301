// The status log's line for a value a block command did not take as given: the
// channel, the column, what was given and what became of it.
#pragma once

#include "model/sheet/block_commands.h"

#include <QString>

namespace r57::ui {

QString NoteLine(const CellNote& note, int bank, int language);

} // namespace r57::ui
