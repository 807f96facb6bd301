// Going to a compared field: a channel's cell in the main window's grid, a settings
// field in the settings window at its page, a service field in the service window (after
// its login) at its page, an FM channel or the embedded message in their windows. The
// field's control gets the focus where the page has a caption of that name.
#pragma once

#include "text/codeplug_diff.h"

namespace r57::ui {

class MainWindow;

void GoToRow(MainWindow& main, const text::DiffRow& row);

} // namespace r57::ui
