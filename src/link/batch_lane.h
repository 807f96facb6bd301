// One cable of a batch: its own port, driver, write round and session, so several lanes
// run side by side in one event loop. A lane's round: wait for a radio, look at it (the
// rows of the batch's per-radio fields), and unless it already holds a number this
// batch gave, take the next number, (read and keep the old memory,) write, verify by
// reading back, show the result; then wait for the next radio: Next, or by itself when
// the radio on the cable is another one (its rows changed), or after the cable has been
// silent for 2 s and a radio answers that holds no number of this batch.
#pragma once

#include "backups.h"
#include "batch_identity.h"
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
    int count = 1;               // radios to deliver (written and verified)
    std::set<long> taken;        // numbers an earlier run gave (its log): never again
    char modelCode = '0';        // as Write sends it: only to this model variant
    bool updateRadioTime = true; // the write ends with the time frame
    int language = kEnglish;
    bool verify = true;             // read each radio back and compare
    bool autoContinue = false;      // take the next radio by itself, without Next
    bool keepOld = false;           // read each radio first and keep its old memory
    bool goOnIfBandsDiffer = false; // answer the band-limit question with OK
    QString logPath;                // the CSV log; empty: none
    // What a verify that failed read back goes here; the old memories go beside the
    // log (OldMemoryFolder), where no rotation removes them.
    QString backupFolder = BackupFolder();
};

// What every lane of a batch shares.
struct BatchShared {
    BatchSettings settings;
    BatchNumbers numbers;
    BatchIdentity identity;
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
    // The number the radio on the cable holds (or was written with, not verified):
    // Program again writes it with this number. nullopt when there is none.
    std::optional<long> againNumber() const { return again_; }

    // Begins waiting for a radio.
    void begin();
    // The user has put the next radio on the cable (Next, Enter).
    void next();
    // Writes the radio on the cable again with againNumber().
    void programAgain();
    // Stops the lane; a radio being programmed is cancelled, and the radio is told "E"
    // in any case.
    void cancel();
    // The batch is complete: a lane that waits stops.
    void finish();

signals:
    void changed();
    // A radio has been written, or failed; `result.number` is delivered, set aside or
    // given back by whoever holds the numbers.
    void radioDone(const link::RadioResult& result);

private:
    void wait(int firstAfterMs = 0);
    void watch();
    void peek(qint64 silentMs);
    void peekDone(bool ok);
    void startRound(std::optional<long> again);
    std::optional<QString> check(const CodeplugImage& looked, CodeplugImage& toSend);
    void showStage(RoundStage stage);
    void roundDone(const WriteOutcome& outcome);
    void report(const WriteOutcome& outcome);
    void afterRadio(const QString& text);
    void portFailed(const PortFailure& failure);
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
    std::optional<long> number_; // the number of the radio in the round
    std::optional<long> again_;
    std::optional<long> roundAgain_; // the number Program again writes in this round
    bool noNumber_ = false;          // check() found every number out on a lane
    std::vector<uint8_t> lastIdentity_;
    bool peeking_ = false;
    std::optional<std::optional<long>> pending_; // a round asked for during a look
    qint64 peekSilence_ = 0;
    QElapsedTimer clock_;
};

// Where a batch's old memories are kept: a folder beside its log.
QString OldMemoryFolder(const QString& logPath);

} // namespace r57::link
