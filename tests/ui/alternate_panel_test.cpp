// The alternate channel panel in the main window: opening and closing it, editing the
// cursor channel from either side, pending input, channel selection and the option
// signalling.
#include "main_window_fixture.h"

#include "model/sheet/alternate_panel_rules.h"
#include "ui/main/alternate_panel.h"

#include "core/address_map.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTabWidget>

#include <functional>

namespace r57::ui::testing {
namespace {

constexpr const char* kLockedTools[] = {"Copy",     "Paste",  "Clear", "MoveUp",
                                        "MoveDown", "Insert", "Delete"};
constexpr const char* kFreeTools[] = {"New", "Open", "Save", "Read", "Write", "About"};

class Panel : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        loadChannels({1, 2, 3, 5});
    }

    AlternatePanel* panel() { return window->alternatePanel(); }
    QLineEdit* edit(const char* name) { return find<QLineEdit>(name); }
    QComboBox* list(const char* name) { return find<QComboBox>(name); }
    std::array<uint8_t, 16> record(int channel, int bank = kBankA) {
        return Record(session().image, bank, channel);
    }
    QString cell(int row, int column, int bank = kBankA) {
        return grid(bank)->cellText(row, column);
    }

    void openOn(int row, int bank = kBankA) {
        find<QTabWidget>("SSTab1")->setCurrentIndex(bank);
        grid(bank)->setCursor(row, kColRx);
        window->setAlternatePanelOpen(true);
    }
    // Types into a panel box as a user does: focus, replace the text, optionally Enter.
    void type(const char* name, const QString& text, bool enter = true) {
        QLineEdit* e = edit(name);
        e->setFocus();
        e->selectAll();
        if (text.isEmpty()) {
            QTest::keyClick(e, Qt::Key_Delete);
        } else {
            QTest::keyClicks(e, text);
        }
        if (enter) {
            QTest::keyClick(e, Qt::Key_Return);
        }
    }
    // Picks a list entry as a click on the drop-down does.
    void pick(const char* name, const QString& text) {
        QComboBox* box = list(name);
        const int index = box->findText(text);
        ASSERT_GE(index, 0) << name << ": " << text.toStdString();
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
    void expectEditCommands(bool enabled) {
        EXPECT_EQ(item("mnuEdit")->isEnabled(), enabled);
        for (const char* key : kLockedTools) {
            if (std::string(key) != "Paste") {
                EXPECT_EQ(find<QToolButton>(QString("tlbActions_") + key)->isEnabled(), enabled)
                    << key;
            }
        }
        for (const char* key : kFreeTools) {
            EXPECT_TRUE(find<QToolButton>(QString("tlbActions_") + key)->isEnabled()) << key;
        }
    }
};

TEST_F(Panel, OpeningLocksTheEditCommandsAndClosingRestoresThemWithPaste) {
    struct Way {
        const char* what;
        std::function<void()> open;
        std::function<void()> close;
        bool copied;
    };
    const std::vector<Way> ways = {
        {"menu both ways", [&] { trigger("mnuSet_GUI"); }, [&] { trigger("mnuSet_GUI"); }, false},
        {"More column, close button",
         [&] {
             grid()->setCursor(2, kColMore);
             const QRect more = grid()->cellRect(2, kColMore);
             QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, more.center());
         },
         [&] { QTest::mouseClick(find<QWidget>("CmdCloseGUI"), Qt::LeftButton); }, false},
        {"after a copy", [&] { trigger("mnuSet_GUI"); },
         [&] { QTest::mouseClick(find<QWidget>("CmdCloseGUI"), Qt::LeftButton); }, true},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.what);
        if (way.copied) {
            grid()->setCursor(1, 1);
            trigger("mnuEdit_Copy");
        }
        way.open();
        EXPECT_TRUE(find<QWidget>("PicGUI")->isVisible());
        EXPECT_TRUE(item("mnuSet_GUI")->isChecked());
        expectEditCommands(false);
        EXPECT_FALSE(find<QToolButton>("tlbActions_Paste")->isEnabled());

        way.close();
        EXPECT_FALSE(find<QWidget>("PicGUI")->isVisible());
        EXPECT_FALSE(item("mnuSet_GUI")->isChecked());
        expectEditCommands(true);
        EXPECT_EQ(item("mnuEdit_Paste")->isEnabled(), way.copied);
        EXPECT_EQ(find<QToolButton>("tlbActions_Paste")->isEnabled(), way.copied);
        EXPECT_EQ(panel()->pendingField(), "");
    }
}

TEST_F(Panel, AFieldChangedInThePanelShowsInTheGridAndTheImage) {
    openOn(3);
    struct Edit {
        const char* what;
        std::function<void()> act;
        int column;
        const char* cell;
        std::function<bool(const std::array<uint8_t, 16>&)> bytes;
    };
    const std::vector<Edit> edits = {
        {"receive", [&] { type("TxtRxFreqGUI", "438.1"); }, kColRx, "438.10000",
         [](auto& r) {
             return r[0] == 0x43 && r[1] == 0x81 && r[2] == 0x00;
         }},
        {"transmit", [&] { type("TxtTxFreqGUI", "439,2"); }, kColTx, "439.20000",
         [](auto& r) {
             return r[4] == 0x43 && r[5] == 0x92;
         }},
        {"decode", [&] { pick("CboDecodeGUI", "D023N"); }, kColDecode, "D023N",
         [](auto& r) {
             return r[8] == 0x23 && r[9] == 0x80;
         }},
        {"encode", [&] { pick("CboEncodeGUI", "88.5"); }, kColEncode, "88.5",
         [](auto& r) {
             return r[10] == 0x85 && r[11] == 0x08;
         }},
        {"power", [&] { pick("CboTxPowerGUI", "Low"); }, kColPower, "Low",
         [](auto& r) {
             return (r[12] & 0x04) == 0;
         }},
        {"bandwidth", [&] { pick("CboWNGUI", "Narrow"); }, kColWidth, "Narrow",
         [](auto& r) {
             return (r[13] & 0x08) != 0;
         }},
        {"scrambler", [&] { pick("CboSCRGroupGUI", "3"); }, kColScrambler, "3",
         [](auto& r) {
             return (r[14] & 0x07) == 2;
         }},
        {"name", [&] { type("TxtChNameGUI", "Base~9"); }, kColName, "Base9",
         [](auto&) {
             return true;
         }},
    };
    for (const Edit& e : edits) {
        SCOPED_TRACE(e.what);
        e.act();
        EXPECT_EQ(cell(3, e.column).trimmed(), e.cell);
        EXPECT_TRUE(e.bytes(record(3)));
    }
    EXPECT_EQ(ReadChannelName(session().image, NameSlot(kBankA, 3)), "Base9  ");

    // Clearing the transmit frequency leaves no encode tone to choose.
    type("TxtTxFreqGUI", "");
    EXPECT_EQ(cell(3, kColTx), "");
    EXPECT_EQ(cell(3, kColEncode), "");
    EXPECT_FALSE(list("CboEncodeGUI")->isEnabled());
    EXPECT_EQ(list("CboEncodeGUI")->currentIndex(), -1);

    // Clearing the receive frequency empties the channel, the panel and the grid row.
    type("TxtRxFreqGUI", "");
    EXPECT_EQ(record(3), EmptyRecord());
    EXPECT_EQ(edit("TxtChNameGUI")->text(), "");
    EXPECT_FALSE(edit("TxtTxFreqGUI")->isEnabled());
    EXPECT_FALSE(list("CboTxPowerGUI")->isEnabled());
}

TEST_F(Panel, AChangeInTheGridShowsInThePanel) {
    openOn(2);
    // An in-cell edit of the channel shown.
    grid()->setCursor(2, kColName);
    grid()->setFocus();
    QTest::keyClick(grid(), Qt::Key_Q);
    QTest::keyClicks(find<QLineEdit>("txtMemChannel"), "7");
    QTest::keyClick(find<QLineEdit>("txtMemChannel"), Qt::Key_Return);
    EXPECT_EQ(edit("TxtChNameGUI")->text().trimmed(), "Q7");
    // A channel button on it.
    clickButton(kClearButton);
    EXPECT_EQ(edit("TxtRxFreqGUI")->text(), "");
    // The cursor on another channel, and on the other bank.
    grid()->setCursor(5, kColTx);
    EXPECT_EQ(find<QSpinBox>("UDChannelGUI")->value(), 5);
    EXPECT_EQ(edit("TxtRxFreqGUI")->text(), cell(5, kColRx));
    EXPECT_EQ(edit("TxtChNameGUI")->text().trimmed(), "CH5");
    find<QTabWidget>("SSTab1")->setCurrentIndex(1);
    EXPECT_EQ(edit("Text1")->text(), "B1");
}

TEST_F(Panel, CommandsTakeOverAFieldsPendingInput) {
    openOn(1);
    session().image.set(addr::kIdCodeLengthByte, 0x38);
    WriteSignalTypeBits(session().image, kBankA, 1, SignalTypeBits(SignalType::Dtmf));
    window->setModelCode(1);
    struct Pending {
        const char* box;
        const char* text;
        const char* marker;
        std::function<void()> command;
        std::function<void()> check;
    };
    const std::vector<Pending> cases = {
        {"TxtRxFreqGUI", "145.6", "Rx", [&] { trigger("mnuSet_SingleClick"); },
         [&] {
             EXPECT_EQ(cell(1, kColRx), "145.60000");
         }},
        {"TxtTxFreqGUI", "146", "Tx", [&] { clickTool("About"); },
         [&] {
             EXPECT_EQ(cell(1, kColTx), "146.00000");
         }},
        {"TxtChNameGUI", "NEW", "Name", [&] { trigger("mnuView_Status"); },
         [&] {
             EXPECT_EQ(cell(1, kColName).trimmed(), "NEW");
         }},
        {"TxtSignalGUI", "4321", "Code", [&] { trigger("mnuSet_LanE"); },
         [&] {
             EXPECT_EQ(ReadSignalling(session().image, kBankA, 1).idCode, "4321");
         }},
        {"TxtChannelGUI", "5", "Channel", [&] { trigger("mnuView_Buttons"); },
         [&] {
             EXPECT_EQ(grid()->cursorRow(), 5);
         }},
    };
    for (const Pending& p : cases) {
        SCOPED_TRACE(p.marker);
        type(p.box, p.text, false);
        EXPECT_EQ(panel()->pendingField(), p.marker);
        p.command();
        EXPECT_EQ(panel()->pendingField(), "");
        p.check();
    }
    // Esc puts the entry text back and leaves nothing pending.
    type("TxtRxFreqGUI", "150", false);
    QTest::keyClick(edit("TxtRxFreqGUI"), Qt::Key_Escape);
    EXPECT_EQ(panel()->pendingField(), "");
    EXPECT_EQ(edit("TxtRxFreqGUI")->text(), cell(5, kColRx));
}

TEST_F(Panel, ChannelNumberArrowsAndLabelSelectAcrossBothBanks) {
    openOn(128, kBankB);
    QLineEdit* number = edit("TxtChannelGUI");
    struct Step {
        const char* what;
        std::function<void()> act;
        int bank;
        int row;
        const char* label;
    };
    const std::vector<Step> steps = {
        {"Up at 256 wraps to A1", [&] { QTest::keyClick(number, Qt::Key_Up); }, kBankA, 1, "A1"},
        {"Down at 1 wraps to B128", [&] { QTest::keyClick(number, Qt::Key_Down); }, kBankB, 128,
         "B128"},
        {"label b7", [&] { type("Text1", "b7"); }, kBankB, 7, "B7"},
        {"label a999 is clamped", [&] { type("Text1", "a999"); }, kBankA, 128, "A128"},
        {"number 3", [&] { type("TxtChannelGUI", "3"); }, kBankA, 3, "A3"},
        {"number 200", [&] { type("TxtChannelGUI", "200"); }, kBankB, 72, "B72"},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        s.act();
        EXPECT_EQ(session().currentBank, s.bank);
        EXPECT_EQ(find<QTabWidget>("SSTab1")->currentIndex(), s.bank);
        EXPECT_EQ(grid(s.bank)->cursorRow(), s.row);
        EXPECT_EQ(edit("Text1")->text(), s.label);
        EXPECT_EQ(find<QSpinBox>("UDChannelGUI")->value(), PanelIndex(s.bank, s.row));
    }
}

TEST_F(Panel, SignallingTypeCodesAndTheIdCodeLimit) {
    window->setModelCode(1);
    openOn(2);
    QComboBox* types = list("CboSignalGUI_0");
    ASSERT_EQ(types->count(), 3);
    EXPECT_EQ(types->currentText(), "None");
    const uint8_t lowBits = record(2)[13] & 0x0F;

    pick("CboSignalGUI_0", "DTMF");
    EXPECT_EQ(record(2)[13], 0x20 | lowBits);
    EXPECT_TRUE(edit("TxtSignalGUI")->isVisible());
    EXPECT_FALSE(list("CboSignalGUI_2")->isVisible());

    type("TxtSignalGUI", "12");
    const int block = SignalIdAddress(kBankA, 2);
    EXPECT_EQ(edit("TxtSignalGUI")->text(), "000");
    EXPECT_EQ(session().image.at(block + 10), 3);
    type("TxtSignalGUI", "0123456789");

    // The DTMF settings switch to three-digit codes: the box follows, the stored
    // ten-digit code stays as it is until the user edits it.
    const CodeplugImage before = session().image;
    window->applyWindowChange(
        [&] { session().image.set(addr::kIdCodeLengthByte, 0x38 | addr::kIdCodeLengthBit); });
    EXPECT_EQ(edit("TxtSignalGUI")->text(), "0123456789");
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(session().image.at(block + i), before.at(block + i));
    }
    type("TxtSignalGUI", "98765");
    EXPECT_EQ(edit("TxtSignalGUI")->text(), "987");

    // 5-Tone on a 2-Tone/5-Tone radio: the decode code and the auto response.
    window->setModelCode(2);
    pick("CboSignalGUI_0", "5-Tone");
    pick("CboSignalGUI_2", "6");
    pick("CboSignalGUI_1", "On");
    EXPECT_EQ(record(2)[13] >> 4, 8);
    EXPECT_EQ(record(2)[14] & 0xB8, 0x80 | (6 << 3));
    EXPECT_EQ(cell(2, kColScan), "Add"); // bit 6 of the same byte untouched
    EXPECT_FALSE(edit("TxtSignalGUI")->isVisible());
}

TEST_F(Panel, AStoredTypeTheModelDoesNotOfferIsNamedAndKept) {
    WriteSignalTypeBits(session().image, kBankA, 1, SignalTypeBits(SignalType::Dtmf));
    WriteSignalTypeBits(session().image, kBankA, 2, 0x3); // no single type
    window->refreshShownBank();
    const CodeplugImage before = session().image;
    openOn(1);
    QComboBox* types = list("CboSignalGUI_0");
    EXPECT_EQ(types->currentIndex(), -1);
    EXPECT_TRUE(types->placeholderText().startsWith("DTMF"));
    for (int model : {2, 0}) {
        window->setModelCode(model);
        EXPECT_EQ(types->currentIndex(), -1) << model;
    }
    grid()->setCursor(2, 1);
    EXPECT_EQ(types->placeholderText(), "Other (0011)");
    EXPECT_TRUE(session().image == before);
    window->setModelCode(1);
    grid()->setCursor(1, 1);
    EXPECT_EQ(types->currentText(), "DTMF");
}

TEST_F(Panel, FollowsTheLanguage) {
    openOn(1);
    trigger("mnuSet_LanC");
    EXPECT_EQ(find<QLabel>("LblRxFreqGUI")->text(), Tr(1347, kChinese));
    EXPECT_EQ(find<QGroupBox>("fraSignalGUI")->title(), Tr(1353, kChinese));
    EXPECT_EQ(list("CboTxPowerGUI")->currentText(), Tr(1108, kChinese));
    EXPECT_EQ(list("CboSignalGUI_0")->currentText(), Tr(1107, kChinese));
    EXPECT_EQ(list("CboDecodeGUI")->currentText(), "无");
}

} // namespace
} // namespace r57::ui::testing
