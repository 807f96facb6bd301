// What became of a value the channel rules did not take as it was given, and its line
// for the status log. Every way a value reaches a channel (typed in the grid or the
// panel, filled, pasted, set by a fleet rule) reports through these notes, so each
// text exists once.
#pragma once

#include <string>
#include <vector>

namespace r57 {

struct CellNote {
    enum Kind {
        kOutOfBand,      // replaced: `entered` holds the band's lower limit put in its place
        kNotAFrequency,  // refused, and with it the rest of its line: no frequency in the text
        kNoSuchTone,     // refused: not in the QT/DQT list
        kNotAChoice,     // refused: not one of the column's choices
        kReceiveOnly,    // refused: an encode tone for a channel without transmit frequency
        kShortened,      // replaced: a name cut to what the radio holds (`entered`)
        kEmptyChannel,   // refused: a field of an empty channel, whose line gave no RX Freq
        kEmptyLine,      // an empty line of pasted text: its channel was kept
        kColumnNotTaken, // a text column (number `column`, caption `typed`) matched nothing
    };
    int row = 0;
    int column = 0;
    Kind kind = kOutOfBand;
    std::string typed;
    std::string entered;
};

// One note as a line of the status log, in the language given.
std::string NoteText(const CellNote& note, int bank, int language);
// The lines of a command's notes; a value refused by many empty channels is one line.
std::vector<std::string> NoteTexts(const std::vector<CellNote>& notes, int bank, int language);

// Lines of the paste commands.
std::string RowsNotPastedText(int count, int bank, int language); // the bank ended
std::string UnknownHeaderText(const std::vector<std::string>& cells, int language);
std::string PastePastSelectionText(int lines, int selected, int bank, int first, int last,
                                   int language);

} // namespace r57
