// The printed channel sheet of a codeplug as texts: the used channels of both banks
// with the columns the grid shows, and one summary of the function settings, the PTT ID,
// the signalling IDs, the FM channels and the power-on message. Every text comes from
// the bank's cell texts and the settings windows' page classes, in the language asked
// for, so the sheet says what the windows say.
#pragma once

#include "model/sheet/grid_rules.h"

#include <string>
#include <vector>

namespace r57 {
class CodeplugImage;
}

namespace r57::print {

struct SummaryRow {
    std::string label;
    std::string value;
};

struct SummarySection {
    std::string title;
    std::vector<SummaryRow> rows;
};

struct ChannelDocument {
    int language = 0;
    // The header of every page.
    std::string title;    // "Channel List"
    std::string fileName; // the codeplug's file name, without its folder
    std::string model;    // "R57", with the model type
    std::string date;
    // "Page %1 of %2" in the language.
    std::string pageNumbers;

    std::vector<std::string> captions;          // of the printed columns, "CH" first
    std::vector<std::vector<std::string>> rows; // one a used channel, bank A then bank B

    std::string summaryTitle;
    std::vector<SummarySection> summary;
};

struct DocumentSource {
    std::string fileName;
    char modelCode = '0'; // "0" SIMPLE, "1" DTMF, "2" 2Tone/5Tone: which IDs are summarised
    int language = 0;
    std::string date;
    ColumnVisibility columns = AllColumnsVisible(); // the grid's visible columns
};

// The image is taken as it is (the channels' names as their slots hold them); the
// repairs the windows make while showing it are made on a copy.
ChannelDocument BuildChannelDocument(const CodeplugImage& image, const DocumentSource& source);

} // namespace r57::print
