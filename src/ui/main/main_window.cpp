// The main window's construction, start-up, layout, status bar and closing.
#include "ui/main/main_window.h"

#include "core/address_map.h"
#include "core/data_file.h"
#include "core/program_files.h"
#include "core/session.h"
#include "link/settings_store.h"
#include "ui/main/alternate_panel.h"
#include "ui/main/button_keys.h"
#include "ui/main/channel_grid.h"
#include "ui/main/clone_window.h"
#include "ui/main/interface_language.h"
#include "ui/main/main_window_items.h"
#include "ui/main/prompts.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QDate>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QStatusBar>
#include <QStringList>
#include <QTabWidget>
#include <QTime>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <exception>

namespace r57::ui {

MainWindow::MainWindow(Prompts& prompts, QWidget* parent)
    : MainWindow(prompts, QCoreApplication::applicationDirPath(), parent) {}

MainWindow::MainWindow(Prompts& prompts, const QString& applicationDirectory, QWidget* parent)
    : QMainWindow(parent), prompts_(prompts), session_(std::make_unique<Session>()) {
    setObjectName("frmMain");
    setWindowIcon(items::ToolIcon("App", style()));
    InstallButtonEnterKey();

    // The stock logo and the help file lie beside the program in the build folder, and
    // in the installed data folder otherwise.
    session_->applicationDirectory = DataFolder(applicationDirectory.toStdString() + '/');
    sheets_[kBankA] = std::make_unique<BankSheet>(*session_, kBankA);
    sheets_[kBankB] = std::make_unique<BankSheet>(*session_, kBankB);

    buildCentralArea();
    buildStatusBar();
    buildMenus();
    buildToolBar();
    buildPanels();
    buildTransferProgress();
    buildUndo();
    buildVerify();
    buildKeep();
    buildBlocks();
    buildDesktop();
    watchForQuit();
    runGuarded([this] { startUp(); });
}

MainWindow::~MainWindow() {
    // The clone window calls back into this window when its transfer ends; it must not
    // outlive what it calls, nor leave the radio in clone mode.
    endTransferBeforeQuit();
    delete clone_.data();
}

ChannelGrid* MainWindow::shownGrid() const {
    return grids_[session_->currentBank];
}

void MainWindow::buildCentralArea() {
    auto* picMain = new QWidget(this);
    picMain->setObjectName("picMain");
    auto* mainLayout = new QVBoxLayout(picMain);
    mainLayout->setContentsMargins(4, 4, 4, 2);
    mainLayout->setSpacing(4);

    splitStatus_ = new QSplitter(Qt::Vertical, picMain);
    splitStatus_->setObjectName("Picture1");
    splitStatus_->setChildrenCollapsible(false);
    splitButtons_ = new QSplitter(Qt::Horizontal, splitStatus_);
    splitButtons_->setObjectName("ImgSplit_0");
    splitButtons_->setChildrenCollapsible(false);

    // The bank tabs with the find bar under them.
    auto* picGrid = new QWidget(splitButtons_);
    picGrid->setObjectName("picGrid");
    auto* gridLayout = new QVBoxLayout(picGrid);
    gridLayout->setContentsMargins(0, 0, 0, 0);
    gridLayout->setSpacing(2);
    tabs_ = new QTabWidget(picGrid);
    tabs_->setObjectName("SSTab1");
    for (int bank : {kBankA, kBankB}) {
        auto* grid = new ChannelGrid(*session_, *sheets_[bank], bank, tabs_);
        grid->setObjectName(bank == kBankA ? "ChannelGrid" : "ChannelGridB");
        grids_[bank] = grid;
        tabs_->addTab(grid, items::kBankTabCaptions[bank]);
        // Ctrl+C, Ctrl+V and Ctrl+D do what their menu items do, and only when those
        // can be chosen.
        auto asMenuItem = [this](const char* name, void (MainWindow::*command)()) {
            return [this, name, command] {
                if (menuItem(name)->isEnabled()) {
                    runGuarded([this, command] { (this->*command)(); });
                    checkpoint(name);
                }
            };
        };
        connect(grid, &ChannelGrid::copyRequested, this,
                asMenuItem("mnuEdit_Copy", &MainWindow::copyChannel));
        connect(grid, &ChannelGrid::pasteRequested, this,
                asMenuItem("mnuEdit_Paste", &MainWindow::pasteChannel));
        connect(grid, &ChannelGrid::clearRequested, this,
                asMenuItem("mnuEdit_Clear", &MainWindow::clearChannel));
        connect(grid, &ChannelGrid::entryReplaced, this, &MainWindow::appendStatusLine);
        // The "More" column opens the panel (and keeps it open on another channel).
        connect(grid, &ChannelGrid::alternatePanelRequested, this,
                [this] { runGuarded([this] { setAlternatePanelOpen(true); }); });
    }
    connect(tabs_, &QTabWidget::currentChanged, this,
            [this](int index) { runGuarded([this, index] { showTab(index); }); });

    picButtons_ = new QWidget(splitButtons_);
    picButtons_->setObjectName("PicButtons");
    auto* buttonLayout = new QVBoxLayout(picButtons_);
    buttonLayout->setContentsMargins(4, 28, 0, 0);
    for (int i = 0; i < 5; ++i) {
        auto* button = new QPushButton(picButtons_);
        button->setObjectName(QString("CmdButtons_%1").arg(i));
        button->setMinimumWidth(90);
        buttonLayout->addWidget(button);
        cmdButtons_[i] = button;
        // The keyboard stays with the grid, whether the command acted or was declined:
        // Enter must never reach a button such as Delete by accident.
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QPushButton::clicked, this, [this, i] {
            runGuarded([this, i] { runChannelButton(i); });
            checkpoint();
            shownGrid()->setFocus(Qt::OtherFocusReason);
        });
    }
    buttonLayout->addStretch(1);
    gridLayout->addWidget(tabs_, 1);
    gridLayout->addWidget(buildFindBar(picGrid));
    splitButtons_->addWidget(picGrid);
    splitButtons_->addWidget(picButtons_);
    splitButtons_->setStretchFactor(0, 1);
    splitButtons_->setStretchFactor(1, 0);

    picStatus_ = new QWidget(splitStatus_);
    picStatus_->setObjectName("PicStatus");
    auto* statusLayout = new QVBoxLayout(picStatus_);
    statusLayout->setContentsMargins(0, 0, 0, 0);
    txtStatus_ = new QPlainTextEdit(picStatus_);
    txtStatus_->setObjectName("TxtStatus");
    txtStatus_->setReadOnly(true);
    txtStatus_->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtStatus_->setMinimumHeight(48);
    statusLayout->addWidget(txtStatus_);
    splitStatus_->addWidget(splitButtons_);
    splitStatus_->addWidget(picStatus_);
    // The grid keeps most of the room: the status log starts at a fifth of it and
    // keeps that share when the window is resized.
    splitStatus_->setStretchFactor(0, 4);
    splitStatus_->setStretchFactor(1, 1);
    splitStatus_->setSizes({560, 140});
    mainLayout->addWidget(splitStatus_, 1);

    // The model type and the clock option below the grids.
    auto* modelRow = new QHBoxLayout;
    modelRow->setSpacing(12);
    lblModel_ = new QLabel(picMain);
    lblModel_->setObjectName("LblModel");
    modelRow->addWidget(lblModel_);
    modelGroup_ = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        auto* option = new QRadioButton(picMain);
        option->setObjectName(QString("OptModel_%1").arg(i));
        modelGroup_->addButton(option, i);
        modelRow->addWidget(option);
        optModel_[i] = option;
    }
    optModel_[1]->setText(items::kModelDtmf);
    optModel_[0]->setChecked(true);
    connect(modelGroup_, &QButtonGroup::idClicked, this, [this](int id) { setModelCode(id); });
    modelRow->addStretch(1);
    check1_ = new QCheckBox(picMain);
    check1_->setObjectName("Check1");
    connect(check1_, &QCheckBox::toggled, this,
            [this](bool on) { session_->updateRadioTime = on; });
    modelRow->addWidget(check1_);
    mainLayout->addLayout(modelRow);

    setCentralWidget(picMain);
    resize(1200, 760); // all fifteen columns of a bank in view
}

void MainWindow::buildStatusBar() {
    auto* bar = statusBar();
    bar->setObjectName("staDateTime");
    staDate_ = new QLabel(bar);
    staDate_->setObjectName("staDateTime_Date");
    staTime_ = new QLabel(bar);
    staTime_->setObjectName("staDateTime_Time");
    staComStatus_ = new QLabel(bar);
    staComStatus_->setObjectName("staDateTime_ComStatus");
    for (QLabel* panel : {staDate_, staTime_, staComStatus_}) {
        panel->setFrameShape(QFrame::StyledPanel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setContentsMargins(6, 0, 6, 0);
        panel->installEventFilter(this);
    }
    staDate_->setMinimumWidth(110);
    staTime_->setMinimumWidth(90);
    bar->addWidget(staDate_);
    bar->addWidget(staTime_);
    bar->addWidget(staComStatus_, 1);
    bar->installEventFilter(this);

    clock_ = new QTimer(this);
    clock_->setObjectName("tmrClock");
    clock_->setInterval(1000);
    connect(clock_, &QTimer::timeout, this, &MainWindow::updateClock);
    clock_->start();
    updateClock();
}

void MainWindow::updateClock() {
    QLocale locale = InterfaceLocale(session_->language);
    staDate_->setText(locale.toString(QDate::currentDate(), QLocale::ShortFormat));
    staTime_->setText(QTime::currentTime().toString("HH:mm:ss"));
}

void MainWindow::startUp() {
    Session& s = *session_;
    s.startUp(); // trace off, bank A, port 1, band limits, New defaults, stock logo
    // Only 0 and 1 name a language; anything else in the store would blank every text.
    s.language = link::LoadLanguage() == kChinese ? kChinese : kEnglish;

    menuItem("mnuEdit")->setVisible(true);
    setPasteEnabled(false);
    menuItem("mnuSet_SingleClick")->setChecked(true);
    s.singleClickEditing = true;
    check1_->setChecked(true);
    s.updateRadioTime = true;

    applyLanguage();
    tabs_->setCurrentIndex(0);
    refreshShownBank();
    grids_[kBankB]->setCursor(1, 1);
    s.takeSavedCopy();

    // Once the window stands at its size: before, the splitters would scale them.
    QTimer::singleShot(0, this, [this] {
        restoreLayout();
        restoreSplitters();
    });
    menuItem("mnuProgram_Advanced")->setVisible(false);
    s.currentFileName = kUntitled;
    updateTitle();
    grids_[kBankA]->setFocus();
    history_.reset(shownImage(), undoContext()); // the fresh codeplug is where undo stops
    updateUndoActions();
}

namespace {

// Settings values of the two splitters: their sizes as "560,140".
constexpr const char* kStatusSplitSetting = "StatusSplit";
constexpr const char* kButtonSplitSetting = "ButtonSplit";

void RestoreSizes(QSplitter* splitter, const char* setting) {
    QList<int> sizes;
    for (const QString& part : link::ReadSetting(setting).split(',', Qt::SkipEmptyParts)) {
        bool ok = false;
        const int size = part.toInt(&ok);
        if (!ok || size <= 0) {
            return; // not ours, or damaged: the defaults stay
        }
        sizes << size;
    }
    if (sizes.size() == splitter->count()) {
        splitter->setSizes(sizes);
    }
}

void SaveSizes(const QSplitter* splitter, const char* setting) {
    QStringList parts;
    for (int size : splitter->sizes()) {
        parts << QString::number(size);
    }
    link::WriteSetting(setting, parts.join(','));
}

} // namespace

void MainWindow::restoreSplitters() {
    RestoreSizes(splitStatus_, kStatusSplitSetting);
    RestoreSizes(splitButtons_, kButtonSplitSetting);
}

void MainWindow::saveSplitters() {
    // A hidden area has no size worth keeping.
    if (picStatus_->isVisible() && picButtons_->isVisible()) {
        SaveSizes(splitStatus_, kStatusSplitSetting);
        SaveSizes(splitButtons_, kButtonSplitSetting);
    }
}

void MainWindow::updateTitle() {
    setWindowTitle(QString::fromStdString(WindowTitle(session_->currentFileName)));
}

bool MainWindow::commitPendingEdit() {
    const bool grid = shownGrid()->commitPendingEdit();
    const bool panel = panel_ != nullptr && panel_->commitPending();
    return grid || panel;
}

void MainWindow::showTab(int index) {
    int bank = index == 0 ? kBankA : kBankB;
    int left = session_->currentBank;
    if (bank == left) {
        return;
    }
    commitPendingEdit(); // the panel's too: the refresh below fills it afresh
    sheets_[left]->rewriteNames();
    checkpoint();
    session_->currentBank = bank;
    refreshShownBank();
    adoptShownImage(); // what the rebuild repaired is no step of the user's
}

void MainWindow::syncControlsFromImage() {
    bool manual = session_->image.at(addr::kManualByte) & addr::kManualBit;
    menuItem("mnuSet_Manual")->setChecked(manual);
    int model = session_->modelCode - '0';
    if (model < 0 || model > 2) {
        model = 0;
    }
    optModel_[model]->setChecked(true);
}

void MainWindow::refreshShownBank() {
    syncControlsFromImage();
    int bank = session_->currentBank;
    sheets_[bank]->refresh();
    grids_[bank]->showSheet();
    grids_[bank]->setCursor(1, 1);
    session_->currentChannel[bank] = 1;
    followAlternatePanel();
}

void MainWindow::setPasteEnabled(bool enabled) {
    // Also after a block copy, and whenever the system clipboard holds text to paste.
    enabled = enabled || !block_.empty() || !QGuiApplication::clipboard()->text().isEmpty();
    menuItem("mnuEdit_Paste")->setEnabled(enabled);
    // The toolbar's Paste stays off while the alternate panel is open.
    toolActions_.value("Paste")->setEnabled(enabled && !alternatePanelOpen());
}

void MainWindow::setManual(bool on) {
    commitPendingEdit();
    uint8_t byte = session_->image.at(addr::kManualByte);
    byte = on ? (byte | addr::kManualBit) : (byte & ~addr::kManualBit);
    session_->image.set(addr::kManualByte, byte);
    menuItem("mnuSet_Manual")->setChecked(on);
}

void MainWindow::setModelCode(int index) {
    if (index >= 0 && index <= 2) {
        session_->modelCode = static_cast<char>('0' + index);
    }
    followAlternatePanel(); // the signalling types this model offers
    checkpoint();           // no step: an undo later does not take the choice back
}

void MainWindow::setServiceEntryVisible(bool visible) {
    menuItem("mnuProgram_Advanced")->setVisible(visible);
}

void MainWindow::toggleTraceMode() {
    session_->traceMode = !session_->traceMode;
    staComStatus_->setText(session_->traceMode ? items::kTraceStatus : "");
}

void MainWindow::showError(const QString& text) {
    prompts_.message(this, items::kModelName, text, Icon::Warning, Buttons::Ok, Answer::Ok);
}

void MainWindow::runGuarded(const std::function<void()>& command) {
    try {
        command();
    } catch (const std::exception& e) {
        showError(QString::fromLocal8Bit(e.what()));
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtFind_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        closeFindBar();
        return true;
    }
    bool onStatusBar = watched == statusBar() || watched == staDate_ || watched == staTime_ ||
                       watched == staComStatus_;
    if (onStatusBar && event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const Qt::KeyboardModifiers both = Qt::ShiftModifier | Qt::ControlModifier;
        if (mouse->button() == Qt::RightButton && (mouse->modifiers() & both) == both) {
            toggleTraceMode();
            return true;
        }
    }
    bool onToolBar = watched == toolBar_ || (toolBar_ && watched->parent() == toolBar_);
    if (onToolBar && event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const Qt::KeyboardModifiers all = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
        if (mouse->button() == Qt::RightButton && (mouse->modifiers() & all) == all) {
            runGuarded([this] { openSubWindow(SubWindow::MemoryMap); });
            return true;
        }
        runGuarded([this] { commitPendingEdit(); });
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    bool accept = false; // a failure on the way keeps the window and the user's data
    runGuarded([&] {
        commitPendingEdit();
        if (clone_ && clone_->isRunning()) {
            return; // the transfer ends first; the port is still in use
        }
        accept = !session_->hasUnsavedChanges() || askSaveFirst(1313);
    });
    if (!accept) {
        event->ignore();
        return;
    }
    link::SaveLanguage(session_->language);
    saveSplitters();
    saveLayout();
    releaseCloneWindow();
    event->accept();
}

} // namespace r57::ui
