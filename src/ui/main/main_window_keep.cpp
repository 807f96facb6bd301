// Keep before you replace: what a Write keeps of the radio (its own gain rows, its old
// memory when asked), what the window says when a write stops part-way, and Transfer >
// Restore Radio from Backup..., which puts a kept memory back with its service rows.
#include "ui/main/main_window.h"

#include "core/band_limits.h"
#include "core/data_file.h"
#include "core/message_ids.h"
#include "core/session.h"
#include "link/backups.h"
#include "link/service_round.h"
#include "link/settings_store.h"
#include "ui/main/clone_window.h"
#include "ui/main/main_window_items.h"
#include "ui/main/prompts.h"
#include "ui/main/ui_text.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>

#include <algorithm>

namespace r57::ui {

namespace {

// The settings file remembers the check mark: "1" on, anything else off.
constexpr const char* kKeepOldSetting = "KeepOldMemory";
// The analogue gain steps: the last row of the block 0x0EC0-0x0EEF a write sends.
constexpr int kGainRow = 0x0EE0;

constexpr OwnText kKeepOldCaption{"&Keep the radio's memory before writing",
                                  "写入前保留对讲机原有数据(&K)"};
constexpr OwnText kRestoreCaption{"Restore Radio from &Backup...", "从备份恢复对讲机(&B)..."};
constexpr OwnText kOfferKeepOld{
    "%1\n\nThis codeplug was not read from a radio since the program started. Keep the "
    "radio's memory before writing (a full read first)?\nYes: keep it, then write. No: "
    "write without keeping it.",
    "%1\n\n此数据自程序启动后未从对讲机读取。写入前是否先保留对讲机原有数据（先完整读取一次）？\n"
    "是：保留后写入。否：不保留直接写入。"};
constexpr OwnText kGainQuestion{
    "The radio's analogue gain rows (0x0EE0-0x0EEF) differ from this codeplug's. They are "
    "this radio's own calibration.\nYes: keep the radio's gain (recommended). No: write the "
    "codeplug's gain. Cancel: write nothing.",
    "对讲机的模拟增益数据行（0x0EE0-0x0EEF）与本数据不同，它们是这台对讲机自己的校准数据。\n"
    "是：保留对讲机的增益（推荐）。否：写入本数据的增益。取消：不写入。"};
constexpr OwnText kGainKept{"The radio's own gain rows (0x0EE0-0x0EEF) were kept.",
                            "保留了对讲机自己的增益数据行（0x0EE0-0x0EEF）。"};
constexpr OwnText kNotWritten{"Nothing was written.", "未写入任何数据。"};
constexpr OwnText kStopped{
    "The write stopped part-way. The radio now holds this codeplug's rows up to 0x%1 and "
    "its old memory from there on; it is not verified.",
    "写入中途停止。对讲机中 0x%1 之前为本数据，其后仍为原有数据，未经校验。"};
constexpr OwnText kStoppedChoice{"%1\n\nYes: write again. No: put the kept memory back (%2).",
                                 "%1\n\n是：重新写入。否：写回保留的原有数据（%2）。"};
constexpr OwnText kStoppedRetry{"%1\n\nWrite again?", "%1\n\n是否重新写入？"};
constexpr OwnText kRestoreConfirm{
    "Write the backup %1 into the radio: its memory, then its frequency ranges and tuning "
    "rows, each read back and compared?",
    "将备份 %1 写入对讲机：先写数据，再写频率范围和调试数据，并逐一读回校验？"};
constexpr OwnText kRestoreRowsConfirm{
    "Write the %1 of the backup %2 back into the radio, read back and compared?",
    "将备份 %2 中的%1写回对讲机，并读回校验？"};
constexpr OwnText kRestoreDone{"The radio holds the backup again, verified.",
                               "对讲机已恢复为备份中的数据，并已校验。"};
constexpr OwnText kRestoreStopped{"The restore stopped: %1", "恢复中止：%1"};
constexpr OwnText kOldKept{"The radio's memory before the write is kept in %1",
                           "写入前对讲机的原有数据已保存在 %1"};
constexpr OwnText kTuningRows{"tuning rows", "调试数据"};
constexpr OwnText kRangeRows{"frequency ranges", "频率范围"};

QString Native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

} // namespace

void MainWindow::buildKeep() {
    QAction* keepOld = menuItem("mnuTransfer_KeepOld");
    keepOld->setChecked(link::ReadSetting(kKeepOldSetting).trimmed() == "1");
    connect(keepOld, &QAction::toggled, this,
            [](bool on) { link::WriteSetting(kKeepOldSetting, on ? "1" : "0"); });
}

void MainWindow::applyKeepLanguage() {
    const int language = session_->language;
    menuItem("mnuTransfer_KeepOld")->setText(Tr(kKeepOldCaption, language));
    menuItem("mnuTransfer_Restore")->setText(Tr(kRestoreCaption, language));
}

bool MainWindow::keepOldMemory() const {
    return menuItem("mnuTransfer_KeepOld")->isChecked();
}

std::optional<bool> MainWindow::confirmWrite(const QString& question) {
    const int language = session_->language;
    if (keepOldMemory() || readFromRadioSinceStart_) {
        const Answer a = prompts_.message(this, items::kModelName, question, Icon::Question,
                                          Buttons::OkCancel, Answer::Ok);
        if (a != Answer::Ok)
            return std::nullopt;
        return keepOldMemory();
    }
    // A codeplug that did not come from this radio: its memory is offered to be kept.
    const Answer a =
        prompts_.message(this, items::kModelName, Tr(kOfferKeepOld, language).arg(question),
                         Icon::Question, Buttons::YesNoCancel, Answer::Yes);
    if (a == Answer::Cancel)
        return std::nullopt;
    return a == Answer::Yes;
}

void MainWindow::addKeepOptions(link::WriteRoundOptions& options, bool keepOld, bool keepGain) {
    gainKept_ = false;
    oldMemoryPath_.clear();
    fileGain_.assign(session_->image.data() + kGainRow, session_->image.data() + kGainRow + 16);
    options.lookRows = {kGainRow / 16};
    options.check = [this, keepGain](const CodeplugImage& looked,
                                     CodeplugImage& toSend) -> std::optional<QString> {
        const int language = session_->language;
        if (!keepGain || std::equal(looked.data() + kGainRow, looked.data() + kGainRow + 16,
                                    toSend.data() + kGainRow))
            return std::nullopt;
        const Answer a = prompts_.message(this, items::kModelName, Tr(kGainQuestion, language),
                                          Icon::Question, Buttons::YesNoCancel, Answer::Yes);
        if (a == Answer::Cancel)
            return Tr(kNotWritten, language);
        if (a == Answer::Yes) {
            toSend.write(kGainRow, looked.data() + kGainRow, 16);
            gainKept_ = true;
        }
        return std::nullopt;
    };
    options.readOldFirst = keepOld;
    options.keepOld = [this](const CodeplugImage& old) {
        // Pinned until the write is verified: never rotated away before.
        link::BackupResult kept =
            link::KeepBackup(old, link::BackupKind::MemoryBefore, link::BackupFolder(),
                             QDateTime::currentDateTime(), link::kBackupsKept, {}, true);
        if (kept.ok)
            oldMemoryPath_ = kept.path;
        return kept;
    };
}

bool MainWindow::afterWriteKept(const link::WriteOutcome& outcome) {
    const int language = session_->language;
    // The codeplug keeps its own gain rows; only the radio got its own back.
    session_->image.write(kGainRow, fileGain_.data(), fileGain_.size());
    if (gainKept_ && outcome.written())
        appendStatusLine(Tr(kGainKept, language));
    if (!oldMemoryPath_.isEmpty()) {
        appendStatusLine(Tr(kOldKept, language).arg(Native(oldMemoryPath_)));
        if (outcome.verified())
            link::ReleaseBackup(oldMemoryPath_);
    }
    if (outcome.why != link::WriteWhy::WriteStopped)
        return false;
    // The status bar leaves "Transfering...": the transfer is over, whatever it left.
    staComStatus_->setText(session_->traceMode ? items::kTraceStatus : "");
    const int step = clone_ ? clone_->round().driver().endStep() : 0;
    const QString state =
        Tr(kStopped, language).arg(QString::asprintf("%04X", std::max(step, 0) * 16));
    appendStatusLine(state);
    const QString old = oldMemoryPath_;
    if (!old.isEmpty()) {
        const Answer a = prompts_.message(this, items::kModelName,
                                          Tr(kStoppedChoice, language).arg(state, Native(old)),
                                          Icon::Warning, Buttons::YesNoCancel, Answer::Yes);
        if (a == Answer::Yes)
            QMetaObject::invokeMethod(
                this, [this] { startWriteRoundAgain(); }, Qt::QueuedConnection);
        else if (a == Answer::No)
            QMetaObject::invokeMethod(
                this, [this, old] { restoreFrom(old); }, Qt::QueuedConnection);
        return true;
    }
    if (prompts_.message(this, items::kModelName, Tr(kStoppedRetry, language).arg(state),
                         Icon::Warning, Buttons::YesNo, Answer::Yes) == Answer::Yes)
        QMetaObject::invokeMethod(
            this, [this] { startWriteRoundAgain(); }, Qt::QueuedConnection);
    return true;
}

void MainWindow::startWriteRoundAgain() {
    if (!transferRunning())
        startWriteRound(false);
}

void MainWindow::restoreFromBackup() {
    if (transferRunning())
        return;
    const QString path =
        prompts_.openFile(this, "KDX Data Files (*.dat)", link::BackupFolder() + QLatin1Char('/'));
    if (!path.isEmpty())
        restoreFrom(path, true);
}

void MainWindow::restoreFrom(const QString& path, bool ask) {
    const int language = session_->language;
    const LoadedFile loaded = ReadDataFile(QFile::encodeName(path).toStdString());
    if (!loaded.status.ok) {
        showError(Tr(1203, language)); // "Incorrect File Type."
        return;
    }
    const auto kind = link::BackupKindOfName(QFileInfo(path).fileName());
    restoreRanges_ =
        !(kind == link::BackupKind::TuningBefore || kind == link::BackupKind::TuningRead);
    restoreTuning_ =
        !(kind == link::BackupKind::RangesBefore || kind == link::BackupKind::RangesRead);
    const bool whole = restoreRanges_ && restoreTuning_;
    if (ask) {
        const QString rows = restoreRanges_ ? Tr(kRangeRows, language) : Tr(kTuningRows, language);
        const QString text = whole ? Tr(kRestoreConfirm, language).arg(Native(path))
                                   : Tr(kRestoreRowsConfirm, language).arg(rows, Native(path));
        if (prompts_.message(this, items::kModelName, text, Icon::Question, Buttons::OkCancel,
                             Answer::Cancel) != Answer::Ok)
            return;
    }
    restoreImage_ = loaded.image;
    if (!whole) {
        restoreServiceRows();
        return;
    }
    // The memory first, through the write round as every Write, with the backup's own
    // gain; the window's codeplug stays as it is.
    makeCloneWindow();
    logAbove_.clear();
    backupsShown_ = 0;
    const CodeplugImage shown = session_->image;
    session_->image = restoreImage_;
    connect(clone_, &CloneWindow::roundEnded, this, [this, shown](const link::WriteOutcome& o) {
        session_->image = shown;
        runGuarded([&] {
            if (!o.verified()) {
                appendStatusLine(Tr(kRestoreStopped, session_->language).arg(o.reason));
                prompts_.message(this, items::kModelName,
                                 Tr(kRestoreStopped, session_->language).arg(o.reason),
                                 Icon::Warning, Buttons::Ok, Answer::Ok);
                return;
            }
            QMetaObject::invokeMethod(
                this, [this] { restoreServiceRows(); }, Qt::QueuedConnection);
        });
        if (!session_->traceMode)
            releaseCloneWindow();
    });
    link::WriteRoundOptions options;
    options.verify = true;
    if (!clone_->writeRound(std::move(options)))
        session_->image = shown;
}

void MainWindow::restoreServiceRows() {
    const int language = session_->language;
    if (!restoreRanges_ && !restoreTuning_) {
        appendStatusLine(Tr(kRestoreDone, language));
        prompts_.message(this, items::kModelName, Tr(kRestoreDone, language), Icon::Information,
                         Buttons::Ok, Answer::Ok);
        return;
    }
    const link::ServiceRows rows =
        restoreRanges_ ? link::ServiceRows::Ranges : link::ServiceRows::Tuning;
    (restoreRanges_ ? restoreRanges_ : restoreTuning_) = false;
    if (rows == link::ServiceRows::Ranges && UnwritableBandField(restoreImage_)) {
        appendStatusLine(
            Tr(kRestoreStopped, language)
                .arg(QString::fromUtf8(language == kChinese ? "备份的频率范围行无法写入。"
                                                            : "the backup's band row cannot be "
                                                              "written.")));
        restoreServiceRows();
        return;
    }
    auto* round = new link::ServiceWriteRound(*session_, restoreImage_, rows, {}, this);
    round->setConfirm([this, rows](int differing, int total) {
        return prompts_.message(
                   this, "Warning",
                   link::ServiceReplaceQuestion(rows, differing, total, session_->language),
                   Icon::Warning, Buttons::OkCancel, Answer::Cancel) == Answer::Ok;
    });
    round->setAsker([this](link::Question, const QString&) {
        return prompts_.message(this, "Error", Tr(1291, session_->language), Icon::Critical,
                                Buttons::RetryCancel, Answer::Retry) == Answer::Retry;
    });
    connect(round, &link::ServiceWriteRound::finished, this,
            [this, round, rows](const link::ServiceOutcome& outcome) {
                round->deleteLater();
                lockForTransfer(false);
                const int language = session_->language;
                const QString said = link::DescribeServiceOutcome(outcome, rows, language);
                appendStatusLine(said);
                if (outcome.state != link::ServiceOutcome::WrittenVerified) {
                    restoreRanges_ = restoreTuning_ = false;
                    prompts_.message(this, items::kModelName,
                                     Tr(kRestoreStopped, language).arg(said), Icon::Warning,
                                     Buttons::Ok, Answer::Ok);
                    return;
                }
                QMetaObject::invokeMethod(
                    this, [this] { restoreServiceRows(); }, Qt::QueuedConnection);
            });
    lockForTransfer(true);
    if (!round->start()) {
        lockForTransfer(false);
        round->deleteLater();
        showError(Tr(kMsgCannotOpenPort, language));
    }
}

} // namespace r57::ui
