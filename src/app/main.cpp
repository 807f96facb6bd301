// r57cps: the R57 programming software's window program.
#include "main/main_window.h"
#include "main/prompts.h"
#include "service/service_windows.h"

#include <QApplication>
#include <QCommandLineParser>

#include <exception>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("r57cps");
    QApplication::setApplicationVersion("1.10");

    QCommandLineParser options;
    options.setApplicationDescription("R57 programming software");
    options.addHelpOption();
    const QCommandLineOption service(
        "service", "Shows Program > Advanced, the password-protected service section.");
    options.addOption(service);
    options.process(app);

    r57::ui::DialogPrompts prompts;
    try {
        r57::ui::MainWindow window(prompts);
        r57::ui::InstallServiceWindows(window);
        window.setServiceEntryVisible(options.isSet(service));
        window.show();
        return app.exec();
    } catch (const std::exception& e) {
        prompts.message(nullptr, "R57", QString::fromLocal8Bit(e.what()), r57::ui::Icon::Warning,
                        r57::ui::Buttons::Ok, r57::ui::Answer::Ok);
        return 1;
    }
}
