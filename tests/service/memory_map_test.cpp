// The memory map: opened by the toolbar gesture, filled from the image, edited by the
// key rules of its box, stored whole by OK and not at all by Cancel.
#include "service_fixture.h"

#include "core/band_limits.h"
#include "ui/service/memory_map_model.h"
#include "ui/service/memory_map_window.h"

#include <QScrollBar>

namespace r57::ui::testing {
namespace {

constexpr Qt::KeyboardModifiers kGesture =
    Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;

class MemoryMap : public ServiceTest {
protected:
    MemoryMapWindow* openByGesture() {
        QTest::mouseRelease(find<QWidget>("tlbActions"), Qt::RightButton, kGesture);
        MemoryMapWindow* map = OpenMemoryMap(*window);
        if (map) {
            map->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(map));
        }
        return map;
    }

    // A key to the open box, or to the grid when no box is open.
    static void key(MemoryMapView* view, int code, Qt::KeyboardModifiers modifiers = {}) {
        QWidget* box = qobject_cast<HexCellDelegate*>(view->itemDelegate())->openEditor();
        QTest::keyClick(box ? box : view, static_cast<Qt::Key>(code), modifiers);
    }

    static uint8_t byteAt(MemoryMapWindow* map, int row, int column) {
        return map->model()->image().at(row, column);
    }

    // Selects a cell and types `digits` and Enter into it.
    static void typeByte(MemoryMapWindow* map, int row, int column, const char* digits) {
        MemoryMapView* view = map->grid();
        view->setCurrentIndex(view->model()->index(row, column));
        for (const char* d = digits; *d; ++d) {
            key(view, *d >= 'a' ? Qt::Key_A + (*d - 'a') : Qt::Key_0 + (*d - '0'));
        }
        key(view, Qt::Key_Return);
    }
};

TEST_F(MemoryMap, TheGestureOpensTheMapFilledAndClosesIt) {
    session().image.set(0x3FFF, 0x5A);
    QTest::mouseRelease(find<QWidget>("tlbActions"), Qt::RightButton, Qt::ShiftModifier);
    EXPECT_EQ(OpenMemoryMap(*window), nullptr); // not without all three keys

    MemoryMapWindow* map = openByGesture();
    ASSERT_NE(map, nullptr);
    EXPECT_TRUE(map->isModal());
    EXPECT_EQ(map->windowTitle(), "Memory Map");
    MemoryMapModel* model = map->model();
    EXPECT_EQ(model->rowCount(), 1024);
    EXPECT_EQ(model->columnCount(), 16);
    EXPECT_EQ(model->headerData(10, Qt::Horizontal, Qt::DisplayRole).toString(), "A");
    EXPECT_EQ(model->headerData(1023, Qt::Vertical, Qt::DisplayRole).toString(), "3FF");
    EXPECT_EQ(model->index(1023, 15).data().toString(), "5A");
    EXPECT_EQ(model->index(0, 0).data().toString(), "FF");
    EXPECT_EQ(map->grid()->currentIndex(), model->index(0, 0));
    EXPECT_EQ(map->grid()->objectName(), "msgMemory");
    EXPECT_EQ(in(map, "CmdOk")->property("text").toString(), Tr(1058));

    typeByte(map, 0, 0, "12");
    window->openSubWindow(SubWindow::MemoryMap); // the gesture again: closed, nothing stored
    QCoreApplication::processEvents();
    EXPECT_EQ(OpenMemoryMap(*window), nullptr);
    EXPECT_FALSE(session().hasUnsavedChanges() && session().image.at(0) == 0x12);
    EXPECT_EQ(session().image.at(0), 0xFF);

    window->switchLanguage(kChinese);
    map = openByGesture();
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->windowTitle(), "存储器映像");
    EXPECT_EQ(in(map, "CmdCancel")->property("text").toString(), Tr(1059, kChinese));
}

TEST_F(MemoryMap, KeyRulesOfTheEditBox) {
    struct Key {
        int key;
        Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    };
    const struct {
        std::vector<Key> keys;
        int byte;   // at (0, 0), which held 0x3C
        int column; // the current cell's column afterwards (row 0)
    } cases[] = {
        {{{Qt::Key_5}, {Qt::Key_Return}}, 0x05, 1},
        {{{Qt::Key_A}, {Qt::Key_B}, {Qt::Key_Enter, Qt::KeypadModifier}}, 0xAB, 1},
        {{{Qt::Key_1}, {Qt::Key_2}, {Qt::Key_3}, {Qt::Key_Return}}, 0x12, 1},
        {{{Qt::Key_Return}, {Qt::Key_Backspace}, {Qt::Key_Backspace}, {Qt::Key_Return}}, 0xFF, 1},
        {{{Qt::Key_Return}, {Qt::Key_Return}}, 0x3C, 1},
        {{{Qt::Key_7}, {Qt::Key_Escape}}, 0x3C, 0},
        {{{Qt::Key_G}, {Qt::Key_Z}}, 0x3C, 0},
        {{{Qt::Key_5, Qt::KeypadModifier}, {Qt::Key_Return}}, 0x05, 1},
        {{{Qt::Key_F}, {Qt::Key_Right}}, 0x0F, 0}, // the box keeps the arrow; leaving takes it
    };
    for (const auto& c : cases) {
        session().image.set(0, 0x3C);
        MemoryMapWindow* map = openByGesture();
        ASSERT_NE(map, nullptr);
        MemoryMapView* view = map->grid();
        for (const Key& k : c.keys) {
            key(view, k.key, k.modifiers);
        }
        EXPECT_TRUE(map->isVisible()); // Escape in the box is not Cancel
        view->commitEdit();            // what the focus leaving the box does
        EXPECT_EQ(byteAt(map, 0, 0), c.byte) << &c - cases;
        EXPECT_EQ(view->currentIndex().column(), c.column) << &c - cases;
        QTest::mouseClick(in(map, "CmdCancel"), Qt::LeftButton);
        QCoreApplication::processEvents();
    }

    MemoryMapWindow* map = openByGesture();
    ASSERT_NE(map, nullptr);
    const struct {
        int row;
        int nextRow;
        int nextColumn;
    } wraps[] = {{0, 1, 0}, {126, 127, 0}, {127, 127, 15}, {500, 500, 15}};
    for (const auto& w : wraps) {
        typeByte(map, w.row, 15, "4");
        EXPECT_EQ(byteAt(map, w.row, 15), 0x04);
        EXPECT_EQ(map->grid()->currentIndex().row(), w.nextRow) << w.row;
        EXPECT_EQ(map->grid()->currentIndex().column(), w.nextColumn) << w.row;
    }

    // Scrolling gives an open box up.
    MemoryMapView* view = map->grid();
    view->setCurrentIndex(view->model()->index(0, 3));
    key(view, Qt::Key_7);
    QWidget* box = qobject_cast<HexCellDelegate*>(view->itemDelegate())->openEditor();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->objectName(), "txtMemory");
    view->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    view->commitEdit();
    EXPECT_EQ(byteAt(map, 0, 3), 0xFF);
}

TEST_F(MemoryMap, OkStoresEveryByteAndTheViewsFollowCancelStoresNone) {
    loadChannels({1, 2});
    window->runChannelButton(kMoveDown); // names of moved channels live in the grid first
    ASSERT_EQ(grid()->cellText(2, kColName).trimmed(), "CH1");
    const CodeplugImage before = session().image;

    MemoryMapWindow* map = openByGesture();
    ASSERT_NE(map, nullptr);
    typeByte(map, 0x0D0, 8, "14"); // RX(VHF) lower limit 14x MHz
    typeByte(map, 0x300, 0, "aa"); // a byte only the data file carries
    QTest::mouseClick(in(map, "CmdCancel"), Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(session().image.at(0x3000), before.at(0x3000));
    EXPECT_EQ(session().bands.low[2], 136);

    map = openByGesture();
    ASSERT_NE(map, nullptr);
    CodeplugImage expected = map->model()->image(); // the names written out at opening
    typeByte(map, 0x0D0, 8, "14");
    typeByte(map, 0x300, 0, "aa"); // taken as AA
    typeByte(map, 0x100, 4, "45"); // channel 1's TX frequency, 45.xxx MHz
    QTest::mouseClick(in(map, "CmdOk"), Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(OpenMemoryMap(*window), nullptr);
    expected.set(0x0D08, 0x14);
    expected.set(0x3000, 0xAA);
    expected.set(0x1004, 0x45);
    EXPECT_TRUE(session().image == expected);
    EXPECT_EQ(session().bands.low[2], 146); // 14 60: decoded as after a read
    // The moved name stayed with its channel.
    EXPECT_EQ(grid()->cellText(2, kColName).trimmed(), "CH1");
    EXPECT_EQ(
        QString::fromStdString(ReadChannelName(session().image, NameSlot(kBankA, 2))).trimmed(),
        "CH1");
    CodeplugImage copy = session().image;
    EXPECT_EQ(grid()->cellText(1, kColTx),
              QString::fromStdString(DecodeBank(copy, kBankA, kEnglish)[0][kColTx]));
}

// Escape on the grid and the close box ask before typed bytes are given up; untouched,
// the window closes at once. Escape in an open box only gives the box up.
TEST_F(MemoryMap, EscapeOrTheCloseBoxAsksBeforeEditsAreLost) {
    const struct {
        const char* what;
        bool edit;
        Answer answer;
        bool closed;
        bool stored;
    } cases[] = {
        {"untouched", false, Answer::Yes, true, false},
        {"Cancel", true, Answer::Cancel, false, false},
        {"No", true, Answer::No, true, false},
        {"Yes", true, Answer::Yes, true, true},
    };
    for (bool closeBox : {false, true}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.what) + (closeBox ? " close box" : " Escape"));
            session().image.set(0x3001, 0x11);
            MemoryMapWindow* map = openByGesture();
            ASSERT_NE(map, nullptr);
            prompts.asked.clear();
            if (c.edit) {
                typeByte(map, 0x300, 1, "5a");
                key(map->grid(), Qt::Key_7); // a box open on the next cell
                key(map->grid(), Qt::Key_Escape);
                EXPECT_TRUE(map->isVisible());
            }
            prompts.answers = {c.answer};
            if (closeBox) {
                map->close();
            } else {
                QTest::keyClick(map->grid(), Qt::Key_Escape);
            }
            QCoreApplication::processEvents();
            EXPECT_EQ(prompts.asked.size(), c.edit ? 1u : 0u);
            if (c.edit) {
                EXPECT_EQ(prompts.lastText(), Tr(1378));
                EXPECT_EQ(prompts.asked[0].buttons, Buttons::YesNoCancel);
            }
            EXPECT_EQ(!map->isVisible(), c.closed);
            EXPECT_EQ(session().image.at(0x3001), c.stored ? 0x5A : 0x11);
            if (map->isVisible()) {
                QTest::mouseClick(in(map, "CmdCancel"), Qt::LeftButton);
                QCoreApplication::processEvents();
            }
        }
    }
}

} // namespace
} // namespace r57::ui::testing
