// Test helper: a TransferDriver run to its end against a device (usually the virtual
// radio of common/radio_process.h), with a bounded wait.
#pragma once

#include "common/radio_process.h"

#include "core/image.h"
#include "core/session.h"
#include "link/transfer_driver.h"

#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace r57::test {

struct TransferOutcome {
    bool finished = false; // the driver reported the end within the time limit
    bool success = false;
    bool started = false;
    std::vector<link::Question> questions;
    std::vector<int> notices; // message ids given to the notifier
    QString log;
    double seconds = 0;
    std::vector<QString> questionTexts;
    std::optional<link::PortFailure> failure; // the driver's portFailure() at the end
    double questionCpuShare = 0; // CPU time / wall time while the questions stayed open
};

// What happens during the run beyond answering the questions.
struct TransferScript {
    std::vector<bool> answers; // in turn; Cancel once they run out
    int limitMs = 20000;
    int actAfterMs = -1; // when to run `act` (e.g. take the device away), if at all
    std::function<void()> act;
    int questionOpenMs = 0; // each question stays open this long, events flowing
};
TransferOutcome RunTransfer(Session& session, const std::string& device, link::TransferKind kind,
                            const TransferScript& script);

// Runs one transfer against `device` and waits for it to end (at most `limitMs`).
// `answers` answer the questions in turn; once they run out the answer is Cancel.
TransferOutcome RunTransfer(Session& session, const std::string& device, link::TransferKind kind,
                            std::vector<bool> answers = {}, int limitMs = 20000);

} // namespace r57::test
