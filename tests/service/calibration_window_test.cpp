// A radio's calibration in the service window, as a dealer meets it: a write over the
// radio's own rows asks first and, cut off part-way, puts them back; an undo names the
// step it takes, and the service window says when its rows are no longer the radio's.
#include "service_fixture.h"

#include "common/radio_process.h"
#include "common/test_images.h"
#include "core/band_limits.h"
#include "link/service_round.h"

#include <QElapsedTimer>
#include <QLabel>

namespace r57::ui::testing {
namespace {

using test::VirtualRadio;

class CalibrationWindow : public ServiceTest {
protected:
    void SetUp() override {
        ServiceTest::SetUp();
        if (!VirtualRadio::Built())
            GTEST_SKIP() << "r57-radio is not built";
        radioMemory = test::RandomImage(43);
        StoreBandLimits(radioMemory, BandLimits::Defaults());
        VirtualRadio radio; // the radio's memory as its calibration leaves it
        ASSERT_TRUE(radio.start(radioMemory, {"--calibration", "9"}));
        own = *radio.stopAndTakeMemory();
    }

    void waitWhileBusy(ServiceWindow* w) {
        QElapsedTimer clock;
        clock.start();
        while (w->isTransferring() && clock.elapsed() < 60000)
            QTest::qWait(10);
        ASSERT_FALSE(w->isTransferring());
    }

    QString undoCaption() { return item("mnuEdit_Undo")->text().section('\t', 0, 0); }

    CodeplugImage radioMemory;
    CodeplugImage own;
};

} // namespace

TEST_F(CalibrationWindow, AWriteCutOffPartWayPutsTheRadiosOwnRowsBack) {
    VirtualRadio radio;
    ASSERT_TRUE(radio.start(radioMemory, {"--calibration", "9", "--cut-write", "7"}));
    session().portDevice = radio.device();
    ServiceWindow* w = service();
    ASSERT_NE(w, nullptr);
    w->showNode("C");
    // Write over them: OK; Retry/Cancel: Cancel; put them back: Yes; then OK.
    prompts.answers = {Answer::Ok, Answer::Cancel, Answer::Yes, Answer::Ok};
    press(w, 13);
    EXPECT_TRUE(w->isTransferring());
    waitWhileBusy(w);
    QElapsedTimer clock; // the way back is a second round
    clock.start();
    while (prompts.asked.size() < 4 && clock.elapsed() < 30000) {
        QTest::qWait(10);
        waitWhileBusy(w);
    }
    ASSERT_EQ(prompts.asked.size(), 4u);
    EXPECT_EQ(prompts.asked[0].text,
              link::ServiceReplaceQuestion(link::ServiceRows::Tuning, 18, 18, kEnglish));
    EXPECT_TRUE(prompts.asked[2].text.contains(
        "New: 0x0EE0-0x0F40. Perhaps new: 0x0F50. Still the radio's own: 0x0F60-0x0FF0."))
        << prompts.asked[2].text.toStdString();
    EXPECT_TRUE(prompts.asked[2].text.contains("Put the radio's own rows back now?"));
    EXPECT_EQ(prompts.asked[3].text, "The radio's own rows are back.");
    const auto memory = radio.stopAndTakeMemory();
    ASSERT_TRUE(memory);
    EXPECT_TRUE(*memory == own);
}

TEST_F(CalibrationWindow, UndoNamesItsStepAndTheServiceWindowSeesRowsNoLongerTheRadios) {
    VirtualRadio radio;
    ASSERT_TRUE(radio.start(radioMemory, {"--calibration", "9"}));
    session().portDevice = radio.device();
    EXPECT_EQ(undoCaption(), "&Undo");

    ServiceWindow* w = service();
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(w->findChild<QLabel*>("lblRadioRows")->isVisible());
    w->showNode("C");
    press(w, 12); // read the tuning rows
    waitWhileBusy(w);
    EXPECT_TRUE(test::SameRange(session().image, own, 0x0EE0, 0x1000));
    EXPECT_FALSE(w->findChild<QLabel*>("lblRadioRows")->isVisible());
    w->close();
    EXPECT_EQ(undoCaption(), "&Undo Service Read: Tuning");
    window->switchLanguage(kChinese);
    EXPECT_EQ(undoCaption(), QString::fromUtf8("撤销 维修读取：调试数据(&U)"));
    window->switchLanguage(kEnglish);

    clickTool("Undo");
    EXPECT_FALSE(test::SameRange(session().image, own, 0x0EE0, 0x1000));
    EXPECT_EQ(item("mnuEdit_Redo")->text().section('\t', 0, 0), "&Redo Service Read: Tuning");
    ServiceWindow* again = service();
    ASSERT_NE(again, nullptr);
    auto* note = again->findChild<QLabel*>("lblRadioRows");
    EXPECT_TRUE(note->isVisible());
    EXPECT_TRUE(note->text().startsWith("The tuning rows shown no longer match the radio's"));
    again->close();

    loadChannels({1, 2});
    trigger("mnuEdit_Copy");
    grid()->setCursor(5, 1);
    trigger("mnuEdit_Paste");
    EXPECT_EQ(undoCaption(), "&Undo Paste");
}

} // namespace r57::ui::testing

namespace r57::ui::testing {

TEST_F(CalibrationWindow, AWriteKeepsGainAndOldMemoryAndAStoppedWriteIsPutBack) {
    CodeplugImage first;
    {
        VirtualRadio radio;
        ASSERT_TRUE(radio.start(radioMemory, {"--calibration", "9"}));
        first = *radio.stopAndTakeMemory();
    }
    VirtualRadio radio;
    ASSERT_TRUE(radio.start(radioMemory, {"--calibration", "9", "--cut-write", "60"}));
    session().portDevice = radio.device();
    loadChannels({1, 2, 3});
    // Keep the memory: Yes; keep the radio's gain: Yes; Retry/Cancel: Cancel; put the
    // kept memory back: No (Yes would write again); the restore's last word: OK.
    prompts.answers = {Answer::Yes, Answer::Yes, Answer::Cancel, Answer::No, Answer::Ok};
    trigger("mnuTransfer_Write");
    QElapsedTimer clock;
    clock.start();
    while (prompts.asked.size() < 5 && clock.elapsed() < 90000)
        QTest::qWait(20);
    ASSERT_EQ(prompts.asked.size(), 5u);
    EXPECT_TRUE(prompts.asked[0].text.contains("Keep the radio's memory before writing"));
    EXPECT_TRUE(prompts.asked[1].text.startsWith("The radio's analogue gain rows"));
    EXPECT_TRUE(prompts.asked[3].text.startsWith(
        "The write stopped part-way. The radio now holds this codeplug's rows up to 0x"))
        << prompts.asked[3].text.toStdString();
    EXPECT_EQ(prompts.asked[4].text, "The radio holds the backup again, verified.");
    EXPECT_FALSE(find<QLabel>("staDateTime_ComStatus")->text().startsWith("Transfering"));
    EXPECT_FALSE(window->transferRunning());
    const auto memory = radio.stopAndTakeMemory();
    ASSERT_TRUE(memory);
    EXPECT_TRUE(*memory == first);
}

} // namespace r57::ui::testing
