#include "link/clone_frames.h"

#include <cstdio>

namespace r57::link {

namespace {

// Whole image: blocks of four rows from row 0 to row 956 (0x3BC0..0x3BFF).
constexpr int kImageFirstRow = 0;
constexpr int kImageLastRow = 956;
// The rows 768..895 (0x3000..0x37FF) never travel; row 764 is followed by row 896.
constexpr int kRowBeforeGap = 764;
constexpr int kRowAfterGap = 896;
// A write steps around the band-limit row 208 and the service tuning rows 239..255:
// block 204 is followed by a 48-byte block at 209, then 212..232, a 48-byte block at
// 236, and then row 256, the first channel record.
constexpr int kWriteShortBlockA = 209;
constexpr int kWriteShortBlockB = 236;
constexpr int kRowBeforeBandRow = 204;
constexpr int kRowAfterShortBlockA = 212;
constexpr int kRowAfterShortBlockB = 256;

// Service data: the band-limit row 208 first, then the VFO rows 129 and 130.
constexpr int kRangesFirstRow = 208;
constexpr int kRangesSecondRow = 129;
constexpr int kRangesLastRow = 130;
constexpr int kTuningFirstRow = 238;
constexpr int kTuningLastRow = 255;

void PutAddress(std::vector<uint8_t>& frame, int row) {
    const int address = row * 16;
    frame.push_back(static_cast<uint8_t>((address >> 8) & 0xFF));
    frame.push_back(static_cast<uint8_t>(address & 0xFF));
}

} // namespace

uint8_t ToBcd(int value) {
    return static_cast<uint8_t>((value / 10 % 10) * 16 + value % 10);
}

std::vector<uint8_t> TimeFrame(const ClockReading& now) {
    const int year = ((now.year % 100) + 100) % 100;
    return {wire::kTime,    ToBcd(year),     ToBcd(now.weekday + 1), ToBcd(now.month),
            ToBcd(now.day), ToBcd(now.hour), ToBcd(now.minute),      ToBcd(now.second)};
}

int FirstRow(CloneKind kind) {
    switch (kind) {
    case CloneKind::ReadRanges:
    case CloneKind::WriteRanges:
        return kRangesFirstRow;
    case CloneKind::ReadTuning:
    case CloneKind::WriteTuning:
        return kTuningFirstRow;
    default:
        return kImageFirstRow;
    }
}

int LastRow(CloneKind kind) {
    switch (kind) {
    case CloneKind::ReadRanges:
    case CloneKind::WriteRanges:
        return kRangesLastRow;
    case CloneKind::ReadTuning:
    case CloneKind::WriteTuning:
        return kTuningLastRow;
    default:
        return kImageLastRow;
    }
}

int BlockBytes(CloneKind kind, int row) {
    if (!IsWholeImage(kind))
        return 16;
    if (kind == CloneKind::Write && (row == kWriteShortBlockA || row == kWriteShortBlockB))
        return 48;
    return 64;
}

int StepAfter(CloneKind kind, int row, bool updateRadioTime) {
    if (row == kStepTime)
        return kStepEnd;
    if (row == LastRow(kind))
        return kind == CloneKind::Write && updateRadioTime ? kStepTime : kStepEnd;
    if (!IsWholeImage(kind))
        return row == kRangesFirstRow ? kRangesSecondRow : row + 1;
    if (kind == CloneKind::Write) {
        if (row == kRowBeforeBandRow)
            return kWriteShortBlockA;
        if (row == kWriteShortBlockA)
            return kRowAfterShortBlockA;
        if (row == kWriteShortBlockB)
            return kRowAfterShortBlockB;
    }
    if (row == kRowBeforeGap)
        return kRowAfterGap;
    return row + 4;
}

std::vector<uint8_t> ReadFrame(int row, int length) {
    std::vector<uint8_t> frame{wire::kRead};
    PutAddress(frame, row);
    frame.push_back(static_cast<uint8_t>(length));
    return frame;
}

std::vector<uint8_t> WriteFrame(int row, const uint8_t* data, int length) {
    std::vector<uint8_t> frame{wire::kWrite};
    frame.reserve(4 + static_cast<std::size_t>(length));
    PutAddress(frame, row);
    frame.push_back(static_cast<uint8_t>(length));
    for (int i = 0; i < length; ++i)
        frame.push_back(data[i]);
    return frame;
}

int ProgressMaximum(CloneKind kind) {
    return kind == CloneKind::Read ? 214 : 207;
}

std::string TraceLine(const std::string& prefix, const std::vector<uint8_t>& bytes) {
    std::string line = prefix;
    line.reserve(prefix.size() + bytes.size() * 6 + 1);
    char hex[8];
    for (uint8_t b : bytes) {
        std::snprintf(hex, sizeof hex, "&H%02X  ", b);
        line += hex;
    }
    line += '\n';
    return line;
}

} // namespace r57::link
