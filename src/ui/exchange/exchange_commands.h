// Plugs the codeplug as text into the main window's File menu: Export... and Import...
// (the whole codeplug as YAML), Export Channels... and Import Channels... (the shown
// bank as CSV in the common exchange layout, imported from the cursor row). Imports
// change the image through the main window's one door, so they can be taken back.
#pragma once

namespace r57::ui {

class MainWindow;

void InstallExchangeCommands(MainWindow& window);

} // namespace r57::ui
