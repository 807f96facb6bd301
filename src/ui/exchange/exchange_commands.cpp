#include "ui/exchange/exchange_commands.h"

#include "ui/exchange/exchange_texts.h"

#include "ui/main/main_window.h"
#include "ui/main/main_window_items.h"
#include "ui/main/prompts.h"

#include "core/channel.h"
#include "core/data_file.h"
#include "core/file_io.h"
#include "core/session.h"
#include "model/sheet/bank_sheet.h"
#include "model/sheet/block_text.h"
#include "text/channel_csv.h"
#include "text/codeplug_text.h"

#include <QDir>
#include <QFileInfo>

#include <optional>

namespace r57::ui {

namespace {

using namespace exchange;

constexpr std::size_t kTextLimit = 8 * 1024 * 1024;
constexpr int kListedRows = 15; // skipped rows named in the message; the rest counted

class Commands {
public:
    explicit Commands(MainWindow& window) : w_(window) {}

    void exportText() {
        const QString path = askSave(kYamlFilter, "yaml");
        if (path.isEmpty()) {
            return;
        }
        const text::TextExport exported =
            text::ExportCodeplug(session().image, session().modelCode);
        if (!write(path, exported.yaml)) {
            return;
        }
        if (!exported.normalised.empty()) {
            tell(Icon::Information, Tr(kNormalised, language()).arg(exported.normalised.size()));
        }
    }

    void importText() {
        const QString path = w_.askOpenFile(Tr(kYamlFilter, language()));
        if (path.isEmpty()) {
            return;
        }
        const std::optional<std::string> yaml = read(path);
        if (!yaml) {
            return;
        }
        const Answer fresh =
            w_.prompts().message(&w_, items::kModelName, Tr(kStartFromNew, language()),
                                 Icon::Question, Buttons::YesNoCancel, Answer::Yes);
        if (fresh == Answer::Cancel) {
            return;
        }
        w_.commitPendingEdit();
        w_.sheet(session().currentBank).rewriteNames();
        const CodeplugImage base = fresh == Answer::Yes
                                       ? text::StartUpCodeplug(session().applicationDirectory)
                                       : session().image;
        const text::TextImport imported =
            text::ImportCodeplug(*yaml, base, fresh == Answer::Yes ? '0' : session().modelCode);
        if (imported.error) {
            const text::TextError& e = *imported.error;
            refuse(path, Tr(kAtLine, language())
                             .arg(e.line)
                             .arg(e.column)
                             .arg(Reason(e.reason, language())));
            return;
        }
        // An import that changes nothing is no step to undo.
        if (imported.image != session().image || imported.modelCode != session().modelCode) {
            w_.applyWindowChange([&] {
                session().image = imported.image;
                session().modelCode = imported.modelCode;
            });
        }
    }

    void exportChannels() {
        const QString path = askSave(kCsvFilter, "csv");
        if (path.isEmpty()) {
            return;
        }
        w_.commitPendingEdit();
        w_.sheet(session().currentBank).rewriteNames();
        const auto banks = session().currentBank == kBankB ? text::CsvBanks::B : text::CsvBanks::A;
        write(path, text::ExportChannelsCsv(session().image, banks));
    }

    void importChannels() {
        const QString path = w_.askOpenFile(Tr(kCsvFilter, language()));
        if (path.isEmpty()) {
            return;
        }
        const std::optional<std::string> csv = read(path);
        if (!csv) {
            return;
        }
        w_.commitPendingEdit();
        const int bank = session().currentBank;
        w_.sheet(bank).rewriteNames();
        const text::CsvImport imported =
            text::ImportChannelsCsv(*csv, session().image, bank, 1); // Location is the channel
        if (!imported.error.empty()) {
            refuse(path,
                   Reason(imported.error, language()) +
                       (imported.skipped.empty() ? QString() : "\n\n" + summary(imported, bank)));
            return;
        }
        if (!imported.rows.empty() && imported.image != session().image) {
            w_.applyWindowChange([&] { session().image = imported.image; });
        }
        tell(imported.skipped.empty() ? Icon::Information : Icon::Warning, summary(imported, bank));
    }

private:
    Session& session() { return w_.session(); }
    int language() { return session().language; }

    QString askSave(const OwnText& filter, const QString& suffix) {
        QString name =
            session().currentFileName == kUntitled
                ? QString(kUntitled)
                : QFileInfo(QString::fromStdString(session().currentFileName)).completeBaseName();
        const QString path =
            w_.prompts().saveFile(&w_, Tr(filter, language()), name + "." + suffix);
        if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty()) {
            return path;
        }
        return path + "." + suffix;
    }

    bool write(const QString& path, const std::string& text) {
        const Status written =
            WriteFileAtomically(path.toStdString(), std::vector<uint8_t>(text.begin(), text.end()));
        if (!written.ok) {
            tell(Icon::Critical,
                 Tr(kCannotWrite, language())
                     .arg(QDir::toNativeSeparators(path), QString::fromStdString(written.detail)));
        }
        return written.ok;
    }

    std::optional<std::string> read(const QString& path) {
        const detail::FileRead got = detail::ReadFileLimited(path.toStdString(), kTextLimit);
        if (!got.ok) {
            const QString why =
                got.tooLarge ? QStringLiteral("> 8 MB") : QString::fromStdString(got.error);
            tell(Icon::Critical,
                 Tr(kCannotRead, language()).arg(QDir::toNativeSeparators(path), why));
            return std::nullopt;
        }
        return std::string(got.bytes.begin(), got.bytes.end());
    }

    void refuse(const QString& path, const QString& why) {
        tell(Icon::Warning, Tr(kNotImported, language()).arg(QFileInfo(path).fileName(), why));
    }

    QString summary(const text::CsvImport& imported, int bank) {
        const QString letter = bank == kBankB ? "B" : "A";
        QString text = imported.rows.empty() ? Tr(kNoChannels, language()).arg(letter)
                                             : Tr(kChannelsImported, language())
                                                   .arg(imported.rows.size())
                                                   .arg(letter, QString::fromStdString(ChannelLabel(
                                                                    bank, imported.rows.front())));
        if (!imported.skipped.empty()) {
            text += "\n\n" + Tr(kRowsSkipped, language()).arg(imported.skipped.size());
            const int shown = std::min<int>(kListedRows, imported.skipped.size());
            for (int i = 0; i < shown; ++i) {
                const text::SkippedRow& row = imported.skipped[i];
                const QString reason = Reason(row.reason, language());
                text +=
                    "\n" + (row.column > 0
                                ? Tr(kAtLine, language()).arg(row.line).arg(row.column).arg(reason)
                                : Tr(kSkippedRow, language()).arg(row.line).arg(reason));
            }
            if (shown < static_cast<int>(imported.skipped.size())) {
                text += "\n" + Tr(kMoreRows, language()).arg(imported.skipped.size() - shown);
            }
        }
        return text;
    }

    void tell(Icon icon, const QString& text) {
        w_.prompts().message(&w_, items::kModelName, text, icon, Buttons::Ok, Answer::Ok);
    }

    MainWindow& w_;
};

} // namespace

// Channel CSV pasted into a grid: its rows through the CSV reader (which sets every
// field by the grid's rules) into a scratch copy, then handed on as the grid's own block
// text, so the paste itself goes through the same rules as any other text.
std::optional<QString> ReadCsvClipboard(MainWindow& w, const QString& text, QStringList& notes) {
    if (!text.trimmed().startsWith(QStringLiteral("Location,"))) {
        return std::nullopt;
    }
    const Session& s = w.session();
    const int bank = s.currentBank;
    const text::CsvImport csv = text::ImportChannelsCsv(text.toStdString(), s.image, bank, 1);
    if (!csv.error.empty()) {
        notes << Reason(csv.error, s.language);
        return QString();
    }
    for (const text::SkippedRow& row : csv.skipped) {
        notes << Tr(kSkippedRow, s.language).arg(row.line).arg(Reason(row.reason, s.language));
    }
    Session scratch;
    scratch.image = csv.image;
    scratch.bands = s.bands;
    scratch.language = s.language;
    BankSheet sheet(scratch, bank);
    sheet.refresh();
    return QString::fromStdString(BlockText(sheet, csv.rows));
}

void InstallExchangeCommands(MainWindow& window) {
    MainWindow* w = &window;
    window.setWindowOpener(SubWindow::ExportText, [w] { Commands(*w).exportText(); });
    window.setWindowOpener(SubWindow::ImportText, [w] { Commands(*w).importText(); });
    window.setWindowOpener(SubWindow::ExportChannels, [w] { Commands(*w).exportChannels(); });
    window.setWindowOpener(SubWindow::ImportChannels, [w] { Commands(*w).importChannels(); });
    window.setClipboardReader(
        [w](const QString& text, QStringList& notes) { return ReadCsvClipboard(*w, text, notes); });
}

} // namespace r57::ui
