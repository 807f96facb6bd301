// The window's texts in the session's language, and the language menu.
#include "ui/main/main_window.h"

#include "core/session.h"
#include "core/strings.h"
#include "ui/main/accessibility.h"
#include "ui/main/channel_grid.h"
#include "ui/main/interface_language.h"
#include "ui/main/main_window_items.h"
#include "ui/main/ui_text.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace r57::ui {

void MainWindow::applyLanguage() {
    const int language = session_->language;
    auto text = [language](int id) {
        return Tr(id, language);
    };

    UseQtTranslations(language);
    updateClock();
    menuItem("mnuSet_LanE")->setChecked(language == kEnglish);
    menuItem("mnuSet_LanC")->setChecked(language == kChinese);
    updateTitle();

    for (const items::MenuEntry& entry : items::kMenuBar) {
        if (entry.captionId != 0) {
            menuItem(entry.name)->setText(text(entry.captionId));
        }
    }
    menuItem("mnuHelp_Contents")->setText(Tr(items::kHelpContents, language));
    for (const items::OwnCaption& item : items::kOwnCaptions) {
        menuItem(item.name)->setText(Tr(item.caption, language));
    }
    for (const items::ToolEntry& entry : items::kToolBar) {
        if (entry.key && entry.tooltipId != 0) {
            QAction* action = toolActions_.value(entry.key);
            action->setText(text(entry.tooltipId));
            action->setToolTip(text(entry.tooltipId));
        }
    }

    for (int i = 0; i < 5; ++i) {
        cmdButtons_[i]->setText(text(items::kChannelButtonCaptions[i]));
    }

    // Header rows and the editors' lists of both grids.
    grids_[kBankA]->applyLanguage();
    grids_[kBankB]->applyLanguage();

    check1_->setText(QString::fromUtf8(language == kChinese ? items::kUpdateTimeChinese
                                                            : items::kUpdateTimeEnglish));
    lblModel_->setText(text(1056));
    optModel_[0]->setText(text(1357));
    optModel_[2]->setText(text(1358));
    applyPanelLanguage();
    applyUndoLanguage();
    applyVerifyLanguage();
    applyKeepLanguage();
    applyBlockLanguage();
    fillRecentMenu();
    NameWindowsAsShown(language);
    NameControls(this, language);
}

void MainWindow::switchLanguage(int language) {
    commitPendingEdit();
    // Names moved by the channel buttons live in the grid until written; write them
    // before the grid is rebuilt from the image.
    sheets_[session_->currentBank]->rewriteNames();
    checkpoint();
    session_->language = language;
    applyLanguage();

    ChannelGrid* grid = shownGrid();
    int row = grid->cursorRow();
    int column = grid->cursorColumn();
    refreshShownBank();
    grid->setCursor(row, column); // a language change keeps the user's place
    adoptShownImage();            // what the rebuild repaired is no step of the user's
}

} // namespace r57::ui
