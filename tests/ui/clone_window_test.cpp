#include "ui/main/clone_window.h"

#include "common/radio_process.h"
#include "core/session.h"
#include "core/strings.h"
#include "qt_environment.h"
#include "scripted_prompts.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace r57::ui {
namespace {

const auto* const kQt =
    ::testing::AddGlobalTestEnvironment(new test::QtEnvironment("clone_window_test"));

QString Str(int id, int language = kEnglish) {
    return QString::fromStdString(Text(id, language));
}

using test::VirtualRadio;

class CloneWindowTest : public ::testing::Test {
protected:
    void SetUp() override { session.resetToDefaults(); }

    Session session;
    ScriptedPrompts prompts;
    QWidget mainWindow;

    // Runs one transfer against a virtual radio started with `args`; returns the
    // arguments of transferEnded, or fails the test.
    void runAgainstRadio(CloneWindow& window, link::TransferKind kind,
                         const std::vector<std::string>& args, bool& success) {
        VirtualRadio radio;
        ASSERT_TRUE(radio.start(args));
        session.portDevice = radio.device();
        QSignalSpy ended(&window, &CloneWindow::transferEnded);
        ASSERT_TRUE(window.transferDatas(kind));
        EXPECT_TRUE(window.isRunning());
        EXPECT_FALSE(mainWindow.isEnabled());
        EXPECT_TRUE(window.isEnabled()); // its message boxes must be answerable
        ASSERT_TRUE(ended.wait(60000));
        ASSERT_EQ(ended.count(), 1);
        EXPECT_EQ(ended.at(0).at(0).value<link::TransferKind>(), kind);
        success = ended.at(0).at(1).toBool();
        EXPECT_FALSE(window.isRunning());
        EXPECT_TRUE(mainWindow.isEnabled());
    }
};

TEST_F(CloneWindowTest, APortThatCannotBeOpenedIsReportedAndTheMainWindowFreed) {
    struct Case {
        link::TransferKind kind;
        bool trace;
        int title;
        int maximum;
    };
    for (Case c : {Case{link::TransferKind::Read, false, 1288, 214},
                   Case{link::TransferKind::Write, true, 1289, 207}}) {
        session.traceMode = c.trace;
        session.portDevice = "/nonexistent/r57-port";
        prompts.asked.clear();
        CloneWindow window(session, prompts, &mainWindow);
        EXPECT_EQ(window.objectName(), "frmClone");
        QSignalSpy ended(&window, &CloneWindow::transferEnded);

        EXPECT_FALSE(window.transferDatas(c.kind));
        QTest::qWait(50);
        EXPECT_TRUE(mainWindow.isEnabled());
        EXPECT_FALSE(window.isVisible());
        EXPECT_FALSE(window.isRunning());
        EXPECT_EQ(ended.count(), 0);
        ASSERT_EQ(prompts.asked.size(), 1u);
        EXPECT_EQ(prompts.asked[0].icon, Icon::Warning);
        EXPECT_EQ(prompts.asked[0].buttons, Buttons::Ok);
        EXPECT_FALSE(prompts.asked[0].text.isEmpty());

        EXPECT_EQ(window.windowTitle(), Str(c.title));
        auto* bar = window.findChild<QProgressBar*>("ProgressBar1");
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(bar->maximum(), c.maximum);
        EXPECT_EQ(bar->value(), 0);
        ASSERT_NE(window.findChild<QPlainTextEdit*>("Text1"), nullptr);
    }
}

TEST_F(CloneWindowTest, CaptionFollowsTheLanguage) {
    session.language = kChinese;
    session.portDevice = "/nonexistent/r57-port";
    CloneWindow window(session, prompts, &mainWindow);
    window.transferDatas(link::TransferKind::Read);
    EXPECT_EQ(window.windowTitle(), Str(1288, kChinese));
    EXPECT_EQ(window.findChild<QLabel*>("Label1")->text(), Str(1287, kChinese) + ":  0%");
}

TEST_F(CloneWindowTest, ReadFromTheVirtualRadio) {
    if (!VirtualRadio::Built()) {
        GTEST_SKIP() << "r57-radio not built";
    }
    for (bool trace : {false, true}) {
        SCOPED_TRACE(trace ? "trace mode" : "hidden");
        session.resetToDefaults();
        session.traceMode = trace;
        const CodeplugImage before = session.image;
        CloneWindow window(session, prompts, &mainWindow);
        QSignalSpy log(&window, &CloneWindow::logChanged);
        QSignalSpy status(&window, &CloneWindow::statusChanged);
        bool success = false;
        runAgainstRadio(window, link::TransferKind::Read, {}, success);
        EXPECT_TRUE(success);
        EXPECT_TRUE(session.image != before);
        EXPECT_TRUE(prompts.asked.empty());
        ASSERT_FALSE(log.isEmpty());
        EXPECT_TRUE(log.last().at(0).toString().contains(Str(1292)));
        EXPECT_FALSE(status.isEmpty());
        auto* bar = window.findChild<QProgressBar*>("ProgressBar1");
        EXPECT_EQ(bar->value(), bar->maximum());

        // Only trace mode shows the window, with the byte transcript, after the end.
        EXPECT_EQ(window.isVisible(), trace);
        const QString transcript = window.findChild<QPlainTextEdit*>("Text1")->toPlainText();
        if (trace) {
            EXPECT_TRUE(transcript.contains("PC       : &H50  &H52"));
            EXPECT_TRUE(transcript.contains("RADIO: "));
        }
    }
}

TEST_F(CloneWindowTest, WriteToARadioOfAnotherModelIsRefused) {
    if (!VirtualRadio::Built()) {
        GTEST_SKIP() << "r57-radio not built";
    }
    session.modelCode = '0';
    CloneWindow window(session, prompts, &mainWindow);
    bool success = true;
    runAgainstRadio(window, link::TransferKind::Write, {"--model", "1"}, success);
    EXPECT_FALSE(success);
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].title, Str(1194));
    EXPECT_EQ(prompts.asked[0].text, Str(1385));
    EXPECT_EQ(prompts.asked[0].icon, Icon::Critical);
    EXPECT_EQ(prompts.asked[0].buttons, Buttons::Ok);
}

TEST_F(CloneWindowTest, ChangedBandLimitsAskBeforeWriting) {
    if (!VirtualRadio::Built()) {
        GTEST_SKIP() << "r57-radio not built";
    }
    prompts.answers = {Answer::Cancel};
    CloneWindow window(session, prompts, &mainWindow);
    bool success = true;
    runAgainstRadio(window, link::TransferKind::Write, {"--ident", "0102030405060708"}, success);
    EXPECT_FALSE(success);
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].title, Str(1194));
    EXPECT_EQ(prompts.asked[0].text, Str(1370));
    EXPECT_EQ(prompts.asked[0].icon, Icon::Critical);
    EXPECT_EQ(prompts.asked[0].buttons, Buttons::OkCancel);
    EXPECT_EQ(prompts.asked[0].defaultButton, Answer::Ok);
}

TEST_F(CloneWindowTest, ASilentRadioEndsInRetryOrCancel) {
    if (!VirtualRadio::Built()) {
        GTEST_SKIP() << "r57-radio not built";
    }
    prompts.answers = {Answer::Cancel};
    CloneWindow window(session, prompts, &mainWindow);
    bool success = true;
    runAgainstRadio(window, link::TransferKind::Read, {"--silent-after", "1"}, success);
    EXPECT_FALSE(success);
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].title, "Error");
    EXPECT_EQ(prompts.asked[0].text, Str(1291));
    EXPECT_EQ(prompts.asked[0].icon, Icon::Critical);
    EXPECT_EQ(prompts.asked[0].buttons, Buttons::RetryCancel);
    EXPECT_EQ(prompts.asked[0].defaultButton, Answer::Retry);
}

} // namespace
} // namespace r57::ui
