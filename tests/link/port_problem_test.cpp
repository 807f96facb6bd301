// The lines a port failure is explained with, and finding the program that holds a
// busy port from its lock file or from the open files of the running processes.
#include "common/child_process.h"
#include "common/radio_process.h"
#include "link/port_problem.h"
#include "transfer_run.h"

#include <QCoreApplication>
#include <QSerialPort>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace r57;
using namespace r57::link;

namespace {

std::string Comm() {
    std::ifstream in("/proc/self/comm");
    std::string name;
    std::getline(in, name);
    return name;
}

// The system's words come first, then the advice of the facts gathered for the kind:
// `lines` are the first lines, `advice` a word the advice must hold.
struct LinesCase {
    PortFailureKind kind;
    PortAdviceKind advice;
    int language;
    std::vector<std::string> lines;
    const char* adviceWord;
};

TEST(PortProblem, LinesNameTheDeviceTheReasonThenTheAdvice) {
    const LinesCase cases[] = {
        {PortFailureKind::NotFound,
         PortAdviceKind::NoSuchDevice,
         0,
         {"/dev/ttyUSB0: No such file or directory"},
         "Plug the cable"},
        {PortFailureKind::NoPermission,
         PortAdviceKind::PermissionDenied,
         1,
         {"/dev/ttyUSB0：No such file or directory"},
         "usermod"},
        {PortFailureKind::Busy,
         PortAdviceKind::Busy,
         0,
         {"/dev/ttyUSB0 is in use by another program: minicom (process 12)."},
         "Close that"},
        {PortFailureKind::Busy,
         PortAdviceKind::Busy,
         1,
         {"/dev/ttyUSB0 正被另一个程序占用：minicom（进程 12）。"},
         "关闭"},
        {PortFailureKind::Lost,
         PortAdviceKind::VanishedCh340,
         0,
         {"/dev/ttyUSB0: No such file or directory",
          "The serial device stopped answering during the transfer."},
         "brltty"},
        {PortFailureKind::Lost,
         PortAdviceKind::Other,
         1,
         {"/dev/ttyUSB0：No such file or directory", "传输过程中串口设备停止响应。"},
         ""},
        {PortFailureKind::Other,
         PortAdviceKind::Other,
         0,
         {"/dev/ttyUSB0: No such file or directory"},
         ""},
    };
    for (const LinesCase& c : cases) {
        const PortFailure f{c.kind, "/dev/ttyUSB0", "No such file or directory", "minicom", 12};
        PortFailureFacts facts;
        facts.kind = c.advice;
        facts.device = f.device;
        facts.holder = f.holder;
        facts.holderPid = f.holderPid;
        const std::vector<std::string> lines = PortFailureLines(f, facts, c.language);
        SCOPED_TRACE(static_cast<int>(c.kind));
        const std::size_t own = c.kind == PortFailureKind::Busy ? 0 : c.lines.size();
        ASSERT_EQ(lines.size(), own + (c.advice == PortAdviceKind::Other ? 0 : 2));
        for (std::size_t i = 0; i < own; ++i)
            EXPECT_EQ(lines[i], c.lines[i]);
        if (c.kind == PortFailureKind::Busy)
            EXPECT_EQ(lines[0], c.lines[0]); // the advice names the holder
        if (c.advice != PortAdviceKind::Other)
            EXPECT_NE(lines.back().find(c.adviceWord), std::string::npos) << lines.back();
    }
}

// A fake sysfs: a CH340 on the bus with or without a serial port on its interface.
TEST(PortProblem, ACh340WithoutItsPortIsFoundOnTheBus) {
    for (bool withPort : {false, true}) {
        test::TempFolder sys;
        const std::string device = sys.path() + "/bus/usb/devices/1-2";
        std::filesystem::create_directories(device + "/1-2:1.0");
        std::ofstream(device + "/idVendor") << "1a86\n";
        std::ofstream(device + "/idProduct") << "7523\n";
        if (withPort)
            std::filesystem::create_directories(device + "/1-2:1.0/ttyUSB0");
        EXPECT_EQ(Ch340WithoutPort(sys.path()), !withPort);
        const PortFailure gone{PortFailureKind::NotFound, "/dev/r57-no-such-port", "", "", 0};
        EXPECT_EQ(GatherAdviceFacts(gone, sys.path()).kind,
                  withPort ? PortAdviceKind::NoSuchDevice : PortAdviceKind::VanishedCh340);
    }
    const PortFailure busy{PortFailureKind::Busy, "/dev/null", "", "minicom", 7};
    EXPECT_EQ(GatherAdviceFacts(busy).holderPid, 7);
    const PortFailure alive{PortFailureKind::Lost, "/dev/null", "Input/output error", "", 0};
    EXPECT_EQ(GatherAdviceFacts(alive).kind, PortAdviceKind::Other); // still there: no cable advice
}

TEST(PortProblem, TheLockFileNamesTheHolder) {
    test::TempFolder locks;
    // Text as most programs write it, padded to ten characters.
    std::ofstream(locks.file("LCK..ttyUSB7")) << "      " << getpid() << "\n";
    const PortHolder holder = FindPortHolder("/dev/ttyUSB7", {locks.path()});
    EXPECT_EQ(holder.name, Comm());
    EXPECT_EQ(holder.pid, getpid());
    // A lock left by a process that has ended names nobody.
    std::ofstream(locks.file("LCK..ttyUSB8")) << "999999999\n";
    EXPECT_EQ(FindPortHolder("/dev/ttyUSB8", {locks.path()}).pid, 0);
}

TEST(PortProblem, APortHeldOpenIsReportedBusyWithItsHolder) {
    test::VirtualRadio radio;
    ASSERT_TRUE(radio.start());
    static int argc = 1;
    static char name[] = "port_problem_test";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        new QCoreApplication(argc, argv); // lives for the whole test program
    QSerialPort holder(QString::fromStdString(radio.device()));
    ASSERT_TRUE(holder.open(QIODevice::ReadWrite)) << holder.errorString().toStdString();

    Session session;
    const test::TransferOutcome out =
        test::RunTransfer(session, radio.device(), TransferKind::Read);
    EXPECT_FALSE(out.started);
    ASSERT_TRUE(out.failure);
    EXPECT_EQ(out.failure->kind, PortFailureKind::Busy);
    EXPECT_EQ(out.failure->holder, Comm());
    EXPECT_EQ(out.failure->holderPid, getpid());
}

} // namespace
