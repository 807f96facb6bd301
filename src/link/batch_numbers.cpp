#include "batch_numbers.h"

namespace r57::link {

BatchNumbers::BatchNumbers(long start, long step, int count, std::set<long> taken)
    : start_(start), step_(step < 1 ? 1 : step), count_(count), used_(std::move(taken)) {}

long BatchNumbers::firstFree() const {
    if (!freed_.empty())
        return *freed_.begin();
    long index = next_;
    while (used_.count(start_ + step_ * index))
        ++index;
    return start_ + step_ * index;
}

std::optional<long> BatchNumbers::take() {
    if (deliveredCount() + outstanding() >= count_)
        return std::nullopt;
    long number = 0;
    if (!freed_.empty()) {
        number = *freed_.begin();
        freed_.erase(freed_.begin());
    } else {
        while (used_.count(start_ + step_ * next_))
            ++next_;
        number = start_ + step_ * next_++;
    }
    used_.insert(number);
    out_.insert(number);
    return number;
}

void BatchNumbers::delivered(long number) {
    // A radio of an earlier run, programmed again, is no new radio of this one.
    if (out_.erase(number) + aside_.erase(number) == 0 && !delivered_.count(number))
        return;
    used_.insert(number);
    delivered_.insert(number);
}

void BatchNumbers::setAside(long number) {
    out_.erase(number);
    delivered_.erase(number); // programmed again, and this time not verified
    used_.insert(number);
    aside_.insert(number);
}

void BatchNumbers::giveBack(long number) {
    // Only a number out on a lane comes back; one delivered or set aside stays so.
    if (out_.erase(number) == 0)
        return;
    used_.erase(number);
    freed_.insert(number);
}

} // namespace r57::link
