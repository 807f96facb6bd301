#include "radio_line.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>

namespace r57::radio {

int64_t NowNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<int64_t>(ts.tv_sec) * 1'000'000'000LL + ts.tv_nsec;
}

void SleepUntilNs(int64_t deadline) {
    timespec ts{};
    ts.tv_sec = static_cast<time_t>(deadline / 1'000'000'000LL);
    ts.tv_nsec = static_cast<long>(deadline % 1'000'000'000LL);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
    }
}

RadioLine::~RadioLine() {
    if (slave_ >= 0)
        ::close(slave_);
    if (master_ >= 0)
        ::close(master_);
}

bool RadioLine::open(std::string& error) {
    termios raw{};
    cfmakeraw(&raw);
    raw.c_cflag |= CLOCAL | CREAD;
    cfsetispeed(&raw, B9600);
    cfsetospeed(&raw, B9600);
    char name[256] = {};
    if (openpty(&master_, &slave_, name, &raw, nullptr) != 0) {
        error = std::string("cannot create a pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    path_ = name;
    const int flags = fcntl(master_, F_GETFL);
    fcntl(master_, F_SETFL, flags | O_NONBLOCK);
    fcntl(master_, F_SETFD, FD_CLOEXEC);
    fcntl(slave_, F_SETFD, FD_CLOEXEC);
    return true;
}

bool RadioLine::receive(std::vector<uint8_t>& bytes) {
    uint8_t buffer[4096];
    const ssize_t n = ::read(master_, buffer, sizeof buffer);
    if (n <= 0)
        return false; // EAGAIN, or EIO while no one holds the slave side
    const int64_t now = NowNs();
    bytes.assign(buffer, buffer + n);
    // The program hands over whole frames at once; on a real line they trickle in.
    inboundClear_ = std::max(inboundClear_, now) + byteNs_ * n;
    return true;
}

bool RadioLine::writeAll(const uint8_t* data, std::size_t count) {
    const int64_t giveUp = NowNs() + 1'000'000'000LL;
    while (count > 0) {
        const ssize_t n = ::write(master_, data, count);
        if (n > 0) {
            data += n;
            count -= static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return false;
        if (NowNs() >= giveUp)
            return false;
        pollfd p{master_, POLLOUT, 0};
        ::poll(&p, 1, 10);
    }
    return true;
}

void RadioLine::send(const std::vector<uint8_t>& bytes) {
    if (byteNs_ == 0) {
        writeAll(bytes.data(), bytes.size());
        return;
    }
    const int64_t start = NowNs();
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        SleepUntilNs(start + byteNs_ * static_cast<int64_t>(sent + 1));
        // Everything due by now goes in one write, so a late wake-up catches up.
        const auto due = static_cast<std::size_t>((NowNs() - start) / byteNs_);
        const std::size_t count = std::clamp<std::size_t>(due, sent + 1, bytes.size()) - sent;
        if (!writeAll(bytes.data() + sent, count))
            return;
        sent += count;
    }
}

} // namespace r57::radio
