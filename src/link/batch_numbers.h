// The numbers of a batch of radios: handed out lowest first across all lanes, each once.
// A radio that was not written gives its number back, and the next radio on any lane
// takes it. A radio that was written but not verified keeps its number (it may hold it
// already): that number is set aside, never handed out again, and the batch goes on
// with the next numbers until `count` radios are delivered. Numbers a log shows taken
// by an earlier run are skipped, so a continued batch fills every gap first.
#pragma once

#include <optional>
#include <set>

namespace r57::link {

class BatchNumbers {
public:
    // `count` radios to deliver, numbered from start by step, skipping `taken`.
    BatchNumbers(long start, long step, int count, std::set<long> taken = {});

    // The lowest number not taken; nullopt when `count` radios are delivered or out on
    // a lane.
    std::optional<long> take();
    // A number out on a lane (or set aside, and now programmed again) is delivered.
    void delivered(long number);
    // The radio was written but not verified: its number is never handed out again.
    void setAside(long number);
    // The radio was not written: its number goes to the next radio.
    void giveBack(long number);

    // The lowest number that take() would hand out now (ignoring the count).
    long firstFree() const;
    int deliveredCount() const { return static_cast<int>(delivered_.size()); }
    int asideCount() const { return static_cast<int>(aside_.size()); }
    int count() const { return count_; }
    bool complete() const { return deliveredCount() >= count_; }
    int outstanding() const { return static_cast<int>(out_.size()); } // out on a lane now

private:
    long start_;
    long step_;
    int count_;
    std::set<long> used_; // never to be handed out: taken before, delivered, aside, out
    std::set<long> out_;
    std::set<long> aside_;
    std::set<long> delivered_;
    std::set<long> freed_; // given back, below next_
    long next_ = 0;        // index of the lowest number never looked at
};

} // namespace r57::link
