// The radio's side of the clone protocol: splitting the program's byte stream into
// frames, and answering each frame from the radio's memory.
#pragma once

#include "radio_options.h"

#include "core/image.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace r57::radio {

enum class FrameType { Handshake, Identify, Acknowledge, Read, Write, Time, End };

struct Frame {
    FrameType type;
    int address = 0;            // Read, Write
    int length = 0;             // Read, Write: bytes asked for or carried
    std::vector<uint8_t> bytes; // the whole frame as received
};

// Splits the program's bytes into frames. A byte that cannot start a frame, or starts
// a frame whose header makes no sense (an address outside the memory, a time that is
// not packed decimal), is dropped and the scan goes on with the next byte.
class FrameParser {
public:
    void feed(const uint8_t* data, std::size_t count);
    // The next complete frame, if the buffered bytes hold one.
    std::optional<Frame> next();
    // Bytes are buffered that begin a frame not yet complete.
    bool hasPartial() const { return !pending_.empty(); }
    // The rest of a begun frame did not come: drop its first byte and scan again.
    void abandonPartial();
    std::size_t droppedBytes() const { return dropped_; }

private:
    enum class Scan { Complete, NeedMore, Invalid };
    Scan scanFront(std::size_t& length) const;

    std::deque<uint8_t> pending_;
    std::size_t dropped_ = 0;
};

// What the radio does with one frame.
struct Response {
    std::vector<uint8_t> reply; // bytes to send back (possibly none)
    bool sessionEnded = false;  // an "E" closed a session begun by a handshake
    std::string logLine;        // "<frame number> <frame> [fault]"
    long delayMs = 0;           // wait this long before the reply goes out
};

// The radio: its memory, model code and identification, and the faults to inject.
class Radio {
public:
    Radio(const CodeplugImage& memory, char model, std::vector<uint8_t> identOverride,
          Faults faults);

    Response handle(const Frame& frame);

    // The 16-byte identification: memory 0x0D00..0x0D0B, four bytes of firmware
    // version, the first bytes replaced by --ident.
    std::array<uint8_t, 16> identification() const;

    const CodeplugImage& memory() const { return memory_; }
    long framesReceived() const { return frames_; }
    long sessionsEnded() const { return sessionsEnded_; }
    // The last time frame's seven packed-decimal bytes, if one came.
    const std::optional<std::array<uint8_t, 7>>& lastTime() const { return lastTime_; }

private:
    std::vector<uint8_t> answer(const Frame& frame);

    CodeplugImage memory_;
    char model_;
    std::vector<uint8_t> identOverride_;
    Faults faults_;
    long frames_ = 0;
    long writes_ = 0;      // write frames taken, for --cut-write
    bool cutting_ = false; // the write was cut: silent until the "E"
    long sessionsEnded_ = 0;
    bool inSession_ = false;
    std::optional<std::array<uint8_t, 7>> lastTime_;
};

// "R 0D00 40", "W 0D10 30", "T 26 04 03 15 12 30 45", ...
std::string DescribeFrame(const Frame& frame);

} // namespace r57::radio
