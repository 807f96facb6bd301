// r57 pdf: the printed channel sheet as a PDF file, without a window or a display.
#include "cli/cli_support.h"
#include "cli/print/print_commands.h"

#include "print/channel_document.h"
#include "print/sheet_pages.h"

#include <QDate>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace r57::cli {
namespace {

int RunPdf(const std::vector<std::string>& args, const CliContext& context) {
    CommandInput input(context, PdfCommand(), args, {"-o", "--model", "--paper"}, {"--landscape"});
    input.onePositional("FILE.dat").require("-o", "OUT.pdf");
    const std::string model = input.has("--model") ? input.value("--model") : "0";
    const std::string paper = input.has("--paper") ? input.value("--paper") : "a4";
    input.expect(model == "0" || model == "1" || model == "2", "--model takes 0, 1 or 2")
        .expect(paper == "a4" || paper == "letter", "--paper takes a4 or letter");
    if (!input) {
        return input.status();
    }
    const std::string path = input.positional().front();
    // The codeplug itself given as the output would be lost to its own printout.
    std::error_code unknown;
    input.expect(!std::filesystem::equivalent(path, input.value("-o"), unknown),
                 "the output is the codeplug itself: give another name for the PDF file");
    if (!input) {
        return input.status();
    }
    const std::optional<CodeplugImage> image = input.load(path);
    if (!image) {
        return input.status();
    }

    // Fonts need a GUI application, but no display: a platform given in the environment
    // is used, otherwise the one that draws off screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Qt's notes about the desktop it runs without (no runtime folder, no display) are no
    // business of a script; its errors still are.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg) {
            std::fprintf(stderr, "r57: %s\n", text.toLocal8Bit().constData());
        }
    });
    int argc = 1;
    char name[] = "r57";
    char* argv[] = {name, nullptr};
    QGuiApplication application(argc, argv);

    print::DocumentSource source;
    source.fileName = QFileInfo(QString::fromStdString(path)).fileName().toStdString();
    source.modelCode = model[0];
    source.language = context.language;
    source.date = QDate::currentDate().toString(Qt::ISODate).toStdString();
    const QPageLayout layout = print::SheetPageLayout(
        paper == "letter" ? QPageSize::Letter : QPageSize::A4,
        input.has("--landscape") ? QPageLayout::Landscape : QPageLayout::Portrait);
    const QByteArray pdf = print::ChannelPdf(print::BuildChannelDocument(*image, source), layout);
    return WriteOutput(context, input.value("-o"), std::vector<uint8_t>(pdf.begin(), pdf.end()));
}

} // namespace

Command PdfCommand() {
    return {"pdf", "Print the channel sheet into a PDF file", RunPdf,
            "Usage: r57 pdf FILE.dat -o OUT.pdf [--paper a4|letter] [--landscape]\n"
            "               [--model 0|1|2]\n"
            "\n"
            "The document File > Print... prints: the used channels of both banks with\n"
            "every grid column, a header with file name, model and date on every page,\n"
            "page numbers, and a page of the function settings, PTT ID, signalling IDs,\n"
            "FM channels and power-on message. In the language of --lang. Needs no\n"
            "display.\n"
            "\n"
            "  --paper a4|letter  the paper (default a4), portrait unless --landscape\n"
            "  --model 0|1|2      the model variant, which signalling IDs are listed (a\n"
            "                     data file does not keep it; default 0)\n"};
}

std::vector<Command> PrintCommands() {
    return {PdfCommand()};
}

} // namespace r57::cli
