// A bank grid on screen (offscreen) over a fresh image, with the helpers the grid tests
// share: finding the editors by name, clicking cells, reading records.
#pragma once

#include "ui/main/channel_grid.h"

#include "core/channel.h"
#include "core/session.h"
#include "model/sheet/bank_sheet.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>

namespace r57::ui::test {

inline QApplication& App() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static int argc = 1;
    static char name[] = "channel_grid_test";
    static char* argv[] = {name, nullptr};
    // Never destroyed: at exit Qt's own globals go first, and a QApplication torn down
    // after them crashes the test program on its way out.
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

class GridTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { App(); }

    void TearDown() override {
        grid_.reset(); // before the sheet and the session it refers to
        sheet_.reset();
    }

    // A grid of `bank` on a New image, shown and focused on row 1, column 1.
    ChannelGrid& Build(int bank = kBankA) {
        session.resetToDefaults();
        session.takeSavedCopy();
        sheet_ = std::make_unique<BankSheet>(session, bank);
        sheet_->refresh();
        grid_ = std::make_unique<ChannelGrid>(session, *sheet_, bank);
        grid_->resize(1100, 600);
        grid_->show();
        grid_->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(grid_.get()));
        grid_->setFocus();
        return *grid_;
    }

    ChannelGrid& grid() { return *grid_; }
    BankSheet& sheet() { return *sheet_; }

    QString Suffix() const { return sheet_->bank() == kBankB ? "B" : ""; }
    QLineEdit* Text() { return grid_->findChild<QLineEdit*>("txtMemChannel" + Suffix()); }
    QComboBox* Tone() { return grid_->findChild<QComboBox*>("cboQtDqt" + Suffix()); }
    QComboBox* Choice() { return grid_->findChild<QComboBox*>("cboPowerScan" + Suffix()); }

    void Click(int row, int column, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(grid_->viewport(), button, {}, grid_->cellRect(row, column).center());
    }
    void DoubleClick(int row, int column) {
        const QPoint at = grid_->cellRect(row, column).center();
        QTest::mouseClick(grid_->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(grid_->viewport(), Qt::LeftButton, {}, at);
    }
    // Puts the cursor on a cell and types one key on the grid.
    void KeyOnCell(int row, int column, Qt::Key key, Qt::KeyboardModifiers mods = {}) {
        grid_->setCursor(row, column);
        grid_->setFocus();
        QTest::keyClick(grid_.get(), key, mods);
    }
    // Opens the receive editor of an empty row, types the text and presses Enter.
    void EnterRx(int row, const char* text) {
        Click(row, kColRx);
        QTest::keyClicks(Text(), text);
        QTest::keyClick(Text(), Qt::Key_Return);
    }

    std::array<uint8_t, 16> Record(int row) const {
        std::array<uint8_t, 16> r;
        session.image.read(RecordAddress(sheet_->bank(), row), r.data(), r.size());
        return r;
    }

    Session session;

private:
    std::unique_ptr<BankSheet> sheet_;
    std::unique_ptr<ChannelGrid> grid_;
};

} // namespace r57::ui::test
