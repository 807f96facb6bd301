// A long day at the bench: three lanes, forty radios, "Continue by itself", with
// probes that go unanswered, late replies, radios that keep a byte wrong, radios
// switched off and on, and one cable pulled half-way. Afterwards every number is held
// by exactly one radio, no radio was written twice, and the log says the same.
#include "batch_fixture.h"

#include <QElapsedTimer>
#include <QRandomGenerator>

#include <iostream>

#include <map>
#include <set>

using namespace r57;
using namespace r57::link;
using namespace r57::test;

namespace {

constexpr int kRadios = 40;
constexpr int kUnitsPerLane = 20;

TEST_F(Batch, ThreeLanesFortyRadiosRandomFaultsAndAPulledCable) {
    const quint32 seed = QRandomGenerator::global()->generate();
    SCOPED_TRACE("seed " + std::to_string(seed));
    QRandomGenerator random(seed);
    auto someUnits = [&](int how) {
        std::set<int> units;
        while (static_cast<int>(units.size()) < how)
            units.insert(2 + static_cast<int>(random.bounded(kUnitsPerLane - 2)));
        return units;
    };
    std::vector<std::vector<std::string>> options(3);
    // Lane 0: radios that keep a byte wrong (not verified: set aside).
    for (int unit : someUnits(2))
        options[0].insert(options[0].end(), {"--faulty-unit", std::to_string(unit)});
    options[0].insert(options[0].end(), {"--corrupt-write", "0x1A2B"});
    // Lane 1: probes unanswered and late replies (within the reply time and beyond it).
    for (int unit : someUnits(3))
        options[1].insert(options[1].end(), {"--faulty-unit", std::to_string(unit)});
    options[1].insert(options[1].end(),
                      {"--drop", "1-2", "--late", std::to_string(20 + random.bounded(100)) + ":300",
                       "--late", std::to_string(150 + random.bounded(100)) + ":900"});
    // Lane 2: radios switched off and on; its cable is pulled after a few radios.
    for (int unit : someUnits(2))
        options[2].insert(options[2].end(),
                          {"--power-cycle", std::to_string(unit) + ":" +
                                                std::to_string(2200 + random.bounded(1500))});
    VirtualRadio radios[3];
    QStringList devices;
    for (int lane = 0; lane < 3; ++lane) {
        std::vector<std::string> o = UnitOptions(radios[lane], kUnitsPerLane, options[lane]);
        o.insert(o.end(), {"--swap-idle", "400"});
        ASSERT_TRUE(radios[lane].start(Base(), o));
        devices << QString::fromStdString(radios[lane].device());
    }
    BatchSettings s = settings(kRadios, true);
    s.start = 100;
    s.autoContinue = true;
    BatchRun batch(s, devices);
    const int pullAfter = 2 + static_cast<int>(random.bounded(3));
    int doneOnLane2 = 0;
    bool pulled = false;
    QObject::connect(&batch, &BatchRun::radioDone,
                     [&](const RadioResult& r) { doneOnLane2 += r.port == devices[2]; });
    // Pulled as the lane looks at its next radio: the one before has left the cable and
    // saved its memory.
    QObject::connect(&batch, &BatchRun::laneChanged, [&](int lane) {
        if (lane == 2 && !pulled && doneOnLane2 >= pullAfter &&
            batch.lane(2).text().startsWith("looking")) {
            pulled = true;
            radios[2].vanish();
        }
    });
    QElapsedTimer clock;
    clock.start();
    const bool finished = run(batch, 280000);
    std::cerr << "soak: " << clock.elapsed() / 1000 << " s, " << batch.results().size()
              << " radios written or failed\n";
    ASSERT_TRUE(finished) << batch.numbers().deliveredCount()
                          << " delivered; lanes: " << batch.lane(0).text().toStdString() << " | "
                          << batch.lane(1).text().toStdString() << " | "
                          << batch.lane(2).text().toStdString();
    EXPECT_TRUE(pulled);
    EXPECT_TRUE(batch.lane(2).portGone());
    EXPECT_EQ(batch.numbers().deliveredCount(), kRadios);

    // Every radio's saved memory: the number it holds, and no unit written twice.
    std::map<long, int> holders;
    for (int lane = 0; lane < 3; ++lane) {
        if (lane != 2)
            radios[lane].stopAndTakeMemory();
        int unit = 0;
        std::map<int, int> writesOfUnit;
        for (const std::string& line : radios[lane].log()) {
            if (line.rfind("unit ", 0) == 0)
                unit = std::stoi(line.substr(5));
            else if (line.find(" W 0000 ") != std::string::npos)
                ++writesOfUnit[unit];
        }
        for (const auto& [u, writes] : writesOfUnit) {
            EXPECT_EQ(writes, 1) << "lane " << lane << " unit " << u;
            if (const auto memory = unitMemory(radios[lane], u))
                ++holders[NumberIn(*memory)];
            else
                ADD_FAILURE() << "lane " << lane << " unit " << u << " saved no memory";
        }
    }
    for (long n = s.start; n < s.start + kRadios; ++n)
        EXPECT_EQ(holders[n], 1) << n;
    // The log: one line a radio written, and its numbers are the radios' numbers.
    std::map<long, int> logged;
    for (const RadioResult& r : batch.results())
        logged[r.number] += r.written || r.ok;
    for (const auto& [number, count] : holders)
        EXPECT_EQ(logged[number], count) << number;
    EXPECT_EQ(TakenNumbers(s.logPath).size(), holders.size());
}

} // namespace
