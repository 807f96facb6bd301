#include "link/clone_engine.h"

#include <core/address_map.h>
#include <core/message_ids.h>

#include <ctime>
#include <utility>

namespace r57::link {

namespace {

// String-table ids of the transcript and the status panel that only the engine shows
// (the shared ones are in core/message_ids.h).
enum : int {
    kMsgOpeningPort = 1382,
    kMsgTransferringBlocks = 1383,
    kMsgTransferring = 1384,
    kMsgPortClosed = 1387,
    kMsgError = 1388,
    kMsgComplete = 1389,
};

// The radio's identification starts with its band-limit row; a whole-image write
// checks the four receive/transmit ranges of band 1 and the receive range of band 2
// (8 bytes), the service write the first 12.
constexpr int kWriteBandCompare = 8;
constexpr int kServiceBandCompare = 12;

// Port event code of a receive notification, shown in the service transcript.
constexpr int kReceiveEvent = 2;

CloneAction Make(CloneAction::Type type, int value = 0) {
    CloneAction a;
    a.type = type;
    a.value = value;
    return a;
}

ClockReading LocalTime() {
    const std::time_t now = std::time(nullptr);
    const std::tm* t = std::localtime(&now);
    ClockReading r;
    if (t) {
        r.year = t->tm_year + 1900;
        r.month = t->tm_mon + 1;
        r.day = t->tm_mday;
        r.hour = t->tm_hour;
        r.minute = t->tm_min;
        r.second = t->tm_sec;
        r.weekday = t->tm_wday;
    }
    return r;
}

// Percentage of value/maximum, rounded to a whole number, then down to a multiple of 10.
int PercentTens(int value, int maximum) {
    const int rounded = (value * 200 + maximum) / (2 * maximum);
    return rounded - rounded % 10;
}

} // namespace

CloneEngine::CloneEngine(const CodeplugImage& image, CloneSettings settings)
    : image_(image), settings_(std::move(settings)), whole_(IsWholeImage(settings_.kind)),
      reading_(IsRead(settings_.kind)) {}

std::string CloneEngine::text(int id) const {
    return settings_.text ? settings_.text(id) : std::string();
}

CloneActions CloneEngine::start() {
    retries_ = 0;
    return begin();
}

CloneActions CloneEngine::begin() {
    step_ = nextStep_ = kStepHandshake;
    expected_ = 0;
    finished_ = aborted_ = taking_ = done_ = false;
    quieting_ = resent_ = false;
    held_.reset();
    pending_ = Pending::None;
    progress_ = 0;
    log_.clear();

    CloneActions out{Make(CloneAction::FlushInput), Make(CloneAction::FlushOutput)};
    if (whole_) {
        percentLabel_ = text(kMsgPercentage) + ":  0%";
        CloneAction p = Make(CloneAction::Progress, 0);
        p.maximum = ProgressMaximum(settings_.kind);
        p.text = percentLabel_;
        out.push_back(std::move(p));
    }
    out.push_back(Make(CloneAction::ShowLog));
    out.push_back(Make(CloneAction::ArmSend, kSendDelayMs));
    sendArmed_ = true;
    return out;
}

std::vector<uint8_t> CloneEngine::frameForStep() const {
    switch (step_) {
    case kStepHandshake: {
        const std::string h = wire::kHandshake;
        return {h.begin(), h.end()};
    }
    case kStepIdentify:
        return {wire::kIdentify};
    case kStepAcknowledge:
        return {wire::kAck};
    case kStepTime:
        return TimeFrame(settings_.clock ? settings_.clock() : LocalTime());
    case kStepEnd:
        return {wire::kEnd};
    default: {
        const int length = BlockBytes(settings_.kind, step_);
        if (reading_)
            return ReadFrame(step_, length);
        return WriteFrame(step_, image_.data() + step_ * addr::kRowSize, length);
    }
    }
}

void CloneEngine::sendFrame(CloneActions& out) {
    // Whatever is still waiting cannot be the reply to the frame about to go out (a
    // late or over-long reply); left there it would shift every following reply.
    out.push_back(Make(CloneAction::FlushInput));
    if (step_ == kStepHandshake) {
        append(text(kMsgOpeningPort) + "\n");
        append(text(kMsgTransferringBlocks) + "\n");
    }
    out.push_back(Make(CloneAction::FlushOutput));

    const std::vector<uint8_t> frame = frameForStep();
    switch (step_) {
    case kStepHandshake:
        expected_ = wire::kHandshakeReply;
        break;
    case kStepIdentify:
        expected_ = wire::kIdentificationReply;
        break;
    case kStepEnd:
        expected_ = 0;
        break;
    case kStepAcknowledge:
    case kStepTime:
        expected_ = 1;
        break;
    default:
        expected_ = reading_ ? wire::kReadHeader + BlockBytes(settings_.kind, step_) : 1;
        break;
    }
    out.push_back(Make(CloneAction::Expect, expected_));
    CloneAction write = Make(CloneAction::Write);
    write.bytes = frame;
    out.push_back(std::move(write));

    if (step_ == kStepEnd) {
        finished_ = true;
        if (whole_) {
            progress_ = ProgressMaximum(settings_.kind);
            advanceProgress(out);
        }
        out.push_back(Make(CloneAction::ArmTimeout, kEndTimeoutMs));
    } else {
        out.push_back(Make(CloneAction::ArmTimeout, kReplyTimeoutMs));
    }
    if (settings_.traceMode)
        append(TraceLine("PC       : ", frame));
    out.push_back(Make(CloneAction::ShowLog));
    if (whole_) {
        CloneAction status = Make(CloneAction::Status);
        status.text = text(kMsgTransferring);
        out.push_back(std::move(status));
    }
}

CloneActions CloneEngine::onSendTimer(int waiting) {
    if (done_ || pending_ != Pending::None || !sendArmed_ || taking_)
        return {};
    sendArmed_ = false;
    CloneActions out;
    if (held_) {
        // Bytes that came after the reply was taken belong to no frame of ours.
        if (waiting > 0) {
            wrongReply(out);
            return out;
        }
        const std::vector<uint8_t> reply = std::move(*held_);
        held_.reset();
        resent_ = false;
        if (!accept(reply, out))
            return out;
    }
    sendFrame(out);
    return out;
}

CloneActions CloneEngine::onBytesWaiting(int count) {
    lastPortEvent_ = kReceiveEvent;
    if (done_ || pending_ != Pending::None || taking_)
        return {};
    if (quieting_) {
        // Still talking: empty the line and wait for the silence again.
        return {Make(CloneAction::FlushInput), Make(CloneAction::ArmTimeout, kLineQuietMs)};
    }
    if (held_) {
        CloneActions out;
        wrongReply(out);
        return out;
    }
    if (aborted_ || expected_ == 0 || count < expected_)
        return {};
    taking_ = true;
    CloneAction take = Make(CloneAction::TakeReply, kReplySettleMs);
    take.maximum = expected_;
    return {Make(CloneAction::StopTimeout), std::move(take)};
}

CloneActions CloneEngine::onReply(const std::vector<uint8_t>& reply, int stillWaiting) {
    if (!taking_ || done_)
        return {};
    taking_ = false;
    // Nothing more is awaited until the next frame goes out: a byte arriving in
    // between must not be taken for the reply to a frame not yet sent.
    const int expected = std::exchange(expected_, 0);
    if (settings_.traceMode)
        append(TraceLine("RADIO: ", reply));

    CloneActions out;
    if (static_cast<int>(reply.size()) < expected) {
        abort(true, out); // the port could not deliver what it reported
        return out;
    }
    if (stillWaiting > 0) {
        wrongReply(out); // longer than any reply to this frame
        return out;
    }
    // Acted on when the send timer finds the line still silent; after a resend the
    // other copy of the frame may yet be answered, so the silence must last longer.
    held_ = reply;
    out.push_back(Make(CloneAction::ArmSend, resent_ ? kLineQuietMs : kSendDelayMs));
    sendArmed_ = true;
    return out;
}

void CloneEngine::wrongReply(CloneActions& out) {
    held_.reset();
    expected_ = 0;
    sendArmed_ = false;
    aborted_ = true;
    quieting_ = true;
    out.push_back(Make(CloneAction::FlushInput));
    out.push_back(Make(CloneAction::ArmTimeout, kLineQuietMs));
}

bool CloneEngine::accept(const std::vector<uint8_t>& reply, CloneActions& out) {
    switch (step_) {
    case kStepHandshake:
        return onHandshakeReply(reply, out);
    case kStepIdentify:
        return onIdentification(reply, out);
    case kStepAcknowledge:
        if (reply[0] != wire::kAck) {
            abort(true, out);
            return false;
        }
        step_ = nextStep_;
        return true;
    default:
        return onBlockReply(reply, out);
    }
}

bool CloneEngine::onHandshakeReply(const std::vector<uint8_t>& reply, CloneActions& out) {
    if (reply[0] != wire::kAck) {
        abort(true, out);
        return false;
    }
    if (whole_) {
        const uint8_t code = reply[wire::kHandshakeReply - 1];
        if (reading_) {
            out.push_back(Make(CloneAction::SetModelCode, code));
        } else if (code != static_cast<uint8_t>(settings_.modelCode)) {
            CloneAction notice = Make(CloneAction::Notify, kMsgWrongModel);
            notice.text = text(kMsgWrongModel);
            notice.title = text(kMsgWarning);
            out.push_back(std::move(notice));
            abort(false, out);
            return false;
        }
    }
    step_ = nextStep_ = kStepIdentify;
    return true;
}

bool CloneEngine::onIdentification(const std::vector<uint8_t>& reply, CloneActions& out) {
    int compare = 0;
    if (settings_.kind == CloneKind::Write)
        compare = kWriteBandCompare;
    else if (settings_.kind == CloneKind::WriteRanges)
        compare = kServiceBandCompare;
    const uint8_t* bands = image_.data() + addr::kBandLimits;
    for (int i = 0; i < compare; ++i) {
        if (reply[i] == bands[i])
            continue;
        // The radio's ranges differ from the image's: the user decides, once.
        pending_ = Pending::BandQuestion;
        CloneAction ask = Make(CloneAction::Ask);
        if (whole_) {
            ask.question = CloneQuestion::BandLimitsChanged;
            ask.text = text(kMsgBandChanged);
            ask.title = text(kMsgWarning);
        } else {
            ask.question = CloneQuestion::ServiceBandLimitsChanged;
            ask.text = text(kMsgServiceBandChanged);
            ask.title = "Warning";
        }
        out.push_back(std::move(ask));
        return false;
    }
    afterIdentification();
    return true;
}

void CloneEngine::afterIdentification() {
    rowIndex_ = 0;
    nextStep_ = firstRow();
    step_ = kStepAcknowledge;
}

int CloneEngine::firstRow() const {
    if (settings_.kind != CloneKind::ReadRows)
        return FirstRow(settings_.kind);
    return settings_.rows.empty() ? kStepEnd : settings_.rows.front();
}

int CloneEngine::rowAfter(int row) {
    if (settings_.kind != CloneKind::ReadRows)
        return StepAfter(settings_.kind, row, settings_.updateRadioTime);
    return ++rowIndex_ < settings_.rows.size() ? settings_.rows[rowIndex_] : kStepEnd;
}

bool CloneEngine::onBlockReply(const std::vector<uint8_t>& reply, CloneActions& out) {
    if (reading_) {
        const int length = BlockBytes(settings_.kind, step_);
        CloneAction store = Make(CloneAction::Store, step_ * addr::kRowSize);
        store.bytes.assign(reply.begin() + wire::kReadHeader,
                           reply.begin() + wire::kReadHeader + length);
        out.push_back(std::move(store));
    } else if (reply[0] != wire::kAck) {
        abort(true, out);
        return false;
    }
    if (whole_) {
        ++progress_;
        advanceProgress(out);
    }
    const int next = rowAfter(step_);
    if (!whole_ && reading_) {
        // Every service read block is acknowledged before the next frame.
        nextStep_ = next;
        step_ = kStepAcknowledge;
    } else {
        step_ = next;
    }
    return true;
}

void CloneEngine::advanceProgress(CloneActions& out) {
    const int maximum = ProgressMaximum(settings_.kind);
    const std::string label =
        text(kMsgPercentage) + std::to_string(PercentTens(progress_, maximum));
    if (label != percentLabel_) {
        percentLabel_ = label;
        append(label + "%\n");
    }
    CloneAction p = Make(CloneAction::Progress, progress_);
    p.maximum = maximum;
    p.text = percentLabel_;
    out.push_back(std::move(p));
}

void CloneEngine::abort(bool retryAllowed, CloneActions& out) {
    aborted_ = true;
    if (!retryAllowed)
        finished_ = true;
    out.push_back(Make(CloneAction::ArmTimeout, kAbortTimeoutMs));
}

CloneActions CloneEngine::onTimeout(const PortBacklog& backlog) {
    if (done_ || pending_ != Pending::None || taking_)
        return {};
    CloneActions out{Make(CloneAction::StopTimeout)};
    quieting_ = false;
    endOfAttempt(backlog, out);
    return out;
}

CloneActions CloneEngine::restart() {
    if (done_)
        return {};
    CloneActions out = begin();
    resent_ = true; // the radio may still answer what was sent before
    return out;
}

CloneActions CloneEngine::cancel() {
    if (done_)
        return {};
    done_ = true;
    pending_ = Pending::None;
    taking_ = quieting_ = false;
    held_.reset();
    return {Make(CloneAction::StopTimeout), Make(CloneAction::Done, 0)};
}

void CloneEngine::traceEnd(bool success, const PortBacklog& backlog) {
    if (whole_) {
        if (success)
            append("           Complete!! \n\n");
        else
            append("           Error!! \nComPort.inputlen= " + std::to_string(backlog.input) +
                   "\n\n");
        return;
    }
    append(success ? "           Complete!! \n\n" : "           Error!! \n");
    append("当前步（加开头两次应答共）：" + std::to_string(step_) + "\n");
    append(std::string("发送器状态：") + (sendArmed_ ? "True" : "False") + "\n");
    append("缓冲期数据个数：" + std::to_string(backlog.input) + "  " +
           std::to_string(backlog.output) + "\n");
    append("最近端口事件代码= " + std::to_string(lastPortEvent_) + "\n");
}

void CloneEngine::endOfAttempt(const PortBacklog& backlog, CloneActions& out) {
    const bool success = finished_ && !aborted_;
    if (settings_.traceMode)
        traceEnd(success, backlog);
    if (whole_) {
        CloneAction status = Make(CloneAction::Status);
        if (success) {
            append(text(reading_ ? kMsgReadDone : kMsgWriteDone) + "\n");
            append(text(kMsgPortClosed) + "\n");
            status.text = text(kMsgComplete);
        } else {
            append(text(kMsgTimeout) + "\n");
            append(text(kMsgPortClosed) + "\n");
            status.text = text(kMsgError);
        }
        out.push_back(std::move(status));
    }
    out.push_back(Make(CloneAction::ShowLog));

    if (!finished_) {
        if (retries_ < kSilentResends) {
            // Send the frame of the same step again, on clean buffers.
            out.push_back(Make(CloneAction::Expect, 0));
            expected_ = 0;
            out.push_back(Make(CloneAction::FlushInput));
            out.push_back(Make(CloneAction::FlushOutput));
            aborted_ = false;
            out.push_back(Make(CloneAction::ArmSend, kSendDelayMs));
            sendArmed_ = true;
            resent_ = true;
            ++retries_;
            return;
        }
        pending_ = Pending::RetryQuestion;
        CloneAction ask = Make(CloneAction::Ask);
        ask.question = CloneQuestion::RetryOrCancel;
        ask.text = text(kMsgRetryOrCancel);
        ask.title = "Error";
        out.push_back(std::move(ask));
        return;
    }
    done_ = true;
    out.push_back(Make(CloneAction::Done, success ? 1 : 0));
}

CloneActions CloneEngine::onAnswer(bool yes) {
    const Pending pending = std::exchange(pending_, Pending::None);
    CloneActions out;
    switch (pending) {
    case Pending::None:
        break;
    case Pending::BandQuestion:
        if (yes) {
            afterIdentification();
            out.push_back(Make(CloneAction::ArmSend, kSendDelayMs));
            sendArmed_ = true;
        } else {
            abort(false, out);
        }
        break;
    case Pending::RetryQuestion:
        if (yes) {
            // The whole-image clone keeps its count across a restart, so the next
            // failure asks at once; the service clone starts with a fresh count.
            if (!whole_)
                retries_ = 0;
            return restart();
        }
        done_ = true;
        out.push_back(Make(CloneAction::Done, 0));
        break;
    }
    return out;
}

} // namespace r57::link
