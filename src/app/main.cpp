// r57cps: the R57 programming software's window program.
#include "accessory/accessory_windows.h"
#include "main/main_window.h"
#include "main/prompts.h"

#include <QApplication>

#include <exception>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("r57cps");
    QApplication::setApplicationVersion("1.10");

    r57::ui::DialogPrompts prompts;
    try {
        r57::ui::MainWindow window(prompts);
        r57::ui::InstallAccessoryWindows(window);
        window.show();
        return app.exec();
    } catch (const std::exception& e) {
        prompts.message(nullptr, "R57", QString::fromLocal8Bit(e.what()), r57::ui::Icon::Warning,
                        r57::ui::Buttons::Ok, r57::ui::Answer::Ok);
        return 1;
    }
}
