// Runs one clone transfer (a whole-image read or write, or a service-data transfer)
// on a serial port, with Qt timers and without blocking the event loop. The protocol
// itself lives in the engines; this class only carries their actions out.
#pragma once

#include "core/image.h"
#include "core/message_ids.h"
#include "link/clone_frames.h"
#include "link/port_problem.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QSerialPort;

namespace r57 {
class Session;
}

namespace r57::link {

enum class TransferKind {
    Read,        // whole image from the radio
    Write,       // whole image to the radio
    ReadRanges,  // service: band-limit row and VFO rows from the radio
    WriteRanges, // service: the same rows to the radio
    ReadTuning,  // service: rows 0x0EE0..0x0FFF from the radio
    WriteTuning, // service: the same rows to the radio
    // The whole image read again after a write, into readBack(): the session's image
    // and model code are left alone.
    Verify,
    // The rows given to setRows(), into readBack() (0xFF elsewhere), as Verify leaves
    // the session alone: a look at a radio before it is written.
    ReadRows,
};

// True for the kinds that read from the radio.
constexpr bool IsRead(TransferKind kind) {
    return kind == TransferKind::Read || kind == TransferKind::ReadRanges ||
           kind == TransferKind::ReadTuning || kind == TransferKind::Verify ||
           kind == TransferKind::ReadRows;
}

// Why `port` could not be opened as `device`: gone, busy (and who holds it), no
// permission, or the system's other reason.
PortFailure OpenFailure(const QSerialPort& port, const QString& device);

// The engine's name of a transfer kind (for its row lists: FirstRow, StepAfter).
CloneKind CloneKindOf(TransferKind kind);

// The message a caller shows when start() fails because the port cannot be opened:
// 1175 "Cannot Open Communication Port." (the notifier gets the system's own text).
constexpr int kCannotOpenPortMessage = kMsgCannotOpenPort;

// The questions a transfer asks the user; the answer is true for OK / Retry.
enum class Question {
    BandLimitsChanged,        // 1370, OK/Cancel, title 1194 "Warning", critical icon
    ServiceBandLimitsChanged, // 1381, OK/Cancel, title "Warning", critical icon
    RetryOrCancel,            // 1291, Retry/Cancel, title "Error", critical icon
    // The port failed during the transfer and has been closed; the text holds the
    // lines of portFailure(). Retry reopens the port and starts again from the
    // handshake; Cancel ends the transfer as failed.
    PortLost,
};

class TransferDriver : public QObject {
    Q_OBJECT
public:
    explicit TransferDriver(Session& session, QObject* parent = nullptr);
    ~TransferDriver() override;

    // Who answers the transfer's questions (a message box in the window, a prompt or
    // --yes on the command line). Without one every question is answered Cancel.
    void setAsker(std::function<bool(Question, const QString& text)> asker);

    // Who is told of a failure that ends the transfer at once: message 1385 "Model
    // type is wrong." (messageId 1385), or a port that cannot be opened (messageId 0,
    // text = the system's description).
    void setNotifier(std::function<void(int messageId, const QString& text)> notifier);

    // The port: a device path, or empty to use the session's slot (portDevice, else
    // portNumber mapped by the slot rule).
    void setPort(const QString& device);
    // The rows a ReadRows transfer reads, in this order.
    void setRows(std::vector<int> rows);

    // Starts a transfer; returns false (after telling the notifier) when the port
    // cannot be opened, and finished() is not emitted then. A read stores the radio's
    // bytes straight into session.image and, on a good handshake, sets its modelCode;
    // a Verify stores them into readBack() instead.
    bool start(TransferKind kind);
    bool isRunning() const;
    // Ends a running transfer as failed, as Cancel in the Retry question does: the
    // radio is still told "E", and finished(false) follows.
    void cancel();

    // Why the port could not be opened, or failed during the transfer; empty when it
    // did not.
    const std::optional<PortFailure>& portFailure() const;

    // The transcript so far (status log), as the window's status box shows it.
    QString log() const;

    // What the last Verify or ReadRows transfer read (0xFF where nothing arrived).
    const CodeplugImage& readBack() const;

    // The engine's step when the last transfer ended: for a write that failed, the
    // block row whose acknowledgement never came (the rows before it were taken), or
    // a step before the first block when nothing was written.
    int endStep() const;

signals:
    void logChanged(const QString& log);
    // Text for the status-bar panel "ComStatus" ("Transfering...\t", "Complete.", "Error!").
    void statusChanged(const QString& text);
    // Progress bar value and maximum (214 read, 207 write) and the percentage label.
    void progressChanged(int value, int maximum, const QString& label);
    // The transfer has ended and the port is closed again (after the final "E").
    // For reads, the caller decodes the image now, also after a failure.
    void finished(bool success);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace r57::link
