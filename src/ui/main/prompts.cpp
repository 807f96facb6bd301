#include "ui/main/prompts.h"

#include "ui/main/dialog_folders.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRegularExpression>

#include <algorithm>

namespace r57::ui {

namespace {

QMessageBox::StandardButton toButton(Answer answer) {
    switch (answer) {
    case Answer::Ok:
        return QMessageBox::Ok;
    case Answer::Cancel:
        return QMessageBox::Cancel;
    case Answer::Yes:
        return QMessageBox::Yes;
    case Answer::No:
        return QMessageBox::No;
    case Answer::Retry:
        return QMessageBox::Retry;
    }
    return QMessageBox::NoButton;
}

QMessageBox::StandardButtons toButtons(Buttons buttons) {
    switch (buttons) {
    case Buttons::Ok:
        return QMessageBox::Ok;
    case Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Buttons::RetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon toIcon(Icon icon) {
    switch (icon) {
    case Icon::None:
        return QMessageBox::NoIcon;
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::Warning:
        return QMessageBox::Warning;
    case Icon::Critical:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

Answer fromButton(int button) {
    switch (button) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Retry:
        return Answer::Retry;
    default:
        return Answer::Cancel; // closing the box counts as Cancel
    }
}

} // namespace

Answer DialogPrompts::message(QWidget* parent, const QString& title, const QString& text, Icon icon,
                              Buttons buttons, Answer defaultButton) {
    QMessageBox box(toIcon(icon), title, text, toButtons(buttons), parent);
    box.setDefaultButton(toButton(defaultButton));
    return fromButton(box.exec());
}

QString DialogPrompts::openFile(QWidget* parent, const QString& filter, const QString& fileName) {
    const QString path = QFileDialog::getOpenFileName(
        parent, QString(), DialogStartPath(DialogDirection::Open, filter, fileName), filter);
    RememberDialogFolder(DialogDirection::Open, filter, path);
    return path;
}

QString DialogPrompts::saveFile(QWidget* parent, const QString& filter, const QString& fileName) {
    // The filter's extension is added to a name typed without one, before the dialog
    // asks whether to replace an existing file of that name.
    QFileDialog dialog(parent, QString(), DialogStartPath(DialogDirection::Save, filter, fileName),
                       filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    const QString suffix = QRegularExpression(R"(\*\.(\w+))").match(filter).captured(1);
    dialog.setDefaultSuffix(suffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    RememberDialogFolder(DialogDirection::Save, filter, dialog.selectedFiles().constFirst());
    return dialog.selectedFiles().constFirst();
}

bool Prompts::choosePrinter(QWidget*, QPrinter&, int) {
    return false;
}

void Prompts::previewPrint(QWidget*, QPrinter&, const std::function<void(QPrinter&)>&) {}

bool DialogPrompts::choosePrinter(QWidget* parent, QPrinter& printer, int pageCount) {
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, std::max(1, pageCount)); // a range is chosen from the pages there are
    return dialog.exec() == QDialog::Accepted;
}

void DialogPrompts::previewPrint(QWidget* parent, QPrinter& printer,
                                 const std::function<void(QPrinter&)>& paint) {
    QPrintPreviewDialog dialog(&printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&paint](QPrinter* target) { paint(*target); });
    dialog.exec();
}

} // namespace r57::ui
