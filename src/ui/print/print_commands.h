// Plugs the printed channel sheet into the main window's File menu: Print... (Qt's
// print dialog), Print Preview... and Export PDF.... All three print the codeplug as
// the window shows it at that moment, in its language and with its visible columns;
// the paper chosen in the print dialog is kept for the next print and the PDF export.
#pragma once

namespace r57::ui {

class MainWindow;

void InstallPrintCommands(MainWindow& window);

} // namespace r57::ui
