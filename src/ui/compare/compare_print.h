// The comparison on paper: the shown rows as a table through the channel sheet's own
// painting (src/print), headed by both file names and the date, to a printer or a PDF.
#pragma once

#include "print/channel_document.h"

#include <QString>

#include <string>
#include <vector>

class QWidget;

namespace r57::ui {

class Prompts;

struct CompareSheet {
    QString thisName;
    QString otherName;
    int language = 0;
    std::vector<std::vector<std::string>> rows; // area, where, this, other
};

// The sheet as a document: "Comparison" / both names / "R57" / the date, one table.
print::ChannelDocument CompareDocument(const CompareSheet& sheet, const QString& date);

// The print dialog, then the pages; a failure is told.
void PrintCompareSheet(Prompts& prompts, QWidget* parent, const CompareSheet& sheet);
// A PDF file chosen in the file dialog.
void ExportCompareSheet(Prompts& prompts, QWidget* parent, const CompareSheet& sheet);

} // namespace r57::ui
