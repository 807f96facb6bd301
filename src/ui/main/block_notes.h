// The status log's lines for values a channel command did not take as given (the texts
// themselves live with the notes, in the model).
#pragma once

#include "model/sheet/cell_notes.h"

#include <QStringList>

#include <vector>

namespace r57::ui {

QStringList NoteLines(const std::vector<CellNote>& notes, int bank, int language);

} // namespace r57::ui
