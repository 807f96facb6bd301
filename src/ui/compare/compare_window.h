// `frmCompare`: the open codeplug against another (a data file, or the radio on the
// cable), field by field. The rows come from the text layer's comparison; the window
// groups and filters them, shows a row's field in the main window (double-click or
// Enter), takes the other's values across through the page and sheet rules in one undo
// step, and exports or prints the list. It stays open beside the main window and
// compares again whenever it comes back to the front after the codeplug changed.
#pragma once

#include "core/image.h"
#include "ui/compare/compare_model.h"
#include "ui/compare/compare_print.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;

namespace r57::ui {

class MainWindow;

class CompareWindow : public QDialog {
    Q_OBJECT
public:
    // `otherName`: the other's file name, or what stands for the radio.
    CompareWindow(MainWindow& main, const CodeplugImage& other, const QString& otherName);

    CompareModel& model() { return model_; }
    QTreeView* list() const { return list_; }
    const CodeplugImage& other() const { return other_; }

    // Compares the codeplug as the main window holds it now with the other again.
    void compare();
    // cmdTake: the selected rows (a group for all its rows) taken from the other.
    void takeSelected();
    // The row's field shown in the main window or in its own window.
    void goTo(const QModelIndex& index);
    void exportCsv();
    void printList();
    void exportPdf();
    // The shown rows with both names, for the printer and the PDF.
    CompareSheet sheet() const;

protected:
    bool event(QEvent* event) override;

private:
    // The window's texts in the main window's language (which may change while it is
    // open: the list follows when it comes back to the front).
    void applyLanguage();
    void applyFilter();
    void updateCount();
    // The service password, once for the window; false when not given.
    bool serviceUnlocked();
    CodeplugImage thisImage() const;

    MainWindow& main_;
    CodeplugImage other_;
    QString otherName_;
    CodeplugImage compared_; // this codeplug as last compared
    CompareModel model_;
    QLabel* files_ = nullptr;
    QLineEdit* filter_ = nullptr;
    QCheckBox* onlyChannels_ = nullptr;
    QCheckBox* onlySettings_ = nullptr;
    QTreeView* list_ = nullptr;
    QLabel* count_ = nullptr;
    QLabel* notes_ = nullptr;
    QPushButton* take_ = nullptr;
    bool serviceUnlocked_ = false;
    int language_ = -1;
};

} // namespace r57::ui
