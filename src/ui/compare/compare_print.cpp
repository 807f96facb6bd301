#include "ui/compare/compare_print.h"

#include "ui/main/main_window_items.h"
#include "ui/main/prompts.h"
#include "ui/main/ui_text.h"

#include "core/data_file.h"
#include "print/sheet_pages.h"
#include "text/codeplug_diff.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QPrinter>

namespace r57::ui {

namespace {

constexpr OwnText kTitle{"Comparison", "数据比较"};
constexpr OwnText kVersus{"%1  against  %2", "%1  对比  %2"};
constexpr OwnText kPageNumbers{"Page %1 of %2", "%1 / %2"};
constexpr OwnText kPdfFilter{"PDF Files (*.pdf)", "PDF 文件 (*.pdf)"};
constexpr OwnText kCannotWrite{"The file %1 could not be written.\n%2", "无法写入文件 %1。\n%2"};
constexpr OwnText kCannotPrint{"The comparison could not be printed on %1.",
                               "无法在 %1 上打印比较结果。"};

std::string S(const QString& text) {
    return text.toStdString();
}

void Tell(Prompts& prompts, QWidget* parent, const QString& text) {
    prompts.message(parent, items::kModelName, text, Icon::Critical, Buttons::Ok, Answer::Ok);
}

} // namespace

print::ChannelDocument CompareDocument(const CompareSheet& sheet, const QString& date) {
    print::ChannelDocument document;
    document.language = sheet.language;
    document.title = S(Tr(kTitle, sheet.language));
    document.fileName = S(Tr(kVersus, sheet.language).arg(sheet.thisName, sheet.otherName));
    document.model = items::kModelName;
    document.date = S(date);
    document.pageNumbers = S(Tr(kPageNumbers, sheet.language));
    document.captions = text::DiffCaptions(sheet.language);
    document.rows = sheet.rows;
    return document;
}

void PrintCompareSheet(Prompts& prompts, QWidget* parent, const CompareSheet& sheet) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(print::LocalPageLayout());
    const print::ChannelDocument document =
        CompareDocument(sheet, QDate::currentDate().toString(Qt::ISODate));
    if (!prompts.choosePrinter(parent, printer, print::ChannelPageCount(document, printer))) {
        return;
    }
    if (print::PaintChannelDocument(document, printer, printer.fromPage(), printer.toPage()) == 0) {
        const QString where = printer.outputFileName().isEmpty()
                                  ? printer.printerName()
                                  : QDir::toNativeSeparators(printer.outputFileName());
        Tell(prompts, parent, Tr(kCannotPrint, sheet.language).arg(where));
    }
}

void ExportCompareSheet(Prompts& prompts, QWidget* parent, const CompareSheet& sheet) {
    QString path = prompts.saveFile(parent, Tr(kPdfFilter, sheet.language), "compare.pdf");
    if (path.isEmpty()) {
        return;
    }
    if (QFileInfo(path).suffix().isEmpty()) {
        path += ".pdf";
    }
    const QByteArray pdf =
        print::ChannelPdf(CompareDocument(sheet, QDate::currentDate().toString(Qt::ISODate)),
                          print::LocalPageLayout());
    const Status written =
        WriteFileAtomically(path.toStdString(), std::vector<uint8_t>(pdf.begin(), pdf.end()));
    if (!written.ok) {
        Tell(prompts, parent,
             Tr(kCannotWrite, sheet.language)
                 .arg(QDir::toNativeSeparators(path), QString::fromStdString(written.detail)));
    }
}

} // namespace r57::ui
