#include "link/engine_harness.h"

#include <algorithm>
#include <cstring>
#include <map>

namespace r57::link::enginetest {

std::string EnglishText(int id) {
    static const std::map<int, std::string> texts{
        {1194, "Warning"},
        {1287, "Completion percentage"},
        {1291, "Check Connection. Retry or Cancel?\t"},
        {1292, "Reading completed!"},
        {1293, "Writing completed!"},
        {1370, "FrequencyRange has been changed!Go on?"},
        {1381, "FrequencyRange has been changed!Go on?"},
        {1382, "Opening Port..."},
        {1383, "Transfering data blocks..."},
        {1384, "Transfering...\t"},
        {1385, "Model type is wrong."},
        {1386, "ERROR:Timeout while waiting for data blocks."},
        {1387, "Port Closed."},
        {1388, "Error!"},
        {1389, "Complete."},
    };
    auto it = texts.find(id);
    return it == texts.end() ? "?" + std::to_string(id) : it->second;
}

FakeRadio::FakeRadio() {
    for (int a = 0; a < CodeplugImage::kSize; ++a)
        memory.data()[a] = static_cast<uint8_t>(a * 7 + (a >> 8));
    identification.assign(memory.data() + 0x0D00, memory.data() + 0x0D10);
}

Bytes FakeRadio::answer(const Bytes& frame) {
    if (frame == Handshake())
        return {0x06, static_cast<uint8_t>(modelCode)};
    if (frame == Bytes{0x02})
        return identification;
    if (frame == Bytes{0x06})
        return {0x06};
    if (frame.size() == 4 && frame[0] == 'R') {
        const int address = frame[1] * 256 + frame[2];
        Bytes reply{'R', frame[1], frame[2], frame[3]};
        reply.insert(reply.end(), memory.data() + address, memory.data() + address + frame[3]);
        return reply;
    }
    if (frame.size() > 4 && frame[0] == 'W' && frame.size() == 4u + frame[3]) {
        const int address = frame[1] * 256 + frame[2];
        std::copy(frame.begin() + 4, frame.end(), memory.data() + address);
        return {0x06};
    }
    if (frame.size() == 8 && frame[0] == 'T') {
        lastTime = frame;
        return {0x06};
    }
    if (frame == Bytes{'E'})
        ++endFrames;
    return {};
}

Harness::Harness(CloneKind kind) {
    settings.kind = kind;
    settings.text = EnglishText;
    settings.clock = [] {
        return ClockReading{2026, 3, 15, 9, 5, 59, 0};
    };
    image.fill(0x5A);
}

void Harness::matchRadioBandRow() {
    std::copy(radio.identification.begin(), radio.identification.end(), image.data() + 0x0D00);
}

int Harness::countFrames(const Bytes& frame) const {
    return static_cast<int>(std::count(frames.begin(), frames.end(), frame));
}

void Harness::reply(const Bytes& frame) {
    const int index = static_cast<int>(frames.size()) - 1;
    Fault fault = Fault::None;
    if (deadFrom >= 0 && index >= deadFrom)
        fault = faultFromFrame;
    if (auto it = faults.find(index); it != faults.end())
        fault = it->second;

    Bytes answer = radio.answer(frame);
    if (answer.empty())
        return;
    // The radio answers one frame at a time: a late reply holds up the next one.
    const long at = std::max(now + 1, radioBusyUntil_) + turnaroundMs;
    switch (fault) {
    case Fault::None:
        break;
    case Fault::Silent:
        return;
    case Fault::Short:
        answer.pop_back();
        break;
    case Fault::WrongAck:
        answer[0] = 0x15;
        break;
    case Fault::Extra:
        answer.push_back(0xAA);
        break;
    case Fault::Long:
        answer.insert(answer.end(), 20, 0xAA);
        break;
    case Fault::Late:
        // Taken 10 ms after it arrives, the next frame 1 ms later: this comes between.
        arrivals_.emplace(at + CloneEngine::kReplySettleMs, Bytes{0xAA});
        break;
    case Fault::Delayed:
        radioBusyUntil_ = now + 700;
        arrivals_.emplace(radioBusyUntil_, answer);
        return;
    case Fault::Pieces: {
        const auto half = answer.begin() + static_cast<long>(answer.size() / 2);
        arrivals_.emplace(at, Bytes(answer.begin(), half));
        arrivals_.emplace(at + 4, Bytes(half, answer.end()));
        radioBusyUntil_ = at + 4;
        return;
    }
    }
    radioBusyUntil_ = at;
    arrivals_.emplace(at, answer);
}

void Harness::apply(const CloneActions& actions) {
    for (const CloneAction& a : actions) {
        switch (a.type) {
        case CloneAction::FlushInput:
            input_.clear();
            break;
        case CloneAction::FlushOutput:
        case CloneAction::Expect:
        case CloneAction::ShowLog:
            break;
        case CloneAction::Write:
            frames.push_back(a.bytes);
            frameTimes.push_back(now);
            reply(a.bytes);
            break;
        case CloneAction::ArmSend:
            sendDue_ = now + a.value;
            break;
        case CloneAction::ArmTimeout:
            timeoutDue_ = now + a.value;
            break;
        case CloneAction::StopTimeout:
            timeoutDue_.reset();
            break;
        case CloneAction::TakeReply:
            takeDue_ = now + a.value;
            takeCount_ = a.maximum;
            break;
        case CloneAction::Store:
            std::memcpy(image.data() + a.value, a.bytes.data(), a.bytes.size());
            break;
        case CloneAction::Progress:
            progress.push_back(a);
            break;
        case CloneAction::Status:
            statuses.push_back(a.text);
            break;
        case CloneAction::Ask: {
            questions.push_back(a.question);
            asks.push_back(a);
            bool yes = false;
            if (!answers.empty()) {
                yes = answers.front();
                answers.pop_front();
            }
            apply(engine->onAnswer(yes));
            break;
        }
        case CloneAction::Notify:
            notices.push_back(a);
            break;
        case CloneAction::SetModelCode:
            modelCodes.push_back(static_cast<char>(a.value));
            break;
        case CloneAction::Done:
            result = a.value != 0;
            break;
        }
    }
}

void Harness::run(int maxEvents) {
    engine = std::make_unique<CloneEngine>(image, settings);
    apply(engine->start());
    for (int n = 0; n < maxEvents && !result; ++n) {
        // The earliest pending event; at equal times a reply is taken before new bytes
        // arrive, and bytes arrive before the timers fire.
        long next = -1;
        int which = -1;
        auto consider = [&](const std::optional<long>& due, int id) {
            if (due && (which < 0 || *due < next)) {
                next = *due;
                which = id;
            }
        };
        consider(takeDue_, 0);
        if (!arrivals_.empty())
            consider(arrivals_.begin()->first, 1);
        consider(sendDue_, 2);
        consider(timeoutDue_, 3);
        if (which < 0)
            return;
        now = next;
        switch (which) {
        case 0: {
            takeDue_.reset();
            Bytes taken;
            while (!input_.empty() && static_cast<int>(taken.size()) < takeCount_) {
                taken.push_back(input_.front());
                input_.pop_front();
            }
            apply(engine->onReply(taken, static_cast<int>(input_.size())));
            break;
        }
        case 1: {
            const Bytes bytes = arrivals_.begin()->second;
            arrivals_.erase(arrivals_.begin());
            input_.insert(input_.end(), bytes.begin(), bytes.end());
            apply(engine->onBytesWaiting(static_cast<int>(input_.size())));
            break;
        }
        case 2:
            sendDue_.reset();
            apply(engine->onSendTimer(static_cast<int>(input_.size())));
            break;
        case 3:
            timeoutDue_.reset();
            apply(engine->onTimeout({static_cast<int>(input_.size()), 0}));
            break;
        }
    }
}

Bytes Handshake() {
    return {'P', 'R', 'O', 'I', 'R', '5', '7'};
}

Bytes ReadAt(int address, int length) {
    return {'R', static_cast<uint8_t>(address >> 8), static_cast<uint8_t>(address & 0xFF),
            static_cast<uint8_t>(length)};
}

Bytes WriteAt(const CodeplugImage& image, int address, int length) {
    Bytes frame = ReadAt(address, length);
    frame[0] = 'W';
    frame.resize(4 + static_cast<std::size_t>(length));
    std::memcpy(frame.data() + 4, image.data() + address, static_cast<std::size_t>(length));
    return frame;
}

} // namespace r57::link::enginetest
