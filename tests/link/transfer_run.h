// Test helper: a TransferDriver run to its end against a device (usually the virtual
// radio of common/radio_process.h), with a bounded wait.
#pragma once

#include "common/radio_process.h"

#include "core/image.h"
#include "core/session.h"
#include "link/transfer_driver.h"

#include <QString>

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
};

// Runs one transfer against `device` and waits for it to end (at most `limitMs`).
// `answers` answer the questions in turn; once they run out the answer is Cancel.
TransferOutcome RunTransfer(Session& session, const std::string& device, link::TransferKind kind,
                            std::vector<bool> answers = {}, int limitMs = 20000);

} // namespace r57::test
