// The service window's read and write buttons against the virtual radio: each moves
// only its rows, through the clone window but without the main window's log, and a
// read that fails leaves the image and the page as they were.
#include "service_fixture.h"

#include "common/radio_process.h"
#include "common/test_images.h"
#include "core/band_limits.h"
#include "core/data_file.h"
#include "link/backups.h"
#include "link/service_round.h"
#include "model/service/analogue_gain_page.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTreeWidget>

#include <algorithm>

namespace r57::ui::testing {
namespace {

using test::VirtualRadio;

constexpr int kRangeRows[] = {addr::kBandLimits, addr::kVfoA, addr::kVfoB};

bool SameRangeRows(const CodeplugImage& a, const CodeplugImage& b) {
    return std::all_of(std::begin(kRangeRows), std::end(kRangeRows),
                       [&](int row) { return test::SameRange(a, b, row, row + 16); });
}

class ServiceTransfer : public ServiceTest {
protected:
    void SetUp() override {
        ServiceTest::SetUp();
        if (!VirtualRadio::Built()) {
            GTEST_SKIP() << "r57-radio is not built";
        }
        radioMemory = test::RandomImage(41);
        BandLimits limits;
        limits.low = {410, 410, 140, 140};
        limits.high = {470, 470, 170, 170};
        StoreBandLimits(radioMemory, limits);
    }

    // Presses a read or write button and waits for the transfer to end.
    void run(ServiceWindow* w, int button, int busyId) {
        press(w, button);
        ASSERT_TRUE(w->isTransferring()) << prompts.lastText().toStdString();
        EXPECT_TRUE(in(w, "Label2")->isVisible());
        EXPECT_EQ(in<QLabel>(w, "Label2")->text(), Tr(busyId));
        EXPECT_FALSE(in(w, "CmdAdv_0")->isEnabled());
        EXPECT_FALSE(in(w, "TreeAdv")->isEnabled());
        w->close(); // not while the port is in use
        EXPECT_TRUE(w->isVisible());
        QElapsedTimer clock;
        clock.start();
        while (w->isTransferring() && clock.elapsed() < 60000) {
            QTest::qWait(10);
        }
        ASSERT_FALSE(w->isTransferring());
        EXPECT_FALSE(in(w, "Label2")->isVisible());
        EXPECT_TRUE(in(w, "CmdAdv_0")->isEnabled());
    }

    CodeplugImage radioMemory;
};

TEST_F(ServiceTransfer, RangesAndTuningComeAndGoWithTheRadio) {
    VirtualRadio radio;
    ASSERT_TRUE(radio.start(radioMemory));
    session().portDevice = radio.device();
    loadChannels({1});
    const QString status = find<QPlainTextEdit>("TxtStatus")->toPlainText();
    const CodeplugImage before = session().image;
    ServiceWindow* w = service();
    ASSERT_NE(w, nullptr);

    run(w, 0, 1379); // read the ranges
    EXPECT_TRUE(prompts.asked.empty());
    EXPECT_TRUE(SameRangeRows(session().image, radioMemory));
    CodeplugImage rest = session().image;
    for (int row : kRangeRows) {
        rest.write(row, before.data() + row, 16);
    }
    EXPECT_TRUE(rest == before); // nothing else came
    EXPECT_EQ(session().bands.low[0], 410);
    EXPECT_EQ(in<CellGrid>(w, "GridFreqSet")->cell(0, 1), "410");
    auto* tree = in<QTreeWidget>(w, "TreeAdv");
    EXPECT_EQ(tree->topLevelItem(0)->child(1)->child(0)->text(0), "Band 410-470");
    EXPECT_EQ(find<QPlainTextEdit>("TxtStatus")->toPlainText(), status); // no main-window log
    EXPECT_NE(Record(session().image, kBankA, 1), EmptyRecord());

    // Write an edited range: stored first (New's question declined), then the radio's
    // own rows, read first, are asked about (the band row, with the radio's other
    // limits, is the one that differs).
    typeInCell(w, "GridFreqSet", 0, 2, "480", "TxtFreqSet");
    prompts.answers = {Answer::Yes, Answer::Cancel, Answer::Ok};
    run(w, 1, 1380);
    ASSERT_EQ(prompts.asked.size(), 3u);
    EXPECT_EQ(prompts.asked[0].text, Tr(1378));
    EXPECT_EQ(prompts.asked[1].text, Tr(1201));
    EXPECT_EQ(prompts.asked[2].text,
              link::ServiceReplaceQuestion(link::ServiceRows::Ranges, 1, 3, kEnglish));
    EXPECT_EQ(prompts.asked[2].title, "Warning");
    EXPECT_EQ(w->lastWriteOutcome().section('\n', 0, 0),
              "The frequency-range rows were written and read back the same.");
    EXPECT_EQ(session().bands.high[0], 480);

    // The tuning rows into the gain and deviation pages.
    w->showNode("C");
    prompts.asked.clear();
    run(w, 12, 1379);
    EXPECT_TRUE(
        test::SameRange(session().image, radioMemory, addr::kGainSteps, addr::kServiceTuningEnd));
    const int fine3 = r57::service::AnalogueGainPage::DecodeFine(
        3, radioMemory.at(addr::kFineTuning + 6), radioMemory.at(addr::kFineTuning + 7));
    EXPECT_EQ(in<QLineEdit>(w, "Text1_3")->text(), QString::number(fine3));
    w->showNode("B");
    EXPECT_EQ(in<CellGrid>(w, "TunGrid_0")->cell(0, 0), QString::number(radioMemory.at(0x0FDC)));

    const auto memory = radio.stopAndTakeMemory();
    ASSERT_TRUE(memory);
    EXPECT_TRUE(SameRangeRows(*memory, session().image));
    EXPECT_EQ(memory->at(addr::kBandLimits + 2), 0x48);
    EXPECT_TRUE(prompts.asked.empty());
    const auto frames = radio.frames();
    EXPECT_EQ(std::count(frames.begin(), frames.end(), "W 0D00 10"), 1);
    EXPECT_EQ(std::count_if(frames.begin(), frames.end(),
                            [](const std::string& f) { return f.rfind("W 0", 0) == 0; }),
              3); // the three range rows, nothing else written
}

TEST_F(ServiceTransfer, AFailedReadLeavesTheImageAndThePage) {
    VirtualRadio radio;
    // The band row arrives, then the radio falls silent.
    ASSERT_TRUE(radio.start(radioMemory, {"--silent-after", "5"}));
    session().portDevice = radio.device();
    ServiceWindow* w = service();
    ASSERT_NE(w, nullptr);
    typeInCell(w, "GridFreqSet", 1, 1, "420", "TxtFreqSet");
    const CodeplugImage before = session().image;

    prompts.answers = {Answer::Cancel}; // "Check Connection. Retry or Cancel?"
    run(w, 0, 1379);
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].text, Tr(1291));
    EXPECT_TRUE(session().image == before);
    EXPECT_EQ(session().bands, BandLimits::Defaults());
    EXPECT_EQ(in<CellGrid>(w, "GridFreqSet")->cell(1, 1), "420");
    EXPECT_EQ(in<CellGrid>(w, "GridFreqSet")->cell(0, 1), "400");
    EXPECT_TRUE(w->isChanged());
}

TEST_F(ServiceTransfer, CancelledEditsOrAPortThatDoesNotOpenSendNothing) {
    QTemporaryDir dir;
    session().portDevice = dir.filePath("no-such-tty").toStdString();
    ServiceWindow* w = service();
    ASSERT_NE(w, nullptr);
    typeInCell(w, "GridFreqSet", 0, 1, "410", "TxtFreqSet");
    prompts.answers = {Answer::Cancel}; // 1378 before the write: the edits stay unsent
    press(w, 1);
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].text, Tr(1378));
    EXPECT_TRUE(w->isChanged());
    EXPECT_EQ(in<CellGrid>(w, "GridFreqSet")->cell(0, 1), "410");

    prompts.asked.clear();
    prompts.answers = {Answer::No};
    press(w, 1);
    ASSERT_EQ(prompts.asked.size(), 2u);
    EXPECT_FALSE(w->isTransferring());
    EXPECT_EQ(prompts.asked[1].title, "R57"); // the port's own error
    EXPECT_FALSE(in(w, "Label2")->isVisible());
    EXPECT_TRUE(in(w, "CmdAdv_1")->isEnabled());
}

TEST_F(ServiceTransfer, EachReadKeepsABackupOfTheImageItMade) {
    const QDir backups(link::BackupFolder());
    QDir(backups).removeRecursively();
    VirtualRadio radio;
    ASSERT_TRUE(radio.start(radioMemory));
    session().portDevice = radio.device();
    ServiceWindow* w = service();
    ASSERT_NE(w, nullptr);
    run(w, 0, 1379);
    const CodeplugImage afterRanges = session().image;
    w->showNode("C");
    run(w, 12, 1379);
    for (const auto& [kind, image] :
         {std::pair{"ranges-read", afterRanges}, std::pair{"tuning-read", session().image}}) {
        const QStringList names = backups.entryList({QString("*_%1.dat").arg(kind)});
        ASSERT_EQ(names.size(), 1) << kind;
        EXPECT_TRUE(ReadDataFile(backups.filePath(names[0]).toStdString()).image == image);
    }
}

} // namespace
} // namespace r57::ui::testing
