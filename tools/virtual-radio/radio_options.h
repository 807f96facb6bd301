// Command-line options of the virtual radio.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace r57::radio {

// Faults to inject, by frame number (frames count from 1 across the whole run).
struct Faults {
    std::set<long> drop;         // no reply at all
    std::set<long> garble;       // first reply byte inverted
    std::set<long> shortReply;   // reply one byte short
    long silentAfter = -1;       // -1 = never; otherwise nothing is answered after this frame
    std::map<long, long> late;   // frame -> milliseconds before its reply goes out
    std::map<long, long> longer; // frame -> bytes appended to its reply
    std::set<int> corruptWrite;  // memory addresses a write stores inverted
    long cutWrite = -1;          // -1 = never; otherwise the write stops after K frames
};

struct Options {
    std::string linkPath; // symlink to the terminal, if any
    std::string loadPath; // data file or raw image; empty = the built-in codeplug
    std::string savePath; // data file written on exit
    std::string logPath;  // one line per frame received
    long exitAfterSessions = 0;
    char model = '0';
    std::vector<uint8_t> ident; // overrides the first ident.size() identification bytes
    long calibration = -1;      // -1 = as loaded; otherwise the seed of its own calibration
    long baud = 9600;           // 0 = no pacing
    long turnaroundMs = 0;
    Faults faults;
    // Radios played in turn on the one line, as a dealer swaps them on the cable: a
    // radio that has been written leaves once an "E" has been followed by swapIdleMs of quiet,
    // and the next one answers after unitGapMs of silence.
    long units = 1;
    long unitGapMs = 3000;
    long swapIdleMs = 700;
    std::set<long> faultyUnits; // the only units the faults apply to; empty = every unit
    // A dealer's hands: a unit that stays on the cable after it is written (never swapped),
    // a unit switched off for a while once written (then on again, the same radio), a
    // unit that answers a given time after the one before it left.
    std::set<long> stayUnits;
    std::map<long, long> powerCycleMs; // unit -> how long it is off
    std::map<long, long> unitGapMs_;   // unit -> the silence before it answers
};

// The save file of unit `unit` (from 1): the first "%d" of `pattern` replaced by it.
std::string UnitSavePath(const std::string& pattern, long unit);

struct ParsedOptions {
    std::optional<Options> options; // nullopt: print `message` and exit
    bool help = false;              // --help, --version: print `message`, exit 0
    std::string message;
};

ParsedOptions ParseOptions(const std::vector<std::string>& args);

const char* UsageText();

} // namespace r57::radio
