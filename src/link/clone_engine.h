// The clone protocol as a state machine: the whole-image read and write and the
// service-data transfers. It owns no port and no timer. Whoever runs it (the Qt driver,
// or a test with a scripted radio) feeds it events and carries out the actions it
// answers with, in order.
//
//   start()            begin, or begin again from the handshake
//   onSendTimer(n)     the send timer has fired, n bytes waiting: send the frame of
//                      the current step
//   onBytesWaiting(n)  n bytes are waiting in the input buffer
//   onReply(bytes, n)  the bytes asked for by a TakeReply action, n bytes still waiting
//   onTimeout(...)     the timeout timer has fired: a reply is overdue, the line has
//                      fallen quiet, or the end
//   onAnswer(yes)      the user's answer to the last Ask action
//   restart()          begin again from the handshake after the port was reopened
//   cancel()           the user ends the transfer
//
// A reply is exactly as long as the frame table says, and nothing else may arrive
// until the next frame goes out. Bytes beyond it (a reply that came late, after its
// frame had been sent again, or one that is too long) make the reply wrong: the line
// is left to fall quiet, emptied, and the same frame is sent again. Without this the
// surplus would land at the front of the next reply and shift every later block.
#pragma once

#include "link/clone_frames.h"

#include <core/image.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace r57::link {

enum class CloneQuestion {
    BandLimitsChanged,        // 1370, OK/Cancel, title 1194 "Warning"
    ServiceBandLimitsChanged, // 1381, OK/Cancel, title "Warning"
    RetryOrCancel,            // 1291, Retry/Cancel, title "Error"
};

struct CloneAction {
    enum Type {
        FlushInput,   // empty the input buffer
        FlushOutput,  // empty the output buffer
        Expect,       // receive threshold: `value` bytes (0: none awaited)
        Write,        // write `bytes`
        ArmSend,      // (re)start the send timer with `value` ms
        ArmTimeout,   // (re)start the timeout timer with `value` ms
        StopTimeout,  // stop the timeout timer
        TakeReply,    // after `value` ms, read `maximum` bytes and pass them to onReply
        Store,        // copy `bytes` into the image at address `value`
        Progress,     // progress bar `value` of `maximum`, percentage label `text`
        Status,       // status-bar panel text
        ShowLog,      // the transcript (log()) has changed
        Ask,          // ask `question`: `text`, title `title`; answer with onAnswer()
        Notify,       // tell the user message `value`: `text`, title `title` (OK only)
        SetModelCode, // the radio reported model variant code `value` (a character)
        Done,         // the transfer is over; `value` 1 for success
    };
    Type type = ShowLog;
    int value = 0;
    int maximum = 0;
    std::vector<uint8_t> bytes;
    std::string text;
    std::string title;
    CloneQuestion question = CloneQuestion::RetryOrCancel;
};
using CloneActions = std::vector<CloneAction>;

struct CloneSettings {
    CloneKind kind = CloneKind::Read;
    bool traceMode = false;      // byte-level transcript
    bool updateRadioTime = true; // a whole-image write ends with the time frame
    char modelCode = '0';        // a whole-image write sends only to this model variant
    // String-table text of an English id in the session's language. Required.
    std::function<std::string(int id)> text;
    // Local date and time for the time frame; the computer's clock when empty.
    std::function<ClockReading()> clock;
    // ReadRows: the rows read, in this order.
    std::vector<int> rows;
};

// Bytes waiting in the port's buffers when the timeout fires (for the transcript).
struct PortBacklog {
    int input = 0;
    int output = 0;
};

class CloneEngine {
public:
    // `image` is read for the write frames and the band-limit check; a read changes it
    // only through Store actions.
    CloneEngine(const CodeplugImage& image, CloneSettings settings);

    CloneActions start();
    // `waiting`: bytes in the input buffer as the timer fires.
    CloneActions onSendTimer(int waiting = 0);
    CloneActions onBytesWaiting(int count);
    // `stillWaiting`: bytes left in the input buffer once the reply has been taken.
    CloneActions onReply(const std::vector<uint8_t>& reply, int stillWaiting = 0);
    CloneActions onTimeout(const PortBacklog& backlog = {});
    CloneActions onAnswer(bool yes);
    // The port failed and has been opened again: start over from the handshake, the
    // resend count kept (as Retry does).
    CloneActions restart();
    // The user cancelled: the transfer ends as failed (the caller sends the final "E").
    CloneActions cancel();

    int step() const { return step_; }
    int retryCount() const { return retries_; }
    bool finished() const { return finished_; }
    bool aborted() const { return aborted_; }
    bool done() const { return done_; }
    int expectedReply() const { return expected_; }
    const std::string& log() const { return log_; }

    // Resends of one frame before the user is asked to retry or cancel.
    static constexpr int kSilentResends = 7;
    static constexpr int kSendDelayMs = 1;
    static constexpr int kReplyTimeoutMs = 600;
    static constexpr int kEndTimeoutMs = 300;
    static constexpr int kAbortTimeoutMs = 1;
    static constexpr int kReplySettleMs = 10; // the tail of a reply may still be arriving
    // After a wrong reply the line must stay silent this long before the frame goes out
    // again; a reply to a frame that was sent more than once is only accepted after the
    // same silence, since the other copy may still be answered.
    static constexpr int kLineQuietMs = 200;

private:
    enum class Pending { None, BandQuestion, RetryQuestion };

    CloneActions begin();
    std::string text(int id) const;
    void append(const std::string& line) { log_ += line; }
    void sendFrame(CloneActions& out);
    std::vector<uint8_t> frameForStep() const;
    // Acting on a reply that proved to be the only one: true when the next frame is
    // to go out now.
    bool accept(const std::vector<uint8_t>& reply, CloneActions& out);
    bool onHandshakeReply(const std::vector<uint8_t>& reply, CloneActions& out);
    bool onIdentification(const std::vector<uint8_t>& reply, CloneActions& out);
    bool onBlockReply(const std::vector<uint8_t>& reply, CloneActions& out);
    void afterIdentification();
    int firstRow() const;
    int rowAfter(int row);
    void wrongReply(CloneActions& out);
    void advanceProgress(CloneActions& out);
    void abort(bool retryAllowed, CloneActions& out);
    void endOfAttempt(const PortBacklog& backlog, CloneActions& out);
    void traceEnd(bool success, const PortBacklog& backlog);

    const CodeplugImage& image_;
    CloneSettings settings_;
    const bool whole_;
    const bool reading_;

    int step_ = kStepHandshake;
    int nextStep_ = kStepHandshake;
    int expected_ = 0;
    bool finished_ = false;
    bool aborted_ = false;
    bool taking_ = false;    // a TakeReply is outstanding
    bool sendArmed_ = false; // for the service transcript
    bool done_ = false;
    int lastPortEvent_ = 0;                    // 2 after a receive notification
    std::optional<std::vector<uint8_t>> held_; // a reply taken, not yet acted on
    bool quieting_ = false; // after a wrong reply: waiting for the line to fall silent
    bool resent_ = false;   // the current frame went out more than once
    int retries_ = 0;
    std::size_t rowIndex_ = 0; // ReadRows: the row being read
    Pending pending_ = Pending::None;

    int progress_ = 0;
    std::string percentLabel_;
    std::string log_;
};

} // namespace r57::link
