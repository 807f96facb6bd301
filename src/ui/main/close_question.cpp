#include "ui/main/close_question.h"

#include "ui/main/prompts.h"
#include "ui/main/ui_text.h"

namespace r57::ui {

namespace {

constexpr int kSaveQuestion = 1378;

} // namespace

bool ConfirmClose(Prompts& prompts, QWidget* parent, int language, bool edited,
                  const std::function<bool()>& save) {
    if (!edited) {
        return true;
    }
    switch (prompts.message(parent, "R57", Tr(kSaveQuestion, language), Icon::Question,
                            Buttons::YesNoCancel, Answer::Yes)) {
    case Answer::Yes:
        return save();
    case Answer::No:
        return true;
    default:
        return false;
    }
}

} // namespace r57::ui
