// One cable of a batch: its own port, clone engines (through the transfer driver) and
// session, so several lanes run side by side in one event loop. A lane's round: wait
// for a radio, take the next number, (read the old memory,) write, verify by reading
// back, show the result, and wait until the radio is swapped (Next, or by itself after
// a silence on the port).
#pragma once

#include "backups.h"
#include "batch_log.h"
#include "batch_numbers.h"
#include "core/session.h"
#include "radio_probe.h"
#include "transfer_driver.h"
#include "write_round.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace r57::link {

struct BatchSettings {
    // The image of the radio numbered `number`, or nullopt with `why` set.
    std::function<std::optional<CodeplugImage>(long number, QString& why)> imageFor;
    // The per-radio field values of `number`, rule by rule (for the log).
    std::function<std::vector<std::string>(long number)> valuesFor;
    QStringList ruleNames;
    long start = 1;
    long step = 1;
    int count = 1;
    char modelCode = '0';        // as Write sends it: only to this model variant
    bool updateRadioTime = true; // the write ends with the time frame
    int language = kEnglish;
    bool verify = true;             // read each radio back and compare
    bool autoContinue = false;      // take the next radio after a silence, without Next
    bool keepOld = false;           // read each radio first and keep its old memory
    bool goOnIfBandsDiffer = false; // answer the band-limit question with OK
    QString logPath;                // the CSV log; empty: none
    QString backupFolder = BackupFolder();
};

// What every lane of a batch shares.
struct BatchShared {
    BatchSettings settings;
    BatchNumbers numbers;
    bool cancelled = false;
};

class BatchLane : public QObject {
    Q_OBJECT
public:
    enum class State { Idle, Waiting, Working, Done, Stopped };

    BatchLane(BatchShared& shared, QString device, QObject* parent = nullptr);
    ~BatchLane() override;

    const QString& device() const { return device_; }
    State state() const { return state_; }
    // What the lane shows: "waiting for a radio", "radio 7: writing", the last result.
    const QString& text() const { return text_; }
    bool portGone() const { return portGone_; }

    // Begins waiting for a radio.
    void begin();
    // The user has put the next radio on the cable (Next, Enter).
    void next();
    // Stops the lane; a radio being programmed is cancelled, and the radio is told "E"
    // in any case.
    void cancel();
    // The batch is complete: a lane that waits stops.
    void finish();

signals:
    void changed();
    // A radio has been programmed, or failed; `result.number` is given back or
    // delivered by whoever holds the numbers.
    void radioDone(const link::RadioResult& result);

private:
    void wait(bool afterSilence, int firstAfterMs = 0);
    void radioFound();
    void showStage(RoundStage stage);
    void roundDone(const WriteOutcome& outcome);
    void fail(const QString& reason);
    void report(bool ok, const QString& verify, const QString& reason);
    void setText(const QString& text);
    QString own(const char* english, const char* chinese) const;

    BatchShared& shared_;
    QString device_;
    Session session_; // the image this radio gets
    TransferDriver driver_;
    WriteRound round_;
    RadioProbe probe_;
    State state_ = State::Idle;
    QString text_;
    bool portGone_ = false;
    long number_ = 0;
    QElapsedTimer clock_;
};

} // namespace r57::link
