#include "scripted_prompts.h"

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

} // namespace r57::ui
