// The question a window holding unsaved edits asks before it closes.
#pragma once

#include <functional>

class QWidget;

namespace r57::ui {

class Prompts;

// Message 1378 "Data has been changed,Save?" with Yes, No and Cancel, when `edited`:
// Yes runs `save` and closes only when it succeeded, No closes without saving, Cancel
// stays. True when the window may close.
bool ConfirmClose(Prompts& prompts, QWidget* parent, int language, bool edited,
                  const std::function<bool()>& save);

} // namespace r57::ui
