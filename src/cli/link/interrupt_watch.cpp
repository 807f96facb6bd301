#include "interrupt_watch.h"

#include <fcntl.h>
#include <unistd.h>

namespace r57::cli {

namespace {

int gInterruptPipe[2] = {-1, -1};

void OnInterrupt(int) {
    const char c = 1;
    [[maybe_unused]] const ssize_t n = write(gInterruptPipe[1], &c, 1);
}

} // namespace

InterruptWatch::InterruptWatch(QEventLoop& loop, std::function<void()> onInterrupt) {
    if (pipe2(gInterruptPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigaction(SIGINT, &action, &oldInt_);
    sigaction(SIGTERM, &action, &oldTerm_);
    notifier_ = std::make_unique<QSocketNotifier>(gInterruptPipe[0], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, &loop,
                     [this, &loop, onInterrupt = std::move(onInterrupt)] {
                         char drained[16];
                         [[maybe_unused]] const ssize_t n =
                             read(gInterruptPipe[0], drained, sizeof drained);
                         interrupted_ = true;
                         if (onInterrupt)
                             onInterrupt();
                         else
                             loop.quit();
                     });
}

InterruptWatch::~InterruptWatch() {
    if (!notifier_)
        return;
    notifier_.reset();
    sigaction(SIGINT, &oldInt_, nullptr);
    sigaction(SIGTERM, &oldTerm_, nullptr);
    close(gInterruptPipe[0]);
    close(gInterruptPipe[1]);
}

} // namespace r57::cli
