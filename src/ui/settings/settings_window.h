// `FrmOpSign`, "Optional Features": every codeplug field that is not a channel, on
// eight pages chosen from the tree `TreeOPS`. The pages load from the image when the
// window opens and on Reset; Save writes all of them (also those the model variant
// hides) and packs the logo, in one change of the image through the main window.
#pragma once

#include "ui/settings/settings_views.h"

#include <QDialog>

#include <array>

class QGroupBox;
class QPushButton;
class QStackedWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace r57::ui {

class MainWindow;

class SettingsWindow : public QDialog {
    Q_OBJECT
public:
    explicit SettingsWindow(MainWindow& main);
    ~SettingsWindow() override;

    int currentPage() const { return page_; }
    PageView* view(int page) const { return views_[page]; }

    void save();  // CmdOps 0
    void reset(); // CmdOps 1

private:
    void buildTree();
    void loadAll();
    void onNodeChanged(QTreeWidgetItem* node, QTreeWidgetItem* previous);
    void showPage(int page, QTreeWidgetItem* node);
    // The 5-Tone code-count check, when that page is the one shown.
    bool fiveToneReady();
    QTreeWidgetItem* node(const QString& key) const;

    MainWindow& main_;
    settings::CommonSetPage common_;
    settings::DtmfPage dtmf_;
    settings::MskPage msk_;
    settings::TwoTonePage twoTone_;
    settings::FiveTonePage fiveTone_;
    settings::FunctionSettingPage function_;
    settings::LogoPage logo_;

    QTreeWidget* tree_ = nullptr;
    QGroupBox* frame_ = nullptr; // `FraOPS`: its caption names the page
    QStackedWidget* stack_ = nullptr;
    std::array<QPushButton*, 3> buttons_{};
    std::array<PageView*, kSettingsPageCount> views_{};
    int page_ = kFunctionPage;
    bool switching_ = false;
};

// Program > Optional Features opens the window, modal over the main window.
void InstallSettingsWindow(MainWindow& main);

} // namespace r57::ui
