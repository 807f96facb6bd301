// Runs a CloneEngine against a scripted radio in simulated time: every timer, every
// reply and every question is an event on one virtual clock, so a whole 16 KB clone
// with timeouts and resends runs in milliseconds and never waits for real.
#pragma once

#include "common/test_images.h"

#include <link/clone_engine.h>

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace r57::link::enginetest {

using Bytes = std::vector<uint8_t>;
using test::SameRange;

// The English texts of the string-table entries the clone uses.
std::string EnglishText(int id);

// A radio that answers every frame as the real one does, with its own memory.
struct FakeRadio {
    FakeRadio();
    CodeplugImage memory;
    char modelCode = '0';
    Bytes identification; // 16 bytes; starts as a copy of memory 0x0D00..0x0D0F
    Bytes lastTime;       // the last time frame received
    int endFrames = 0;

    Bytes answer(const Bytes& frame);
};

// What happens to the reply of one frame.
enum class Fault {
    None,
    Silent,   // no reply at all
    Short,    // the last byte is missing
    WrongAck, // the first byte is 0x15 instead of the expected one
    Extra,    // one stray byte follows the reply
    Pieces,   // the reply arrives in two parts, 4 ms apart
    Late,     // a stray byte arrives after the reply has been taken
    Long,     // twenty stray bytes follow the reply
    Delayed,  // the reply comes 700 ms late, after the frame has been sent again
};

struct Harness {
    explicit Harness(CloneKind kind);

    CodeplugImage image; // the program's image
    CloneSettings settings;
    FakeRadio radio;
    std::map<int, Fault> faults;        // by index of the frame written (0 = first)
    Fault faultFromFrame = Fault::None; // applies to every frame from `deadFrom` on
    int deadFrom = -1;
    // Like the real radio, every reply follows the one before it, this long after the
    // frame (or the reply before) was complete.
    long turnaroundMs = 0;
    std::deque<bool> answers; // for Ask actions; Cancel when empty

    // Results.
    std::vector<Bytes> frames;
    std::vector<long> frameTimes;
    std::vector<CloneQuestion> questions;
    std::vector<CloneAction> asks;
    std::vector<CloneAction> notices;
    std::vector<std::string> statuses;
    std::vector<CloneAction> progress;
    std::vector<char> modelCodes;
    std::optional<bool> result;
    long now = 0;

    // Gives the image the band-limit row the radio identifies itself with, so the
    // band check of a write finds them alike.
    void matchRadioBandRow();

    // Runs until the engine is done, nothing is pending, or maxEvents have passed.
    void run(int maxEvents = 100000);
    const std::string& log() const { return engine->log(); }
    int countFrames(const Bytes& frame) const;

    std::unique_ptr<CloneEngine> engine;

private:
    void apply(const CloneActions& actions);
    void reply(const Bytes& frame);

    std::deque<uint8_t> input_;
    std::multimap<long, Bytes> arrivals_;
    std::optional<long> sendDue_, timeoutDue_, takeDue_;
    long radioBusyUntil_ = 0;
    int takeCount_ = 0;
};

Bytes Handshake();
// Frames 'R' / 'W' for an address (not a row), as the radio sees them.
Bytes ReadAt(int address, int length);
Bytes WriteAt(const CodeplugImage& image, int address, int length);

} // namespace r57::link::enginetest
