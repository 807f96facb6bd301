// One write of a whole image into a radio: the window's Write, `r57 write` and every
// lane of a batch run this round, so "written", "verified" and the backups kept mean
// the same everywhere.
//
//   look      (optional) read the given rows of the radio (its identity, or a block
//             whose bytes the write may keep); check() sees them and may refuse the
//             radio or change the image to be sent
//   read old  (optional) read the radio's whole memory first and keep it; check()
//             then sees that instead of the rows. With requireOldBackup a memory that
//             cannot be read or kept stops the round before anything is written
//   write     the image, as the clone protocol writes it
//   verify    (optional) read the radio back and compare every byte the write sent
//
// One outcome: written and verified, written not verified (verify off, a mismatch, a
// read-back that failed or was cancelled, a write that stopped part-way), or not
// written; each with its reason and what was read. The protocol, the engine and the
// driver are used as they are: the round only runs transfers on the driver one after
// another and answers for them.
#pragma once

#include "core/image.h"
#include "link/backups.h"
#include "link/port_problem.h"
#include "link/transfer_driver.h"
#include "link/verify.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace r57 {
class Session;
}

namespace r57::link {

enum class RoundStage { Idle, Look, ReadOld, Write, Verify };

enum class WriteResult {
    WrittenVerified,    // every byte sent read back the same
    WrittenNotVerified, // the radio holds (some of) the image; see WriteWhy
    NotWritten,         // nothing was sent to the radio's memory
};

enum class WriteWhy {
    None,              // written and verified
    VerifyOff,         // written; no read-back was asked for
    VerifyMismatch,    // written; bytes read back differently (readBack holds them)
    ReadBackFailed,    // written; the radio could not be read back
    ReadBackCancelled, // written; the read-back was cancelled
    WriteStopped,      // the write failed or was cancelled after blocks went in
    Refused,           // check() refused the radio (reason is check()'s)
    LookFailed,        // the rows or the old memory could not be read
    OldNotKept,        // the old memory could not be kept (requireOldBackup)
    Cancelled,         // cancelled before anything was written
    Failed,            // the port, the handshake, the model or the band limits stopped it
};

struct WriteRoundOptions {
    // Rows (of 16 bytes) read before the write and handed to check().
    std::vector<int> lookRows;
    bool readOldFirst = false;
    bool requireOldBackup = true;
    bool verify = true;
    // Keep the image written, and what a verify that failed read back (in backupFolder).
    bool keepWritten = true;
    bool keepReadBack = true;
    QString backupFolder = BackupFolder();
    QString backupLabel; // "radio-7": part of every backup's name
    // Where the old memory is kept; by default a "read" backup in backupFolder.
    std::function<BackupResult(const CodeplugImage& old)> keepOld;
    // What the reads before the write found (the rows, 0xFF elsewhere, or the whole old
    // memory), and the image to be sent, which check() may change. A reason stops the
    // round: not written, WriteWhy::Refused.
    std::function<std::optional<QString>(const CodeplugImage& looked, CodeplugImage& toSend)> check;
};

struct WriteOutcome {
    WriteResult result = WriteResult::NotWritten;
    WriteWhy why = WriteWhy::Failed;
    QString reason;       // for the user, in the session's language; "" when verified
    CodeplugImage sent;   // the image the write sent (after check())
    CodeplugImage looked; // the rows read first, or the old memory (0xFF: not read)
    std::optional<CodeplugImage> oldMemory; // with readOldFirst, when it was read
    std::optional<CodeplugImage> readBack;  // what the verify read, when it completed
    VerifyResult verify;                    // the comparison, when the verify completed
    std::vector<BackupResult> backups;      // every backup attempted, in order
    std::optional<PortFailure> portFailure; // the port's trouble, when there was one
    bool portGone = false;                  // the device is gone (unplugged)

    bool written() const { return result != WriteResult::NotWritten; }
    bool verified() const { return result == WriteResult::WrittenVerified; }
    // Written as asked: verified, or written with the verify off.
    bool delivered() const {
        return verified() ||
               (result == WriteResult::WrittenNotVerified && why == WriteWhy::VerifyOff);
    }
};

class WriteRound : public QObject {
    Q_OBJECT
public:
    // `driver` runs on `session`, whose image is what the round writes; the round sets
    // the driver's asker and notifier (pass yours to the round instead).
    WriteRound(TransferDriver& driver, Session& session, QObject* parent = nullptr);
    ~WriteRound() override;

    void setAsker(std::function<bool(Question, const QString& text)> asker);
    void setNotifier(std::function<void(int messageId, const QString& text)> notifier);

    // Starts the round; false when one is running. finished() always follows, also when
    // the port cannot be opened (after the notifier has been told).
    bool start(WriteRoundOptions options);
    bool isRunning() const { return stage_ != RoundStage::Idle; }
    RoundStage stage() const { return stage_; }
    // Ends the round: the transfer running is cancelled (the radio told "E").
    void cancel();
    // The outcome so far (the backups kept, what was read); final after finished().
    const WriteOutcome& outcome() const { return outcome_; }

    TransferDriver& driver() { return driver_; }

signals:
    void stageChanged(link::RoundStage stage);
    void finished(const link::WriteOutcome& outcome);

private:
    void begin(RoundStage stage);
    void transferEnded(bool ok);
    void afterLook(const CodeplugImage& looked);
    void keepOld();
    void afterWrite();
    void afterVerify();
    void end(WriteResult result, WriteWhy why, const QString& reason = {});
    void keep(const CodeplugImage& image, BackupKind kind);
    QString failureText() const;
    QString own(const char* english, const char* chinese) const;

    TransferDriver& driver_;
    Session& session_;
    std::function<bool(Question, const QString&)> asker_;
    std::function<void(int, const QString&)> notifier_;
    WriteRoundOptions options_;
    WriteOutcome outcome_;
    RoundStage stage_ = RoundStage::Idle;
    bool cancelled_ = false;
    bool blocksIn_ = false; // the write has had a block acknowledged
    QString refusal_;       // what the last question answered no, or the notice, said
};

// The reason text of a transfer's failure as the round words it (the port's lines
// joined by "; ", or the message of the refused question).
QString JoinedPortLines(const PortFailure& failure, int language);

} // namespace r57::link
