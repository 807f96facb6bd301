// Test helpers for transfers with the virtual radio: r57-radio as a child process on a
// pseudo-terminal of its own.
#pragma once

#include "child_process.h"
#include "test_images.h"

#include "core/image.h"

#include <optional>
#include <string>
#include <vector>

namespace r57::test {

class VirtualRadio {
public:
    VirtualRadio() = default;
    ~VirtualRadio(); // kills the radio if it still runs
    VirtualRadio(const VirtualRadio&) = delete;
    VirtualRadio& operator=(const VirtualRadio&) = delete;

    // True when r57-radio is built beside the test.
    static bool Built();

    // Starts r57-radio with an unpaced line, a frame log and a save file, plus
    // `options`. False (with a test failure recorded) when it does not report its
    // terminal in time.
    bool start(const std::vector<std::string>& options = {});
    // The same with `memory` loaded as the radio's memory.
    bool start(const CodeplugImage& memory, const std::vector<std::string>& options = {});
    // The radio's end of the line, e.g. "/dev/pts/7".
    const std::string& device() const { return device_; }

    // Stops the radio (SIGTERM), which saves its memory, and returns that memory.
    std::optional<CodeplugImage> stopAndTakeMemory();
    // Kills the radio at once, as a pulled cable would take the device away.
    void vanish();
    // Waits for the radio to end by itself; its exit code, or -1 when it did not.
    int waitForExit(int limitMs);
    // Where the radio saves its memory when it ends.
    std::string savedMemoryPath() const { return folder_.file("memory.dat"); }
    // With --units: the --save pattern, and where unit `unit` (from 1) saves its memory.
    std::string unitSavePattern() const { return folder_.file("unit-%d.dat"); }
    std::string unitMemoryPath(int unit) const {
        return folder_.file("unit-" + std::to_string(unit) + ".dat");
    }

    // The frame log: one "<n> <frame>[ fault]" line per frame received so far.
    std::vector<std::string> log() const;
    // The log lines without their frame numbers and fault marks, e.g. "R 0D00 10"
    // (without the "unit N" lines of --units).
    std::vector<std::string> frames() const;

private:
    TempFolder folder_;
    pid_t pid_ = -1;
    std::string device_;
};

} // namespace r57::test
