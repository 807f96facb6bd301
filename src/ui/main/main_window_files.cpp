// The File commands: New, Open, Save, Save As, and the save question before the
// current codeplug is given up.
#include "ui/main/main_window.h"

#include "core/band_limits.h"
#include "core/data_file.h"
#include "core/session.h"
#include "core/strings.h"
#include "ui/main/channel_grid.h"
#include "ui/main/main_window_items.h"
#include "ui/main/prompts.h"
#include "ui/main/ui_text.h"

#include <QDir>
#include <QFileInfo>

namespace r57::ui {

namespace {

const OwnText kSaveFailed{"The file %1 could not be saved:", "无法保存文件 %1："};
const OwnText kNotRegularFile{"%1 is not a regular file (a folder, a device or a pipe); nothing "
                              "was written.",
                              "%1 不是普通文件（文件夹、设备或管道），未写入任何内容。"};

const OwnText kReplaceFile{"%1 already exists.\nDo you want to replace it?",
                           "%1 已存在。\n要替换它吗？"};

} // namespace

// The name chosen in the save dialog, with ".dat" unless it ends so already ("St. Marys"
// becomes "St. Marys.dat"), so that File > Open lists it later. The dialog asked about
// replacing the name it was given; a file under the longer name is asked about here.
// Empty when the dialog was cancelled or the replacing refused.
QString MainWindow::askSaveName(const QString& preset) {
    const QString chosen = prompts_.saveFile(this, items::kDataFileFilter, preset);
    if (chosen.isEmpty()) {
        return {};
    }
    const QString path = QString::fromStdString(WithDataSuffix(chosen.toStdString()));
    if (path != chosen && QFileInfo::exists(path) &&
        prompts_.message(this, items::kModelName,
                         Tr(kReplaceFile, session_->language).arg(QDir::toNativeSeparators(path)),
                         Icon::Warning, Buttons::YesNo, Answer::No) != Answer::Yes) {
        return {};
    }
    return path;
}

void MainWindow::newCodeplug() {
    commitPendingEdit();
    Session& s = *session_;
    if (prompts_.message(this, "alert", Tr(1201, s.language), Icon::Warning, Buttons::OkCancel,
                         Answer::Cancel) != Answer::Ok) {
        return;
    }
    s.resetToDefaults();
    s.takeSavedCopy();
    for (int bank : {kBankA, kBankB}) {
        sheets_[bank]->clearAll();
        grids_[bank]->showSheet();
        grids_[bank]->setCursor(1, 1);
        s.currentChannel[bank] = 1;
    }
    // The Manual mark, the model buttons and the panel's signalling types follow the
    // fresh image and model code.
    syncControlsFromImage();
    followAlternatePanel();
    s.currentFileName = kUntitled;
    updateTitle();
    setPasteEnabled(false);
}

void MainWindow::openCodeplug() {
    commitPendingEdit();
    Session& s = *session_;
    // Giving up unsaved edits needs the user's word, and a save that did not happen
    // (dialog cancelled, write failed) must not let them be overwritten.
    if (s.hasUnsavedChanges() && !askSaveFirst(1276)) {
        return;
    }
    QString path = prompts_.openFile(this, items::kDataFileFilter, QString());
    if (!path.isEmpty()) {
        loadFile(path, true); // the dialog offers only files that exist
    }
}

bool MainWindow::openFile(const QString& path) {
    commitPendingEdit();
    if (session_->hasUnsavedChanges() && !askSaveFirst(1276)) {
        return false;
    }
    return loadFile(path, false);
}

bool MainWindow::loadFile(const QString& path, bool quietWhenUnreadable) {
    Session& s = *session_;
    LoadedFile loaded = ReadDataFile(path.toStdString());
    if (!loaded.status.ok) {
        if (loaded.status.messageId == kIncorrectFileType) {
            prompts_.message(this, "Error", Tr(kIncorrectFileType, s.language), Icon::Critical,
                             Buttons::Ok, Answer::Ok);
        } else if (!quietWhenUnreadable) {
            // A name typed on the command line may be wrong; File > Open stays silent
            // here as it always has.
            static constexpr OwnText kCannotOpen{"Cannot open %1:\n%2", "无法打开 %1：\n%2"};
            showError(Tr(kCannotOpen, s.language)
                          .arg(QDir::toNativeSeparators(path),
                               QString::fromLocal8Bit(loaded.status.detail.c_str())));
        }
        return false;
    }
    s.image = loaded.image;
    s.bands = DecodeBandLimits(s.image);
    // An open alternate panel stays on its channel and shows it from the new file.
    const int panelRow = alternatePanelOpen() ? shownGrid()->cursorRow() : 1;
    refreshShownBank();
    if (panelRow != 1) {
        shownGrid()->setCursor(panelRow, shownGrid()->cursorColumn());
    }
    s.takeSavedCopy();
    // The title names the file by its full path, however it was given.
    s.currentFileName = QFileInfo(path).absoluteFilePath().toStdString();
    updateTitle();
    setPasteEnabled(false);
    checkpoint(); // undo goes back to the codeplug (and the file) before
    noteRecentFile(path);
    return true;
}

bool MainWindow::saveCodeplug() {
    commitPendingEdit();
    sheets_[session_->currentBank]->rewriteNames();
    if (session_->currentFileName == kUntitled) {
        const QString path = askSaveName(items::kUntitledFile);
        return !path.isEmpty() && saveTo(path);
    }
    return saveTo(QString::fromStdString(session_->currentFileName));
}

bool MainWindow::saveCodeplugAs() {
    commitPendingEdit();
    sheets_[session_->currentBank]->rewriteNames();
    QString preset = session_->currentFileName == kUntitled
                         ? QString(items::kUntitledFile)
                         : QString::fromStdString(session_->currentFileName);
    const QString path = askSaveName(preset);
    return !path.isEmpty() && saveTo(path);
}

bool MainWindow::saveTo(const QString& path) {
    Status written = WriteDataFile(path.toStdString(), session_->image);
    if (!written.ok) {
        // The message names the file: the name in the title may be another one.
        const int language = session_->language;
        const QString shown = QDir::toNativeSeparators(path);
        QString text;
        if (written.notRegularFile) {
            text = Tr(kNotRegularFile, language).arg(shown);
        } else {
            text = Tr(kSaveFailed, language).arg(shown) + "\n" +
                   (!written.detail.empty() ? QString::fromStdString(written.detail)
                                            : Tr(written.messageId, language));
        }
        showError(text);
        return false; // the file name stays the one that was last written
    }
    session_->currentFileName = path.toStdString();
    updateTitle();
    session_->takeSavedCopy();
    checkpoint(); // a new name is no step: undo keeps writing to this file
    noteRecentFile(path);
    return true;
}

bool MainWindow::askSaveFirst(int messageId) {
    Answer answer = prompts_.message(this, items::kModelName, Tr(messageId, session_->language),
                                     Icon::Warning, Buttons::YesNoCancel, Answer::Yes);
    switch (answer) {
    case Answer::Yes:
        return saveCodeplug();
    case Answer::No:
        return true;
    default:
        return false;
    }
}

} // namespace r57::ui
