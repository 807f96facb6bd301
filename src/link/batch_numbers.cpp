#include "batch_numbers.h"

namespace r57::link {

BatchNumbers::BatchNumbers(long start, long step, int count)
    : start_(start), step_(step), count_(count) {}

std::optional<long> BatchNumbers::take() {
    int index = 0;
    if (!returned_.empty()) {
        index = *returned_.begin();
        returned_.erase(returned_.begin());
    } else if (next_ < count_) {
        index = next_++;
    } else {
        return std::nullopt;
    }
    ++taken_;
    return start_ + step_ * index;
}

void BatchNumbers::delivered(long /*number*/) {
    --taken_;
    ++delivered_;
}

void BatchNumbers::giveBack(long number) {
    --taken_;
    returned_.insert(static_cast<int>((number - start_) / step_));
}

} // namespace r57::link
