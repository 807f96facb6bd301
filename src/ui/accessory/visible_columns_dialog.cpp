#include "ui/accessory/visible_columns_dialog.h"

#include "model/accessory/visible_columns.h"
#include "ui/main/ui_text.h"

#include "core/channel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace r57::ui {

namespace {

constexpr OwnText kAlwaysShown{"Always shown", "始终显示"};

} // namespace

VisibleColumnsDialog::VisibleColumnsDialog(const ColumnVisibility& visible, int language,
                                           QWidget* parent)
    : QDialog(parent), before_(visible) {
    setObjectName("frmSelColumns");
    setWindowTitle(Tr(1449, language));

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(40);
    grid->setVerticalSpacing(8);
    for (int c = kColRx; c < kColumnCount; ++c) {
        auto* box = new QCheckBox(QString::fromStdString(ColumnCaption(c, language)), this);
        box->setObjectName(QString("ColumnSel_%1").arg(c));
        box->installEventFilter(this);
        if (!ColumnChoosable(c)) {
            box->setEnabled(false);
            box->setToolTip(Tr(kAlwaysShown, language));
        }
        boxes_[c] = box;
        // Two columns of seven, in grid order down the first and then the second.
        grid->addWidget(box, (c - 1) % 7, (c - 1) / 7);
    }
    showBoxes(visible);

    auto* all = new QPushButton(Tr(1450, language), this);
    all->setObjectName("Command1");
    auto* inverse = new QPushButton(Tr(1446, language), this);
    inverse->setObjectName("Command2");
    auto* ok = new QPushButton(Tr(1058, language), this);
    ok->setObjectName("CmdOk");
    auto* cancel = new QPushButton(Tr(1059, language), this);
    cancel->setObjectName("CmdCancel");
    for (QPushButton* b : {all, inverse, ok, cancel}) {
        b->setAutoDefault(false);
    }
    connect(all, &QPushButton::clicked, this, [this] {
        ColumnVisibility b = boxes();
        SelectAllColumns(b);
        showBoxes(b);
    });
    connect(inverse, &QPushButton::clicked, this, [this] {
        ColumnVisibility b = boxes();
        InvertColumns(b);
        showBoxes(b);
    });
    connect(ok, &QPushButton::clicked, this, &VisibleColumnsDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &VisibleColumnsDialog::reject);

    auto* choose = new QHBoxLayout;
    choose->addWidget(all);
    choose->addWidget(inverse);
    choose->addStretch(1);
    auto* close = new QHBoxLayout;
    close->addStretch(1);
    close->addWidget(ok);
    close->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 14);
    layout->addLayout(grid);
    layout->addLayout(choose);
    layout->addSpacing(8);
    layout->addLayout(close);
}

ColumnVisibility VisibleColumnsDialog::boxes() const {
    ColumnVisibility b = before_;
    for (int c = kColRx; c < kColumnCount; ++c) {
        b[c] = boxes_[c]->isChecked();
    }
    return b;
}

void VisibleColumnsDialog::showBoxes(const ColumnVisibility& b) {
    for (int c = kColRx; c < kColumnCount; ++c) {
        boxes_[c]->setChecked(b[c]);
    }
}

ColumnVisibility VisibleColumnsDialog::chosen() const {
    return ChosenColumns(before_, boxes());
}

bool VisibleColumnsDialog::eventFilter(QObject* watched, QEvent* event) {
    // Enter on a box moves on, as Tab does.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            focusNextChild();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace r57::ui
