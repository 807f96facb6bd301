// Answers the windows' message boxes and file dialogs from a script, and records what
// was asked, so window tests never show a dialog.
#pragma once

#include "ui/main/prompts.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <utility>
#include <vector>

namespace r57::ui {

struct AskedMessage {
    QString title;
    QString text;
    Icon icon;
    Buttons buttons;
    Answer defaultButton;
    QWidget* parent = nullptr; // the window the box stands over
};

class ScriptedPrompts : public Prompts {
public:
    // Queued answers are used in order; when the queue is empty a message is answered
    // with its default button and a file dialog is cancelled.
    std::deque<Answer> answers;
    std::deque<QString> files;

    std::vector<AskedMessage> asked;
    QStringList fileDialogs; // "open:<name>" or "save:<name>" for each dialog shown

    // The print dialog, and the Print button of the preview: the next queued file is the
    // printer (a PDF file); with none queued the dialog is cancelled and the preview
    // closed without printing.
    std::deque<QString> printFiles;
    QStringList printDialogs;             // "print" or "preview" for each dialog shown
    int printPages = 0;                   // the page count the print dialog was told
    std::pair<int, int> printRange{0, 0}; // the pages the print dialog chooses (0, 0: all)

    Answer message(QWidget* parent, const QString& title, const QString& text, Icon icon,
                   Buttons buttons, Answer defaultButton) override;
    QString openFile(QWidget* parent, const QString& filter, const QString& fileName) override;
    QString saveFile(QWidget* parent, const QString& filter, const QString& fileName) override;
    bool choosePrinter(QWidget* parent, QPrinter& printer, int pageCount) override;
    void previewPrint(QWidget* parent, QPrinter& printer,
                      const std::function<void(QPrinter&)>& paint) override;

    QString lastText() const { return asked.empty() ? QString() : asked.back().text; }
};

} // namespace r57::ui
