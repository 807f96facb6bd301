#include "core/undo_history.h"

#include <algorithm>
#include <utility>

namespace r57 {

namespace {

// Unchanged bytes between two changed ones are kept in the run when the gap is this
// short: a run of its own would cost more than the bytes.
constexpr int kJoinGap = sizeof(std::pair<uint16_t, uint16_t>);

} // namespace

UndoHistory::UndoHistory(std::size_t depth) : depth_(std::max<std::size_t>(depth, 1)) {}

void UndoHistory::reset(const CodeplugImage& image, const UndoContext& context) {
    current_ = image;
    context_ = context;
    undo_.clear();
    redo_.clear();
}

UndoHistory::Step UndoHistory::Difference(const CodeplugImage& from, const CodeplugImage& to) {
    Step step;
    const uint8_t* a = from.data();
    const uint8_t* b = to.data();
    int address = 0;
    while (address < CodeplugImage::kSize) {
        if (a[address] == b[address]) {
            ++address;
            continue;
        }
        const int start = address;
        int end = address + 1; // one past the last changed byte of the run
        for (int i = end; i < CodeplugImage::kSize && i <= end + kJoinGap; ++i) {
            if (a[i] != b[i]) {
                end = i + 1;
            }
        }
        step.runs.emplace_back(static_cast<uint16_t>(start), static_cast<uint16_t>(end - start));
        step.bytes.insert(step.bytes.end(), a + start, a + end);
        address = end;
    }
    step.runs.shrink_to_fit();
    step.bytes.shrink_to_fit();
    return step;
}

UndoHistory::Step UndoHistory::Apply(const Step& step, CodeplugImage& image, UndoContext& context) {
    Step back;
    back.runs = step.runs;
    back.bytes.resize(step.bytes.size());
    std::size_t offset = 0;
    for (const auto& [address, length] : step.runs) {
        image.read(address, back.bytes.data() + offset, length);
        image.write(address, step.bytes.data() + offset, length);
        offset += length;
    }
    if (step.context) {
        back.context = context;
        context = *step.context;
    }
    return back;
}

bool UndoHistory::checkpoint(const CodeplugImage& image, const UndoContext& context,
                             const std::string& label) {
    if (image == current_) {
        context_ = context;
        return false;
    }
    Step step = Difference(current_, image);
    step.label = label;
    if (context != context_) {
        step.context = context_;
    }
    undo_.push_back(std::move(step));
    while (undo_.size() > depth_) {
        undo_.pop_front();
    }
    redo_.clear();
    current_ = image;
    context_ = context;
    return true;
}

void UndoHistory::adopt(const CodeplugImage& image) {
    current_ = image;
}

bool UndoHistory::move(std::deque<Step>& from, std::deque<Step>& to, CodeplugImage& image,
                       UndoContext& context) {
    checkpoint(image, context);
    if (from.empty()) {
        return false;
    }
    Step back = Apply(from.back(), image, context);
    back.label = from.back().label; // redo takes back what undo took back, by the same name
    from.pop_back();
    to.push_back(std::move(back));
    current_ = image;
    context_ = context;
    return true;
}

bool UndoHistory::undo(CodeplugImage& image, UndoContext& context) {
    return move(undo_, redo_, image, context);
}

bool UndoHistory::redo(CodeplugImage& image, UndoContext& context) {
    return move(redo_, undo_, image, context);
}

std::size_t UndoHistory::memoryUsage() const {
    std::size_t total = sizeof(*this);
    for (const std::deque<Step>* steps : {&undo_, &redo_}) {
        for (const Step& step : *steps) {
            total +=
                sizeof(Step) + step.runs.capacity() * sizeof(step.runs[0]) + step.bytes.capacity();
            if (step.context) {
                total += step.context->fileName.capacity();
            }
        }
    }
    return total;
}

} // namespace r57
