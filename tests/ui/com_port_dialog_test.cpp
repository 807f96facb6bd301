#include "ui/main/com_port_dialog.h"

#include "core/session.h"
#include "core/strings.h"
#include "qt_environment.h"

#include <QApplication>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <set>

namespace r57::ui {
namespace {

const auto* const kQt =
    ::testing::AddGlobalTestEnvironment(new test::QtEnvironment("com_port_dialog_test"));

// Slots 1..6 have devices "/dev/fake1".."/dev/fake6"; the probe answers for those in
// `answering` and notes every device it was asked about.
struct FakePorts {
    std::set<int> answering;
    std::set<QString> probed;

    PortAccess access() {
        return {[](int slot) { return slot <= 6 ? QString("/dev/fake%1").arg(slot) : QString(); },
                [this](const QString& device) {
                    probed.insert(device);
                    return answering.count(device.mid(9).toInt()) > 0;
                }};
    }
};

QRadioButton* Option(QDialog& dialog, int index) {
    return dialog.findChild<QRadioButton*>(QString("Option1_%1").arg(index));
}

QPushButton* Command(QDialog& dialog, int index) {
    return dialog.findChild<QPushButton*>(QString("Command1_%1").arg(index));
}

class ComPortDialogTest : public ::testing::Test {
protected:
    Session session;
    FakePorts ports;
};

TEST_F(ComPortDialogTest, CaptionsInBothLanguages) {
    for (int language : {kEnglish, kChinese}) {
        session.language = language;
        ComPortDialog dialog(session, nullptr, ports.access());
        EXPECT_EQ(dialog.objectName(), "frmComPort");
        EXPECT_TRUE(dialog.isModal());
        const QString caption = QString::fromStdString(Text(1183, language));
        EXPECT_EQ(dialog.windowTitle(), caption);
        auto* frame = dialog.findChild<QGroupBox*>("Frame1");
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(frame->title(), caption);
        ASSERT_NE(Command(dialog, 0), nullptr);
        ASSERT_NE(Command(dialog, 1), nullptr);
        EXPECT_EQ(Command(dialog, 0)->text(), QString::fromStdString(Text(1058, language)));
        EXPECT_EQ(Command(dialog, 1)->text(), QString::fromStdString(Text(1059, language)));
        for (int i = 0; i < 20; ++i) {
            ASSERT_NE(Option(dialog, i), nullptr) << i;
            EXPECT_EQ(Option(dialog, i)->text(), QString("COM%1").arg(i + 1));
        }
        EXPECT_EQ(Option(dialog, 20), nullptr);
    }
    session.language = kEnglish;
    ComPortDialog english(session, nullptr, ports.access());
    EXPECT_EQ(english.windowTitle(), "Communication Port");
    EXPECT_EQ(Command(english, 0)->text(), "&OK");
    EXPECT_EQ(Command(english, 1)->text(), "&Cancel");
}

TEST_F(ComPortDialogTest, OnlySlotsWhoseDeviceAnswersAreEnabled) {
    ports.answering = {2, 5};
    ComPortDialog dialog(session, nullptr, ports.access());
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(Option(dialog, i)->isEnabled(), i == 1 || i == 4) << "COM" << i + 1;
    }
    // Slots without a device are never probed.
    EXPECT_EQ(ports.probed.size(), 6u);
    EXPECT_EQ(Option(dialog, 2)->toolTip(), "/dev/fake3");
    EXPECT_FALSE(Option(dialog, 10)->toolTip().isEmpty());
    EXPECT_FALSE(Option(dialog, 10)->toolTip().startsWith("/dev/"));
}

TEST_F(ComPortDialogTest, CurrentSlotStaysSelectedAndOkKeepsItWhenNothingAnswers) {
    session.portNumber = 3;
    ComPortDialog dialog(session, nullptr, ports.access());
    dialog.show();
    for (int i = 0; i < 20; ++i) {
        EXPECT_FALSE(Option(dialog, i)->isEnabled());
    }
    EXPECT_TRUE(Option(dialog, 2)->isChecked());
    QTest::mouseClick(Option(dialog, 4), Qt::LeftButton); // disabled: no effect
    EXPECT_EQ(dialog.selectedSlot(), 3);
    QTest::mouseClick(Command(dialog, 0), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(session.portNumber, 3);
}

TEST_F(ComPortDialogTest, OkTakesTheChosenSlotAndCancelLeavesThePort) {
    struct Case {
        int clickCommand;
        int expectedPort;
        int expectedResult;
    };
    for (Case c : {Case{0, 5, QDialog::Accepted}, Case{1, 2, QDialog::Rejected}}) {
        session.portNumber = 2;
        ports.answering = {2, 5};
        ComPortDialog dialog(session, nullptr, ports.access());
        dialog.show();
        QTest::mouseClick(Option(dialog, 4), Qt::LeftButton);
        EXPECT_TRUE(Option(dialog, 4)->isChecked());
        EXPECT_FALSE(Option(dialog, 1)->isChecked());
        QTest::mouseClick(Command(dialog, c.clickCommand), Qt::LeftButton);
        EXPECT_EQ(dialog.result(), c.expectedResult);
        EXPECT_EQ(session.portNumber, c.expectedPort);
    }
}

TEST_F(ComPortDialogTest, ADeviceNamedOutrightIsShownOnItsSlot) {
    session.portNumber = 1;
    session.portDevice = "/dev/fake4";
    ports.answering = {1, 4};
    {
        ComPortDialog dialog(session, nullptr, ports.access());
        EXPECT_TRUE(Option(dialog, 3)->isChecked());
        dialog.accept(); // unchanged choice: the named device stays
        EXPECT_EQ(session.portNumber, 4);
        EXPECT_EQ(session.portDevice, "/dev/fake4");
    }
    ComPortDialog dialog(session, nullptr, ports.access());
    Option(dialog, 0)->setChecked(true);
    dialog.accept(); // another slot chosen: it replaces the named device
    EXPECT_EQ(session.portNumber, 1);
    EXPECT_EQ(session.portDevice, "");
}

} // namespace
} // namespace r57::ui
