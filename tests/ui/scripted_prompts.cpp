#include "scripted_prompts.h"

#include <QPrinter>

namespace r57::ui {

Answer ScriptedPrompts::message(QWidget* parent, const QString& title, const QString& text,
                                Icon icon, Buttons buttons, Answer defaultButton) {
    asked.push_back({title, text, icon, buttons, defaultButton, parent});
    if (answers.empty()) {
        return defaultButton;
    }
    Answer a = answers.front();
    answers.pop_front();
    return a;
}

QString ScriptedPrompts::openFile(QWidget*, const QString&, const QString& fileName) {
    fileDialogs << "open:" + fileName;
    if (files.empty()) {
        return {};
    }
    QString f = files.front();
    files.pop_front();
    return f;
}

QString ScriptedPrompts::saveFile(QWidget*, const QString&, const QString& fileName) {
    fileDialogs << "save:" + fileName;
    if (files.empty()) {
        return {};
    }
    QString f = files.front();
    files.pop_front();
    return f;
}

namespace {
bool TakePrinter(std::deque<QString>& files, QPrinter& printer) {
    if (files.empty()) {
        return false;
    }
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(files.front());
    files.pop_front();
    return true;
}
} // namespace

bool ScriptedPrompts::choosePrinter(QWidget*, QPrinter& printer, int pageCount) {
    printDialogs << "print";
    printPages = pageCount;
    if (printRange.first > 0) {
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(printRange.first, printRange.second);
    }
    return TakePrinter(printFiles, printer);
}

void ScriptedPrompts::previewPrint(QWidget*, QPrinter& printer,
                                   const std::function<void(QPrinter&)>& paint) {
    printDialogs << "preview";
    if (TakePrinter(printFiles, printer)) {
        paint(printer);
    }
}

} // namespace r57::ui
