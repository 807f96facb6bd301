// Read from Radio and Write to Radio through the window, against the virtual radio
// on a pseudo-terminal.
#include "main_window_fixture.h"

#include "common/radio_process.h"
#include "core/data_file.h"
#include "ui/main/clone_window.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>

#include <functional>

namespace r57::ui::testing {
namespace {

using test::VirtualRadio;

class Transfer : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        if (!VirtualRadio::Built()) {
            GTEST_SKIP() << "r57-radio is not built";
        }
    }

    QString comStatus() { return find<QLabel>("staDateTime_ComStatus")->text(); }

    // Runs a confirmed transfer from the Transfer menu and waits until it has ended.
    void run(const char* menuItem) {
        prompts.answers = {Answer::Ok};
        trigger(menuItem);
        ASSERT_NE(window->cloneWindow(), nullptr) << prompts.lastText().toStdString();
        ASSERT_TRUE(WaitFor([this] { return window->cloneWindow() == nullptr; }, 60000));
        EXPECT_TRUE(window->isEnabled());
    }

    QTemporaryDir dir;
};

TEST_F(Transfer, ReadFillsTheGridModelAndLog) {
    VirtualRadio radio;
    ASSERT_TRUE(radio.start({"--model", "2"}));
    session().portDevice = radio.device();

    run("mnuTransfer_Read");
    ASSERT_FALSE(prompts.asked.empty());
    const AskedMessage& confirm = prompts.asked[0];
    EXPECT_EQ(confirm.text, Tr(1288) + "\n" + Tr(1320));
    EXPECT_EQ(confirm.title, "R57");
    EXPECT_EQ(confirm.icon, Icon::Question);
    EXPECT_EQ(confirm.buttons, Buttons::OkCancel);

    EXPECT_EQ(comStatus(), Tr(1389));
    EXPECT_TRUE(find<QPlainTextEdit>("TxtStatus")->toPlainText().contains(Tr(1292)));
    EXPECT_EQ(session().modelCode, '2');
    EXPECT_TRUE(find<QRadioButton>("OptModel_2")->isChecked());
    // The radio's data count as unsaved.
    EXPECT_TRUE(session().hasUnsavedChanges());
    // The shown grid is the image's bank A.
    CodeplugImage copy = session().image;
    const BankTexts texts = DecodeBank(copy, kBankA, kEnglish);
    for (int row = 1; row <= kChannelRows; ++row) {
        EXPECT_EQ(grid()->cellText(row, kColRx).toStdString(), texts[row - 1][kColRx]) << row;
    }
}

TEST_F(Transfer, WriteSendsTheEditedImageToTheRadio) {
    VirtualRadio radio;
    // The read, the look at the radio's gain row before the write, the write.
    ASSERT_TRUE(radio.start({"--exit-after-sessions", "3"}));
    session().portDevice = radio.device();

    run("mnuTransfer_Read");
    loadChannels({7, 8});
    prompts.asked.clear();
    run("mnuTransfer_Write");
    ASSERT_FALSE(prompts.asked.empty());
    EXPECT_EQ(prompts.asked[0].text, Tr(1289) + "\n" + Tr(1320));
    EXPECT_EQ(comStatus(), Tr(1389));
    EXPECT_TRUE(find<QPlainTextEdit>("TxtStatus")->toPlainText().contains(Tr(1293)));

    ASSERT_EQ(radio.waitForExit(10000), 0);
    LoadedFile inRadio = ReadDataFile(radio.savedMemoryPath());
    ASSERT_TRUE(inRadio.status.ok);
    for (int channel : {7, 8}) {
        EXPECT_EQ(Record(inRadio.image, kBankA, channel), Record(session().image, kBankA, channel));
        EXPECT_EQ(ReadChannelName(inRadio.image, NameSlot(kBankA, channel)),
                  ReadChannelName(session().image, NameSlot(kBankA, channel)));
    }
}

TEST_F(Transfer, CancelledConfirmationStartsNothing) {
    prompts.answers = {Answer::Cancel};
    trigger("mnuTransfer_Read");
    prompts.answers = {Answer::Cancel};
    clickTool("Write");
    EXPECT_EQ(prompts.asked.size(), 2u);
    EXPECT_EQ(window->cloneWindow(), nullptr);
    EXPECT_FALSE(session().hasUnsavedChanges());
}

TEST_F(Transfer, AReadThatCannotOpenThePortKeepsTheEditsUnsaved) {
    loadChannels({1});
    ASSERT_TRUE(session().hasUnsavedChanges());
    session().portDevice = dir.filePath("no-such-tty").toStdString();
    prompts.answers = {Answer::Ok};
    clickTool("Read");
    WaitFor([this] { return window->cloneWindow() == nullptr; }, 10000);
    EXPECT_GE(prompts.asked.size(), 2u); // the confirmation and the port's error
    EXPECT_TRUE(session().hasUnsavedChanges());
    EXPECT_TRUE(window->isEnabled());
}

TEST_F(Transfer, ReadInTraceModeKeepsTheCloneWindowOpen) {
    VirtualRadio radio;
    ASSERT_TRUE(radio.start());
    session().portDevice = radio.device();
    QTest::mouseClick(find<QWidget>("staDateTime"), Qt::RightButton,
                      Qt::ShiftModifier | Qt::ControlModifier);
    ASSERT_TRUE(session().traceMode);
    prompts.answers = {Answer::Ok};
    trigger("mnuTransfer_Read");
    ASSERT_NE(window->cloneWindow(), nullptr);
    ASSERT_TRUE(WaitFor([this] { return !window->cloneWindow()->isRunning(); }, 60000));
    QTest::qWait(50);
    ASSERT_NE(window->cloneWindow(), nullptr);
    EXPECT_TRUE(window->cloneWindow()->isVisible());
    EXPECT_EQ(comStatus(), Tr(1389));
}

} // namespace
} // namespace r57::ui::testing
