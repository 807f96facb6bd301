// The menu bar and the toolbar: built from the item tables, and each item wired to
// its command.
#include "ui/main/main_window.h"

#include "core/session.h"
#include "ui/main/main_window_items.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include <vector>

namespace r57::ui {

void MainWindow::buildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName("mnuBar");
    std::vector<QMenu*> open;
    for (const items::MenuEntry& entry : items::kMenuBar) {
        QAction* action = nullptr;
        switch (entry.kind) {
        case items::kMenu: {
            QMenu* menu = open.empty() ? bar->addMenu(QString()) : open.back()->addMenu(QString());
            menu->setObjectName(entry.name);
            action = menu->menuAction();
            open.push_back(menu);
            break;
        }
        case items::kEndMenu:
            open.pop_back();
            break;
        case items::kItem:
        case items::kCheck:
            action = open.back()->addAction(QString());
            action->setCheckable(entry.kind == items::kCheck);
            break;
        case items::kSeparator:
        case items::kHiddenSeparator:
            open.back()->addSeparator()->setVisible(entry.kind == items::kSeparator);
            break;
        }
        if (action) {
            action->setObjectName(entry.name);
            action->setVisible(!entry.hidden);
            menuItems_.insert(entry.name, action);
        }
    }

    menuItem("mnuView_Buttons")->setChecked(true);
    menuItem("mnuView_Status")->setChecked(true);

    // Every item commits a pending grid edit before it acts; what it changed in the
    // image is one step of undo.
    auto on = [this](const char* name, std::function<void()> command) {
        connect(menuItem(name), &QAction::triggered, this, [this, command, name] {
            if (transferRunning()) {
                return; // a shortcut must not reach past the locked menus
            }
            runGuarded([this, &command, name] {
                commitPendingEdit();
                checkpoint(); // the edit being typed is a step of its own
                stepLabel_ = name;
                command();
            });
            checkpoint(); // also after a command that failed half-way
            stepLabel_.clear();
        });
    };
    on("mnuFile_New", [this] { newCodeplug(); });
    on("mnuFile_Open", [this] { openCodeplug(); });
    on("mnuFile_Save", [this] { saveCodeplug(); });
    on("mnuFile_SaveAs", [this] { saveCodeplugAs(); });
    on("mnuFile_Exit", [this] { close(); });
    on("mnuFile_Import", [this] { openSubWindow(SubWindow::ImportText); });
    on("mnuFile_Export", [this] { openSubWindow(SubWindow::ExportText); });
    on("mnuFile_ImportChannels", [this] { openSubWindow(SubWindow::ImportChannels); });
    on("mnuFile_ExportChannels", [this] { openSubWindow(SubWindow::ExportChannels); });
    on("mnuFile_Print", [this] { openSubWindow(SubWindow::Print); });
    on("mnuFile_PrintPreview", [this] { openSubWindow(SubWindow::PrintPreview); });
    on("mnuFile_ExportPdf", [this] { openSubWindow(SubWindow::ExportPdf); });
    on("mnuModel_Info", [this] { openSubWindow(SubWindow::ModelInfo); });
    on("mnuEdit_Copy", [this] { copyChannel(); });
    on("mnuEdit_Paste", [this] { pasteChannel(); });
    on("mnuEdit_Clear", [this] { clearChannel(); });
    on("mnuEdit_Delete", [this] { runChannelButton(kDelete); });
    on("mnuEdit_Insert", [this] { runChannelButton(kInsert); });
    on("mnuProgram_OPSign", [this] { openSubWindow(SubWindow::OptionalFeatures); });
    on("mnuProgram_Advanced", [this] { openSubWindow(SubWindow::ServiceLogin); });
    on("mnuProgram_ANI", [this] { openSubWindow(SubWindow::Radio); });
    on("mnuProgram_EmbMsg", [this] { openSubWindow(SubWindow::EmbeddedMessage); });
    on("mnuTransfer_Read", [this] { readFromRadio(); });
    on("mnuTransfer_Write", [this] { writeToRadio(); });
    on("mnuTransfer_Restore", [this] { restoreFromBackup(); });
    on("mnuTransfer_Batch", [this] { openSubWindow(SubWindow::Batch); });
    on("mnuFile_Compare", [this] { openSubWindow(SubWindow::CompareFile); });
    on("mnuTransfer_Compare", [this] { openSubWindow(SubWindow::CompareRadio); });
    on("mnuSet_GUI", [this] { openSubWindow(SubWindow::AlternatePanel); });
    on("mnuSet_SingleClick",
       [this] { session_->singleClickEditing = menuItem("mnuSet_SingleClick")->isChecked(); });
    on("mnuSet_Manual", [this] { setManual(menuItem("mnuSet_Manual")->isChecked()); });
    on("mnuSet_COM", [this] { openComPort(); });
    on("mnuSet_LanE", [this] { switchLanguage(kEnglish); });
    on("mnuSet_LanC", [this] { switchLanguage(kChinese); });
    on("mnuView_Buttons",
       [this] { picButtons_->setVisible(menuItem("mnuView_Buttons")->isChecked()); });
    on("mnuView_Status",
       [this] { picStatus_->setVisible(menuItem("mnuView_Status")->isChecked()); });
    on("mnuView_Columns", [this] { openSubWindow(SubWindow::VisibleColumns); });
    on("mnuHelp_Contents", [this] { showHelp(); });
    on("mnuHelp_About", [this] { openSubWindow(SubWindow::About); });

    for (const items::MenuShortcut& shortcut : items::kMenuShortcuts) {
        QAction* action = menuItem(shortcut.name);
        action->setShortcut(QKeySequence(QString::fromLatin1(shortcut.keys)));
        action->setShortcutContext(Qt::WindowShortcut);
    }
}

QAction* MainWindow::menuItem(const char* name) const {
    return menuItems_.value(name);
}

void MainWindow::buildToolBar() {
    toolBar_ = addToolBar(QString());
    toolBar_->setObjectName("tlbActions");
    toolBar_->setMovable(false);
    toolBar_->setFloatable(false);
    toolBar_->setIconSize(QSize(24, 24));
    // A right click must reach the memory-map gesture instead of opening a menu.
    toolBar_->setContextMenuPolicy(Qt::PreventContextMenu);
    toolBar_->installEventFilter(this);
    for (const items::ToolEntry& entry : items::kToolBar) {
        if (!entry.key) {
            toolBar_->addSeparator();
            continue;
        }
        QString key = entry.key;
        QAction* action = toolBar_->addAction(items::ToolIcon(key, style()), key);
        action->setObjectName("tlbActions_" + key);
        if (QWidget* button = toolBar_->widgetForAction(action)) {
            button->setObjectName("tlbActions_" + key);
            button->installEventFilter(this);
        }
        toolActions_.insert(key, action);
        connect(action, &QAction::triggered, this,
                [this, key] { runGuarded([this, &key] { onToolBarAction(key); }); });
    }
}

void MainWindow::onToolBarAction(const QString& key) {
    if (transferRunning()) {
        return;
    }
    commitPendingEdit();
    checkpoint();
    // The step is named as the menu item that does the same.
    static const QHash<QString, const char*> kMenuItemOf{{"New", "mnuFile_New"},
                                                         {"Open", "mnuFile_Open"},
                                                         {"Paste", "mnuEdit_Paste"},
                                                         {"Clear", "mnuEdit_Clear"}};
    stepLabel_ = kMenuItemOf.value(key, "");
    if (key == "New") {
        newCodeplug();
    } else if (key == "Open") {
        openCodeplug();
    } else if (key == "Save") {
        saveCodeplug();
    } else if (key == "Copy") {
        copyChannel();
    } else if (key == "Paste") {
        pasteChannel();
    } else if (key == "Clear") {
        clearChannel();
    } else if (key == "Read") {
        readFromRadio();
    } else if (key == "Write") {
        writeToRadio();
    } else if (key == "About") {
        openSubWindow(SubWindow::About);
    } else if (key == "MoveUp") {
        runChannelButton(kMoveUp);
    } else if (key == "MoveDown") {
        runChannelButton(kMoveDown);
    } else if (key == "Insert") {
        runChannelButton(kInsert);
    } else if (key == "Delete") {
        runChannelButton(kDelete);
    } else if (key == "Undo") {
        undo();
    } else if (key == "Redo") {
        redo();
    }
    checkpoint();
    stepLabel_.clear();
}

} // namespace r57::ui
