// A batch of radios end to end: lanes on the virtual radio's pseudo-terminals, each
// radio its own image, the numbers without gaps after failures, Cancel and a port that
// vanishes, the log and the old memory kept.
#include "common/radio_process.h"

#include "core/address_map.h"
#include "core/band_limits.h"
#include "core/data_file.h"
#include "link/batch_run.h"
#include "link/verify.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

using namespace r57;
using namespace r57::link;
using namespace r57::test;

namespace {

void EnsureApplication() {
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "batch_test";
    static char* argv[] = {name, nullptr};
    new QCoreApplication(argc, argv);
}

CodeplugImage Base() {
    CodeplugImage image = RandomImage(77);
    StoreBandLimits(image, BandLimits::Defaults());
    return image;
}

// The radio's own bytes: its number in the MSK own ID row.
CodeplugImage ImageOf(long number) {
    CodeplugImage image = Base();
    for (int i = 0; i < 4; ++i)
        image.set(addr::kMskOwnId + i, static_cast<uint8_t>(number >> (8 * i)));
    return image;
}

class Batch : public ::testing::Test {
protected:
    void SetUp() override { EnsureApplication(); }

    BatchSettings settings(int count, bool verify) {
        BatchSettings s;
        s.imageFor = [](long number, QString&) {
            return std::optional(ImageOf(number));
        };
        s.valuesFor = [](long number) {
            return std::vector<std::string>{std::to_string(number)};
        };
        s.ruleNames = {"MSK / Own ID"};
        s.count = count;
        s.verify = verify;
        s.updateRadioTime = false;
        s.logPath = QString::fromStdString(folder.file("log.csv"));
        s.backupFolder = QString::fromStdString(folder.file("backups"));
        return s;
    }

    // Runs the batch until it finishes or `limitMs` pass. `onLane` sees every change of a
    // lane (to press Next, take a port away or cancel).
    bool run(BatchRun& batch, int limitMs, std::function<void(int lane)> onLane = {}) {
        QEventLoop loop;
        bool finished = false;
        QObject::connect(&batch, &BatchRun::finished, &loop, [&] {
            finished = true;
            loop.quit();
        });
        if (onLane)
            QObject::connect(&batch, &BatchRun::laneChanged, &loop, onLane);
        QTimer::singleShot(limitMs, &loop, &QEventLoop::quit);
        batch.start();
        if (batch.isRunning())
            loop.exec();
        return finished;
    }

    // Presses Next once the radio that is done has had time to leave the cable.
    std::function<void(int)> nextAfterSwap(BatchRun& batch) {
        return [&batch](int lane) {
            if (batch.lane(lane).state() == BatchLane::State::Done)
                QTimer::singleShot(1000, &batch, [&batch, lane] { batch.next(lane); });
        };
    }

    QStringList logLines() const {
        QFile file(QString::fromStdString(folder.file("log.csv")));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    }

    std::optional<CodeplugImage> unitMemory(const VirtualRadio& radio, int unit) {
        auto loaded = ReadDataFile(radio.unitMemoryPath(unit));
        if (!loaded.status)
            return std::nullopt;
        return loaded.image;
    }

    TempFolder folder;
};

std::vector<std::string> UnitOptions(const VirtualRadio& radio, int units,
                                     std::vector<std::string> more = {}) {
    std::vector<std::string> o{
        "--units", std::to_string(units), "--save", radio.unitSavePattern(), "--unit-gap", "100"};
    o.insert(o.end(), more.begin(), more.end());
    return o;
}

TEST_F(Batch, TwoLanesWriteVerifyAndKeepTheOldMemoryOfEveryRadioWithOneLogLineEach) {
    VirtualRadio radios[2];
    CodeplugImage old = RandomImage(5);
    StoreBandLimits(old, BandLimits::Defaults());
    for (VirtualRadio& radio : radios)
        ASSERT_TRUE(radio.start(old));
    BatchSettings s = settings(2, true);
    s.keepOld = true;
    s.start = 10;
    s.step = 5;
    BatchRun batch(s, {QString::fromStdString(radios[0].device()),
                       QString::fromStdString(radios[1].device())});
    ASSERT_TRUE(run(batch, 60000, nextAfterSwap(batch)));
    EXPECT_EQ(batch.numbers().deliveredCount(), 2);
    EXPECT_EQ(batch.failedCount(), 0);

    // Each unit holds the codeplug with its own number, and every number went out once.
    std::map<long, int> numbers;
    for (const RadioResult& r : batch.results()) {
        EXPECT_TRUE(r.ok) << r.reason.toStdString();
        EXPECT_EQ(r.verify, "OK");
        ++numbers[r.number];
    }
    EXPECT_EQ(numbers, (std::map<long, int>{{10, 1}, {15, 1}}));
    std::vector<long> held;
    for (VirtualRadio& radio : radios) {
        {
            const auto memory = radio.stopAndTakeMemory();
            ASSERT_TRUE(memory);
            long number = 0;
            for (int i = 0; i < 4; ++i)
                number |= static_cast<long>(memory->at(addr::kMskOwnId + i)) << (8 * i);
            held.push_back(number);
            // What the write sends is the radio's image; the rest is the old memory.
            CodeplugImage expected = old;
            for (const auto& [start, length] : WrittenRanges())
                for (int a = start; a < start + length; ++a)
                    expected.set(a, ImageOf(number).at(a));
            EXPECT_TRUE(*memory == expected) << number;
        }
    }
    std::sort(held.begin(), held.end());
    EXPECT_EQ(held, (std::vector<long>{10, 15}));

    const QStringList lines = logLines();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], "time,port,number,MSK / Own ID,result,verify,seconds,reason");
    for (int i = 1; i < 3; ++i) {
        const QStringList f = lines[i].split(',');
        ASSERT_EQ(f.size(), 8);
        EXPECT_EQ(f[3], f[2]); // the rule's value is the number here
        EXPECT_EQ(f[4], "OK");
        EXPECT_EQ(f[5], "OK");
    }
    EXPECT_EQ(LastDeliveredNumber(s.logPath).value_or(0), 15);
    // The old memory of each radio, named after the number it got.
    const QStringList kept =
        QDir(s.backupFolder).entryList({"*_read-radio-*.dat"}, QDir::Files, QDir::Name);
    ASSERT_EQ(kept.size(), 2);
    for (const QString& name : kept) {
        auto loaded = ReadDataFile((s.backupFolder + '/' + name).toStdString());
        ASSERT_TRUE(loaded.status);
        for (const auto& [start, length] : WrittenRanges())
            for (int a = start; a < start + length; ++a)
                ASSERT_EQ(loaded.image.at(a), old.at(a)) << name.toStdString() << " " << a;
    }
}

TEST_F(Batch, AFailedRadiosNumberGoesToTheNextRadioSoTheNumbersHaveNoGaps) {
    // Lane 0's first radio keeps a byte the write gives it wrong (verify finds it); lane
    // 1's falls silent half-way through the write.
    VirtualRadio radios[2];
    ASSERT_TRUE(radios[0].start(Base(), UnitOptions(radios[0], 2,
                                                    {"--faulty-unit", "1", "--corrupt-write",
                                                     std::to_string(addr::kMskOwnId)})));
    ASSERT_TRUE(radios[1].start(
        Base(), UnitOptions(radios[1], 2, {"--faulty-unit", "1", "--silent-after", "40"})));
    BatchRun batch(settings(2, true), {QString::fromStdString(radios[0].device()),
                                       QString::fromStdString(radios[1].device())});
    ASSERT_TRUE(run(batch, 30000, nextAfterSwap(batch)));
    ASSERT_EQ(batch.results().size(), 4u);
    std::map<long, std::vector<bool>> outcomes;
    QStringList reasons;
    for (const RadioResult& r : batch.results()) {
        outcomes[r.number].push_back(r.ok);
        reasons << r.reason;
    }
    // Both numbers failed once and were then delivered.
    EXPECT_EQ(outcomes,
              (std::map<long, std::vector<bool>>{{1, {false, true}}, {2, {false, true}}}));
    EXPECT_EQ(batch.numbers().deliveredCount(), 2);
    EXPECT_EQ(batch.failedCount(), 2);
    EXPECT_TRUE(reasons.join('|').contains("read back differently, the first at address 0x0D30"));
    EXPECT_TRUE(reasons.join('|').contains("Timeout"));
    EXPECT_EQ(logLines().size(), 5);
}

TEST_F(Batch, CancelTellsEveryLaneItsRadioToEndAndAPortThatVanishesStopsOnlyItsLane) {
    struct Case {
        bool vanish; // lane 1's port goes away while it writes (else: Cancel then)
    };
    for (const Case c : {Case{false}, Case{true}}) {
        SCOPED_TRACE(c.vanish ? "vanish" : "cancel");
        VirtualRadio writing; // paced, so the write takes long enough
        VirtualRadio slow;    // the lane that will lose its port, or be cancelled
        VirtualRadio nobody;  // a cable without a radio: the lane only waits
        ASSERT_TRUE(writing.start(Base(), UnitOptions(writing, 2)));
        ASSERT_TRUE(slow.start(Base(), {"--baud", "9600"}));
        ASSERT_TRUE(nobody.start(Base(), {"--silent-after", "0"}));
        BatchRun batch(settings(c.vanish ? 2 : 3, false),
                       {QString::fromStdString(writing.device()),
                        QString::fromStdString(slow.device()),
                        QString::fromStdString(nobody.device())});
        bool acted = false;
        const auto next = nextAfterSwap(batch);
        const bool finished = run(batch, 30000, [&](int lane) {
            next(lane);
            if (lane != 1 || acted || batch.lane(1).state() != BatchLane::State::Working)
                return;
            acted = true;
            QTimer::singleShot(300, &batch, [&] {
                if (c.vanish)
                    slow.vanish();
                else
                    batch.cancel();
            });
        });
        ASSERT_TRUE(acted);
        if (c.vanish) {
            // Lane 1 stops with its port and its number goes to lane 0's next radio;
            // the others stop once the batch is complete.
            EXPECT_TRUE(finished);
            EXPECT_TRUE(batch.lane(1).portGone());
            EXPECT_EQ(batch.numbers().deliveredCount(), 2);
            ASSERT_EQ(batch.results().size(), 3u);
            EXPECT_FALSE(batch.results()[0].ok);
            EXPECT_EQ(batch.results()[0].number, 2);
            continue;
        }
        ASSERT_TRUE(finished);
        EXPECT_FALSE(batch.isRunning());
        QThread::msleep(300);
        for (VirtualRadio* radio : {&slow, &nobody}) {
            const std::vector<std::string> frames = radio->frames();
            ASSERT_FALSE(frames.empty());
            EXPECT_EQ(frames.back(), "E");
        }
        bool cancelledLogged = false;
        for (const RadioResult& r : batch.results())
            cancelledLogged |= !r.ok && r.reason.contains("cancelled");
        EXPECT_TRUE(cancelledLogged);
    }
}

} // namespace
