#include "ui/main/termination_signals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>

#include <sys/socket.h>
#include <unistd.h>

namespace r57::ui {

namespace {

// The handler may only write; the event loop reads the signal's number on the other
// end of the pair.
int signalPair[2] = {-1, -1};

void OnSignal(int number) {
    const unsigned char byte = static_cast<unsigned char>(number);
    [[maybe_unused]] const ssize_t written = ::write(signalPair[0], &byte, 1);
}

} // namespace

void EndOnTerminationSignals() {
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr) {
        return;
    }
    if (signalPair[0] < 0) {
        if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPair) != 0) {
            return;
        }
        auto* notifier = new QSocketNotifier(signalPair[1], QSocketNotifier::Read, app);
        QObject::connect(notifier, &QSocketNotifier::activated, app, [] {
            unsigned char number = 0;
            if (::read(signalPair[1], &number, 1) == 1) {
                QCoreApplication::exit(128 + number);
            }
        });
    }
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (int number : {SIGTERM, SIGINT, SIGHUP}) {
        ::sigaction(number, &action, nullptr);
    }
}

} // namespace r57::ui
