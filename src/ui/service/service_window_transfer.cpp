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

#include "core/session.h"
#include "link/backups.h"
#include "link/clone_frames.h"

#include <QLabel>
#include <QPushButton>

namespace r57::ui {

namespace {

constexpr int kNowReadingId = 1379; // "Now Reading !"
constexpr int kNowWritingId = 1380; // "Now Writting !"

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
    return clone_ && clone_->isRunning();
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
    startTransfer(onFrequencyPage() ? link::TransferKind::WriteRanges
                                    : link::TransferKind::WriteTuning);
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
            main_.applyWindowChange([&] {
                for (auto& [address, bytes] : read) {
                    session.image.write(address, bytes.data(), bytes.size());
                }
            });
            main_.keepBackup(*link::BackupAfter(kind), session.image);
            if (kind == link::TransferKind::ReadRanges) {
                frequency_->refresh();
                showBandCaptions();
            } else {
                deviation_->refresh();
                analogue_->refresh();
            }
            changed_ = false;
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
