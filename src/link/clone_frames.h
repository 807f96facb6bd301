// The wire side of the clone protocol: the frames the program sends, the order of the
// blocks, and the transcript's byte notation. Plain functions, no state.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace r57::link {

// What one clone moves: the whole image, or one of the service-data row sets.
enum class CloneKind {
    Read,        // whole image from the radio
    Write,       // whole image to the radio
    ReadRanges,  // service: band-limit row 0x0D00 and the VFO rows 0x0810, 0x0820
    WriteRanges, // service: the same rows to the radio
    ReadTuning,  // service: rows 0x0EE0..0x0FFF
    WriteTuning, // service: the same rows to the radio
    // Given rows from the radio (CloneSettings::rows), 16 bytes each, read as the service
    // clone reads: a few rows of a radio look at it in well under a second.
    ReadRows,
};

constexpr bool IsWholeImage(CloneKind k) {
    return k == CloneKind::Read || k == CloneKind::Write;
}
constexpr bool IsRead(CloneKind k) {
    return k == CloneKind::Read || k == CloneKind::ReadRanges || k == CloneKind::ReadTuning ||
           k == CloneKind::ReadRows;
}

namespace wire {
constexpr uint8_t kAck = 0x06;
constexpr uint8_t kIdentify = 0x02;
constexpr uint8_t kRead = 'R';
constexpr uint8_t kWrite = 'W';
constexpr uint8_t kTime = 'T';
constexpr uint8_t kEnd = 'E';
constexpr const char* kHandshake = "PROIR57";
constexpr int kHandshakeReply = 2;       // 0x06 and the model variant code
constexpr int kIdentificationReply = 16; // starts with the band-limit row's layout
constexpr int kReadHeader = 4;           // header of a read reply, never examined
} // namespace wire

// The steps of a transfer besides the blocks, which are named by their first row.
constexpr int kStepHandshake = -2;
constexpr int kStepIdentify = -1;
constexpr int kStepAcknowledge = -9;
constexpr int kStepTime = 980;
constexpr int kStepEnd = 999;

// Local date and time for the radio's clock. weekday counts from 0 = Sunday.
struct ClockReading {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int weekday = 0;
};

// 0..99 as packed BCD (59 -> 0x59).
uint8_t ToBcd(int value);

// 'T', year, weekday (Sunday = 1), month, day, hour, minute, second, all packed BCD.
// The radio keeps a two-digit year. A year outside 2000..2099 is sent as year mod 100:
// the radio then still holds a real calendar date (the year keeps its place in the
// four-year leap cycle and 2000 is a leap year, so no 29 February becomes invalid,
// which clamping 2104 to 2099 would do), and the weekday comes from the computer.
std::vector<uint8_t> TimeFrame(const ClockReading& now);

// Rows of the first and the last block of a transfer.
int FirstRow(CloneKind kind);
int LastRow(CloneKind kind);

// Data bytes in the block that starts at `row`: 64 for the whole image (48 for the
// write blocks at rows 209 and 236, which step around the band-limit row and the
// service tuning rows), 16 for the service data.
int BlockBytes(CloneKind kind, int row);

// The step after the block at `row` (or after the time frame): the next block row,
// kStepTime or kStepEnd.
int StepAfter(CloneKind kind, int row, bool updateRadioTime);

// 'R', hi, lo, length  /  'W', hi, lo, length, data. hi/lo address row * 16.
std::vector<uint8_t> ReadFrame(int row, int length);
std::vector<uint8_t> WriteFrame(int row, const uint8_t* data, int length);

// Progress bar maximum of a whole-image transfer (214 read, 207 write).
int ProgressMaximum(CloneKind kind);

// A transcript line: prefix, then "&H" + two upper-case hex digits + two spaces for
// every byte, then a line break.
std::string TraceLine(const std::string& prefix, const std::vector<uint8_t>& bytes);

} // namespace r57::link
