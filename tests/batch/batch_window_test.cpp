// Transfer > Program Several Radios... (frmBatch) as a user drives it: the rules typed,
// the first radios shown, a refused rule stopping the batch before anything is sent,
// a lane's radios taken with Next (Enter), the log and the offer to continue, Cancel.
#include "main_window_fixture.h"

#include "common/radio_process.h"
#include "core/band_limits.h"
#include "ui/batch/batch_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>

namespace r57::ui::testing {
namespace {

using test::VirtualRadio;

class BatchWindowTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        InstallBatchWindow(*window);
        StoreBandLimits(session().image, BandLimits::Defaults());
        session().updateRadioTime = false;
    }

    BatchWindow* openBatch() {
        trigger("mnuTransfer_Batch");
        auto* dialog = window->findChild<BatchWindow*>("frmBatch");
        EXPECT_NE(dialog, nullptr);
        if (dialog)
            dialog->setLogFolder(logs.path());
        return dialog;
    }
    template <class T = QWidget> T* in(QWidget* dialog, const QString& name) {
        T* found = dialog->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    void type(QWidget* w, const QString& text) {
        QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(w, Qt::Key_Delete);
        QTest::keyClicks(w, text);
    }
    void setRule(QWidget* dialog, const QString& field, const QString& pattern) {
        type(in<QComboBox>(dialog, "cboRuleField_0")->lineEdit(), field);
        type(in<QLineEdit>(dialog, "txtRulePattern_0"), pattern);
    }
    // Ticks only the port of `device` in the list of slots.
    void tickOnly(QWidget* dialog, const std::string& device) {
        auto* ports = in<QListWidget>(dialog, "lstPorts");
        for (int i = 0; i < ports->count(); ++i) {
            const bool mine = ports->item(i)->data(Qt::UserRole).toString().toStdString() == device;
            ports->item(i)->setCheckState(mine ? Qt::Checked : Qt::Unchecked);
        }
    }
    QString cell(QWidget* dialog, int row, int column) {
        auto* item = in<QTableWidget>(dialog, "grdPreview")->item(row, column);
        return item ? item->text() : QString();
    }

    QTemporaryDir logs;
};

TEST_F(BatchWindowTest, RulesPreviewRefusalNextEnterLogContinueAndCancel) {
    VirtualRadio radio;
    VirtualRadio silent;
    ASSERT_TRUE(radio.start(
        session().image, {"--units", "2", "--save", radio.unitSavePattern(), "--unit-gap", "100"}));
    ASSERT_TRUE(silent.start({"--silent-after", "0"}));
    qputenv("R57_COM1", radio.device().c_str());
    qputenv("R57_COM2", silent.device().c_str());
    BatchWindow* dialog = openBatch();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(item("mnuTransfer_Batch")->text(), "Program &Several Radios...");

    // A field by its caption in either language; a slip is answered with the nearest names.
    setRule(dialog, "Function Setting / PowerOn Mesage", "U{n}");
    EXPECT_TRUE(in<QLabel>(dialog, "lblCheck")
                    ->text()
                    .contains("the nearest: \"PowerOn Message\", \"PowerOn Msg\""));
    // Chinese arrives through the input method, as a committed string.
    auto* field = in<QComboBox>(dialog, "cboRuleField_0")->lineEdit();
    type(field, "");
    QInputMethodEvent chinese;
    chinese.setCommitString(QString::fromUtf8("功能设置 / 开机信息"));
    QCoreApplication::sendEvent(field, &chinese);
    EXPECT_EQ(field->text(), QString::fromUtf8("功能设置 / 开机信息"));
    EXPECT_EQ(cell(dialog, 0, 1), "U1");
    EXPECT_EQ(in<QTableWidget>(dialog, "grdPreview")->horizontalHeaderItem(1)->text(),
              "Function Setting / PowerOn Message");
    EXPECT_TRUE(in<QLabel>(dialog, "lblCheck")->text().isEmpty());

    // Eight characters do not fit the seven of the message: shown, and refused at Start.
    setRule(dialog, "Function Setting / PowerOn Message", "UNIT {n:03}");
    type(in(dialog, "spnCount"), "2");
    EXPECT_EQ(cell(dialog, 1, 1), "UNIT 002");
    EXPECT_TRUE(in<QLabel>(dialog, "lblCheck")->text().contains("number 1: would be stored as"));
    tickOnly(dialog, radio.device());
    QTest::mouseClick(in(dialog, "cmdStart"), Qt::LeftButton);
    EXPECT_TRUE(prompts.lastText().startsWith("Nothing was sent: Function Setting / PowerOn "
                                              "Message, number 1"))
        << prompts.lastText().toStdString();
    EXPECT_EQ(dialog->run(), nullptr);
    EXPECT_TRUE(radio.frames().empty());

    // Two radios on one cable, the second taken with Enter once the first is swapped.
    type(in(dialog, "txtRulePattern_0"), "UNIT{n:02}");
    EXPECT_EQ(cell(dialog, 0, 1), "UNIT01");
    EXPECT_TRUE(in<QLabel>(dialog, "lblCheck")->text().isEmpty());
    QTest::keyClick(in(dialog, "chkVerify"), Qt::Key_Space);
    EXPECT_FALSE(in<QCheckBox>(dialog, "chkVerify")->isChecked());
    QTest::mouseClick(in(dialog, "cmdStart"), Qt::LeftButton);
    ASSERT_NE(dialog->run(), nullptr);
    EXPECT_FALSE(in(dialog, "cmdStart")->isEnabled());
    auto* next = in<QPushButton>(dialog, "cmdLaneNext_0");
    ASSERT_TRUE(WaitFor([&] { return next->isEnabled(); }, 15000))
        << in<QLabel>(dialog, "lblLaneState_0")->text().toStdString() << radio.frames().size();
    EXPECT_TRUE(in<QLabel>(dialog, "lblLaneState_0")->text().startsWith("radio 1: OK"));
    QTest::qWait(1000);                    // the radio is swapped
    QTest::keyClick(next, Qt::Key_Return); // the lane's button has the focus
    ASSERT_TRUE(WaitFor([&] { return in(dialog, "cmdStart")->isEnabled(); }, 15000));
    EXPECT_EQ(in<QLabel>(dialog, "lblSummary")->text(), "2 of 2 radios delivered, 0 failed.");
    const QStringList shown =
        in<QPlainTextEdit>(dialog, "txtLog")->toPlainText().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(shown.size(), 2);
    EXPECT_TRUE(shown[1].contains(",2,UNIT02,OK,off,"));
    QFile log(dialog->logPath());
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString(log.readAll()).count('\n'), 3);

    // The next batch of this codeplug goes on after the last number.
    auto* resume = in<QPushButton>(dialog, "cmdContinue");
    EXPECT_EQ(resume->text(), "Continue from 3");
    QTest::mouseClick(resume, Qt::LeftButton);
    EXPECT_EQ(in<QSpinBox>(dialog, "spnStart")->value(), 3);

    // Cancel while a lane waits for a radio that never answers: it is told "E" all the same.
    tickOnly(dialog, silent.device());
    QTest::mouseClick(in(dialog, "cmdStart"), Qt::LeftButton);
    ASSERT_TRUE(WaitFor([&] { return !silent.frames().empty(); }, 5000));
    QTest::mouseClick(in(dialog, "cmdCancel"), Qt::LeftButton);
    ASSERT_TRUE(WaitFor([&] { return in(dialog, "cmdStart")->isEnabled(); }, 5000));
    QTest::qWait(100);
    EXPECT_EQ(silent.frames().back(), "E");
    qunsetenv("R57_COM1");
    qunsetenv("R57_COM2");
}

// With R57_SCREENSHOTS naming a folder: the window after a radio, in both languages.
// Two lanes done: Enter is for the lane that has just finished, never for the other,
// whose radio is still the one it wrote. Closing while a radio is written asks first;
// the radio then ends its transfer and gets its line in the log.
TEST_F(BatchWindowTest, EnterIsTheFinishedLanesAndClosingMidWriteAsksAndLogs) {
    VirtualRadio radios[2];
    for (VirtualRadio& radio : radios)
        ASSERT_TRUE(radio.start(session().image, {"--units", "1", "--baud", "9600"}));
    qputenv("R57_COM1", radios[0].device().c_str());
    qputenv("R57_COM2", radios[1].device().c_str());
    BatchWindow* dialog = openBatch();
    ASSERT_NE(dialog, nullptr);
    setRule(dialog, "MSK / Own ID", "{n:04}");
    type(in(dialog, "spnCount"), "4");
    auto* ports = in<QListWidget>(dialog, "lstPorts");
    for (int i = 0; i < ports->count(); ++i) {
        const std::string device = ports->item(i)->data(Qt::UserRole).toString().toStdString();
        const bool mine = device == radios[0].device() || device == radios[1].device();
        ports->item(i)->setCheckState(mine ? Qt::Checked : Qt::Unchecked);
    }
    QTest::mouseClick(in(dialog, "cmdStart"), Qt::LeftButton);
    ASSERT_NE(dialog->run(), nullptr);
    auto* next0 = in<QPushButton>(dialog, "cmdLaneNext_0");
    auto* next1 = in<QPushButton>(dialog, "cmdLaneNext_1");
    ASSERT_TRUE(WaitFor([&] { return next0->isEnabled() && next1->isEnabled(); }, 60000));
    QPushButton* last = next0->hasFocus() ? next0 : next1;
    QPushButton* other = last == next0 ? next1 : next0;
    ASSERT_TRUE(last->hasFocus()); // the lane that finished last
    const std::size_t otherFrames = radios[other == next0 ? 0 : 1].frames().size();
    QTest::keyClick(last, Qt::Key_Return);
    ASSERT_TRUE(WaitFor(
        [&] {
            return in<QLabel>(dialog, QString("lblLaneState_%1").arg(last == next0 ? 0 : 1))
                ->text()
                .contains("already has number");
        },
        15000));
    EXPECT_TRUE(other->isEnabled());
    EXPECT_EQ(radios[other == next0 ? 0 : 1].frames().size(), otherFrames);
    auto* again = in<QPushButton>(dialog, QString("cmdLaneAgain_%1").arg(last == next0 ? 0 : 1));
    EXPECT_TRUE(again->isVisible());

    // Program again, and close while it writes: No keeps it going, Yes stops it.
    QTest::mouseClick(again, Qt::LeftButton);
    ASSERT_TRUE(WaitFor(
        [&] {
            return in<QLabel>(dialog, QString("lblLaneState_%1").arg(last == next0 ? 0 : 1))
                ->text()
                .contains("writing");
        },
        15000));
    prompts.answers = {Answer::No};
    QTest::keyClick(dialog, Qt::Key_Escape);
    EXPECT_TRUE(prompts.lastText().startsWith("Radios are being programmed on 1 of the lanes."));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->run()->isRunning());
    const QString logPath = dialog->logPath();
    QPointer<BatchWindow> alive(dialog);
    prompts.answers = {Answer::Yes};
    dialog->close(); // the close box
    ASSERT_TRUE(WaitFor([&] { return alive.isNull() || !alive->isVisible(); }, 10000))
        << in<QLabel>(dialog, "lblLaneState_0")->text().toStdString() << " | "
        << in<QLabel>(dialog, "lblLaneState_1")->text().toStdString() << " | "
        << dialog->run()->isRunning() << " " << prompts.lastText().toStdString();
    QFile log(logPath);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QStringList lines = QString(log.readAll()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4); // the header, two radios, and the one stopped
    EXPECT_TRUE(lines[3].contains("cancelled")) << lines[3].toStdString();
    QTest::qWait(300);
    EXPECT_EQ(radios[last == next0 ? 0 : 1].frames().back(), "E");
    qunsetenv("R57_COM1");
    qunsetenv("R57_COM2");
}

TEST_F(BatchWindowTest, ScreenshotsInBothLanguages) {
    const QString shots = qEnvironmentVariable("R57_SCREENSHOTS");
    if (shots.isEmpty())
        GTEST_SKIP() << "R57_SCREENSHOTS names no folder";
    QDir().mkpath(shots);
    for (int language : {kEnglish, kChinese}) {
        window->switchLanguage(language);
        VirtualRadio radios[2];
        for (int i = 0; i < 2; ++i) {
            ASSERT_TRUE(radios[i].start(session().image));
            qputenv(QString("R57_COM%1").arg(i + 1).toLatin1(), radios[i].device().c_str());
        }
        BatchWindow* dialog = openBatch();
        ASSERT_NE(dialog, nullptr);
        setRule(dialog, "Function Setting / PowerOn Message", "UNIT {n:02}");
        type(in<QComboBox>(dialog, "cboRuleField_1")->lineEdit(), "MSK / Own ID");
        type(in(dialog, "txtRulePattern_1"), "{n:04}");
        type(in(dialog, "spnStart"), "7");
        type(in(dialog, "spnCount"), "12");
        auto* ports = in<QListWidget>(dialog, "lstPorts");
        for (int i = 0; i < 2; ++i)
            ports->item(i)->setCheckState(Qt::Checked);
        QTest::mouseClick(in(dialog, "cmdStart"), Qt::LeftButton);
        ASSERT_TRUE(WaitFor(
            [&] {
                return in(dialog, "cmdLaneNext_0")->isEnabled() &&
                       in(dialog, "cmdLaneNext_1")->isEnabled();
            },
            30000));
        dialog->resize(900, 700);
        QCoreApplication::processEvents();
        EXPECT_TRUE(dialog->grab().save(
            QDir(shots).filePath(language == kEnglish ? "batch-en.png" : "batch-zh.png")));
        dialog->close();
        QCoreApplication::processEvents();
    }
}

} // namespace
} // namespace r57::ui::testing
