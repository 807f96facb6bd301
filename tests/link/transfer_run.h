// Test helpers: a virtual radio (r57-radio) as a child process on a real
// pseudo-terminal, and a TransferDriver run to its end with a bounded wait.
#pragma once

#include "core/image.h"
#include "core/session.h"
#include "link/transfer_driver.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <vector>

class QProcess;

namespace r57::test {

// The folder the test program was started from (where every program is built).
QString ProgramFolder();
// A fresh empty folder for one test, removed with the object.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    QString file(const QString& name) const { return path_ + "/" + name; }

private:
    QString path_;
};

class VirtualRadio {
public:
    VirtualRadio();
    ~VirtualRadio(); // kills the radio if it still runs

    // Starts r57-radio with unpaced lines, a frame log and a save file, plus `options`.
    // False (with a test failure recorded) if it does not print its terminal in time.
    bool start(const QStringList& options = {});
    const QString& device() const { return device_; }

    // Stops the radio (SIGTERM), which saves its memory; returns that memory.
    std::optional<CodeplugImage> stopAndTakeMemory();
    // The frame log: one "<n> <frame>[ fault]" line per frame received so far.
    std::vector<std::string> log() const;
    // The log lines without their frame numbers and fault marks, e.g. "R 0D00 10".
    std::vector<std::string> frames() const;
    // Writes `image` as a raw memory file and returns the options that load it.
    QStringList loadOptions(const CodeplugImage& image);

private:
    ScratchFolder folder_;
    QProcess* process_;
    QString device_;
};

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
TransferOutcome RunTransfer(Session& session, const QString& device, link::TransferKind kind,
                            std::vector<bool> answers = {}, int limitMs = 20000);

// An image of pseudo-random bytes (the same for the same seed).
CodeplugImage RandomImage(unsigned seed);

// True when the images agree on [from, to).
bool SameRange(const CodeplugImage& a, const CodeplugImage& b, int from, int to);

} // namespace r57::test
