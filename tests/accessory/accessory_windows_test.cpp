// The accessory dialogs as the main window opens them: Cancel leaves the image alone, OK
// writes exactly their bytes, and each speaks the session's language.
#include "main_window_fixture.h"

#include "ui/accessory/about_dialog.h"
#include "ui/accessory/accessory_windows.h"
#include "ui/accessory/draw_window.h"

#include "core/address_map.h"
#include "core/logo.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDate>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

#include <functional>

namespace r57::ui::testing {
namespace {

class Accessory : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        InstallAccessoryWindows(*window);
    }

    // Opens a window through its command and runs `drive` on it while it is shown; a
    // dialog still open afterwards is cancelled, so nothing waits for a user.
    void whileOpen(const std::function<void()>& command,
                   const std::function<void(QDialog&)>& drive) {
        bool seen = false;
        QTimer::singleShot(0, window.get(), [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            seen = true;
            drive(*dialog);
            if (dialog->isVisible()) {
                dialog->reject();
            }
        });
        command();
        EXPECT_TRUE(seen);
    }
    template <class T = QWidget> static T* in(QDialog& d, const QString& name) {
        T* found = d.findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    static void click(QDialog& d, const char* name) {
        QTest::mouseClick(in(d, name), Qt::LeftButton);
    }
    std::vector<uint8_t> bytes(int address, int count) {
        std::vector<uint8_t> b(static_cast<std::size_t>(count));
        session().image.read(address, b.data(), b.size());
        return b;
    }
};

TEST_F(Accessory, CancelLeavesTheImageAsItWas) {
    struct Way {
        const char* what;
        const char* command;
        std::function<void(QDialog&)> edit;
        const char* cancel;
    };
    const std::vector<Way> ways = {
        {"radio", "mnuProgram_ANI",
         [](QDialog& d) {
             auto* grid = in<QTableWidget>(d, "MSRadioGrid");
             grid->setCurrentCell(0, 1);
             QTest::keyClicks(grid, "9");
             QTest::keyClicks(in<QLineEdit>(d, "txtRadio"), "0.1");
             QTest::keyClick(in<QLineEdit>(d, "txtRadio"), Qt::Key_Return);
             in<QComboBox>(d, "cboRadioCh")->setCurrentIndex(7);
         },
         "Command2"},
        {"embedded message", "mnuProgram_EmbMsg",
         [](QDialog& d) { QTest::keyClicks(in<QLineEdit>(d, "txtMsg"), "TYPED"); }, "CmdCancel"},
        {"visible columns", "mnuView_Columns", [](QDialog& d) { click(d, "Command2"); },
         "CmdCancel"},
        {"about", "mnuHelp_About", [](QDialog&) {}, "CmdOk"},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.what);
        const CodeplugImage before = session().image;
        whileOpen([&] { trigger(way.command); },
                  [&](QDialog& d) {
                      way.edit(d);
                      click(d, way.cancel);
                      EXPECT_FALSE(d.isVisible());
                  });
        EXPECT_TRUE(session().image == before);
        EXPECT_FALSE(session().hasUnsavedChanges());
        for (int c = 1; c < kColumnCount; ++c) {
            EXPECT_TRUE(grid(kBankA)->columnVisible(c) && grid(kBankB)->columnVisible(c)) << c;
        }
    }
}

// Escape or the close box on a window holding edits asks message 1378 first: Cancel
// stays, No drops the edits, Yes keeps them as OK does. Untouched, they close at once.
TEST_F(Accessory, ClosingAWindowWithEditsAsksToSaveFirst) {
    const std::pair<const char*, std::function<void(QDialog&)>> ways[] = {
        {"mnuProgram_ANI",
         [](QDialog& d) {
             in<QTableWidget>(d, "MSRadioGrid")->setCurrentCell(0, 1);
             QTest::keyClicks(in(d, "MSRadioGrid"), "9");
             QTest::keyClicks(in(d, "txtRadio"), "0.1\r");
         }},
        {"mnuProgram_EmbMsg",
         [](QDialog& d) {
             QTest::keyClicks(in(d, "txtMsg"), "TYPED");
         }},
    };
    for (const auto& [command, edit] : ways) {
        for (Answer answer : {Answer::Cancel, Answer::No, Answer::Yes}) {
            SCOPED_TRACE(command + std::to_string(int(answer)));
            const CodeplugImage before = session().image;
            whileOpen([&] { trigger(command); },
                      [&](QDialog& d) {
                          if (answer == Answer::Cancel) { // untouched: closes at once
                              QTest::keyClick(&d, Qt::Key_Escape);
                              EXPECT_FALSE(d.isVisible());
                              return;
                          }
                          edit(d);
                          prompts.answers = {Answer::Cancel, answer};
                          d.close(); // the close box
                          EXPECT_TRUE(d.isVisible());
                          QTest::keyClick(&d, Qt::Key_Escape);
                          EXPECT_FALSE(d.isVisible());
                      });
            EXPECT_EQ(prompts.asked.size(), answer == Answer::Cancel ? 0u : 2u);
            EXPECT_EQ(prompts.lastText(), answer == Answer::Cancel ? "" : Tr(1378));
            EXPECT_EQ(session().image == before, answer != Answer::Yes);
            prompts.asked.clear();
        }
    }

    // The logo editor: its picture against the shared buffer.
    LogoPixels buffer = session().logo;
    buffer.set(0, 0, true);
    for (Answer answer : {Answer::No, Answer::Yes}) {
        DrawWindow draw(buffer, prompts, kEnglish, window.get());
        draw.show();
        QTest::mouseClick(draw.findChild<QPushButton*>("CmdTool_0"), Qt::LeftButton); // New
        prompts.answers = {answer};
        QTest::keyClick(&draw, Qt::Key_Escape);
        EXPECT_EQ(prompts.lastText(), Tr(1378));
        EXPECT_FALSE(draw.isVisible());
        EXPECT_EQ(buffer == LogoPixels{}, answer == Answer::Yes);
    }
}

TEST_F(Accessory, RadioOkWritesTheChannelsAndTheStartChannel) {
    whileOpen([&] { trigger("mnuProgram_ANI"); },
              [&](QDialog& d) {
                  EXPECT_EQ(d.objectName(), "frmRadio");
                  EXPECT_EQ(d.windowTitle(), "Radio");
                  auto* grid = in<QTableWidget>(d, "MSRadioGrid");
                  EXPECT_EQ(grid->horizontalHeaderItem(3)->text(), "Frequency(MHz)");
                  auto* editor = in<QLineEdit>(d, "txtRadio");
                  // Channel 1 by a typed digit, then Enter on to channel 2; channel 25 by a click.
                  grid->setCurrentCell(0, 1);
                  QTest::keyClick(grid, Qt::Key_8);
                  QTest::keyClicks(editor, "7.5x"); // the x is no frequency character
                  QTest::keyClick(editor, Qt::Key_Return);
                  EXPECT_EQ(grid->item(0, 1)->text(), "87.50000");
                  EXPECT_EQ(grid->currentRow(), 1);
                  QTest::keyClicks(grid, "1");
                  QTest::keyClicks(editor, "08");
                  QTest::keyClick(editor, Qt::Key_Return);
                  ASSERT_EQ(prompts.asked.size(), 1u);
                  EXPECT_EQ(prompts.asked[0].text, Tr(1106));
                  EXPECT_EQ(prompts.asked[0].title, "R57");
                  EXPECT_EQ(prompts.asked[0].icon, Icon::Warning);
                  EXPECT_EQ(grid->item(1, 1)->text(), "107.97500");
                  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                                    grid->visualItemRect(grid->item(4, 5)).center());
                  EXPECT_TRUE(editor->isVisible());
                  QTest::keyClicks(editor, "100.0013");
                  in<QComboBox>(d, "cboRadioCh")->setCurrentIndex(2);
                  click(d, "Command1");
              });
    std::vector<uint8_t> expected(100, 0xFF);
    const uint8_t first[] = {0x08, 0x75, 0x00, 0x00, 0x10, 0x79, 0x75, 0x00};
    std::copy(std::begin(first), std::end(first), expected.begin());
    const uint8_t last[] = {0x10, 0x00, 0x02, 0x50};
    std::copy(std::begin(last), std::end(last), expected.begin() + 96);
    EXPECT_EQ(bytes(addr::kFmChannels, 100), expected);
    EXPECT_EQ(session().image.at(addr::kFmSelectedChannel), 2);
    EXPECT_TRUE(session().hasUnsavedChanges());
}

TEST_F(Accessory, RadioOkStaysOpenToShowACorrectedFrequency) {
    whileOpen([&] { trigger("mnuProgram_ANI"); },
              [&](QDialog& d) {
                  auto* grid = in<QTableWidget>(d, "MSRadioGrid");
                  grid->setCurrentCell(0, 3); // channel 11
                  QTest::keyClicks(grid, "7");
                  QTest::keyClicks(in<QLineEdit>(d, "txtRadio"), "5.9");
                  click(d, "Command1");
                  EXPECT_TRUE(d.isVisible());
                  EXPECT_EQ(grid->item(0, 3)->text(), "76.00000");
                  EXPECT_EQ(prompts.asked.size(), 1u);
                  click(d, "Command1");
                  EXPECT_FALSE(d.isVisible());
              });
    EXPECT_EQ(bytes(addr::kFmChannels + 40, 4), (std::vector<uint8_t>{0x07, 0x60, 0x00, 0x00}));
}

TEST_F(Accessory, EmbeddedMessageOkWritesOneByteACharacter) {
    const uint8_t stored[16] = {0x41, 0xFF, 0x42, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    session().image.write(addr::kEmbeddedMessage, stored, 16);
    whileOpen([&] { trigger("mnuProgram_EmbMsg"); },
              [&](QDialog& d) {
                  EXPECT_EQ(d.windowTitle(), "Embedded Message");
                  auto* text = in<QLineEdit>(d, "txtMsg");
                  EXPECT_EQ(text->text(), "AB");
                  text->selectAll();
                  // Typed one character at a time, as a keyboard or an input method sends them.
                  for (const QChar ch : QString::fromUtf8("Hé中llo ÿ0123456789XYZ")) {
                      QTest::sendKeyEvent(QTest::Click, text, Qt::Key_unknown, QString(ch),
                                          Qt::NoModifier);
                  }
                  EXPECT_EQ(text->text(),
                            QString::fromUtf8("Héllo 0123456789")); // 16, one byte each
                  click(d, "CmdOk");
              });
    EXPECT_EQ(bytes(addr::kEmbeddedMessage, 16),
              (std::vector<uint8_t>{'H', 0xE9, 'l', 'l', 'o', ' ', '0', '1', '2', '3', '4', '5',
                                    '6', '7', '8', '9'}));
}

// A tab and a line break pasted with the text are no characters of the message.
TEST_F(Accessory, EmbeddedMessageTakesNoControlCharactersFromTheClipboard) {
    QApplication::clipboard()->setText("HI\tTHERE\n");
    whileOpen([&] { trigger("mnuProgram_EmbMsg"); },
              [&](QDialog& d) {
                  auto* text = in<QLineEdit>(d, "txtMsg");
                  text->selectAll();
                  QTest::keyClick(text, Qt::Key_V, Qt::ControlModifier);
                  EXPECT_EQ(text->text(), "HITHERE");
                  QTest::keyClick(text, Qt::Key_Home);
                  QTest::keyClick(text, Qt::Key_Right);
                  QApplication::clipboard()->setText("\tX\r\nY");
                  QTest::keyClick(text, Qt::Key_V, Qt::ControlModifier);
                  EXPECT_EQ(text->text(), "HXYITHERE");
                  EXPECT_EQ(text->cursorPosition(), 3); // after what was pasted
                  click(d, "CmdOk");
              });
    std::vector<uint8_t> expected(16, 0xFF);
    const std::string message = "HXYITHERE";
    std::copy(message.begin(), message.end(), expected.begin());
    EXPECT_EQ(bytes(addr::kEmbeddedMessage, 16), expected);
}

// A stored FM frequency off the grid, its cell clicked and left with its text unchanged,
// stays as stored; Escape then has nothing to ask.
TEST_F(Accessory, RadioCellLeftUnchangedWritesNothing) {
    const uint8_t stored[] = {0x08, 0x75, 0x01, 0x23}; // 87.50123 MHz
    session().image.write(addr::kFmChannels, stored, 4);
    const CodeplugImage before = session().image;
    whileOpen([&] { trigger("mnuProgram_ANI"); },
              [&](QDialog& d) {
                  auto* grid = in<QTableWidget>(d, "MSRadioGrid");
                  EXPECT_EQ(grid->item(0, 1)->text(), "87.50123");
                  for (int row : {0, 1}) {
                      QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                                        grid->visualItemRect(grid->item(row, 1)).center());
                      EXPECT_TRUE(in<QLineEdit>(d, "txtRadio")->isVisible());
                  }
                  EXPECT_EQ(grid->item(0, 1)->text(), "87.50123");
                  QTest::keyClick(in(d, "txtRadio"), Qt::Key_Escape); // the editor
                  QTest::keyClick(grid, Qt::Key_Escape);              // the window
                  EXPECT_FALSE(d.isVisible());
              });
    EXPECT_TRUE(prompts.asked.empty());
    EXPECT_TRUE(session().image == before);
}

TEST_F(Accessory, VisibleColumnsHoldForBothBanks) {
    whileOpen([&] { trigger("mnuView_Columns"); },
              [&](QDialog& d) {
                  EXPECT_EQ(in<QCheckBox>(d, "ColumnSel_10")->text(), "PTT ID");
                  click(d, "Command2"); // Inverse
                  for (int c = 1; c < kColumnCount; ++c) {
                      EXPECT_EQ(in<QCheckBox>(d, QString("ColumnSel_%1").arg(c))->isChecked(),
                                c == 1 || c == 14)
                          << c;
                  }
                  in<QCheckBox>(d, "ColumnSel_8")->setChecked(true);
                  click(d, "CmdOk");
              });
    for (int bank : {kBankA, kBankB}) {
        for (int c = 1; c < kColumnCount; ++c) {
            EXPECT_EQ(grid(bank)->columnVisible(c), c == 1 || c == 8 || c == 14)
                << "bank " << bank << " column " << c;
        }
    }
    whileOpen([&] { trigger("mnuView_Columns"); },
              [&](QDialog& d) {
                  EXPECT_FALSE(in<QCheckBox>(d, "ColumnSel_2")->isChecked());
                  EXPECT_FALSE(in<QCheckBox>(d, "ColumnSel_1")->isEnabled());
                  click(d, "Command1"); // Select All
                  click(d, "CmdOk");
              });
    for (int c = 1; c < kColumnCount; ++c) {
        EXPECT_TRUE(grid(kBankB)->columnVisible(c)) << c;
        // The last column ("More") also takes whatever width is left over.
        const int width = grid(kBankA)->columnWidth(c - 1);
        if (c == kColMore) {
            EXPECT_GE(width, TwipsToPixels(ColumnWidthTwips(c)));
        } else {
            EXPECT_EQ(width, TwipsToPixels(ColumnWidthTwips(c))) << c;
        }
    }
}

TEST_F(Accessory, AboutFromMenuAndToolbarInBothLanguages) {
    for (int language : {kEnglish, kChinese}) {
        window->switchLanguage(language);
        for (auto open : std::vector<std::function<void()>>{[&] { trigger("mnuHelp_About"); },
                                                            [&] {
                                                                clickTool("About");
                                                            }}) {
            whileOpen(open, [&](QDialog& d) {
                EXPECT_EQ(d.windowTitle(), Tr(1068, language) + " R57");
                const QStringList lines = in<QLabel>(d, "lblAbout")->text().split('\n');
                ASSERT_EQ(lines.size(), 5);
                EXPECT_EQ(lines[0], Tr(1187, language));
                EXPECT_EQ(lines[1], Tr(1188, language) + " R57");
                EXPECT_EQ(lines[2], "");
                EXPECT_EQ(lines[3], Tr(1189, language) + " 1.10");
                EXPECT_EQ(lines[4],
                          Tr(1190, language) + " " +
                              QLocale().toString(QDate(2016, 1, 6), QLocale::ShortFormat));
                EXPECT_EQ(in<QPushButton>(d, "CmdOk")->text(), Tr(1058, language));
                click(d, "CmdOk");
            });
        }
    }
}

TEST_F(Accessory, DialogsFollowChinese) {
    window->switchLanguage(kChinese);
    whileOpen([&] { trigger("mnuProgram_ANI"); },
              [&](QDialog& d) {
                  EXPECT_EQ(d.windowTitle(), Tr(1445, kChinese));
                  EXPECT_EQ(in<QComboBox>(d, "cboRadioCh")->itemText(24),
                            Tr(1345, kChinese) + "25");
                  EXPECT_EQ(in<QLabel>(d, "Label1")->text(), Tr(1054, kChinese));
              });
    whileOpen([&] { trigger("mnuView_Columns"); },
              [&](QDialog& d) {
                  EXPECT_EQ(in<QCheckBox>(d, "ColumnSel_3")->text(), Tr(1140, kChinese));
                  EXPECT_EQ(in<QPushButton>(d, "Command1")->text(), Tr(1450, kChinese));
              });
    whileOpen([&] { trigger("mnuProgram_EmbMsg"); },
              [&](QDialog& d) {
                  EXPECT_EQ(in<QPushButton>(d, "CmdCancel")->text(), Tr(1059, kChinese));
              });
}

// A right button on the grid editors, the VFO frequency box and the message box shows
// no context menu.
TEST_F(Accessory, NoContextMenuOnTheFrequencyNameAndMessageBoxes) {
    auto expectNoMenu = [](QWidget* box) {
        ASSERT_NE(box, nullptr);
        QWidget* shown = nullptr;
        // A menu that opened would wait for a click; record and close it instead.
        QTimer::singleShot(0, [&] {
            shown = QApplication::activePopupWidget();
            if (shown) {
                shown->close();
            }
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2),
                                box->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(box, &event);
        QCoreApplication::processEvents();
        EXPECT_EQ(shown, nullptr) << box->objectName().toStdString();
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    };
    for (const char* name : {"txtMemChannel", "txtMemChannelB", "txtVfoFreq_0"}) {
        expectNoMenu(find<QWidget>(name));
    }
    whileOpen([&] { trigger("mnuProgram_EmbMsg"); },
              [&](QDialog& d) { expectNoMenu(in(d, "txtMsg")); });
}

} // namespace
} // namespace r57::ui::testing
