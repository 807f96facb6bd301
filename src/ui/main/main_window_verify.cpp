// Never losing a radio's memory: the backup of every transfer, Help > Backups..., and
// Transfer > Verify after Write, which reads a written radio back into a scratch image
// and compares what the write sent.
#include "ui/main/main_window.h"

#include "core/session.h"
#include "link/backups.h"
#include "link/settings_store.h"
#include "link/transfer_driver.h"
#include "link/verify.h"
#include "ui/main/clone_window.h"
#include "ui/main/main_window_items.h"
#include "ui/main/prompts.h"
#include "ui/main/ui_text.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QPlainTextEdit>
#include <QUrl>

#include <algorithm>

namespace r57::ui {

namespace {

// The settings file remembers the check mark: "1" on, anything else off.
constexpr const char* kVerifySetting = "VerifyAfterWrite";

constexpr OwnText kVerifyCaption{"&Verify after Write", "写入后校验(&V)"};
constexpr OwnText kBackupsCaption{"&Backups...", "备份(&B)..."};

constexpr OwnText kBackupKept{"A copy was kept in %1", "已备份到 %1"};
constexpr OwnText kBackupFailed{"No backup could be kept in %1: %2", "无法在 %1 中保存备份：%2"};
constexpr OwnText kNoFileManager{"The backups are kept in %1", "备份保存在 %1"};

constexpr OwnText kVerifying{"Reading the radio back to verify the write...",
                             "正在读回对讲机数据以校验写入……"};
constexpr OwnText kVerified{"Verify after write: all %1 bytes written read back the same.",
                            "写入后校验：写入的 %1 个字节读回后完全一致。"};
constexpr OwnText kVerifyFailed{"Verify after write failed: %1 of the %2 bytes written read "
                                "back differently, the first at address %3.",
                                "写入后校验失败：写入的 %2 个字节中有 %1 个读回后不同，第一个位于"
                                "地址 %3。"};
constexpr OwnText kNotVerified{"The write was not verified: the radio could not be read back.",
                               "写入未经校验：无法读回对讲机数据。"};
constexpr OwnText kVerifyCancelled{"The write was not verified: the read-back was cancelled.",
                                   "写入未经校验：读回已取消。"};

QString Native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

} // namespace

void MainWindow::buildVerify() {
    QAction* verify = menuItem("mnuTransfer_Verify");
    verify->setChecked(link::ReadSetting(kVerifySetting).trimmed() == "1");
    connect(verify, &QAction::toggled, this,
            [](bool on) { link::WriteSetting(kVerifySetting, on ? "1" : "0"); });
    connect(menuItem("mnuHelp_Backups"), &QAction::triggered, this, [this] {
        if (!transferRunning()) {
            runGuarded([this] { openBackupFolder(); });
        }
    });
}

void MainWindow::applyVerifyLanguage() {
    const int language = session_->language;
    menuItem("mnuTransfer_Verify")->setText(Tr(kVerifyCaption, language));
    menuItem("mnuHelp_Backups")->setText(Tr(kBackupsCaption, language));
}

bool MainWindow::verifyAfterWrite() const {
    return menuItem("mnuTransfer_Verify")->isChecked();
}

void MainWindow::setVerifyAfterWrite(bool on) {
    menuItem("mnuTransfer_Verify")->setChecked(on);
}

void MainWindow::keepBackup(link::BackupKind kind, const CodeplugImage& image) {
    reportBackup(kind, link::KeepBackup(image, kind));
}

void MainWindow::reportBackup(link::BackupKind kind, const link::BackupResult& kept) {
    const int language = session_->language;
    const bool service =
        kind == link::BackupKind::RangesRead || kind == link::BackupKind::TuningRead;
    if (kept.ok) {
        // The service transfers leave the main window's log alone, unless something
        // went wrong that the user must hear of.
        if (!service) {
            appendStatusLine(Tr(kBackupKept, language).arg(Native(kept.path)));
        }
    } else {
        appendStatusLine(Tr(kBackupFailed, language).arg(Native(link::BackupFolder()), kept.error));
    }
}

void MainWindow::keepBackupFailed(const QString& error) {
    appendStatusLine(
        Tr(kBackupFailed, session_->language).arg(Native(link::BackupFolder()), error));
}

void MainWindow::rememberRadioRows(link::ServiceRows rows) {
    auto& kept = radioRows_[static_cast<int>(rows)];
    kept.clear();
    for (int address : link::ServiceRowAddresses(rows)) {
        const uint8_t* bytes = session_->image.data() + address;
        kept.emplace_back(address, std::vector<uint8_t>(bytes, bytes + 16));
    }
}

std::optional<bool> MainWindow::radioRowsMatch(link::ServiceRows rows) const {
    const auto found = radioRows_.find(static_cast<int>(rows));
    if (found == radioRows_.end())
        return std::nullopt;
    for (const auto& [address, bytes] : found->second) {
        if (!std::equal(bytes.begin(), bytes.end(), session_->image.data() + address))
            return false;
    }
    return true;
}

void MainWindow::openBackupFolder() {
    const QString folder = link::BackupFolder();
    QDir().mkpath(folder); // an empty folder rather than none before the first transfer
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(folder))) {
        prompts_.message(this, items::kModelName,
                         Tr(kNoFileManager, session_->language).arg(Native(folder)),
                         Icon::Information, Buttons::Ok, Answer::Ok);
    }
}

void MainWindow::reportNewBackups(const link::WriteOutcome& outcome) {
    for (; backupsShown_ < outcome.backups.size(); ++backupsShown_) {
        const link::BackupResult& kept = outcome.backups[backupsShown_];
        reportBackup(kept.path.contains(QLatin1String("verify-read")) ? link::BackupKind::VerifyRead
                                                                      : link::BackupKind::Written,
                     kept);
    }
}

void MainWindow::onWriteStage(link::RoundStage stage) {
    if (stage != link::RoundStage::Verify || !clone_) {
        return;
    }
    // The write's lines and its backup stay; the read-back's log goes below them.
    reportNewBackups(clone_->round().outcome());
    logAbove_ = txtStatus_->toPlainText() + Tr(kVerifying, session_->language) + QLatin1Char('\n');
}

void MainWindow::onWriteRoundEnded(const link::WriteOutcome& outcome) {
    const int language = session_->language;
    using link::WriteWhy;
    switch (outcome.why) {
    case WriteWhy::None:
        appendStatusLine(Tr(kVerified, language).arg(outcome.verify.compared));
        break;
    case WriteWhy::ReadBackCancelled:
        appendStatusLine(Tr(kVerifyCancelled, language));
        break;
    case WriteWhy::ReadBackFailed:
        appendStatusLine(Tr(kNotVerified, language));
        prompts_.message(this, items::kModelName, Tr(kNotVerified, language), Icon::Warning,
                         Buttons::Ok, Answer::Ok);
        break;
    case WriteWhy::VerifyMismatch: {
        const QString address = QString::asprintf("0x%04X", outcome.verify.firstAddress);
        const QString text = Tr(kVerifyFailed, language)
                                 .arg(outcome.verify.differing)
                                 .arg(outcome.verify.compared)
                                 .arg(address);
        appendStatusLine(text);
        reportNewBackups(outcome); // what the radio read back, below the line
        prompts_.message(this, items::kModelName, text, Icon::Warning, Buttons::Ok, Answer::Ok);
        break;
    }
    default:
        break;
    }
    reportNewBackups(outcome);
    updateTitle();
    if (!session_->traceMode) {
        releaseCloneWindow();
    }
}

} // namespace r57::ui
