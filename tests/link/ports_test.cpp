// Port slots, port names, the probe, and a transfer whose port cannot be opened.
#include <core/session.h>
#include <link/port_slots.h>
#include <link/settings_store.h>
#include <link/transfer_driver.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

namespace r57::link {
namespace {

class Ports : public testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "ports_test";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance())
            new QCoreApplication(argc, argv);
        folder = new QTemporaryDir;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder->path());
    }
    static void TearDownTestSuite() {
        delete folder;
        folder = nullptr;
    }
    void SetUp() override {
        QSettings(QSettings::NativeFormat, QSettings::UserScope, "Tarvex", "R57").clear();
        for (int n = 1; n <= kPortSlots; ++n)
            qunsetenv(QStringLiteral("R57_COM%1").arg(n).toLatin1().constData());
    }
    void TearDown() override { SetUp(); }

    static QTemporaryDir* folder;
};
QTemporaryDir* Ports::folder = nullptr;

TEST_F(Ports, MachineDevicesGoByKindThenNumber) {
    const QStringList shuffled{"/dev/ttyS1",   "/dev/ttyUSB10", "/dev/ttyACM0", "/dev/ttyUSB2",
                               "/dev/ttyS0",   "/dev/ttyAMA0",  "/dev/ttyUSB9", "/dev/ttyS10",
                               "/dev/ttyACM1", "/dev/ttyS2",    "/dev/ttyS0"};
    const QStringList ordered{"/dev/ttyUSB2", "/dev/ttyUSB9", "/dev/ttyUSB10", "/dev/ttyACM0",
                              "/dev/ttyACM1", "/dev/ttyS0",   "/dev/ttyS1",    "/dev/ttyS2",
                              "/dev/ttyS10",  "/dev/ttyAMA0"};
    EXPECT_EQ(OrderSerialDevices(shuffled), ordered);
    const QStringList machine = MachineSerialDevices();
    EXPECT_EQ(OrderSerialDevices(machine), machine);
}

TEST_F(Ports, EnvironmentWinsOverPinWinsOverMachine) {
    const QStringList machine{"/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/ttyS0"};
    EXPECT_EQ(DeviceForSlot(1, machine), "/dev/ttyUSB0");
    EXPECT_EQ(DeviceForSlot(3, machine), "/dev/ttyS0");
    EXPECT_EQ(DeviceForSlot(4, machine), "");
    EXPECT_EQ(DeviceForSlot(0, machine), "");
    EXPECT_EQ(DeviceForSlot(21, machine), "");

    WriteSetting("Ports/COM2", "/dev/ttyACM7");
    WriteSetting("Ports/COM5", "/dev/ttyUSB4");
    EXPECT_EQ(DeviceForSlot(2, machine), "/dev/ttyACM7");
    EXPECT_EQ(DeviceForSlot(5, machine), "/dev/ttyUSB4");
    EXPECT_EQ(DeviceForSlot(3, machine), "/dev/ttyS0") << "a pin does not shift the others";

    qputenv("R57_COM2", "/dev/pts/9");
    EXPECT_EQ(DeviceForSlot(2, machine), "/dev/pts/9");
    EXPECT_EQ(DeviceForSlot(2), "/dev/pts/9");
    EXPECT_EQ(DeviceForSlot(1, machine), "/dev/ttyUSB0");
}

TEST_F(Ports, NamesOnTheCommandLine) {
    qputenv("R57_COM3", "/dev/pts/77");
    struct Case {
        const char* name;
        const char* device;
    };
    const Case cases[] = {
        {"/dev/ttyUSB5", "/dev/ttyUSB5"},
        {"COM3", "/dev/pts/77"},
        {"com3", "/dev/pts/77"},
        {"Com3", "/dev/pts/77"},
        {"3", "/dev/pts/77"},
        {" 3 ", "/dev/pts/77"},
        {"null", "/dev/null"},
        {"COM21", ""},
        {"0", ""},
        {"COM", ""},
        {"COM3x", ""},
        {"ttyNothing77", ""},
        {"", ""},
        {"../etc/passwd", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ResolvePortName(c.name).toStdString(), c.device) << '"' << c.name << '"';
}

TEST_F(Ports, ProbeFailsOnWhatIsNoSerialPort) {
    for (const char* device : {"", "/nonexistent/ttyUSB0", "/dev/null"}) {
        QElapsedTimer clock;
        clock.start();
        EXPECT_FALSE(ProbePort(device)) << device;
        EXPECT_LT(clock.elapsed(), 1000) << device;
    }
}

TEST_F(Ports, ProbeSendsAtiToATerminal) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    const QString slave = QString::fromLocal8Bit(ptsname(master));

    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(ProbePort(slave));
    const qint64 took = clock.elapsed();
    EXPECT_GE(took, 190);
    EXPECT_LT(took, 2000);

    fcntl(master, F_SETFL, O_NONBLOCK);
    char buffer[32] = {};
    const ssize_t n = read(master, buffer, sizeof buffer);
    EXPECT_EQ(QByteArray(buffer, n > 0 ? int(n) : 0), QByteArray("ATI1\r"));
    close(master);
}

TEST_F(Ports, TransferOnAPortThatCannotOpenTellsTheNotifier) {
    Session session;
    TransferDriver driver(session);
    std::vector<std::pair<int, QString>> notices;
    driver.setNotifier([&](int id, const QString& text) { notices.emplace_back(id, text); });
    bool finished = false;
    QObject::connect(&driver, &TransferDriver::finished, [&] { finished = true; });

    driver.setPort("/nonexistent/ttyUSB0");
    EXPECT_FALSE(driver.start(TransferKind::Read));
    EXPECT_FALSE(driver.isRunning());
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].first, 0);
    EXPECT_FALSE(notices[0].second.isEmpty());

    // Slot 4 pointed at a missing device by the environment: the same.
    driver.setPort({});
    session.portNumber = 4;
    qputenv("R57_COM4", "/nonexistent/ttyACM0");
    EXPECT_FALSE(driver.start(TransferKind::Write));
    EXPECT_EQ(notices.size(), 2u);
    QCoreApplication::processEvents();
    EXPECT_FALSE(finished);
}

} // namespace
} // namespace r57::link
