// Edit > Undo and Redo in the main window: every kind of committed change goes back and
// comes again, the views follow the image, and the unsaved-changes question still
// compares with the saved copy.
#include "main_window_fixture.h"

#include "core/address_map.h"
#include "core/data_file.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>

#include <functional>

namespace r57::ui::testing {
namespace {

class Undo : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        loadChannels({1, 2, 3, 5});
        settle();
    }

    // Everything so far becomes history: the window's door with no change.
    void settle() {
        window->applyWindowChange([] {});
    }

    // The image as the grid shows it: with the names the grid holds for moved channels.
    CodeplugImage shown() {
        CodeplugImage image = session().image;
        window->sheet(session().currentBank).rewriteNames(image);
        return image;
    }

    // The grid of the shown bank tells what the image holds.
    void expectGridShowsImage(const char* when) {
        CodeplugImage copy = session().image;
        const int bank = session().currentBank;
        const BankTexts texts = DecodeBank(copy, bank, session().language);
        for (int row = 1; row <= kChannelRows; ++row) {
            for (int column = kColRx; column < kColMore; ++column) {
                ASSERT_EQ(grid(bank)->cellText(row, column).toStdString(), texts[row - 1][column])
                    << when << ": row " << row << ", column " << column;
            }
        }
    }

    void typeInCell(int row, int column, const char* text) {
        grid()->setFocus();
        grid()->setCursor(row, column);
        QTest::keyClick(grid(), Qt::Key_Return);
        auto* editor = find<QLineEdit>("txtMemChannel");
        editor->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
    }

    QTemporaryDir dir;
};

TEST_F(Undo, EveryCommandGoesBackAndComesAgain) {
    CodeplugImage other = session().image;
    PutChannel(other, kBankA, 9, "440.00000", nullptr, "OTHER");
    const QString otherFile = dir.filePath("other.dat");
    ASSERT_TRUE(WriteDataFile(otherFile.toStdString(), other).ok);

    struct Row {
        const char* name;
        std::function<void()> change;
    };
    const std::vector<Row> table = {
        {"grid frequency",
         [&] {
             typeInCell(2, kColRx, "438.5");
         }},
        {"grid name",
         [&] {
             typeInCell(3, kColName, "Base");
         }},
        {"copy and paste",
         [&] {
             grid()->setCursor(1, kColRx);
             trigger("mnuEdit_Copy");
             grid()->setCursor(7, kColRx);
             trigger("mnuEdit_Paste");
         }},
        {"edit clear",
         [&] {
             grid()->setCursor(2, kColRx);
             trigger("mnuEdit_Clear");
         }},
        {"button clear",
         [&] {
             grid()->setCursor(3, kColRx);
             clickButton(kClearButton);
         }},
        {"channel up",
         [&] {
             grid()->setCursor(5, kColRx);
             clickButton(kMoveUp);
         }},
        {"channel down",
         [&] {
             grid()->setCursor(1, kColRx);
             clickTool("MoveDown");
         }},
        {"insert",
         [&] {
             grid()->setCursor(2, kColRx);
             clickButton(kInsert);
         }},
        {"delete",
         [&] {
             grid()->setCursor(1, kColRx);
             trigger("mnuEdit_Delete");
         }},
        {"manual",
         [&] {
             trigger("mnuSet_Manual");
         }},
        {"panel",
         [&] {
             grid()->setCursor(7, kColRx);
             window->setAlternatePanelOpen(true);
             auto* power = find<QComboBox>("CboTxPowerGUI");
             power->setCurrentIndex(power->findText(Tr(1109)));
             emit power->activated(power->currentIndex());
         }},
        {"window OK",
         [&] {
             window->setAlternatePanelOpen(false);
             window->applyWindowChange(
                 [&] { session().image.set(addr::kEmbeddedMessage, uint8_t('X')); });
         }},
        {"new",
         [&] {
             prompts.answers = {Answer::Ok};
             trigger("mnuFile_New");
         }},
        {"open",
         [&] {
             prompts.answers = {Answer::No}; // the unsaved changes are given up
             prompts.files = {otherFile};
             trigger("mnuFile_Open");
         }},
    };
    // Undo and redo are reached every way there is, in turn.
    const std::vector<std::pair<std::function<void()>, std::function<void()>>> ways = {
        {[&] { trigger("mnuEdit_Undo"); },
         [&] {
             trigger("mnuEdit_Redo");
         }},
        {[&] { clickTool("Undo"); },
         [&] {
             clickTool("Redo");
         }},
        {[&] { QTest::keyClick(grid(), Qt::Key_Z, Qt::ControlModifier); },
         [&] {
             QTest::keyClick(grid(), Qt::Key_Y, Qt::ControlModifier);
         }},
        {[&] { QTest::keyClick(grid(), Qt::Key_Z, Qt::ControlModifier); },
         [&] {
             QTest::keyClick(grid(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
         }},
    };
    int way = 0;
    for (const Row& row : table) {
        SCOPED_TRACE(row.name);
        const CodeplugImage before = shown();
        const std::string fileBefore = session().currentFileName;
        row.change();
        const CodeplugImage after = shown();
        const std::string fileAfter = session().currentFileName;
        ASSERT_TRUE(before != after);
        ASSERT_TRUE(item("mnuEdit_Undo")->isEnabled());

        const auto& [undo, redo] = ways[way++ % ways.size()];
        undo();
        EXPECT_TRUE(session().image == before);
        EXPECT_EQ(session().currentFileName, fileBefore);
        expectGridShowsImage("after undo");
        EXPECT_TRUE(item("mnuEdit_Redo")->isEnabled());
        redo();
        EXPECT_TRUE(session().image == after);
        EXPECT_EQ(session().currentFileName, fileAfter);
        expectGridShowsImage("after redo");
        EXPECT_FALSE(item("mnuEdit_Redo")->isEnabled());
        EXPECT_TRUE(find<QToolButton>("tlbActions_Undo")->isEnabled());
    }
}

TEST_F(Undo, AStepTakenBackIsShownWhereItChanged) {
    typeInCell(5, kColName, "Depot");
    find<QTabWidget>("SSTab1")->setCurrentIndex(kBankB);
    loadChannels({3}, kBankB);
    window->applyWindowChange([] {});
    grid(kBankB)->setCursor(40, kColRx);

    trigger("mnuEdit_Undo"); // bank B's channel 3, shown where it was
    EXPECT_EQ(session().currentBank, kBankB);
    EXPECT_EQ(grid(kBankB)->cursorRow(), 3);
    trigger("mnuEdit_Undo"); // the name in bank A: bank A comes to the front
    EXPECT_EQ(session().currentBank, kBankA);
    EXPECT_EQ(grid(kBankA)->cursorRow(), 5);
    EXPECT_EQ(grid(kBankA)->cellText(5, kColName).trimmed(), "CH5");
    EXPECT_TRUE(item("mnuEdit_Redo")->isEnabled()); // showing it took no step
    trigger("mnuEdit_Redo");
    EXPECT_EQ(grid(kBankA)->cellText(5, kColName).trimmed(), "Depot");
    trigger("mnuEdit_Redo");
    EXPECT_EQ(session().currentBank, kBankB);
    EXPECT_EQ(grid(kBankB)->cellText(3, kColRx), "446.00625");
}

TEST_F(Undo, BackToTheSavedImageMeansNothingToSave) {
    const QString file = dir.filePath("site.dat");
    prompts.files = {file};
    trigger("mnuFile_SaveAs");
    ASSERT_FALSE(session().hasUnsavedChanges());
    const bool manual = item("mnuSet_Manual")->isChecked();
    typeInCell(1, kColName, "Depot");
    trigger("mnuSet_Manual");
    ASSERT_TRUE(session().hasUnsavedChanges());
    trigger("mnuEdit_Undo");
    trigger("mnuEdit_Undo");
    EXPECT_FALSE(session().hasUnsavedChanges());
    EXPECT_EQ(grid()->cellText(1, kColName).trimmed(), "CH1");
    EXPECT_EQ(item("mnuSet_Manual")->isChecked(), manual);
    prompts.asked.clear();
    window->close();
    EXPECT_TRUE(prompts.asked.empty());
}

TEST_F(Undo, AnUndoneOpenNamesItsFileAgainSoASaveGoesThere) {
    const QString first = dir.filePath("first.dat");
    prompts.files = {first};
    trigger("mnuFile_SaveAs");
    const CodeplugImage mine = session().image;
    CodeplugImage other = mine;
    PutChannel(other, kBankA, 20, "145.00000", nullptr, "TWENTY");
    const QString second = dir.filePath("second.dat");
    ASSERT_TRUE(WriteDataFile(second.toStdString(), other).ok);

    prompts.files = {second};
    trigger("mnuFile_Open");
    ASSERT_TRUE(window->windowTitle().contains("second.dat"));
    trigger("mnuEdit_Undo");
    EXPECT_TRUE(window->windowTitle().contains("first.dat"));
    EXPECT_TRUE(session().image == mine);
    // The saved copy is still the other file's: the user is asked before anything is lost.
    EXPECT_TRUE(session().hasUnsavedChanges());
    trigger("mnuFile_Save");
    EXPECT_TRUE(ReadDataFile(first.toStdString()).image == mine);
    EXPECT_TRUE(ReadDataFile(second.toStdString()).image == other);
}

TEST_F(Undo, TextsInBothLanguagesAndNothingToUndoAtStart) {
    open();
    EXPECT_FALSE(item("mnuEdit_Undo")->isEnabled());
    EXPECT_FALSE(item("mnuEdit_Redo")->isEnabled());
    const struct {
        const char* name;
        const char* english;
        const char* chinese;
    } texts[] = {
        {"mnuEdit_Undo", "&Undo", "撤销(&U)"},
        {"mnuEdit_Redo", "&Redo", "重做(&R)"},
        {"mnuTransfer_Verify", "&Verify after Write", "写入后校验(&V)"},
        {"mnuHelp_Backups", "&Backups...", "备份(&B)..."},
    };
    for (int language : {kChinese, kEnglish}) {
        window->switchLanguage(language);
        for (const auto& t : texts) {
            EXPECT_EQ(item(t.name)->text().section('\t', 0, 0),
                      QString::fromUtf8(language == kChinese ? t.chinese : t.english));
        }
        EXPECT_EQ(item("mnuEdit_Undo")->text().section('\t', 1), "Ctrl+Z");
        EXPECT_EQ(find<QToolButton>("tlbActions_Undo")->toolTip(),
                  language == kChinese ? QString::fromUtf8("撤销") : "Undo");
        EXPECT_EQ(find<QToolButton>("tlbActions_Redo")->toolTip(),
                  language == kChinese ? QString::fromUtf8("重做") : "Redo");
    }
    EXPECT_FALSE(item("mnuEdit_Undo")->isEnabled()); // a language switch is no change
    EXPECT_FALSE(find<QToolButton>("tlbActions_Undo")->icon().isNull());
}

} // namespace
} // namespace r57::ui::testing
