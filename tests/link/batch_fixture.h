// What the batch tests share: the lanes' radios as units of the virtual radio, each
// radio's own bytes (its number in the MSK own ID row), and a batch run to its end.
#pragma once

#include "common/radio_process.h"

#include "core/address_map.h"
#include "core/band_limits.h"
#include "core/data_file.h"
#include "link/batch_run.h"
#include "link/verify.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace r57::test {

using namespace r57::link;

inline void EnsureApplication() {
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "batch_test";
    static char* argv[] = {name, nullptr};
    new QCoreApplication(argc, argv);
}

inline CodeplugImage Base() {
    CodeplugImage image = RandomImage(77);
    StoreBandLimits(image, BandLimits::Defaults());
    return image;
}

// The radio's own bytes: its number in the MSK own ID row.
inline CodeplugImage ImageOf(long number) {
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

inline std::vector<std::string> UnitOptions(const VirtualRadio& radio, int units,
                                            std::vector<std::string> more = {}) {
    std::vector<std::string> o{
        "--units", std::to_string(units), "--save", radio.unitSavePattern(), "--unit-gap", "100"};
    o.insert(o.end(), more.begin(), more.end());
    return o;
}

// The number a radio's memory holds (its MSK own ID row).
inline long NumberIn(const CodeplugImage& memory) {
    long number = 0;
    for (int i = 0; i < 4; ++i)
        number |= static_cast<long>(memory.at(addr::kMskOwnId + i)) << (8 * i);
    return number;
}

} // namespace r57::test
