#include "ui/main/block_notes.h"

#include "core/channel.h"
#include "ui/main/ui_text.h"

namespace r57::ui {

namespace {

constexpr OwnText kOutOfBand{"%1 %2: %3 is outside the band limits; %4 was entered.",
                             "%1 %2：%3 超出频段范围，已改为 %4。"};
constexpr OwnText kNoSuchTone{"%1 %2: %3 is not in the QT/DQT list; the tone was kept.",
                              "%1 %2：%3 不在 QT/DQT 列表中，保持原值。"};
constexpr OwnText kNotAFrequency{"%1 %2: %3 is not a frequency; the channel was kept.",
                                 "%1 %2：%3 不是频率，保持原值。"};
constexpr OwnText kNotAChoice{"%1 %2: %3 is not one of its choices; the value was kept.",
                              "%1 %2：%3 不是可选值，保持原值。"};
constexpr OwnText kReceiveOnly{"%1 %2: %3 was not taken; the channel has no TX frequency.",
                               "%1 %2：信道没有发射频率，未采用 %3。"};
constexpr OwnText kShortened{"%1 %2: %3 was entered as \"%4\".", "%1 %2：%3 已改为“%4”。"};

const OwnText& Message(CellNote::Kind kind) {
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
    case CellNote::kShortened:
        break;
    }
    return kShortened;
}

} // namespace

QString NoteLine(const CellNote& note, int bank, int language) {
    const QString where = QString::fromStdString(ChannelLabel(bank, note.row));
    const QString caption = QString::fromStdString(ColumnCaption(note.column, language));
    QString line =
        Tr(Message(note.kind), language).arg(where, caption, QString::fromStdString(note.typed));
    if (note.kind == CellNote::kOutOfBand || note.kind == CellNote::kShortened) {
        line = line.arg(QString::fromStdString(note.entered));
    }
    return line;
}

} // namespace r57::ui
