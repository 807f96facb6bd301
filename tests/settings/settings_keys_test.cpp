// FrmOpSign driven by keys and clicks: the 5-Tone list editor, closing with edits
// (message 1378), Enter on the button a box sent the focus to, the MSK grid's first key.
#include "settings_fixture.h"

#include "core/address_map.h"

#include <QAbstractItemView>
#include <QPointer>
#include <QTableWidget>

namespace r57::ui::testing {
namespace {

TEST_F(SettingsTest, FiveToneStandardListShowsOnOneClickAndOnlyAPickWrites) {
    openSettings('2');
    select("C4");
    auto* grid = in<QTableWidget>("Grid5Tone");
    const int address = addr::kFiveToneIdList + 6 * 3; // row 4, empty
    const QPoint cell = grid->visualRect(grid->model()->index(3, 1)).center();
    auto* box = grid->findChild<QComboBox*>("Cbo5T");
    QAbstractItemView* list = box->view();
    for (bool pick : {false, true}) {
        const uint8_t stored = session().image.at(address);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell);
        EXPECT_EQ(box->currentText(), "");
        QTest::mouseClick(box, Qt::LeftButton);
        ASSERT_TRUE(list->isVisible());
        if (pick) {
            QTest::keyClick(list, Qt::Key_End); // the last standard, one up: ZVEI1
            QTest::keyClick(list, Qt::Key_Up);
            QTest::keyClick(list, Qt::Key_Return);
        } else {
            QTest::keyClick(list, Qt::Key_Escape);
        }
        EXPECT_FALSE(list->isVisible());
        QTest::mouseClick(in("Txt5Tone2_1"), Qt::LeftButton); // elsewhere
        EXPECT_FALSE(box->isVisible());
        EXPECT_EQ(grid->item(3, 1)->text(), pick ? "ZVEI1" : "");
        click("CmdOps_0");
        EXPECT_EQ(session().image.at(address), pick ? 6 : stored);
    }
}

TEST_F(SettingsTest, ClosingAChangedWindowAsksToSaveFirst) {
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"Escape",
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
    for (const auto& [way, close] : ways) {
        for (Answer answer : {Answer::Cancel, Answer::No, Answer::Yes}) {
            SCOPED_TRACE(way + std::to_string(int(answer)));
            session().image = start;
            QPointer<SettingsWindow> shown = openSettings();
            close(); // unchanged: closes at once
            EXPECT_TRUE(prompts.asked.empty());
            EXPECT_FALSE(shown->isVisible());
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

            shown = openSettings();
            typeInto("TxtOPSet_0", "9"); // a page not shown counts too
            in<QComboBox>("cboSqLevel")->setCurrentIndex(9);
            tree()->setFocus();
            prompts.answers = {answer};
            close();
            ASSERT_EQ(prompts.asked.size(), 1u);
            EXPECT_EQ(prompts.asked[0].text, Tr(1378));
            EXPECT_EQ(prompts.asked[0].buttons, Buttons::YesNoCancel);
            EXPECT_EQ(shown->isVisible(), answer == Answer::Cancel);
            EXPECT_EQ(session().image == start, answer != Answer::Yes);
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

    // Escape in a box restores the box; Yes with a failing page check stays open.
    session().image = start;
    openSettings('2');
    select("C4");
    typeInto("Txt5Tone2_0", "12");
    QTest::keyClick(in("Txt5Tone2_0"), Qt::Key_Escape);
    EXPECT_EQ(text("Txt5Tone2_0"), "");
    EXPECT_TRUE(prompts.asked.empty());
    typeInto("Txt5Tone2_0", "12");
    prompts.answers = {Answer::Yes, Answer::Ok, Answer::No};
    QTest::keyClick(tree(), Qt::Key_Escape);
    ASSERT_EQ(prompts.asked.size(), 2u);
    EXPECT_EQ(prompts.asked[1].text, "Code Count must be 7!");
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(session().image == start);
    click("CmdOps_2");
}

// Enter in a box only moves on, to Save after the MSK grid's last row; Enter on Save
// presses it. The MSK grid opens its editor with the typed key, A-F included.
TEST_F(SettingsTest, EnterPressesTheFocusedButtonAndTheMskGridTakesItsFirstKey) {
    openSettings();
    select("C2");
    auto* grid = in<QTableWidget>("GridMSK");
    grid->setFocus();
    grid->setCurrentCell(9, 1);
    QTest::keyClick(grid, Qt::Key_B);
    auto* editor = grid->findChild<QLineEdit*>("TxtMSK_1");
    QTest::keyClicks(editor, "c1f2");
    EXPECT_EQ(editor->text(), "B12");
    const CodeplugImage start = session().image;
    QTest::keyClick(editor, Qt::Key_Return);
    ASSERT_EQ(QApplication::focusWidget(), in("CmdOps_0"));
    EXPECT_TRUE(session().image == start);
    QTest::keyClick(in("CmdOps_0"), Qt::Key_Return);
    EXPECT_EQ(session().image.at(0x0D5C), 11);
    EXPECT_EQ(session().image.at(0x0D5E), 2);

    const uint8_t ownId = session().image.at(0x0D30);
    typeInto("TxtMSK_0", "7");
    QTest::keyClick(in("TxtMSK_0"), Qt::Key_Return);
    EXPECT_EQ(session().image.at(0x0D30), ownId); // no button pressed behind the user's back
    QTest::keyClick(in("CmdOps_0"), Qt::Key_Enter);
    EXPECT_EQ(session().image.at(0x0D30), 7);
}

} // namespace
} // namespace r57::ui::testing
