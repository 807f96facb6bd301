#include "ui/main/block_notes.h"

namespace r57::ui {

QStringList NoteLines(const std::vector<CellNote>& notes, int bank, int language) {
    QStringList lines;
    for (const std::string& line : NoteTexts(notes, bank, language)) {
        lines << QString::fromStdString(line);
    }
    return lines;
}

} // namespace r57::ui
