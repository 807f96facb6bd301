// Plugs the comparison into the main window: File > Compare With File... and
// Transfer > Compare With Radio... open `frmCompare` against a data file or against
// what the radio on the cable holds (read aside; the open codeplug is not touched).
#pragma once

namespace r57::ui {

class CompareWindow;
class MainWindow;

void InstallCompareWindow(MainWindow& main);

// The comparison window open now (null when none), for tests and benchmarks.
CompareWindow* OpenCompareWindow(MainWindow& main);

} // namespace r57::ui
