// The write round against the virtual radio: the rows looked at first and what check()
// makes of them, the old memory read and kept first (and a write refused when it cannot
// be kept), the write, the read-back, and the one outcome each way ends in.
#include "common/radio_process.h"

#include "core/address_map.h"
#include "core/band_limits.h"
#include "core/session.h"
#include "link/write_round.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include <fstream>

using namespace r57;
using namespace r57::link;
using namespace r57::test;

namespace {

void EnsureApplication() {
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "write_round_test";
    static char* argv[] = {name, nullptr};
    new QCoreApplication(argc, argv);
}

CodeplugImage Banded(int seed) {
    CodeplugImage image = RandomImage(seed);
    StoreBandLimits(image, BandLimits::Defaults());
    return image;
}

TEST(WriteRoundOnARadio, EveryOptionEndsInOneOutcome) {
    EnsureApplication();
    TempFolder folder;
    const CodeplugImage old = Banded(3);
    const CodeplugImage mine = Banded(4);
    constexpr int kGainRow = 0x0EE; // a row the write sends, kept as the radio has it
    struct Case {
        const char* name;
        std::vector<std::string> radio;
        bool readOld, verify, refuse, keepGain, unkeepable;
        WriteResult result;
        WriteWhy why;
        std::vector<const char*> stages; // besides Write
    };
    const Case table[] = {
        {"verified, rows looked at",
         {},
         false,
         true,
         false,
         true,
         false,
         WriteResult::WrittenVerified,
         WriteWhy::None,
         {"look", "verify"}},
        {"refused by check",
         {},
         false,
         true,
         true,
         false,
         false,
         WriteResult::NotWritten,
         WriteWhy::Refused,
         {"look"}},
        {"old memory kept first",
         {},
         true,
         false,
         false,
         false,
         false,
         WriteResult::WrittenNotVerified,
         WriteWhy::VerifyOff,
         {"old"}},
        {"old memory cannot be kept",
         {},
         true,
         true,
         false,
         false,
         true,
         WriteResult::NotWritten,
         WriteWhy::OldNotKept,
         {"old"}},
        {"a byte kept wrong",
         {"--corrupt-write", "0x1A2B"},
         false,
         true,
         false,
         false,
         false,
         WriteResult::WrittenNotVerified,
         WriteWhy::VerifyMismatch,
         {"look", "verify"}},
        {"silent half-way",
         {"--silent-after", "60"},
         false,
         true,
         false,
         false,
         false,
         WriteResult::WrittenNotVerified,
         WriteWhy::WriteStopped,
         {"look"}},
        {"no radio",
         {"--silent-after", "0"},
         false,
         true,
         false,
         false,
         false,
         WriteResult::NotWritten,
         WriteWhy::LookFailed,
         {"look"}},
    };
    for (const Case& c : table) {
        SCOPED_TRACE(c.name);
        VirtualRadio radio;
        ASSERT_TRUE(radio.start(old, c.radio));
        Session session;
        session.image = mine;
        session.updateRadioTime = false;
        TransferDriver driver(session);
        driver.setPort(QString::fromStdString(radio.device()));
        WriteRound round(driver, session);
        std::vector<std::string> stages;
        QObject::connect(&round, &WriteRound::stageChanged, [&](RoundStage s) {
            if (s == RoundStage::Look)
                stages.push_back("look");
            else if (s == RoundStage::ReadOld)
                stages.push_back("old");
            else if (s == RoundStage::Verify)
                stages.push_back("verify");
        });
        WriteRoundOptions options;
        options.readOldFirst = c.readOld;
        options.verify = c.verify;
        options.backupFolder = QString::fromStdString(folder.file(c.name));
        if (c.unkeepable) {
            std::ofstream(folder.file("blocked")) << "x";
            options.backupFolder = QString::fromStdString(folder.file("blocked"));
        }
        if (!c.readOld)
            options.lookRows = {kGainRow};
        CodeplugImage looked;
        options.check = [&](const CodeplugImage& rows, CodeplugImage& toSend) {
            looked = rows;
            if (c.keepGain)
                for (int i = 0; i < addr::kRowSize; ++i)
                    toSend.set(kGainRow * addr::kRowSize + i,
                               rows.at(kGainRow * addr::kRowSize + i));
            return c.refuse ? std::optional<QString>("not this one") : std::nullopt;
        };
        QEventLoop loop;
        QObject::connect(&round, &WriteRound::finished, &loop, &QEventLoop::quit);
        QTimer::singleShot(60000, &loop, &QEventLoop::quit);
        ASSERT_TRUE(round.start(options));
        loop.exec();
        const WriteOutcome& o = round.outcome();
        EXPECT_EQ(o.result, c.result) << o.reason.toStdString();
        EXPECT_EQ(o.why, c.why) << o.reason.toStdString();
        EXPECT_EQ(stages, std::vector<std::string>(c.stages.begin(), c.stages.end()));
        if (c.why == WriteWhy::LookFailed || c.name == std::string("silent half-way"))
            continue;
        // The rows looked at are the radio's own, 0xFF elsewhere (or its whole memory).
        EXPECT_EQ(looked.at(kGainRow * addr::kRowSize), old.at(kGainRow * addr::kRowSize));
        if (!c.readOld)
            EXPECT_EQ(looked.at(0x1000), 0xFF);
        else
            EXPECT_TRUE(o.oldMemory.has_value());
        const auto saved = radio.stopAndTakeMemory();
        ASSERT_TRUE(saved);
        if (c.result == WriteResult::NotWritten) {
            EXPECT_TRUE(*saved == old);
            continue;
        }
        EXPECT_EQ(saved->at(0x1000), mine.at(0x1000));
        EXPECT_EQ(saved->at(kGainRow * addr::kRowSize),
                  (c.keepGain ? old : mine).at(kGainRow * addr::kRowSize));
        if (c.why == WriteWhy::VerifyMismatch) {
            ASSERT_TRUE(o.readBack);
            EXPECT_EQ(o.verify.firstAddress, 0x1A2B);
            EXPECT_TRUE(o.backups.back().path.contains("verify-read"));
        }
    }
}

} // namespace
