// The virtual radio's serial line: a pseudo-terminal whose slave side the program
// opens like a serial device, paced like a real line at a chosen baud rate.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace r57::radio {

// Monotonic clock in nanoseconds.
int64_t NowNs();
void SleepUntilNs(int64_t deadline);

class RadioLine {
public:
    RadioLine() = default;
    ~RadioLine();
    RadioLine(const RadioLine&) = delete;
    RadioLine& operator=(const RadioLine&) = delete;

    // Creates the terminal (raw, 8 data bits). False with `error` set on failure.
    bool open(std::string& error);
    const std::string& path() const { return path_; }
    int fd() const { return master_; }

    // 10 bits a byte at `baud`; 0 turns pacing off.
    void setBaud(long baud) { byteNs_ = baud > 0 ? 10'000'000'000LL / baud : 0; }

    // Takes what the program has sent. Returns false when nothing could be read
    // (the slave side is between owners, or nothing was waiting).
    bool receive(std::vector<uint8_t>& bytes);

    // When the last byte received so far has fully arrived over the paced line.
    int64_t receivedClearNs() const { return inboundClear_; }

    // Sends bytes paced at the line rate: each byte is handed over when it would have
    // fully arrived. Bytes the program does not take within a second are dropped.
    void send(const std::vector<uint8_t>& bytes);

private:
    bool writeAll(const uint8_t* data, std::size_t count);

    int master_ = -1;
    int slave_ = -1; // kept open so the line survives the program closing its side
    std::string path_;
    int64_t byteNs_ = 0;
    int64_t inboundClear_ = 0;
};

} // namespace r57::radio
