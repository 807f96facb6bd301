// The alternate channel panel at work: filling it from the cursor channel, taking each
// field's edit over through the bank sheet or the signalling rules, and its keys.
#include "ui/main/alternate_panel.h"

#include "ui/main/channel_grid.h"
#include "ui/main/channel_number_box.h"
#include "ui/main/ui_text.h"

#include "core/channel.h"
#include "core/session.h"
#include "model/sheet/alternate_panel_rules.h"
#include "model/sheet/bank_sheet.h"
#include "model/sheet/block_commands.h"
#include "model/sheet/grid_rules.h"
#include "ui/main/block_notes.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include <algorithm>

namespace r57::ui {

namespace {

constexpr OwnText kOtherModelType{"%1 (not this model)", "%1（非本机型）"};
constexpr OwnText kOtherTypeBits{"Other (%1)", "其他（%1）"};

// Enter moves on to the next control, as Tab does.
void MoveFocusOn(QWidget* from) {
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QCoreApplication::sendEvent(from, &tab);
}

} // namespace

int AlternatePanel::bank() const {
    return session_.currentBank == kBankB ? kBankB : kBankA;
}

int AlternatePanel::row() const {
    return std::clamp(session_.currentChannel[bank()], 1, kChannelRows);
}

int AlternatePanel::channelIndex() const {
    return PanelIndex(bank(), row());
}

QString AlternatePanel::pendingField() const {
    return pending_ ? QString(pending_->pendingName) : QString();
}

void AlternatePanel::fill() {
    filling_ = true;
    pending_ = nullptr;
    const int b = bank();
    const int r = row();
    const BankSheet& sheet = *sheets_[b];
    const bool used = sheet.rowUsed(r);
    auto cell = [&](int column) {
        return QString::fromStdString(sheet.cell(r, column));
    };

    udChannel_->setValue(PanelIndex(b, r));
    text1_->setText(QString::fromStdString(PanelLabel(PanelIndex(b, r))));
    rx_->setText(cell(kColRx));
    tx_->setText(cell(kColTx));
    name_->setText(cell(kColName));
    decode_->setCurrentIndex(used ? decode_->findText(cell(kColDecode)) : -1);
    const bool hasTx = used && !cell(kColTx).isEmpty();
    encode_->setCurrentIndex(hasTx ? encode_->findText(cell(kColEncode)) : -1);
    for (ChoiceField& field : choices_) {
        field.box->setCurrentIndex(used ? field.box->findText(cell(field.column)) : -1);
    }
    fillSignalling(used);

    // An empty channel takes its receive frequency first, as in the grid.
    for (QWidget* w : std::initializer_list<QWidget*>{tx_, name_, decode_, signalFrame_, clear_}) {
        w->setEnabled(used);
    }
    for (ChoiceField& field : choices_) {
        field.box->setEnabled(used);
    }
    encode_->setEnabled(hasTx);

    for (TextField& field : fields_) {
        field.entry = field.edit->text();
    }
    filling_ = false;
}

void AlternatePanel::rebuildSignalTypes() {
    if (typesModel_ == session_.modelCode && typesLanguage_ == session_.language) {
        return;
    }
    typesModel_ = session_.modelCode;
    typesLanguage_ = session_.language;
    types_ = SignalTypesFor(session_.modelCode);
    signal_[0]->clear();
    for (SignalType type : types_) {
        signal_[0]->addItem(QString::fromStdString(SignalTypeText(type, session_.language)));
    }
}

void AlternatePanel::fillSignalling(bool used) {
    rebuildSignalTypes();
    const int language = session_.language;
    int listIndex = -1;
    QString placeholder;
    QString id;
    int autoResponse = -1;
    int decodeCode = -1;
    if (used) {
        const ChannelSignalling s = ReadSignalling(session_.image, bank(), row());
        const std::optional<SignalType> type = SignalTypeFromBits(s.typeBits);
        if (type) {
            auto found = std::find(types_.begin(), types_.end(), *type);
            listIndex = found == types_.end() ? -1 : static_cast<int>(found - types_.begin());
        }
        // A type this model variant does not offer is named, not replaced: its bits stay
        // as stored until the user picks a type.
        if (listIndex < 0) {
            placeholder = type ? Tr(kOtherModelType, language)
                                     .arg(QString::fromStdString(SignalTypeText(*type, language)))
                               : Tr(kOtherTypeBits, language)
                                     .arg(QString::number(s.typeBits, 2).rightJustified(4, '0'));
        }
        autoResponse = s.autoResponse ? 1 : 0;
        decodeCode = s.decodeCode;
        id = QString::fromStdString(s.idCode);
    }
    signal_[0]->setPlaceholderText(placeholder);
    signal_[0]->setCurrentIndex(listIndex);
    signal_[1]->setCurrentIndex(autoResponse);
    signal_[2]->setCurrentIndex(decodeCode);
    idCode_->setText(id);
    showSignalControls(listIndex);
}

void AlternatePanel::showSignalControls(int listIndex) {
    std::optional<SignalType> chosen;
    if (listIndex >= 0 && listIndex < static_cast<int>(types_.size())) {
        chosen = types_[listIndex];
    }
    const SignalControls shown = ShownSignalControls(chosen);
    signalLabels_[2]->setVisible(shown.decodeCode);
    signal_[2]->setVisible(shown.decodeCode);
    signalLabels_[3]->setVisible(shown.autoResponse);
    signal_[1]->setVisible(shown.autoResponse);
    signalLabels_[4]->setVisible(shown.idCode);
    idCode_->setVisible(shown.idCode);
}

AlternatePanel::TextField* AlternatePanel::fieldOf(QObject* watched) {
    for (TextField& field : fields_) {
        if (field.edit == watched) {
            return &field;
        }
    }
    return nullptr;
}

bool AlternatePanel::commitPending() {
    TextField* field = pending_;
    if (field == nullptr) {
        return false;
    }
    commitField(*field);
    return true;
}

void AlternatePanel::commitField(TextField& field) {
    if (pending_ == &field) {
        pending_ = nullptr;
    }
    const QString text = field.edit->text();
    if (filling_ || text == field.entry) {
        return;
    }
    field.entry = text; // committed once, whatever the commit does next
    field.commit(text);
}

bool AlternatePanel::eventFilter(QObject* watched, QEvent* event) {
    TextField* field = fieldOf(watched);
    if (field == nullptr || filling_) {
        return QFrame::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::FocusIn:
        // Coming back from a menu or another window, the field still holds its unsaved
        // input: the text on entry stays the one before it, or the commit would see no
        // change.
        if (pending_ != field) {
            field->entry = field->edit->text();
        }
        break;
    case QEvent::FocusOut: {
        // A list opening or another window coming up is no leaving of the field; its
        // input stays pending for the next command.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
            commitField(*field);
        }
        break;
    }
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            MoveFocusOn(field->edit);
            commitField(*field); // the last control keeps the focus, and still commits
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            if (field->edit == udChannel_->findChild<QLineEdit*>()) {
                fill(); // the number (and the label beside it) as they were
            } else {
                field->edit->setText(field->entry);
            }
            if (pending_ == field) {
                pending_ = nullptr;
            }
            return true;
        }
        if (field->edit == text1_ && !key->text().isEmpty() && key->text()[0].isPrint()) {
            // The label is typed from its start: a letter replaces the whole text, digits
            // follow at its end.
            const QString now = text1_->text();
            const bool whole = now.isEmpty() || text1_->selectedText() == now;
            const bool atEnd = whole || text1_->cursorPosition() == now.size();
            const char c = LabelKeyChar(now.toStdString(), whole, key->text()[0].toLatin1());
            if (c != 0 && atEnd) {
                text1_->insert(QString(QChar(c)));
                pending_ = field;
            }
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QFrame::eventFilter(watched, event);
}

void AlternatePanel::selectChannel(int index) {
    emit channelRequested(PanelBank(index), PanelRow(index));
}

void AlternatePanel::showEditedRow() {
    grids_[bank()]->showRow(row());
}

void AlternatePanel::commitField(int column, const QString& text) {
    if (auto note = CommitAsTyped(*sheets_[bank()], row(), column, text.toStdString())) {
        for (const QString& line : NoteLines({*note}, bank(), session_.language)) {
            emit entryReplaced(line);
        }
    }
}

void AlternatePanel::commitRx(const QString& text) {
    commitField(kColRx, text);
    showEditedRow();
    fill();
    emit channelEdited();
}

void AlternatePanel::commitTx(const QString& text) {
    commitField(kColTx, text);
    showEditedRow();
    fill();
    emit channelEdited();
}

void AlternatePanel::commitName(const QString& text) {
    commitField(kColName, text);
    showEditedRow();
    fill();
    emit channelEdited();
}

void AlternatePanel::commitIdCode(const QString& text) {
    WriteIdCode(session_.image, bank(), row(), text.toStdString());
    fill();
    emit channelEdited();
}

void AlternatePanel::commitLabel(const QString& text) {
    const std::optional<int> index = PanelIndexFromLabel(text.toStdString());
    if (index) {
        selectChannel(*index);
    }
    fill(); // the label as letter and number, or as it was
}

void AlternatePanel::choiceActivated(const ChoiceField& field) {
    const std::string text = field.box->currentText().toStdString();
    if (!text.empty() && text != sheets_[bank()]->cell(row(), field.column)) {
        commitField(field.column, QString::fromStdString(text));
        showEditedRow();
    }
    fill();
    emit channelEdited();
}

void AlternatePanel::toneActivated(QComboBox* box, int column) {
    const std::string text = box->currentText().toStdString();
    if (!text.empty() && text != sheets_[bank()]->cell(row(), column)) {
        commitField(column, QString::fromStdString(text));
        showEditedRow();
    }
    fill();
    emit channelEdited();
}

void AlternatePanel::signalTypeActivated(int listIndex) {
    if (listIndex < 0 || listIndex >= static_cast<int>(types_.size())) {
        return;
    }
    WriteSignalTypeBits(session_.image, bank(), row(), SignalTypeBits(types_[listIndex]));
    fill();
    emit channelEdited();
}

} // namespace r57::ui
