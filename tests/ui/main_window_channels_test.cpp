// The channel commands through the window's buttons, menu, toolbar and grid keys.
#include "main_window_fixture.h"

#include <QItemSelectionModel>
#include <QTabWidget>

namespace r57::ui::testing {
namespace {

class Channels : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        loadChannels({1, 2, 3, 5});
    }

    std::array<uint8_t, 16> record(int channel, int bank = kBankA) {
        return Record(session().image, bank, channel);
    }

    QStringList rowTexts(int row, int bank = kBankA) {
        QStringList texts;
        for (int c = 1; c < kColumnCount; ++c) {
            texts << grid(bank)->cellText(row, c);
        }
        return texts;
    }

    // The whole cursor row is selected and the grid has the focus.
    void expectRowSelected(int row) {
        ChannelGrid* g = grid();
        EXPECT_EQ(g->cursorRow(), row);
        QItemSelectionModel* selection = g->selectionModel();
        const int qtRow = g->currentIndex().row();
        EXPECT_TRUE(selection->isRowSelected(qtRow, QModelIndex())) << "row " << row;
        EXPECT_TRUE(g->hasFocus() || QApplication::focusWidget() == nullptr);
    }
};

TEST_F(Channels, CopyEnablesPasteAndPasteWritesRecordAndTexts) {
    grid()->setCursor(2, 5);
    trigger("mnuEdit_Copy");
    EXPECT_TRUE(item("mnuEdit_Paste")->isEnabled());
    EXPECT_TRUE(find<QToolButton>("tlbActions_Paste")->isEnabled());
    EXPECT_EQ(grid()->cursorColumn(), kColRx);

    grid()->setCursor(7, 3);
    clickTool("Paste");
    EXPECT_EQ(record(7), record(2));
    EXPECT_EQ(rowTexts(7), rowTexts(2));
    EXPECT_EQ(grid()->cursorRow(), 7);
    EXPECT_EQ(grid()->cursorColumn(), kColRx);
}

TEST_F(Channels, CopyOfAnEmptyChannelLeavesPasteDisabled) {
    grid()->setCursor(4, 1);
    clickTool("Copy");
    EXPECT_FALSE(item("mnuEdit_Paste")->isEnabled());
    EXPECT_FALSE(window->clipboard().filled);
}

TEST_F(Channels, CopyInBankAPastesIntoBankB) {
    grid()->setCursor(3, 1);
    clickTool("Copy");
    find<QTabWidget>("SSTab1")->setCurrentIndex(1);
    ASSERT_EQ(session().currentBank, kBankB);
    grid(kBankB)->setCursor(10, 1);
    trigger("mnuEdit_Paste");
    EXPECT_EQ(record(10, kBankB), record(3, kBankA));
    EXPECT_EQ(rowTexts(10, kBankB), rowTexts(3, kBankA));
}

TEST_F(Channels, EditClearEmptiesTheRowButKeepsTheStoredName) {
    grid()->setCursor(2, 1);
    trigger("mnuEdit_Clear");
    EXPECT_EQ(record(2), EmptyRecord());
    EXPECT_TRUE(rowTexts(2).join("").isEmpty());
    EXPECT_EQ(ReadChannelName(session().image, NameSlot(kBankA, 2)), "CH2    ");
}

TEST_F(Channels, GridKeysRunCopyPasteAndClear) {
    grid()->setCursor(1, 1);
    grid()->setFocus();
    QTest::keyClick(grid(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(item("mnuEdit_Paste")->isEnabled());
    grid()->setCursor(9, 1);
    QTest::keyClick(grid(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(record(9), record(1));
    QTest::keyClick(grid(), Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(record(9), EmptyRecord());
}

TEST_F(Channels, MoveButtonsCarryTheChannelAndSelectIt) {
    const auto one = record(1), two = record(2);
    const QStringList twoTexts = rowTexts(2);
    struct Step {
        const char* what;
        int button;
        int from;
        int to;
    } steps[] = {
        {"up from row 2", kMoveUp, 2, 1},
        {"up from row 1 does nothing", kMoveUp, 1, 1},
        {"down from row 1", kMoveDown, 1, 2},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        grid()->setCursor(s.from, 3);
        clickButton(s.button);
        expectRowSelected(s.to);
    }
    EXPECT_EQ(record(1), one);
    EXPECT_EQ(record(2), two);
    EXPECT_EQ(rowTexts(2), twoTexts);

    grid()->setCursor(1, 1);
    clickTool("MoveDown");
    EXPECT_EQ(record(2), one);
    EXPECT_EQ(record(1), two);
    expectRowSelected(2);

    loadChannels({128});
    const auto last = record(128);
    grid()->setCursor(128, 1);
    clickButton(kMoveDown);
    EXPECT_EQ(record(128), last);
    expectRowSelected(128);
}

TEST_F(Channels, InsertAsksOnlyWhenTheLastChannelWouldBeLost) {
    const auto five = record(5);
    grid()->setCursor(5, 1);
    clickButton(kInsert);
    EXPECT_TRUE(prompts.asked.empty());
    EXPECT_EQ(record(5), EmptyRecord());
    EXPECT_EQ(record(6), five);
    expectRowSelected(5);

    loadChannels({128});
    const CodeplugImage before = session().image;
    grid()->setCursor(3, 1);
    prompts.answers = {Answer::No};
    clickTool("Insert");
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].text, Tr(1314));
    EXPECT_EQ(prompts.asked[0].title, "R57");
    EXPECT_EQ(prompts.asked[0].buttons, Buttons::YesNo);
    EXPECT_TRUE(session().image == before);

    const auto three = record(3);
    prompts.answers = {Answer::Yes};
    clickTool("Insert");
    EXPECT_EQ(record(3), EmptyRecord());
    EXPECT_EQ(record(4), three);
}

TEST_F(Channels, DeleteAndClearButtons) {
    const auto three = record(3);
    grid()->setCursor(2, 1);
    clickButton(kDelete);
    EXPECT_TRUE(prompts.asked.empty());
    EXPECT_EQ(record(2), three);
    EXPECT_EQ(record(128), EmptyRecord());
    expectRowSelected(2);

    trigger("mnuEdit_Delete");
    EXPECT_EQ(record(2), EmptyRecord()); // row 4 was empty

    grid()->setCursor(1, 1);
    clickButton(kClearButton);
    EXPECT_EQ(record(1), EmptyRecord());
    EXPECT_TRUE(rowTexts(1).join("").isEmpty());
    expectRowSelected(1);
}

TEST_F(Channels, TabChangeWritesTheNamesOfTheBankLeft) {
    grid()->setCursor(1, 1);
    clickButton(kMoveDown); // names move in the grid only
    EXPECT_EQ(ReadChannelName(session().image, NameSlot(kBankA, 2)), "CH2    ");
    find<QTabWidget>("SSTab1")->setCurrentIndex(1);
    EXPECT_EQ(ReadChannelName(session().image, NameSlot(kBankA, 2)), "CH1    ");
    EXPECT_EQ(ReadChannelName(session().image, NameSlot(kBankA, 1)), "CH2    ");
}

TEST_F(Channels, LanguageSwitchKeepsNamesWithTheirMovedChannels) {
    grid()->setCursor(1, 1);
    clickButton(kMoveDown); // channel 1 (named CH1) is now row 2
    trigger("mnuSet_LanC");
    EXPECT_EQ(grid()->cellText(2, kColName).trimmed(), "CH1");
    EXPECT_EQ(grid()->cellText(1, kColName).trimmed(), "CH2");
    trigger("mnuSet_LanE");
    EXPECT_EQ(grid()->cellText(2, kColName).trimmed(), "CH1");
}

} // namespace
} // namespace r57::ui::testing
