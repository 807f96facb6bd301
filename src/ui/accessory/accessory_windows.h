// Plugs the accessory dialogs into the main window's commands: Help > About (and the
// toolbar's About), Program > RADIO, Program > Embedded Message and View > Visible
// Columns. Their confirmed edits reach the image through the main window's one door.
#pragma once

namespace r57::ui {

class MainWindow;

void InstallAccessoryWindows(MainWindow& window);

} // namespace r57::ui
