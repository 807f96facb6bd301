// Whole-image read and write against the virtual radio paced like the real line
// (9600 baud, 10 bits a byte, no turnaround). Each run takes about 20 s, so each is
// measured once. Figures:
//   wire_s   time the frames and replies take on the line
//   waits_s  the protocol's own pauses: 10 ms before taking each reply, 1 ms before
//            sending each frame, 300 ms after the end frame, 200 ms after the closing "E"
//   ratio    measured time / (wire + waits); the rest is driver and radio latency
#include "../common/core_benchmarks.h"
#include "core/session.h"
#include "link/transfer_driver.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr double kBaud = 9600;
constexpr double kSettleS = 0.010;
constexpr double kSendDelayS = 0.001;
constexpr double kEndWaitS = 0.300;
constexpr double kCloseWaitS = 0.200;

struct LineFigures {
    long frames = 0;
    long replies = 0;
    long bytes = 0; // both directions
};

// Adds up the frames the radio logged: what each carried and what its reply did.
LineFigures FromRadioLog(const QString& path) {
    LineFigures f;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return f;
    for (const QByteArray& raw : file.readAll().split('\n')) {
        const QList<QByteArray> parts = raw.split(' ');
        if (parts.size() < 2)
            continue;
        const QByteArray& frame = parts[1];
        ++f.frames;
        long sent = 0;
        long reply = 0;
        if (frame == "PROIR57") {
            sent = 7, reply = 2;
        } else if (frame == "02") {
            sent = 1, reply = 16;
        } else if (frame == "06") {
            sent = 1, reply = 1;
        } else if (frame == "R") {
            sent = 4, reply = 4 + parts[3].toLong(nullptr, 16);
        } else if (frame == "W") {
            sent = 4 + parts[3].toLong(nullptr, 16), reply = 1;
        } else if (frame == "T") {
            sent = 8, reply = 1;
        } else if (frame == "E") {
            sent = 1;
        }
        f.bytes += sent + reply;
        f.replies += reply > 0 ? 1 : 0;
    }
    return f;
}

QString ProgramFolder() {
    return QCoreApplication::applicationDirPath();
}

void RunTransfer(benchmark::State& state, r57::link::TransferKind kind) {
    QTemporaryDir folder;
    const QString log = folder.filePath("frames.log");
    for (auto _ : state) {
        QProcess radio;
        radio.start(ProgramFolder() + "/r57-radio",
                    {"--baud", "9600", "--turnaround", "0", "--log", log});
        if (!radio.waitForReadyRead(5000)) {
            state.SkipWithError("r57-radio did not start");
            return;
        }
        const QString device = QString::fromUtf8(radio.readLine()).trimmed();

        r57::Session session;
        session.applicationDirectory = (ProgramFolder() + "/").toStdString();
        session.startUp();
        r57::link::TransferDriver driver(session);
        driver.setPort(device);
        QEventLoop loop;
        bool success = false;
        QObject::connect(&driver, &r57::link::TransferDriver::finished, &loop, [&](bool ok) {
            success = ok;
            loop.quit();
        });
        QTimer::singleShot(120000, &loop, &QEventLoop::quit);
        QElapsedTimer clock;
        clock.start();
        if (driver.start(kind))
            loop.exec();
        const double seconds = clock.nsecsElapsed() / 1e9;
        state.SetIterationTime(seconds);
        radio.terminate();
        radio.waitForFinished(5000);
        if (!success) {
            state.SkipWithError("transfer failed");
            return;
        }

        const LineFigures line = FromRadioLog(log);
        const double wire = line.bytes * 10 / kBaud;
        // Every frame but the closing "E" waits for the send timer.
        const double waits =
            line.replies * kSettleS + (line.frames - 1) * kSendDelayS + kEndWaitS + kCloseWaitS;
        state.counters["frames"] = static_cast<double>(line.frames);
        state.counters["line_bytes"] = static_cast<double>(line.bytes);
        state.counters["wire_s"] = wire;
        state.counters["waits_s"] = waits;
        state.counters["ratio"] = seconds / (wire + waits);
        state.counters["latency_ms_per_frame"] = (seconds - wire - waits) * 1000 / line.frames;
    }
}

void BM_ReadFromRadio(benchmark::State& state) {
    RunTransfer(state, r57::link::TransferKind::Read);
}
void BM_WriteToRadio(benchmark::State& state) {
    RunTransfer(state, r57::link::TransferKind::Write);
}

BENCHMARK(BM_ReadFromRadio)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_WriteToRadio)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv) {
    return r57::bench::RunUnderCoreApplication(argc, argv);
}
