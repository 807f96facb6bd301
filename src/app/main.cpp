// r57cps: the R57 programming software's window program.
#include "app/command_line.h"
#include "core/program_files.h"
#include "ui/accessory/accessory_windows.h"
#include "ui/batch/batch_window.h"
#include "ui/compare/compare_commands.h"
#include "ui/exchange/exchange_commands.h"
#include "ui/help/help_install.h"
#include "ui/main/main_window.h"
#include "ui/main/prompts.h"
#include "ui/main/termination_signals.h"
#include "ui/print/print_commands.h"
#include "ui/service/service_windows.h"
#include "ui/settings/settings_window.h"

#include <QApplication>

#include <exception>

int main(int argc, char** argv) {
    if (const std::optional<int> done = r57::app::AnswerHelpOrVersion(argc, argv)) {
        return *done;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("r57cps");
    QApplication::setApplicationVersion(r57::ProgramVersion());
    const auto start = r57::app::ReadStartOptions(QApplication::arguments());
    if (!start) {
        return 2;
    }

    r57::ui::DialogPrompts prompts;
    try {
        r57::ui::MainWindow window(prompts);
        r57::ui::InstallSettingsWindow(window);
        r57::ui::InstallAccessoryWindows(window);
        r57::ui::InstallServiceWindows(window);
        r57::ui::InstallExchangeCommands(window);
        r57::ui::InstallPrintCommands(window);
        r57::ui::InstallHelp(window);
        r57::ui::InstallBatchWindow(window);
        r57::ui::InstallCompareWindow(window);
        window.setServiceEntryVisible(start->service);
        r57::ui::EndOnTerminationSignals();
        window.show();
        if (!start->file.isEmpty()) {
            window.openFile(start->file);
        }
        return app.exec();
    } catch (const std::exception& e) {
        prompts.message(nullptr, "R57", QString::fromLocal8Bit(e.what()), r57::ui::Icon::Warning,
                        r57::ui::Buttons::Ok, r57::ui::Answer::Ok);
        return 1;
    }
}
