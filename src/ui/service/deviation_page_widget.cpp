#include "ui/service/deviation_page_widget.h"

#include "ui/main/contrast.h"

#include "ui/main/ui_text.h"
#include "ui/service/cell_grid.h"

#include "core/session.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QVBoxLayout>

namespace r57::ui {

namespace {

constexpr const char* kByteDigits = "[0-9]*";
constexpr int kByteLength = 3;
constexpr int kCellWidth = 38; // three digits and a margin

QString Text(const service::Caption& caption, int language) {
    return Tr(OwnText{caption.english, caption.chinese}, language);
}

QStringList Numbers(int count) {
    QStringList out;
    for (int i = 1; i <= count; ++i) {
        out << QString::number(i);
    }
    return out;
}

// A stored 0 is shown on red: the radio would work with no swing or no level there.
const QColor kZeroMark(255, 0, 0);

void Mark(QTableWidgetItem* item, int value) {
    item->setBackground(value == 0 ? QBrush(kZeroMark) : QBrush());
    // Its text in black or white, whichever the theme would not make unreadable on red.
    item->setForeground(value == 0 ? QBrush(TextOn(kZeroMark)) : QBrush());
}

void MarkBox(QLineEdit* box, int value) {
    box->setStyleSheet(value == 0 ? QString("QLineEdit { background: %1; color: %2; }")
                                        .arg(kZeroMark.name(), TextOn(kZeroMark).name())
                                  : QString());
}

} // namespace

DeviationPageWidget::DeviationPageWidget(Session& session, QWidget* parent)
    : ServicePage(session, parent) {
    auto* content = new QWidget;
    content->setObjectName("PicDev");
    auto* layout = new QVBoxLayout(content);
    layout->addWidget(buildTuning());
    layout->addWidget(buildVoice());
    layout->addWidget(buildTones());
    layout->addStretch(1);

    scroll_ = new QScrollArea(this);
    scroll_->setObjectName("PicDevScroll");
    scroll_->setWidget(content);
    scroll_->setWidgetResizable(true);
    scroll_->setFrameShape(QFrame::NoFrame);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll_);
}

QWidget* DeviationPageWidget::buildTuning() {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    for (int g = 0; g < Page::kTuningGrids; ++g) {
        auto* frame = new QGroupBox(row);
        frame->setObjectName(QString("Frame1_%1").arg(g));
        auto* grid = new CellGrid(QString("TunGrid_%1").arg(g), Page::kTuningRows,
                                  Numbers(Page::kTuningColumns), frame);
        grid->setRowLabels(Numbers(Page::kTuningRows));
        grid->setEditor("TxtTun", kByteDigits, kByteLength,
                        [this, grid, g](int r, int c, const QString& text) {
                            commitCell(grid, r, c, Page::TuningAddress(g, r + 1, c + 1), text);
                        });
        grid->fitToCells(2 * kCellWidth);
        auto* inside = new QVBoxLayout(frame);
        inside->addWidget(grid);
        frames_[g] = frame;
        tuning_[g] = grid;
        layout->addWidget(frame);
    }
    // `TunGrid` 3: three rows of two cells that hold nothing, drawn as the window face.
    auto* spare = new CellGrid("TunGrid_3", Page::kTuningRows, Numbers(2), row);
    spare->setEnabled(false);
    for (int r = 0; r < Page::kTuningRows; ++r) {
        for (int c = 0; c < 2; ++c) {
            spare->item(r, c)->setBackground(palette().button());
        }
    }
    spare->fitToCells();
    spare->setFixedWidth(2 * kCellWidth + 2 * spare->frameWidth());
    layout->addWidget(spare, 0, Qt::AlignBottom);
    layout->addStretch(1);
    return row;
}

QWidget* DeviationPageWidget::buildVoice() {
    auto* box = new QWidget;
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    for (bool narrow : {false, true}) {
        const int row = narrow ? 1 : 0;
        grid->addWidget(new QLabel(Text(Page::kVoiceLabels[row], session_.language), box), row, 0);
        for (int i = 0; i < Page::kVoiceBoxes; ++i) {
            auto* text = new QLineEdit(box);
            text->setObjectName(QString(narrow ? "TxtVoiceSWN_%1" : "TxtVoiceSWW_%1").arg(i));
            text->setMaxLength(kByteLength);
            text->setValidator(
                new QRegularExpressionValidator(QRegularExpression(kByteDigits), text));
            text->setAlignment(Qt::AlignCenter);
            text->setFixedWidth(56);
            const int address = Page::VoiceAddress(narrow, i);
            connect(text, &QLineEdit::editingFinished, this,
                    [this, text, address] { leaveVoice(text, address); });
            voice_[row * Page::kVoiceBoxes + i] = text;
            grid->addWidget(text, row, i + 1);
        }
    }
    grid->setColumnStretch(Page::kVoiceBoxes + 1, 1);
    return box;
}

QWidget* DeviationPageWidget::buildTones() {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    QStringList labels;
    for (const char* group : Page::kToneGroupLabels) {
        labels << group;
    }
    labels << Text(Page::kToneLineLabel, session_.language);
    for (int g = 0; g < Page::kToneGrids; ++g) {
        const int columns = Page::ToneColumns(g);
        auto* grid =
            new CellGrid(QString("QTDevGrid_%1").arg(g), Page::kToneRows, Numbers(columns), row);
        if (g == 0) {
            grid->setRowLabels(labels); // the rows of all three grids line up
        }
        grid->setEditor("TxtTun2", kByteDigits, kByteLength,
                        [this, grid, g](int r, int c, const QString& text) {
                            commitCell(grid, r, c, Page::ToneAddress(g, r + 1, c + 1), text);
                        });
        for (int r = 0; r < Page::kToneRows; ++r) {
            for (int c = 0; c < columns; ++c) {
                if (Page::ToneAddress(g, r + 1, c + 1) < 0) {
                    grid->item(r, c)->setBackground(palette().button());
                }
            }
        }
        grid->fitToCells(kCellWidth);
        tones_[g] = grid;
        layout->addWidget(grid, columns);
    }
    return row;
}

void DeviationPageWidget::showCell(CellGrid* grid, int row, int column, int address) {
    const int value = page_.at(address);
    grid->setCell(row, column, QString::number(value));
    Mark(grid->item(row, column), value);
}

void DeviationPageWidget::commitCell(CellGrid* grid, int row, int column, int address,
                                     const QString& text) {
    if (address < 0) {
        return;
    }
    const int value = Page::ByteFromText(text.toStdString());
    if (value != page_.at(address)) {
        page_.set(address, value);
        emit edited();
    }
    showCell(grid, row, column, address);
}

void DeviationPageWidget::leaveVoice(QLineEdit* box, int address) {
    const int value = Page::ByteFromText(box->text().toStdString());
    if (value != page_.at(address)) {
        page_.set(address, value);
        emit edited();
    }
    box->setText(QString::number(value));
    MarkBox(box, value);
}

void DeviationPageWidget::refresh() {
    page_.load(session_.image);
    for (int g = 0; g < Page::kTuningGrids; ++g) {
        for (int r = 0; r < Page::kTuningRows; ++r) {
            for (int c = 0; c < Page::kTuningColumns; ++c) {
                showCell(tuning_[g], r, c, Page::TuningAddress(g, r + 1, c + 1));
            }
        }
    }
    for (int g = 0; g < Page::kToneGrids; ++g) {
        for (int r = 0; r < Page::kToneRows; ++r) {
            for (int c = 0; c < Page::ToneColumns(g); ++c) {
                const int address = Page::ToneAddress(g, r + 1, c + 1);
                if (address >= 0) {
                    showCell(tones_[g], r, c, address);
                }
            }
        }
    }
    for (int i = 0; i < 2 * Page::kVoiceBoxes; ++i) {
        const int address = Page::VoiceAddress(i >= Page::kVoiceBoxes, i % Page::kVoiceBoxes);
        voice_[i]->setText(QString::number(page_.at(address)));
        MarkBox(voice_[i], page_.at(address));
    }
}

void DeviationPageWidget::commitEdits() {
    for (CellGrid* grid : tuning_) {
        grid->commitEdit();
    }
    for (CellGrid* grid : tones_) {
        grid->commitEdit();
    }
    for (int i = 0; i < 2 * Page::kVoiceBoxes; ++i) {
        leaveVoice(voice_[i], Page::VoiceAddress(i >= Page::kVoiceBoxes, i % Page::kVoiceBoxes));
    }
}

void DeviationPageWidget::store(CodeplugImage& image) const {
    page_.write(image);
}

void DeviationPageWidget::setBandCaptions(const QStringList& captions) {
    for (int g = 0; g < Page::kTuningGrids && g < captions.size(); ++g) {
        frames_[g]->setTitle(captions[g]);
    }
}

void DeviationPageWidget::showBand(int band) {
    if (band < 0 || band >= Page::kTuningGrids) {
        return;
    }
    scroll_->ensureWidgetVisible(frames_[band]);
    tuning_[band]->setFocus();
    tuning_[band]->setCurrentCell(0, 0);
}

} // namespace r57::ui
