// The numbers of a batch of radios: handed out in order across all lanes, each once.
// A radio that fails gives its number back, and the next radio on any lane takes it,
// so the numbers delivered have no gaps.
#pragma once

#include <optional>
#include <set>

namespace r57::link {

class BatchNumbers {
public:
    // `count` radios numbered start, start + step, ...
    BatchNumbers(long start, long step, int count);

    // The lowest number neither delivered nor taken; nullopt when every number is
    // delivered or out on a lane.
    std::optional<long> take();
    void delivered(long number);
    // The radio failed: its number goes to the next radio.
    void giveBack(long number);

    int deliveredCount() const { return delivered_; }
    int count() const { return count_; }
    bool complete() const { return delivered_ >= count_; }
    int outstanding() const { return taken_; } // numbers out on a lane now

private:
    long start_;
    long step_;
    int count_;
    int next_ = 0; // index of the next number never handed out
    std::set<int> returned_;
    int delivered_ = 0;
    int taken_ = 0;
};

} // namespace r57::link
