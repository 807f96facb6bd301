// The service write round: a radio's tuning rows and frequency ranges are its factory
// calibration, which nobody can type back in without a test bench. So before a
// service write replaces them, the round reads the rows the write will replace and
// keeps them (in memory and as a pinned backup, "..._service-tuning-before.dat"),
// asks when they differ from what is about to go out, writes, reads the rows back and
// compares. A write that stops part-way says which rows are new, and restore() puts
// the kept rows back.
//
//   read first -> keep -> (ask) -> write -> read back -> compare -> outcome
//
// The round runs its transfers on a copy of the session (port, language, trace), so
// the caller's image is only read.
#pragma once

#include "core/image.h"
#include "core/session.h"
#include "link/backups.h"
#include "link/transfer_driver.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace r57::link {

enum class ServiceRows {
    Ranges, // the band-limit row and the two VFO rows: 0x0D00, 0x0810, 0x0820
    Tuning, // the tuning rows 0x0EE0..0x0FF0
};

// The addresses of the rows, 16 bytes each, in the order the clone sends them.
std::vector<int> ServiceRowAddresses(ServiceRows rows);
TransferKind ServiceReadKind(ServiceRows rows);
TransferKind ServiceWriteKind(ServiceRows rows);
BackupKind ServiceBeforeKind(ServiceRows rows);

// The rows of `rows` where `a` and `b` differ, in clone order.
std::vector<int> DifferingRows(ServiceRows rows, const CodeplugImage& a, const CodeplugImage& b);

// "0x0EE0-0x0F20, 0x0F40": row addresses, runs of neighbours joined.
QString RowList(const std::vector<int>& addresses);

struct ServiceRoundOptions {
    bool readFirst = true; // read and keep the radio's rows first (off: a restore)
    bool verify = true;    // read the rows back after the write and compare
    bool backup = true;    // keep the rows read first as a backup file
    QString backupFolder = BackupFolder();
};

struct ServiceOutcome {
    enum State {
        NotWritten,         // nothing reached the radio: refused, cancelled, no answer
        PartlyWritten,      // the write stopped part-way: see newRows, unsureRow
        WrittenNotVerified, // every row went out; the read-back failed or differs
        WrittenVerified,
    };
    State state = NotWritten;
    QString reason; // English/Chinese by the session's language; empty when verified
    bool cancelled = false;
    bool declined = false;      // the user chose not to write over the radio's rows
    bool haveRadioRows = false; // the rows were read first
    CodeplugImage radioRows;    // the image written, with the radio's rows as read first
    std::vector<int> differing; // rows the write changes against the radio's own
    std::vector<int> newRows;   // PartlyWritten: rows the radio took
    int unsureRow = -1;         // PartlyWritten: the row in flight, taken or not
    std::vector<int> oldRows;   // PartlyWritten: rows still as they were
    std::vector<int> mismatch;  // WrittenNotVerified: rows that read back differently
    QString backupPath;         // the backup of the rows read first
    QString backupError;        // why it could not be kept, when it could not
};

class ServiceWriteRound : public QObject {
    Q_OBJECT
public:
    // `image` holds the rows to write; `session` gives the port, language and trace.
    ServiceWriteRound(const Session& session, const CodeplugImage& image, ServiceRows rows,
                      ServiceRoundOptions options = {}, QObject* parent = nullptr);
    ~ServiceWriteRound() override;

    void setPort(const QString& device);
    // The transfers' own questions (Retry/Cancel, a lost port).
    void setAsker(std::function<bool(Question, const QString& text)> asker);
    // The radio's rows differ from those about to be written: go on? `differing` of
    // `total` rows. Without an answerer the round stops.
    void setConfirm(std::function<bool(int differing, int total)> confirm);

    // Starts the round; false when the port could not be opened (the outcome is then
    // ready at once, NotWritten, and finished() is not emitted).
    bool start();
    bool isRunning() const;
    void cancel();
    const ServiceOutcome& outcome() const;
    const TransferDriver& driver() const;

    enum class Phase { ReadingFirst, Writing, ReadingBack };

signals:
    void phaseChanged(Phase phase);
    void finished(const ServiceOutcome& outcome);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// The texts a user reads about an outcome, in `language`: what the radio holds now.
QString DescribeServiceOutcome(const ServiceOutcome& outcome, ServiceRows rows, int language);
// The question asked when the radio's rows differ.
QString ServiceReplaceQuestion(ServiceRows rows, int differing, int total, int language);

} // namespace r57::link
