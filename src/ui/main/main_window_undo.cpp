// Edit > Undo and Redo. Every view reads the one image, so a step is the image as it
// was before a committed change. The main window takes a checkpoint after each: a grid
// field, a panel field, a channel command, a menu or toolbar command, a window's
// confirmed edits (through applyWindowChange) and the end of a read.
#include "ui/main/main_window.h"

#include "core/address_map.h"
#include "core/channel.h"
#include "core/session.h"
#include "ui/main/alternate_panel.h"
#include "ui/main/channel_grid.h"
#include "ui/main/ui_text.h"

#include <QAction>
#include <QKeySequence>
#include <QRegularExpression>
#include <QTabWidget>

#include <algorithm>

namespace r57::ui {

namespace {

constexpr OwnText kUndoCaption{"&Undo", "撤销(&U)"};
constexpr OwnText kRedoCaption{"&Redo", "重做(&R)"};
constexpr OwnText kUndoTip{"Undo", "撤销"};
constexpr OwnText kRedoTip{"Redo", "重做"};
// "&Undo Paste", "撤销 粘贴(&U)".
constexpr OwnText kUndoNamed{"&Undo %1", "撤销 %1(&U)"};
constexpr OwnText kRedoNamed{"&Redo %1", "重做 %1(&R)"};
constexpr OwnText kUndoNamedTip{"Undo %1", "撤销 %1"};
constexpr OwnText kRedoNamedTip{"Redo %1", "重做 %1"};

// Steps that no menu item names.
struct NamedStep {
    const char* label;
    OwnText name;
};
constexpr NamedStep kNamedSteps[] = {
    {"edit", {"Edit", "编辑"}},
    {"service-read-tuning", {"Service Read: Tuning", "维修读取：调试数据"}},
    {"service-read-ranges", {"Service Read: Frequency Ranges", "维修读取：频率范围"}},
};

// A caption as words: "&Read from Radio...\tCtrl+R" -> "Read from Radio",
// "读取数据(&R)" -> "读取数据".
QString CaptionWords(QString caption) {
    caption = caption.section('\t', 0, 0);
    caption.remove(QRegularExpression(QStringLiteral("\\(&.\\)")));
    caption.remove('&');
    while (caption.endsWith('.') || caption.endsWith(QChar(0x2026)))
        caption.chop(1);
    return caption.trimmed();
}

// The keys belong to the toolbar's buttons, which stay usable while the alternate
// panel has the Edit menu off; the menu items show them beside their captions.
const QList<QKeySequence>& UndoKeys() {
    static const QList<QKeySequence> keys{QKeySequence(Qt::CTRL | Qt::Key_Z)};
    return keys;
}
const QList<QKeySequence>& RedoKeys() {
    static const QList<QKeySequence> keys{QKeySequence(Qt::CTRL | Qt::Key_Y),
                                          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)};
    return keys;
}

QString WithKeys(const QString& caption, const QList<QKeySequence>& keys) {
    return caption + '\t' + keys.front().toString(QKeySequence::NativeText);
}

bool Differ(const CodeplugImage& a, const CodeplugImage& b, int address, int length) {
    return !std::equal(a.data() + address, a.data() + address + length, b.data() + address);
}

// The first channel of `bank` whose record, name or signalling ID differs; 0 for none.
int FirstChangedChannel(const CodeplugImage& a, const CodeplugImage& b, int bank) {
    for (int channel = 1; channel <= kChannelRows; ++channel) {
        if (Differ(a, b, RecordAddress(bank, channel), addr::kRecordSize) ||
            Differ(a, b, NameAddress(NameSlot(bank, channel)), addr::kNameLength) ||
            Differ(a, b, SignalIdAddress(bank, channel), addr::kRecordSize)) {
            return channel;
        }
    }
    return 0;
}

} // namespace

void MainWindow::buildUndo() {
    for (const char* name : {"mnuEdit_Undo", "mnuEdit_Redo"}) {
        const bool back = name == std::string_view("mnuEdit_Undo");
        connect(menuItem(name), &QAction::triggered, this,
                [this, back] { runGuarded([this, back] { stepHistory(back); }); });
    }
    toolActions_.value("Undo")->setShortcuts(UndoKeys());
    toolActions_.value("Redo")->setShortcuts(RedoKeys());
    for (const char* key : {"Undo", "Redo"}) {
        toolActions_.value(key)->setShortcutContext(Qt::WindowShortcut);
    }
    // An edit taken over into the image is a step, whether it came from the grid or
    // from the alternate panel.
    for (ChannelGrid* grid : grids_) {
        connect(grid, &ChannelGrid::channelEdited, this, [this] { checkpoint(); });
    }
    connect(panel_, &AlternatePanel::channelEdited, this, [this] { checkpoint(); });
}

void MainWindow::applyUndoLanguage() {
    updateUndoActions();
}

QString MainWindow::undoStepName(const std::string& label) const {
    const int language = session_->language;
    for (const NamedStep& step : kNamedSteps) {
        if (label == step.label)
            return Tr(step.name, language);
    }
    // A menu command: its caption, in the language shown now.
    if (QAction* action = menuItems_.value(QString::fromStdString(label)))
        return CaptionWords(action->text());
    return label.empty() ? QString() : Tr(kNamedSteps[0].name, language);
}

void MainWindow::undo() {
    stepHistory(true);
}

void MainWindow::redo() {
    stepHistory(false);
}

CodeplugImage MainWindow::shownImage() const {
    CodeplugImage image = session_->image;
    sheets_[session_->currentBank]->rewriteNames(image);
    return image;
}

UndoContext MainWindow::undoContext() const {
    return {session_->currentFileName, session_->modelCode};
}

void MainWindow::checkpoint(const std::string& label) {
    const std::string name = !label.empty() ? label : !stepLabel_.empty() ? stepLabel_ : "edit";
    history_.checkpoint(shownImage(), undoContext(), name);
    updateUndoActions();
}

void MainWindow::adoptShownImage() {
    history_.adopt(shownImage());
}

void MainWindow::stepHistory(bool back) {
    if (transferRunning()) {
        return;
    }
    commitPendingEdit();
    Session& s = *session_;
    // The names of moved channels go into the image first, so that the step taken
    // back holds them with their channels.
    sheets_[s.currentBank]->rewriteNames();
    const CodeplugImage before = s.image;
    UndoContext context = undoContext();
    const bool moved = back ? history_.undo(s.image, context) : history_.redo(s.image, context);
    if (moved) {
        // An undone Open names the file the image came from again, so a Save writes
        // there; the saved copy stays, and the question at exit compares with it.
        s.currentFileName = context.fileName;
        s.modelCode = context.modelCode;
        s.followReadLaunch(); // back before a read: the edits then were unsaved
        imageChanged();       // band limits, the shown bank, Manual, model buttons, title, panel
        adoptShownImage();
        showChangedChannel(before);
    }
    updateUndoActions();
}

void MainWindow::showChangedChannel(const CodeplugImage& before) {
    // A step taken back where the user cannot see it invites another, and another: the
    // cursor goes to the first channel it changed, in the other bank when only that
    // bank changed.
    const Session& s = *session_;
    int bank = s.currentBank;
    int row = FirstChangedChannel(before, s.image, bank);
    const int other = bank == kBankA ? kBankB : kBankA;
    if (row == 0 && (row = FirstChangedChannel(before, s.image, other)) != 0) {
        bank = other;
        tabs_->setCurrentIndex(bank); // the shown sheet holds the image's names by now
    }
    if (row != 0) {
        grids_[bank]->setCursor(row, grids_[bank]->cursorColumn());
    }
}

void MainWindow::updateUndoActions() {
    const bool undo = history_.canUndo();
    const bool redo = history_.canRedo();
    // Each names the step it takes: an undo that takes back data read from a radio
    // says so before it is chosen.
    const int language = session_->language;
    const QString undoName = undo ? undoStepName(history_.undoLabel()) : QString();
    const QString redoName = redo ? undoStepName(history_.redoLabel()) : QString();
    menuItem("mnuEdit_Undo")
        ->setText(WithKeys(undoName.isEmpty() ? Tr(kUndoCaption, language)
                                              : Tr(kUndoNamed, language).arg(undoName),
                           UndoKeys()));
    menuItem("mnuEdit_Redo")
        ->setText(WithKeys(redoName.isEmpty() ? Tr(kRedoCaption, language)
                                              : Tr(kRedoNamed, language).arg(redoName),
                           RedoKeys()));
    const QString undoTip =
        undoName.isEmpty() ? Tr(kUndoTip, language) : Tr(kUndoNamedTip, language).arg(undoName);
    const QString redoTip =
        redoName.isEmpty() ? Tr(kRedoTip, language) : Tr(kRedoNamedTip, language).arg(redoName);
    for (const auto& [key, tip] : {std::pair{"Undo", undoTip}, std::pair{"Redo", redoTip}}) {
        QAction* action = toolActions_.value(key);
        action->setText(tip);
        action->setToolTip(tip);
    }
    menuItem("mnuEdit_Undo")->setEnabled(undo);
    menuItem("mnuEdit_Redo")->setEnabled(redo);
    toolActions_.value("Undo")->setEnabled(undo);
    toolActions_.value("Redo")->setEnabled(redo);
}

} // namespace r57::ui
