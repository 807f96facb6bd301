// A fleet on a busy bench: radios left on the cable, switched off and on, swapped
// quickly, ports that cannot be opened, a log that cannot be written. No radio is
// written twice and no number is given twice, whatever the dealer's hands do.
#include "batch_fixture.h"

#include "link/batch_identity.h"
#include "link/batch_numbers.h"

#include <QTemporaryDir>

#include <QSerialPort>

#include <fstream>
#include <map>
#include <set>

using namespace r57;
using namespace r57::link;
using namespace r57::test;

namespace {

class Fleet : public Batch {
protected:
    // The numbers each unit of `radio` saved, by unit.
    std::map<int, long> held(VirtualRadio& radio, int units) {
        radio.stopAndTakeMemory();
        std::map<int, long> numbers;
        for (int unit = 1; unit <= units; ++unit) {
            if (const auto memory = unitMemory(radio, unit))
                numbers[unit] = NumberIn(*memory);
        }
        return numbers;
    }
    static int writes(const VirtualRadio& radio) {
        int n = 0;
        for (const std::string& frame : radio.frames())
            n += frame.rfind("W 0000", 0) == 0;
        return n;
    }
};

TEST(BatchNumbersRules, LowestFirstGapsFilledAsideNeverAgainCountIsDelivered) {
    BatchNumbers n(1, 1, 3, {2, 4}); // a log gave 2 and 4
    EXPECT_EQ(n.take(), 1);
    EXPECT_EQ(n.take(), 3);
    EXPECT_EQ(n.take(), 5);
    EXPECT_EQ(n.take(), std::nullopt); // three out on lanes for three radios
    n.setAside(3);                     // written, not verified: stays taken
    n.giveBack(5);                     // not written: the next radio gets it
    EXPECT_EQ(n.firstFree(), 5);
    EXPECT_EQ(n.take(), 5);
    EXPECT_EQ(n.take(), 6);
    n.delivered(1);
    n.delivered(5);
    n.delivered(6);
    EXPECT_TRUE(n.complete());
    EXPECT_EQ(n.asideCount(), 1);
    n.delivered(3); // programmed again on its lane, now verified
    n.delivered(2); // a radio of the earlier run, programmed again: no new radio
    EXPECT_EQ(n.deliveredCount(), 4);
    EXPECT_EQ(n.asideCount(), 0);
    EXPECT_EQ(n.deliveredCount(), 4);
    n.giveBack(6); // a delivered number never comes back
    EXPECT_EQ(n.deliveredCount(), 4);
    EXPECT_EQ(BatchNumbers(10, 5, 1, {10, 15, 25}).firstFree(), 20);
}

TEST(BatchIdentityRules, TheRowsOfTheFieldsAndTheNumberARadioHolds) {
    BatchIdentity identity([](long n) { return std::optional(ImageOf(n)); }, 1, 1, 300);
    EXPECT_EQ(identity.rows(), std::vector<int>{addr::kMskOwnId / addr::kRowSize});
    identity.remember(7);
    identity.remember(256);
    EXPECT_EQ(identity.holder(ImageOf(7)), 7);
    EXPECT_EQ(identity.holder(ImageOf(256)), 256);
    EXPECT_EQ(identity.holder(ImageOf(8)), std::nullopt);
    CodeplugImage other = ImageOf(7);
    other.set(0x1A2B, 0x00); // elsewhere: still radio 7
    EXPECT_EQ(identity.holder(other), 7);
    EXPECT_EQ(identity.holder(Base()), std::nullopt); // a fresh radio
}

TEST(BatchLogRules, FormulasResultsTakenNumbersAndOneLogARuleSet) {
    QTemporaryDir dir;
    const QString path = dir.filePath("log.csv");
    BatchLog log(path, {"Function Setting / PTT ID Own ID"});
    RadioResult r;
    r.when = QDateTime::currentDateTime();
    r.port = "/dev/pts/1";
    const struct {
        long number;
        bool ok, written;
        const char* value;
        const char* shown;
    } rows[] = {{1, true, false, "=1+1", "'=1+1"},
                {2, false, true, "+12", "'+12"},
                {3, false, false, "@A", "'@A"},
                {4, true, false, "-4", "'-4"}};
    for (const auto& row : rows) {
        r.number = row.number;
        r.ok = row.ok;
        r.written = row.written;
        r.values = {row.value};
        QString error;
        ASSERT_TRUE(log.append(r, error)) << error.toStdString();
        EXPECT_TRUE(log.line(r).contains(QString(",%1,").arg(row.shown))) << row.value;
    }
    // Delivered and written-not-verified numbers are taken; a failed one is free.
    EXPECT_EQ(TakenNumbers(path), (std::set<long>{1, 2, 4}));
    // Another rule set never goes into this log.
    const QString other = LogForHeader(path, BatchLog(path, {"MSK / Own ID"}).header());
    EXPECT_EQ(other, dir.filePath("log-2.csv"));
    EXPECT_EQ(LogForHeader(path, log.header()), path);
    const CodeplugImage base = Base();
    EXPECT_NE(BatchLogPath(base, {"MSK / Own ID={n}"}, "f"),
              BatchLogPath(base, {"MSK / Own ID=1{n}"}, "f"));
}

// A radio switched off and on ("Continue by itself") is the same radio, and a radio
// put on within 2 s of the old one leaving is taken at once: the rows on the cable tell.
TEST_F(Fleet, SwitchedOffAndOnIsNotANewRadioAndAQuickSwapIsTaken) {
    const struct {
        const char* name;
        std::vector<std::string> radioOptions;
    } table[] = {
        {"power cycle", {"--power-cycle", "1:3500"}},
        {"quick swap", {"--gap", "2:300"}},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.name);
        VirtualRadio radio;
        ASSERT_TRUE(radio.start(Base(), UnitOptions(radio, 2, row.radioOptions)));
        BatchSettings s = settings(2, true);
        s.autoContinue = true;
        BatchRun batch(s, {QString::fromStdString(radio.device())});
        QStringList seen;
        ASSERT_TRUE(run(batch, 30000, [&](int) { seen << batch.lane(0).text(); }))
            << seen.join('\n').toStdString() << "\n"
            << testing::PrintToString(radio.log());
        EXPECT_EQ(batch.numbers().deliveredCount(), 2);
        ASSERT_EQ(batch.results().size(), 2u);
        EXPECT_EQ(held(radio, 2), (std::map<int, long>{{1, 1}, {2, 2}}));
        EXPECT_EQ(writes(radio), 2);
    }
}

// Two lanes done; only lane 0's radio is swapped and Next is pressed on both (as Enter
// does in r57 batch): lane 1's radio, still on its cable, is not written again. Program
// again writes it once more with its own number.
TEST_F(Fleet, NextOnALaneWhoseRadioWasNotSwappedWritesNothing) {
    VirtualRadio radios[2];
    ASSERT_TRUE(radios[0].start(Base(), UnitOptions(radios[0], 2)));
    ASSERT_TRUE(radios[1].start(Base(), UnitOptions(radios[1], 1)));
    BatchRun batch(settings(3, true), {QString::fromStdString(radios[0].device()),
                                       QString::fromStdString(radios[1].device())});
    bool pressed = false;
    bool again = false;
    const bool finished = run(batch, 40000, [&](int) {
        const bool bothDone = batch.lane(0).state() == BatchLane::State::Done &&
                              batch.lane(1).state() == BatchLane::State::Done;
        if (bothDone && !pressed) {
            pressed = true;
            QTimer::singleShot(1200, &batch, [&batch] {
                batch.next(0);
                batch.next(1);
            });
        }
        if (pressed && !again && batch.lane(1).text().contains("already has number")) {
            again = true;
            // The number lane 1's radio got, whichever lane finished first.
            long lane1Number = -1;
            for (const RadioResult& r : batch.results()) {
                if (r.port == QString::fromStdString(radios[1].device())) {
                    lane1Number = r.number;
                }
            }
            EXPECT_EQ(batch.lane(1).againNumber(), lane1Number);
            batch.programAgain(1);
        }
    });
    ASSERT_TRUE(finished);
    ASSERT_TRUE(again);
    EXPECT_EQ(batch.numbers().deliveredCount(), 3);
    // Lane 1's radio: written twice, both times with its one number.
    EXPECT_EQ(writes(radios[1]), 2);
    std::map<long, int> times;
    for (const RadioResult& r : batch.results())
        times[r.number] += r.port == QString::fromStdString(radios[1].device());
    const long lane1 = held(radios[1], 1)[1];
    EXPECT_EQ(times[lane1], 2);
    EXPECT_EQ(held(radios[0], 2).size(), 2u);
}

// A port that cannot be opened says why, with the port advice, and its lane stops.
TEST_F(Fleet, APortThatCannotBeOpenedSaysWhyAndStops) {
    VirtualRadio locked;
    ASSERT_TRUE(locked.start(Base()));
    QSerialPort other(QString::fromStdString(locked.device())); // another program has it
    ASSERT_TRUE(other.open(QIODevice::ReadWrite));
    const std::string file = folder.file("not-a-port");
    std::ofstream(file) << "x";
    for (const std::string& device : {locked.device(), file}) {
        SCOPED_TRACE(device);
        BatchRun batch(settings(1, true), {QString::fromStdString(device)});
        ASSERT_TRUE(run(batch, 5000)); // no waiting forever
        EXPECT_EQ(batch.lane(0).state(), BatchLane::State::Stopped);
        EXPECT_TRUE(batch.lane(0).text().startsWith("Cannot Open Communication Port."))
            << batch.lane(0).text().toStdString();
        EXPECT_TRUE(batch.lane(0).text().contains(QString::fromStdString(device)));
    }
    EXPECT_TRUE(locked.frames().empty());
}

// A log line that cannot be written stops the batch, and the radio's number stays taken.
TEST_F(Fleet, ALogThatCannotBeWrittenStopsTheBatchAndKeepsTheNumber) {
    VirtualRadio radio;
    ASSERT_TRUE(radio.start(Base(), UnitOptions(radio, 2)));
    BatchSettings s = settings(2, true);
    std::ofstream(folder.file("blocked")) << "a file where the folder should be";
    s.logPath = QString::fromStdString(folder.file("blocked/log.csv"));
    BatchRun batch(s, {QString::fromStdString(radio.device())});
    ASSERT_TRUE(run(batch, 20000, nextAfterSwap(batch)));
    EXPECT_TRUE(batch.stoppedByLog());
    ASSERT_EQ(batch.results().size(), 1u);
    EXPECT_FALSE(batch.results()[0].ok);
    EXPECT_TRUE(batch.results()[0].written);
    EXPECT_EQ(batch.numbers().firstFree(), 2); // 1 is never handed out again
}

} // namespace
