// The lines a port failure is explained with, and finding the program that holds a
// busy port from its lock file or from the open files of the running processes.
#include "common/child_process.h"
#include "common/radio_process.h"
#include "link/port_problem.h"
#include "transfer_run.h"

#include <QCoreApplication>
#include <QSerialPort>

#include <gtest/gtest.h>

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

struct LinesCase {
    PortFailureKind kind;
    const char* holder;
    int language;
    std::vector<std::string> lines;
};

TEST(PortProblem, LinesNameTheDeviceTheReasonAndTheHolder) {
    const LinesCase cases[] = {
        {PortFailureKind::NotFound, "", 0, {"/dev/ttyUSB0: No such file or directory"}},
        {PortFailureKind::NoPermission, "", 1, {"/dev/ttyUSB0：No such file or directory"}},
        {PortFailureKind::Busy,
         "minicom",
         0,
         {"/dev/ttyUSB0 is in use by another program: minicom (process 12)."}},
        {PortFailureKind::Busy,
         "minicom",
         1,
         {"/dev/ttyUSB0 正被另一个程序占用：minicom（进程 12）。"}},
        {PortFailureKind::Busy, "", 0, {"/dev/ttyUSB0 is in use by another program."}},
        {PortFailureKind::Busy, "", 1, {"/dev/ttyUSB0 正被另一个程序占用。"}},
        {PortFailureKind::Lost,
         "",
         0,
         {"/dev/ttyUSB0: No such file or directory",
          "The serial device stopped answering during the transfer."}},
        {PortFailureKind::Lost,
         "",
         1,
         {"/dev/ttyUSB0：No such file or directory", "传输过程中串口设备停止响应。"}},
        {PortFailureKind::Other, "", 0, {"/dev/ttyUSB0: No such file or directory"}},
    };
    for (const LinesCase& c : cases) {
        PortFailure f{c.kind, "/dev/ttyUSB0", "No such file or directory", c.holder, 12};
        EXPECT_EQ(PortFailureLines(f, c.language), c.lines)
            << static_cast<int>(c.kind) << " " << c.language;
    }
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
