// The service window's read and write buttons: the service-data clone of the shown
// page's rows through the clone window, without the main window's progress and log.
// A read reaches the image through the main window's door once it has succeeded; a
// read that fails or is cancelled leaves the rows (and the page) as they were.
#include "ui/service/service_window.h"

#include "ui/main/clone_window.h"
#include "ui/main/main_window.h"
#include "ui/main/ui_text.h"
#include "ui/service/analogue_page_widget.h"
#include "ui/service/deviation_page_widget.h"
#include "ui/service/frequency_page_widget.h"

#include "core/band_limits.h"
#include "core/session.h"
#include "link/backups.h"
#include "link/clone_frames.h"
#include "link/service_round.h"
#include "model/service/frequency_range_page.h"
#include "ui/main/prompts.h"

#include <QDir>

#include <QLabel>
#include <QPushButton>

namespace r57::ui {

namespace {

constexpr int kNowReadingId = 1379; // "Now Reading !"
constexpr int kNowWritingId = 1380; // "Now Writting !"

constexpr OwnText kPutBack{"%1\n\nPut the radio's own rows back now?",
                           "%1\n\n是否立即写回对讲机原有的数据行？"};
constexpr OwnText kKeptAt{"The radio's rows as they were are kept in %1",
                          "对讲机原有的数据行已保存在 %1"};
constexpr OwnText kPutBackDone{"The radio's own rows are back.", "对讲机原有的数据行已写回。"};
constexpr OwnText kPutBackFailed{"Putting the rows back failed too: %1",
                                 "写回原有数据行也失败了：%1"};

// The rows a service transfer moves, in the engine's own order.
std::vector<int> RowsOf(link::TransferKind kind) {
    const link::CloneKind clone = link::CloneKindOf(kind);
    std::vector<int> rows;
    for (int row = link::FirstRow(clone); row >= 0 && row != link::kStepEnd;
         row = link::StepAfter(clone, row, false)) {
        rows.push_back(row);
    }
    return rows;
}

} // namespace

bool ServiceWindow::isTransferring() const {
    return (clone_ && clone_->isRunning()) || round_;
}

void ServiceWindow::readFromRadio() {
    if (isTransferring()) {
        return;
    }
    shownPage()->commitEdits();
    startTransfer(onFrequencyPage() ? link::TransferKind::ReadRanges
                                    : link::TransferKind::ReadTuning);
}

void ServiceWindow::writeToRadio() {
    // The radio gets what the image holds: edits are stored (or given up) first, and
    // Cancel keeps them and sends nothing.
    if (isTransferring() || !confirmChanges()) {
        return;
    }
    const int language = main_.session().language;
    if (onFrequencyPage()) {
        // A stored row the page shows but could not have set never goes out.
        const std::string why =
            service::FrequencyRangePage::Unwritable(main_.session().image, language);
        if (!why.empty()) {
            main_.prompts().message(this, "R57", QString::fromStdString(why), Icon::Warning,
                                    Buttons::Ok, Answer::Ok);
            return;
        }
    }
    startServiceWrite(onFrequencyPage() ? link::ServiceRows::Ranges : link::ServiceRows::Tuning,
                      main_.session().image, true);
}

void ServiceWindow::startServiceWrite(link::ServiceRows rows, const CodeplugImage& image,
                                      bool readFirst) {
    releaseCloneWindow();
    Session& session = main_.session();
    link::ServiceRoundOptions options;
    options.readFirst = readFirst;
    options.backup = readFirst;
    options.verify = true; // calibration is always read back, also when put back
    round_ = new link::ServiceWriteRound(session, image, rows, options, this);
    round_->setConfirm([this, rows](int differing, int total) {
        const QString text =
            link::ServiceReplaceQuestion(rows, differing, total, main_.session().language);
        return main_.prompts().message(this, "Warning", text, Icon::Warning, Buttons::OkCancel,
                                       Answer::Cancel) == Answer::Ok;
    });
    round_->setAsker([this](link::Question q, const QString& text) {
        const int language = main_.session().language;
        const QString shown = q == link::Question::PortLost ? text : Tr(1291, language);
        return main_.prompts().message(this, "Error", shown, Icon::Critical, Buttons::RetryCancel,
                                       Answer::Retry) == Answer::Retry;
    });
    connect(round_, &link::ServiceWriteRound::finished, this,
            [this, rows, readFirst](const link::ServiceOutcome& outcome) {
                onServiceWriteEnded(rows, outcome, readFirst);
            });
    setBusy(kNowWritingId);
    body_->setEnabled(false);
    if (!round_->start()) {
        body_->setEnabled(true);
        setBusy(0);
        main_.prompts().message(this, "R57", Tr(kMsgCannotOpenPort, session.language),
                                Icon::Warning, Buttons::Ok, Answer::Ok);
        round_->deleteLater();
        round_ = nullptr;
    }
}

void ServiceWindow::onServiceWriteEnded(link::ServiceRows rows, const link::ServiceOutcome& outcome,
                                        bool readFirst) {
    const int language = main_.session().language;
    body_->setEnabled(true);
    setBusy(0);
    round_->deleteLater();
    round_ = nullptr;
    lastOutcome_ = link::DescribeServiceOutcome(outcome, rows, language);
    if (!outcome.backupPath.isEmpty())
        lastOutcome_ +=
            '\n' + Tr(kKeptAt, language).arg(QDir::toNativeSeparators(outcome.backupPath));
    if (!outcome.backupError.isEmpty())
        main_.keepBackupFailed(outcome.backupError);
    if (!readFirst) { // putting the kept rows back
        const bool back = outcome.state == link::ServiceOutcome::WrittenVerified;
        const QString text =
            back ? Tr(kPutBackDone, language) : Tr(kPutBackFailed, language).arg(lastOutcome_);
        main_.prompts().message(this, "R57", text, back ? Icon::Information : Icon::Critical,
                                Buttons::Ok, Answer::Ok);
        return;
    }
    switch (outcome.state) {
    case link::ServiceOutcome::WrittenVerified:
        main_.rememberRadioRows(rows);
        updateRadioNote();
        return;
    case link::ServiceOutcome::NotWritten:
        if (outcome.declined)
            return; // the user said no: nothing more to tell
        main_.prompts().message(this, "R57", lastOutcome_, Icon::Information, Buttons::Ok,
                                Answer::Ok);
        return;
    case link::ServiceOutcome::PartlyWritten:
    case link::ServiceOutcome::WrittenNotVerified:
        break;
    }
    if (!outcome.haveRadioRows) {
        main_.prompts().message(this, "R57", lastOutcome_, Icon::Critical, Buttons::Ok, Answer::Ok);
        return;
    }
    if (main_.prompts().message(this, "R57", Tr(kPutBack, language).arg(lastOutcome_),
                                Icon::Critical, Buttons::YesNo, Answer::Yes) == Answer::Yes) {
        const CodeplugImage kept = outcome.radioRows;
        startServiceWrite(rows, kept, false);
    }
}

void ServiceWindow::startTransfer(link::TransferKind kind) {
    releaseCloneWindow(); // one left open by an earlier transfer in trace mode
    Session& session = main_.session();
    before_.clear();
    if (link::IsRead(kind)) {
        for (int row : RowsOf(kind)) {
            const uint8_t* bytes = session.image.data() + row * 16;
            before_.emplace_back(row * 16, std::vector<uint8_t>(bytes, bytes + 16));
        }
    }
    setBusy(link::IsRead(kind) ? kNowReadingId : kNowWritingId);
    // The clone window disables `body_` (the pages, the tree, every button) while it
    // runs; the busy label stays readable outside it.
    clone_ = new CloneWindow(session, main_.prompts(), body_);
    connect(clone_, &CloneWindow::transferEnded, this,
            [this](link::TransferKind ended, bool success) { onTransferEnded(ended, success); });
    if (!clone_->transferDatas(kind)) {
        setBusy(0); // the port did not open: the message has been shown
        releaseCloneWindow();
    }
}

void ServiceWindow::onTransferEnded(link::TransferKind kind, bool success) {
    setBusy(0);
    if (link::IsRead(kind)) {
        Session& session = main_.session();
        std::vector<std::pair<int, std::vector<uint8_t>>> read;
        for (auto& [address, bytes] : before_) {
            const uint8_t* now = session.image.data() + address;
            read.emplace_back(address, std::vector<uint8_t>(now, now + bytes.size()));
            session.image.write(address, bytes.data(), bytes.size());
        }
        if (success) {
            const bool tuning = kind == link::TransferKind::ReadTuning;
            main_.applyWindowChange(
                [&] {
                    for (auto& [address, bytes] : read) {
                        session.image.write(address, bytes.data(), bytes.size());
                    }
                },
                tuning ? "service-read-tuning" : "service-read-ranges");
            main_.rememberRadioRows(tuning ? link::ServiceRows::Tuning : link::ServiceRows::Ranges);
            main_.keepBackup(*link::BackupAfter(kind), session.image);
            if (kind == link::TransferKind::ReadRanges) {
                frequency_->refresh();
                showBandCaptions();
            } else {
                deviation_->refresh();
                analogue_->refresh();
            }
            changed_ = false;
            updateRadioNote();
        }
    }
    before_.clear();
    if (!main_.session().traceMode) {
        releaseCloneWindow();
    }
}

void ServiceWindow::setBusy(int messageId) {
    if (messageId == 0) {
        busy_->hide();
        return;
    }
    busy_->setText(Tr(messageId, main_.session().language));
    busy_->show();
}

void ServiceWindow::releaseCloneWindow() {
    if (clone_ && !clone_->isRunning()) {
        clone_->hide();
        clone_->deleteLater();
        clone_ = nullptr;
    }
}

} // namespace r57::ui
