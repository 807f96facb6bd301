// Plugs the service section into the main window: Program > Advanced opens the login
// (`frmLogin`, then the service window), and the toolbar gesture opens the memory map
// (`frmMemoryMap`), or closes it when it is showing.
#pragma once

namespace r57::ui {

class LoginDialog;
class MainWindow;
class MemoryMapWindow;

void InstallServiceWindows(MainWindow& main);

// The windows as they are open now (null when not), for tests and benchmarks.
LoginDialog* OpenLoginDialog(MainWindow& main);
MemoryMapWindow* OpenMemoryMap(MainWindow& main);

} // namespace r57::ui
