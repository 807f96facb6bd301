#include "model/sheet/cell_notes.h"

#include "core/channel.h"
#include "core/session.h"

#include <cstddef>

namespace r57 {

namespace {

struct Bilingual {
    const char* english;
    const char* chinese;
};

constexpr Bilingual kOutOfBand{"%1 %2: %3 is outside the band limits; %4 was entered.",
                               "%1 %2：%3 超出频段范围，已改为 %4。"};
constexpr Bilingual kNoSuchTone{"%1 %2: %3 is not in the QT/DQT list; the tone was kept.",
                                "%1 %2：%3 不在 QT/DQT 列表中，保持原值。"};
constexpr Bilingual kNotAFrequency{"%1 %2: %3 is not a frequency; the channel was kept.",
                                   "%1 %2：%3 不是频率，保持原值。"};
constexpr Bilingual kNotAChoice{"%1 %2: %3 is not one of its choices; the value was kept.",
                                "%1 %2：%3 不是可选值，保持原值。"};
constexpr Bilingual kReceiveOnly{"%1 %2: %3 was not taken; the channel has no TX frequency.",
                                 "%1 %2：信道没有发射频率，未采用 %3。"};
constexpr Bilingual kShortened{"%1 %2: %3 was entered as \"%4\".", "%1 %2：%3 已改为“%4”。"};
constexpr Bilingual kEmptyChannel{"%1 %2: %3 was not taken; the channel is empty and its line "
                                  "gives no RX Freq.",
                                  "%1 %2：信道为空且该行没有接收频率，未采用 %3。"};
constexpr Bilingual kEmptyChannels{"%1 %2: %3 was not taken by %4 empty channels (%1 to %5).",
                                   "%1 %2：%4 个空信道（%1 至 %5）未采用 %3。"};
constexpr Bilingual kEmptyLine{"%1: the line is empty; the channel was kept.",
                               "%1：该行为空，保持原信道。"};
constexpr Bilingual kColumnNotTaken{"Column %1 (\"%2\") was not taken: the grid has no such "
                                    "column.",
                                    "第 %1 列（“%2”）未采用：表格没有这一列。"};
constexpr Bilingual kRowsNotPasted{"%1 rows not pasted: the bank ends at %2.",
                                   "%1 行未粘贴：本区到 %2 为止。"};
constexpr Bilingual kUnknownHeader{"The first line (%1) names no column of the grid; nothing was "
                                   "pasted.",
                                   "第一行（%1）没有表格的列名，未粘贴任何内容。"};
constexpr Bilingual kPastSelection{"The block has %1 rows but %2 are selected. Paste into %3 to "
                                   "%4, past the selection?",
                                   "块有 %1 行，但只选中了 %2 行。粘贴到 %3 至 %4（超出选择）？"};

std::string Pick(const Bilingual& text, int language) {
    return language == kChinese ? text.chinese : text.english;
}

// Puts the arguments in place of %1, %2, ... (each may appear more than once).
std::string Fill(std::string text, const std::vector<std::string>& args) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
            const std::size_t k = static_cast<std::size_t>(text[i + 1] - '1');
            out += k < args.size() ? args[k] : std::string();
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

const Bilingual& Message(CellNote::Kind kind) {
    switch (kind) {
    case CellNote::kOutOfBand:
        return kOutOfBand;
    case CellNote::kNoSuchTone:
        return kNoSuchTone;
    case CellNote::kNotAFrequency:
        return kNotAFrequency;
    case CellNote::kNotAChoice:
        return kNotAChoice;
    case CellNote::kReceiveOnly:
        return kReceiveOnly;
    case CellNote::kEmptyChannel:
        return kEmptyChannel;
    case CellNote::kEmptyLine:
        return kEmptyLine;
    case CellNote::kColumnNotTaken:
        return kColumnNotTaken;
    case CellNote::kShortened:
        break;
    }
    return kShortened;
}

} // namespace

std::string NoteText(const CellNote& note, int bank, int language) {
    if (note.kind == CellNote::kColumnNotTaken) {
        return Fill(Pick(kColumnNotTaken, language), {std::to_string(note.column), note.typed});
    }
    const std::string where = ChannelLabel(bank, note.row);
    const std::string caption = ColumnCaption(note.column, language);
    return Fill(Pick(Message(note.kind), language), {where, caption, note.typed, note.entered});
}

std::vector<std::string> NoteTexts(const std::vector<CellNote>& notes, int bank, int language) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < notes.size();) {
        const CellNote& note = notes[i];
        std::size_t j = i + 1;
        if (note.kind == CellNote::kEmptyChannel) {
            // A fill over empty channels: one line for all of them.
            while (j < notes.size() && notes[j].kind == note.kind &&
                   notes[j].column == note.column && notes[j].typed == note.typed) {
                ++j;
            }
        }
        if (j - i > 1) {
            lines.push_back(
                Fill(Pick(kEmptyChannels, language),
                     {ChannelLabel(bank, note.row), ColumnCaption(note.column, language),
                      note.typed, std::to_string(j - i), ChannelLabel(bank, notes[j - 1].row)}));
        } else {
            lines.push_back(NoteText(note, bank, language));
        }
        i = j;
    }
    return lines;
}

std::string RowsNotPastedText(int count, int bank, int language) {
    return Fill(Pick(kRowsNotPasted, language),
                {std::to_string(count), ChannelLabel(bank, kChannelRows)});
}

std::string UnknownHeaderText(const std::vector<std::string>& cells, int language) {
    std::string joined;
    for (const std::string& cell : cells) {
        joined += (joined.empty() ? "" : ", ") + cell;
    }
    return Fill(Pick(kUnknownHeader, language), {joined});
}

std::string PastePastSelectionText(int lines, int selected, int bank, int first, int last,
                                   int language) {
    return Fill(Pick(kPastSelection, language),
                {std::to_string(lines), std::to_string(selected), ChannelLabel(bank, first),
                 ChannelLabel(bank, last)});
}

} // namespace r57
