// Ctrl-C (or SIGTERM) while the r57 tool talks to a radio: the signal only ends the
// event loop (or calls back), so whoever runs the transfer can still release the radio
// from clone mode.
#pragma once

#include <QEventLoop>
#include <QSocketNotifier>

#include <functional>
#include <memory>

#include <signal.h>

namespace r57::cli {

class InterruptWatch {
public:
    // Quits `loop` on the signal, or calls `onInterrupt` instead when one is given.
    explicit InterruptWatch(QEventLoop& loop, std::function<void()> onInterrupt = {});
    ~InterruptWatch();
    InterruptWatch(const InterruptWatch&) = delete;
    InterruptWatch& operator=(const InterruptWatch&) = delete;
    bool interrupted() const { return interrupted_; }

private:
    std::unique_ptr<QSocketNotifier> notifier_;
    struct sigaction oldInt_ {};
    struct sigaction oldTerm_ {};
    bool interrupted_ = false;
};

} // namespace r57::cli
