// `frmSelColumns`: one check box per grid column (`ColumnSel_1`..`ColumnSel_14`),
// "Select All" and "Inverse" for columns 2..13, OK and Cancel. The receive frequency and
// "More" boxes are shown ticked and cannot be changed.
#pragma once

#include "model/sheet/grid_rules.h"

#include <QDialog>

#include <array>

class QCheckBox;

namespace r57::ui {

class VisibleColumnsDialog : public QDialog {
    Q_OBJECT
public:
    VisibleColumnsDialog(const ColumnVisibility& visible, int language, QWidget* parent = nullptr);

    // After OK: the columns to show, columns 1 and 14 as they were.
    ColumnVisibility chosen() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ColumnVisibility boxes() const;
    void showBoxes(const ColumnVisibility& boxes);

    ColumnVisibility before_;
    std::array<QCheckBox*, 15> boxes_{}; // 1..14 used
};

} // namespace r57::ui
