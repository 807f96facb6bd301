// The program ending while a read from the virtual radio runs: told to quit, SIGTERM or
// SIGINT, or the window simply going away. The read ends as Cancel ends it (the radio
// gets its closing "E"), at once, and nothing is left to call into the window.
#include "main_window_fixture.h"

#include "common/radio_process.h"
#include "ui/main/termination_signals.h"

#include <QProgressBar>
#include <QTimer>

#include <csignal>
#include <cstdio>

namespace r57::ui::testing {
namespace {

using test::VirtualRadio;

class Quit : public MainWindowTest {
protected:
    void SetUp() override {
        if (!VirtualRadio::Built()) {
            GTEST_SKIP() << "r57-radio is not built";
        }
        MainWindowTest::SetUp();
    }

    // A read from a radio at the real line speed, some blocks in.
    void startRead(VirtualRadio& radio) {
        ASSERT_TRUE(radio.start({"--baud", "9600"}));
        session().portDevice = radio.device();
        prompts.answers = {Answer::Ok};
        trigger("mnuTransfer_Read");
        auto* bar = find<QProgressBar>("prgTransfer");
        ASSERT_TRUE(WaitFor([bar] { return bar->value() >= 10; }, 10000));
        ASSERT_TRUE(window->transferRunning());
    }
    static bool EndedWithE(const VirtualRadio& radio) {
        return WaitFor([&radio] { return !radio.frames().empty() && radio.frames().back() == "E"; },
                       2000);
    }
};

TEST_F(Quit, QuittingOrATerminationSignalDuringAReadEndsTheReadFirst) {
    struct Way {
        const char* name;
        void (*end)();
        int exitCode;
    };
    const Way ways[] = {
        {"told to quit", [] { QCoreApplication::quit(); }, 0},
        {"SIGTERM", [] { std::raise(SIGTERM); }, 128 + SIGTERM},
        {"SIGINT", [] { std::raise(SIGINT); }, 128 + SIGINT},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        open();
        EndOnTerminationSignals();
        VirtualRadio radio;
        startRead(radio);
        prompts.answers = {Answer::No}; // what the radio sent is not kept
        QTimer::singleShot(0, way.end);
        QElapsedTimer clock;
        clock.start();
        EXPECT_EQ(QCoreApplication::exec(), way.exitCode);
        std::printf("%s during a read: ended after %lld ms\n", way.name, clock.elapsed());
        EXPECT_FALSE(window->transferRunning());
        EXPECT_TRUE(EndedWithE(radio));
        window.reset();
    }

    // The window going away with the read still running.
    open();
    VirtualRadio radio;
    startRead(radio);
    window.reset();
    EXPECT_TRUE(EndedWithE(radio));
}

} // namespace
} // namespace r57::ui::testing
