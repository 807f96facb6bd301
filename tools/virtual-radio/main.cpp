// r57-radio: a simulated R57 on a pseudo-terminal, for tests, benchmarks and demos.
#include "radio_line.h"
#include "radio_memory.h"
#include "radio_options.h"
#include "radio_protocol.h"

#include "core/program_files.h"

#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sys/stat.h>

using namespace r57::radio;

namespace {

// A begun frame whose next byte does not come within this time is given up.
constexpr int64_t kInterByteGapNs = 200'000'000;
// After the last session asked for, the radio waits this long for the program's
// closing "E" before it goes.
constexpr int64_t kLingerNs = 1'000'000'000;

volatile sig_atomic_t gStop = 0;

void OnStopSignal(int) {
    gStop = 1;
}

bool MakeLink(const std::string& link, const std::string& target, std::string& error) {
    struct stat st {};
    if (lstat(link.c_str(), &st) == 0) {
        if (!S_ISLNK(st.st_mode)) {
            error = link + " exists and is not a symbolic link";
            return false;
        }
        unlink(link.c_str());
    }
    if (symlink(target.c_str(), link.c_str()) != 0) {
        error = "cannot link " + link + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

struct FileCloser {
    void operator()(FILE* f) const {
        if (f)
            std::fclose(f);
    }
};

class RadioProgram {
public:
    RadioProgram(const Options& options, const r57::CodeplugImage& memory, RadioLine& line,
                 FILE* log)
        : options_(options), memory_(memory), line_(line), log_(log) {
        enterUnit();
    }

    // Serves frames until a stop signal, or the last session asked for has ended.
    void run() {
        sigset_t unblocked;
        sigemptyset(&unblocked);
        std::vector<uint8_t> bytes;
        while (!gStop) {
            const int64_t now = NowNs();
            int64_t waitNs = -1;
            auto waitUntil = [&](int64_t at) {
                const int64_t ns = std::max<int64_t>(0, at - now);
                waitNs = waitNs < 0 ? ns : std::min(waitNs, ns);
            };
            if (parser_.hasPartial())
                waitUntil(lastByte_ + kInterByteGapNs);
            if (leaveAt_ > 0)
                waitUntil(leaveAt_);
            if (swapPending())
                waitUntil(lastByte_ + options_.swapIdleMs * 1'000'000LL);
            if (gapUntil_ > 0)
                waitUntil(gapUntil_);
            if (offUntil_ > 0)
                waitUntil(offUntil_);
            timespec timeout{static_cast<time_t>(waitNs / 1'000'000'000LL),
                             static_cast<long>(waitNs % 1'000'000'000LL)};
            pollfd p{line_.fd(), POLLIN, 0};
            const int ready = ppoll(&p, 1, waitNs >= 0 ? &timeout : nullptr, &unblocked);
            if (gStop)
                break;
            if (ready > 0) {
                if (line_.receive(bytes)) {
                    lastByte_ = NowNs();
                    // Between two units no radio is on the cable, and a radio switched
                    // off hears nothing: what comes is lost.
                    if (radio_ && offUntil_ == 0)
                        parser_.feed(bytes.data(), bytes.size());
                } else if (p.revents & (POLLHUP | POLLERR)) {
                    // No one holds the slave side right now; look again shortly.
                    SleepUntilNs(NowNs() + 20'000'000);
                }
            } else if (ready == 0 && parser_.hasPartial() &&
                       NowNs() - lastByte_ >= kInterByteGapNs) {
                parser_.abandonPartial();
            }
            if (radio_)
                serveFrames();
            if (offUntil_ > 0 && NowNs() >= offUntil_) {
                offUntil_ = 0; // on again: the same radio, waiting for its next "E"
                closed_ = false;
            }
            if (swapPending() && NowNs() - lastByte_ >= options_.swapIdleMs * 1'000'000LL)
                leaveUnit();
            if (gapUntil_ > 0 && NowNs() >= gapUntil_)
                enterUnit();
            if (leaveAt_ > 0 && (closingEndSeen_ || NowNs() >= leaveAt_))
                break;
        }
    }

    // Saves the memory of the radio on the cable, if it has not been saved yet. With
    // several units, one that never heard a frame keeps no file.
    bool saveMemory() {
        if (options_.savePath.empty() || !radio_ || saved_ ||
            (options_.units > 1 && radio_->framesReceived() == 0))
            return ok_;
        std::string error;
        const std::string path = UnitSavePath(options_.savePath, unit_);
        saved_ = SaveMemory(path, radio_->memory(), error);
        if (!saved_) {
            std::fprintf(stderr, "r57-radio: %s\n", error.c_str());
            ok_ = false;
        }
        return ok_;
    }

private:
    // A radio that has been written is taken off the cable once the program has said
    // "E" and the line has stayed quiet: never in the middle of a transfer, nor between
    // a write and its read-back.
    bool swapPending() const {
        return options_.units > 1 && radio_ && written_ && closed_ && offUntil_ == 0 &&
               !options_.stayUnits.count(unit_);
    }

    void leaveUnit() {
        const auto cycle = options_.powerCycleMs.find(unit_);
        if (cycle != options_.powerCycleMs.end() && !cycled_) {
            // Switched off and on again: the radio stays, deaf for a while.
            cycled_ = true;
            parser_ = FrameParser();
            offUntil_ = NowNs() + cycle->second * 1'000'000LL;
            return;
        }
        saveMemory();
        radio_.reset();
        parser_ = FrameParser();
        if (unit_ < options_.units) {
            ++unit_;
            const auto gap = options_.unitGapMs_.find(unit_);
            gapUntil_ =
                NowNs() +
                (gap != options_.unitGapMs_.end() ? gap->second : options_.unitGapMs) * 1'000'000LL;
        }
    }

    void enterUnit() {
        gapUntil_ = 0;
        const bool faulty = options_.faultyUnits.empty() || options_.faultyUnits.count(unit_);
        radio_ = std::make_unique<Radio>(memory_, options_.model, options_.ident,
                                         faulty ? options_.faults : Faults{});
        written_ = saved_ = closed_ = cycled_ = false;
        offUntil_ = 0;
        if (log_ && options_.units > 1) {
            std::fprintf(log_, "unit %ld\n", unit_);
            std::fflush(log_);
        }
    }

    void serveFrames() {
        while (auto frame = parser_.next()) {
            SleepUntilNs(line_.receivedClearNs());
            const Response r = radio_->handle(*frame);
            if (frame->type == FrameType::Write)
                written_ = true;
            closed_ = frame->type == FrameType::End;
            if (log_) {
                std::fprintf(log_, "%s\n", r.logLine.c_str());
                std::fflush(log_);
            }
            if (!r.reply.empty()) {
                // One frame at a time: whatever comes meanwhile waits on the line.
                const long waitMs = options_.turnaroundMs + r.delayMs;
                if (waitMs > 0)
                    SleepUntilNs(NowNs() + waitMs * 1'000'000LL);
                line_.send(r.reply);
            }
            if (leaveAt_ > 0 && frame->type == FrameType::End && !r.sessionEnded)
                closingEndSeen_ = true;
            if (r.sessionEnded && options_.exitAfterSessions > 0 &&
                radio_->sessionsEnded() >= options_.exitAfterSessions && leaveAt_ == 0) {
                saveMemory();
                leaveAt_ = NowNs() + kLingerNs;
            }
        }
    }

    const Options& options_;
    const r57::CodeplugImage& memory_;
    RadioLine& line_;
    FILE* log_;
    FrameParser parser_;
    std::unique_ptr<Radio> radio_; // none between two units, or after the last
    long unit_ = 1;
    bool written_ = false; // the unit on the cable has taken a write frame
    bool saved_ = false;   // ... and its memory has been saved
    bool closed_ = false;  // the last frame was an "E"
    bool ok_ = true;       // no save failed
    int64_t gapUntil_ = 0; // the next unit answers from then on
    int64_t offUntil_ = 0; // the unit on the cable is switched off until then
    bool cycled_ = false;  // ... and has been switched off and on once
    int64_t lastByte_ = NowNs();
    int64_t leaveAt_ = 0;
    bool closingEndSeen_ = false;
};

} // namespace

int main(int argc, char** argv) {
    const ParsedOptions parsed = ParseOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.options) {
        std::fputs(parsed.message.c_str(), parsed.help ? stdout : stderr);
        return parsed.help ? 0 : 2;
    }
    const Options& options = *parsed.options;

    std::string error;
    r57::CodeplugImage memory;
    if (options.loadPath.empty()) {
        memory = SampleCodeplug(r57::DataFolder(r57::RunningProgramFolder(argv[0])) +
                                "\n" R57_RESOURCE_DIR "/\n");
    } else if (auto loaded = LoadMemory(options.loadPath, error)) {
        memory = *loaded;
    } else {
        std::fprintf(stderr, "r57-radio: %s\n", error.c_str());
        return 1;
    }

    if (options.calibration >= 0)
        GiveCalibration(memory, options.calibration);

    std::unique_ptr<FILE, FileCloser> log;
    if (!options.logPath.empty()) {
        log.reset(std::fopen(options.logPath.c_str(), "w"));
        if (!log) {
            std::fprintf(stderr, "r57-radio: cannot write %s: %s\n", options.logPath.c_str(),
                         std::strerror(errno));
            return 1;
        }
    }

    RadioLine line;
    if (!line.open(error)) {
        std::fprintf(stderr, "r57-radio: %s\n", error.c_str());
        return 1;
    }
    line.setBaud(options.baud);
    if (!options.linkPath.empty() && !MakeLink(options.linkPath, line.path(), error)) {
        std::fprintf(stderr, "r57-radio: %s\n", error.c_str());
        return 1;
    }

    // The stop signals are only let through while the radio waits for bytes, so a
    // frame is always answered whole before the radio goes.
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    signal(SIGPIPE, SIG_IGN);
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigprocmask(SIG_BLOCK, &stopSignals, nullptr);

    std::printf("%s\n", line.path().c_str());
    std::fflush(stdout);

    RadioProgram program(options, memory, line, log.get());
    program.run();

    const bool saved = program.saveMemory();
    if (!options.linkPath.empty())
        unlink(options.linkPath.c_str());
    return saved ? 0 : 1;
}
