// FrmOpSign as a user drives it with keys and clicks: a grid's list editor (one click
// shows the list, only a pick writes), closing a window that holds edits (message 1378
// by Escape, the close box and Close), Enter on the button a box sent the focus to, and
// the first key typed on the MSK grid.
#include "settings_fixture.h"

#include "core/address_map.h"

#include <QAbstractItemView>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>

#include <functional>

namespace r57::ui::testing {
namespace {

constexpr int kIdRowBytes = 6; // a 5-Tone ID row: its standard, then five digits

class SettingsKeys : public SettingsTest {
protected:
    QTableWidget* grid(const QString& name) { return in<QTableWidget>(name); }
    void clickCell(const QString& gridName, int row, int column) {
        QTableWidget* g = grid(gridName);
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {},
                          g->visualRect(g->model()->index(row, column)).center());
    }
    QString cell(const QString& gridName, int row, int column) {
        return grid(gridName)->item(row, column)->text();
    }
    QWidget* focused() { return QApplication::focusWidget(); }
};

TEST_F(SettingsKeys, FiveToneStandardListShowsOnOneClickAndOnlyAPickWrites) {
    openSettings('2');
    select("C4");
    const QString g = "Grid5Tone";
    const int row = 3;
    const int rowAddress = addr::kFiveToneIdList + kIdRowBytes * row;
    const uint8_t stored = session().image.at(rowAddress);
    clickCell(g, row, 1); // the standard of an empty row
    auto* standard = grid(g)->findChild<QComboBox*>("Cbo5T");
    ASSERT_TRUE(standard->isVisible());
    EXPECT_EQ(standard->currentText(), ""); // nothing chosen yet

    // One click on the box shows its list; the list closed and a click elsewhere leave
    // the row as it was.
    QTest::mouseClick(standard, Qt::LeftButton);
    EXPECT_TRUE(standard->view()->isVisible());
    EXPECT_TRUE(standard->isVisible());
    standard->hidePopup();
    QTest::mouseClick(in("Txt5Tone2_1"), Qt::LeftButton);
    EXPECT_FALSE(standard->isVisible());
    EXPECT_EQ(cell(g, row, 1), "");
    EXPECT_FALSE(dialog->hasEdits());
    click("CmdOps_0");
    EXPECT_EQ(session().image.at(rowAddress), stored);

    // A pick from the list is taken.
    clickCell(g, row, 1);
    QTest::mouseClick(standard, Qt::LeftButton);
    QAbstractItemView* list = standard->view();
    ASSERT_TRUE(list->isVisible());
    QTest::keyClick(list, Qt::Key_End); // the last standard, then one up: ZVEI1
    QTest::keyClick(list, Qt::Key_Up);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_FALSE(list->isVisible());
    QTest::mouseClick(in("Txt5Tone2_1"), Qt::LeftButton);
    EXPECT_EQ(cell(g, row, 1), "ZVEI1");
    click("CmdOps_0");
    EXPECT_EQ(session().image.at(rowAddress), 6);
}

// Escape outside an editor, the window's close box and Close, with each answer to
// message 1378; Escape inside a box keeps restoring the box.
TEST_F(SettingsKeys, ClosingAChangedWindowAsksToSaveFirst) {
    struct Way {
        const char* name;
        std::function<void()> close;
    };
    const std::vector<Way> ways = {
        {"Escape on the tree",
         [&] {
             QTest::keyClick(tree(), Qt::Key_Escape);
         }},
        {"close box",
         [&] {
             dialog->close();
         }},
        {"Close",
         [&] {
             click("CmdOps_2");
         }},
    };
    const CodeplugImage start = session().image;
    for (const Way& way : ways) {
        for (Answer answer : {Answer::Cancel, Answer::No, Answer::Yes}) {
            SCOPED_TRACE(way.name + std::string(" answered ") +
                         std::to_string(static_cast<int>(answer)));
            session().image = start;
            openSettings();
            QPointer<SettingsWindow> shown = dialog;
            way.close(); // unchanged: it closes at once
            EXPECT_TRUE(prompts.asked.empty());
            EXPECT_FALSE(shown->isVisible());
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

            openSettings();
            shown = dialog;
            typeInto("TxtOPSet_0", "9"); // not on the page shown: every page counts
            in<QComboBox>("cboSqLevel")->setCurrentIndex(9);
            tree()->setFocus();
            prompts.answers = {answer};
            way.close();
            ASSERT_EQ(prompts.asked.size(), 1u);
            EXPECT_EQ(prompts.asked[0].text, Tr(1378));
            EXPECT_EQ(prompts.asked[0].buttons, Buttons::YesNoCancel);
            EXPECT_EQ(shown->isVisible(), answer == Answer::Cancel);
            EXPECT_EQ(session().image == start, answer != Answer::Yes);
            prompts.asked.clear();
            if (answer == Answer::Cancel) {
                EXPECT_EQ(in<QComboBox>("cboSqLevel")->currentIndex(), 9);
                prompts.answers = {Answer::No};
                click("CmdOps_2");
            }
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            EXPECT_TRUE(shown.isNull());
            prompts.asked.clear();
        }
    }

    // Escape in a box restores it; Yes with a page check failing stays open.
    session().image = start;
    openSettings('2');
    select("C4");
    typeInto("Txt5Tone2_0", "12");
    QTest::keyClick(in("Txt5Tone2_0"), Qt::Key_Escape);
    EXPECT_EQ(text("Txt5Tone2_0"), "");
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(prompts.asked.empty());
    typeInto("Txt5Tone2_0", "12");
    prompts.answers = {Answer::Yes};
    tree()->setFocus();
    QTest::keyClick(tree(), Qt::Key_Escape);
    ASSERT_EQ(prompts.asked.size(), 2u);
    EXPECT_EQ(prompts.asked[1].text, "Code Count must be 7!");
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(session().image == start);
    prompts.answers = {Answer::No};
    click("CmdOps_2");
}

// Enter in a box only moves on; Enter on the button it reached presses it. The first key
// typed on the MSK grid starts the editor even where the editor would refuse it.
TEST_F(SettingsKeys, EnterPressesTheFocusedButtonAndTheMskGridTakesItsFirstKey) {
    openSettings();
    select("C2");
    const QString g = "GridMSK";
    grid(g)->setFocus();
    grid(g)->setCurrentCell(9, 1);
    QTest::keyClick(grid(g), Qt::Key_B);
    auto* editor = grid(g)->findChild<QLineEdit*>("TxtMSK_1");
    ASSERT_TRUE(editor->isVisible());
    QTest::keyClicks(editor, "c1f2");
    EXPECT_EQ(editor->text(), "B12");
    const CodeplugImage start = session().image;
    QTest::keyClick(editor, Qt::Key_Return); // the last row: the focus goes to Save
    ASSERT_EQ(focused(), in("CmdOps_0"));
    EXPECT_TRUE(session().image == start);
    QTest::keyClick(focused(), Qt::Key_Return);
    EXPECT_EQ(session().image.at(0x0D5C), 11);
    EXPECT_EQ(session().image.at(0x0D5E), 2);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(in<QPushButton>("CmdOps_0")->isDefault());

    const uint8_t ownId = session().image.at(0x0D30);
    typeInto("TxtMSK_0", "7");
    QTest::keyClick(in("TxtMSK_0"), Qt::Key_Return);
    EXPECT_EQ(session().image.at(0x0D30), ownId); // nothing pressed behind the user's back
    in<QPushButton>("CmdOps_2")->setFocus();
    prompts.answers = {Answer::No};
    QTest::keyClick(focused(), Qt::Key_Enter);
    EXPECT_FALSE(dialog->isVisible());
}

} // namespace
} // namespace r57::ui::testing
