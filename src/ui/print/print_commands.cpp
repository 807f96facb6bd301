#include "ui/print/print_commands.h"

#include "ui/main/channel_grid.h"
#include "ui/main/main_window.h"
#include "ui/main/main_window_items.h"
#include "ui/main/prompts.h"
#include "ui/main/ui_text.h"

#include "print/channel_document.h"
#include "print/sheet_pages.h"

#include "core/data_file.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QPrinter>

#include <memory>

namespace r57::ui {

namespace {

constexpr OwnText kPdfFilter{"PDF Files (*.pdf)", "PDF 文件 (*.pdf)"};
constexpr OwnText kCannotWrite{"The file %1 could not be written.\n%2", "无法写入文件 %1。\n%2"};
constexpr OwnText kPastTheEnd{"The channel list has %1 pages: pages %2 to %3 cannot be printed.",
                              "信道列表共 %1 页：无法打印第 %2 至 %3 页。"};
constexpr OwnText kCannotPrint{"The channel list could not be printed on %1.",
                               "无法在 %1 上打印信道列表。"};

class Commands {
public:
    Commands(MainWindow& window, QPrinter& printer) : w_(window), printer_(printer) {}

    void print() {
        const print::ChannelDocument document = build();
        allPages();
        if (!w_.prompts().choosePrinter(&w_, printer_,
                                        print::ChannelPageCount(document, printer_))) {
            return;
        }
        // The paper may have changed in the dialog: the count of the pages as chosen.
        const int pages = print::ChannelPageCount(document, printer_);
        if (printer_.fromPage() > pages || printer_.toPage() > pages) {
            tell(Tr(kPastTheEnd, language())
                     .arg(pages)
                     .arg(printer_.fromPage())
                     .arg(printer_.toPage()));
            return;
        }
        paint(document, printer_);
    }

    void preview() {
        const print::ChannelDocument document = build();
        allPages();
        w_.prompts().previewPrint(&w_, printer_,
                                  [&](QPrinter& target) { paint(document, target); });
    }

    void exportPdf() {
        const QString path = askSave();
        if (path.isEmpty()) {
            return;
        }
        const QByteArray pdf = print::ChannelPdf(build(), printer_.pageLayout());
        const Status written =
            WriteFileAtomically(path.toStdString(), std::vector<uint8_t>(pdf.begin(), pdf.end()));
        if (!written.ok) {
            tell(Tr(kCannotWrite, language())
                     .arg(QDir::toNativeSeparators(path), QString::fromStdString(written.detail)));
        }
    }

private:
    Session& session() { return w_.session(); }
    int language() { return session().language; }

    // The codeplug as the window shows it: an open editor committed, and the names the
    // shown grid holds (written into the image at the next save) taken as they stand.
    print::ChannelDocument build() {
        w_.commitPendingEdit();
        CodeplugImage image = session().image;
        w_.sheet(session().currentBank).rewriteNames(image);
        print::DocumentSource source;
        source.fileName =
            QFileInfo(QString::fromStdString(session().currentFileName)).fileName().toStdString();
        source.modelCode = session().modelCode;
        source.language = language();
        source.date = QDate::currentDate().toString(Qt::ISODate).toStdString();
        for (int c = 0; c < kColumnCount; ++c) {
            source.columns[c] = w_.grid(kBankA)->columnVisible(c); // both grids alike
        }
        return print::BuildChannelDocument(image, source);
    }

    // Each print starts with every page; a range chosen last time is not kept.
    void allPages() {
        printer_.setPrintRange(QPrinter::AllPages);
        printer_.setFromTo(0, 0);
    }

    void paint(const print::ChannelDocument& document, QPrinter& printer) {
        // The pages the print dialog's range names (both 0 when it names none).
        if (print::PaintChannelDocument(document, printer, printer.fromPage(), printer.toPage()) ==
            0) {
            const QString where = printer.outputFileName().isEmpty()
                                      ? printer.printerName()
                                      : QDir::toNativeSeparators(printer.outputFileName());
            tell(Tr(kCannotPrint, language()).arg(where));
        }
    }

    QString askSave() {
        const QString name =
            session().currentFileName == kUntitled
                ? QString(kUntitled)
                : QFileInfo(QString::fromStdString(session().currentFileName)).completeBaseName();
        const QString path = w_.prompts().saveFile(&w_, Tr(kPdfFilter, language()), name + ".pdf");
        if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty()) {
            return path;
        }
        return path + ".pdf";
    }

    void tell(const QString& text) {
        w_.prompts().message(&w_, items::kModelName, text, Icon::Critical, Buttons::Ok, Answer::Ok);
    }

    MainWindow& w_;
    QPrinter& printer_;
};

} // namespace

void InstallPrintCommands(MainWindow& window) {
    // One printer for the window's lifetime, so the paper and printer chosen once stay.
    // Made at the first print: finding the system's printers can take a moment, which
    // the program's start need not wait for.
    auto printer = std::make_shared<std::unique_ptr<QPrinter>>();
    auto with = [w = &window, printer](void (Commands::*command)()) {
        return [w, printer, command] {
            if (!*printer) {
                *printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
                (*printer)->setPageLayout(print::LocalPageLayout());
            }
            Commands commands(*w, **printer);
            (commands.*command)();
        };
    };
    window.setWindowOpener(SubWindow::Print, with(&Commands::print));
    window.setWindowOpener(SubWindow::PrintPreview, with(&Commands::preview));
    window.setWindowOpener(SubWindow::ExportPdf, with(&Commands::exportPdf));
}

} // namespace r57::ui
