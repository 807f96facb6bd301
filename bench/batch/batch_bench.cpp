// A batch of radios against virtual radios, each on a pseudo-terminal of its own.
// Figures:
//   BM_FourLanesAgainstOne  one_s: one lane, one radio paced at 9600 baud; four_s: four
//                           lanes, four such radios at once; ratio = four_s / one_s
//   BM_WaitingLaneCpu       a lane waiting for a radio that never answers (the
//                           handshake once a second): cpu_percent of one core
//   BM_MemoryOver100Radios  four lanes, 25 unpaced radios each, taken with Next:
//                           resident memory after 10 and after 100 radios
//   BM_IdentityRead         the look at a radio before a lane writes it: the rows of
//                           three per-radio fields from a radio paced at 9600 baud,
//                           seconds per radio (look_s)
#include "../common/core_benchmarks.h"
#include "core/image.h"
#include "core/session.h"
#include "link/batch_run.h"
#include "link/transfer_driver.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace r57;
using namespace r57::link;

class Radio {
public:
    explicit Radio(const QStringList& options) {
        process_.start(QCoreApplication::applicationDirPath() + "/r57-radio", options);
        if (process_.waitForReadyRead(5000))
            device_ = QString::fromUtf8(process_.readLine()).trimmed();
    }
    ~Radio() {
        process_.terminate();
        process_.waitForFinished(5000);
    }
    const QString& device() const { return device_; }

private:
    QProcess process_;
    QString device_;
};

BatchSettings Settings(int count, const QTemporaryDir& folder) {
    BatchSettings s;
    s.imageFor = [](long number, QString&) {
        CodeplugImage image;
        image.fill(0xFF);
        image.set(0x0D30, static_cast<uint8_t>(number));
        return std::optional(image);
    };
    s.valuesFor = [](long number) {
        return std::vector<std::string>{std::to_string(number)};
    };
    s.ruleNames = {"MSK / Own ID"};
    s.count = count;
    s.updateRadioTime = false;
    s.goOnIfBandsDiffer = true; // the sample radio's band limits are not the image's
    s.logPath = folder.filePath("log.csv");
    s.backupFolder = folder.filePath("backups");
    return s;
}

// Runs a batch to its end; `nextAfterMs` >= 0 presses Next that long after a radio.
double RunBatch(BatchRun& batch, int limitMs, int nextAfterMs = -1) {
    QEventLoop loop;
    QObject::connect(&batch, &BatchRun::finished, &loop, &QEventLoop::quit);
    if (nextAfterMs >= 0) {
        QObject::connect(&batch, &BatchRun::laneChanged, &loop, [&batch, nextAfterMs](int lane) {
            if (batch.lane(lane).state() == BatchLane::State::Done)
                QTimer::singleShot(nextAfterMs, &batch, [&batch, lane] { batch.next(lane); });
        });
    }
    QTimer::singleShot(limitMs, &loop, &QEventLoop::quit);
    QElapsedTimer clock;
    clock.start();
    batch.start();
    loop.exec();
    return clock.nsecsElapsed() / 1e9;
}

double Lanes(int lanes, bool verify, benchmark::State& state) {
    QTemporaryDir folder;
    std::vector<std::unique_ptr<Radio>> radios;
    QStringList devices;
    for (int i = 0; i < lanes; ++i) {
        radios.push_back(std::make_unique<Radio>(QStringList{"--baud", "9600"}));
        devices << radios.back()->device();
    }
    BatchSettings s = Settings(lanes, folder);
    s.verify = verify;
    BatchRun batch(s, devices);
    const double seconds = RunBatch(batch, 300000);
    if (batch.numbers().deliveredCount() != lanes)
        state.SkipWithError("not every radio was delivered");
    return seconds;
}

void BM_FourLanesAgainstOne(benchmark::State& state) {
    const bool verify = state.range(0) != 0;
    for (auto _ : state) {
        const double one = Lanes(1, verify, state);
        const double four = Lanes(4, verify, state);
        state.SetIterationTime(four);
        state.counters["one_s"] = one;
        state.counters["four_s"] = four;
        state.counters["ratio"] = four / one;
    }
}

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void BM_WaitingLaneCpu(benchmark::State& state) {
    for (auto _ : state) {
        QTemporaryDir folder;
        Radio nobody({"--baud", "9600", "--silent-after", "0"});
        BatchRun batch(Settings(1, folder), {nobody.device()});
        QEventLoop loop;
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        const double cpu = CpuSeconds();
        QElapsedTimer clock;
        clock.start();
        batch.start();
        loop.exec();
        const double wall = clock.nsecsElapsed() / 1e9;
        state.SetIterationTime(wall);
        state.counters["cpu_percent"] = (CpuSeconds() - cpu) / wall * 100;
        batch.cancel();
    }
}

long ResidentKb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return 0;
}

void BM_MemoryOver100Radios(benchmark::State& state) {
    for (auto _ : state) {
        QTemporaryDir folder;
        std::vector<std::unique_ptr<Radio>> radios;
        QStringList devices;
        for (int i = 0; i < 4; ++i) {
            radios.push_back(std::make_unique<Radio>(QStringList{
                "--baud", "0", "--units", "25", "--unit-gap", "0", "--swap-idle", "200"}));
            devices << radios.back()->device();
        }
        BatchSettings s = Settings(100, folder);
        s.verify = false;
        BatchRun batch(s, devices);
        long after10 = 0;
        QObject::connect(&batch, &BatchRun::radioDone, [&](const RadioResult&) {
            if (batch.numbers().deliveredCount() == 10)
                after10 = ResidentKb();
        });
        const double seconds = RunBatch(batch, 900000, 400);
        state.SetIterationTime(seconds);
        const long after100 = ResidentKb();
        state.counters["radios"] = batch.numbers().deliveredCount();
        state.counters["rss_after_10_kb"] = static_cast<double>(after10);
        state.counters["rss_after_100_kb"] = static_cast<double>(after100);
        state.counters["growth_kb"] = static_cast<double>(after100 - after10);
    }
}

void BM_IdentityRead(benchmark::State& state) {
    Radio radio({"--baud", "9600"});
    Session session;
    TransferDriver driver(session);
    driver.setPort(radio.device());
    driver.setRows({0x0D3, 0x0E0, 0x001}); // MSK own ID, PTT ID, a channel name
    double total = 0;
    int looks = 0;
    for (auto _ : state) {
        QEventLoop loop;
        bool ok = false;
        QObject::connect(&driver, &TransferDriver::finished, &loop, [&](bool success) {
            ok = success;
            loop.quit();
        });
        QElapsedTimer clock;
        clock.start();
        if (driver.start(TransferKind::ReadRows))
            loop.exec();
        const double seconds = clock.nsecsElapsed() / 1e9;
        if (!ok)
            state.SkipWithError("the rows could not be read");
        state.SetIterationTime(seconds);
        total += seconds;
        ++looks;
    }
    state.counters["look_s"] = looks ? total / looks : 0;
}

BENCHMARK(BM_FourLanesAgainstOne)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("verify")
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);
BENCHMARK(BM_WaitingLaneCpu)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_MemoryOver100Radios)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_IdentityRead)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return r57::bench::RunUnderCoreApplication(argc, argv);
}
