// FrmOpSign through its controls: the tree by model variant, typing with the page
// key rules, Save into the image through the main window, Reset and Close, the 5-Tone
// code-count check, the signalling grids' editors and the logo page.
#include "settings_fixture.h"

#include "core/logo.h"
#include "ui/accessory/draw_window.h"
#include "ui/accessory/logo_grid.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QTabWidget>
#include <QTableWidget>

#include <random>

namespace r57::ui::testing {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes At(const CodeplugImage& image, int address, int count) {
    return Bytes(image.data() + address, image.data() + address + count);
}

class Settings : public SettingsTest {
protected:
    // The settings bytes filled with a pattern, and the image as the window found it.
    void patternImage() {
        std::mt19937 random(7);
        for (int a = 0x0830; a < 0x0F00; ++a) {
            if (a < 0x0D00 || a >= 0x0D10) { // not the band limits
                session().image.set(a, static_cast<uint8_t>(random()));
            }
        }
        window->imageChanged();
        before = session().image;
    }
    // Bytes no page owns are as they were.
    void expectUntouched() {
        const std::pair<int, int> free[] = {{0x0000, 0x0830}, {0x0837, 0x083A}, {0x083B, 0x0840},
                                            {0x0847, 0x0C50}, {0x0C82, 0x0CB0}, {0x0CE0, 0x0D20},
                                            {0x0D28, 0x0D30}, {0x0D34, 0x0D38}, {0x0D60, 0x0D90},
                                            {0x0D9F, 0x0DA0}, {0x0DAE, 0x0DB0}, {0x0E66, 0x0E70},
                                            {0x0E88, 0x0EA0}, {0x0ED0, 0x3800}, {0x3C00, 0x4000}};
        for (auto [from, to] : free) {
            for (int a = from; a < to; ++a) {
                ASSERT_EQ(session().image.at(a), before.at(a)) << std::hex << a;
            }
        }
        EXPECT_EQ(session().image.at(0x0833) & 0x3B, before.at(0x0833) & 0x3B);
    }
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

    CodeplugImage before;
};

TEST_F(Settings, TreeFollowsTheModelVariantAndRootsShowTheirFirstPage) {
    const QStringList common = {"B", "B0", "B2", "B1", "C", "C0", "C2"};
    const std::pair<char, QStringList> cases[] = {
        {'0', common}, {'1', common + QStringList{"C1"}}, {'2', common + QStringList{"C3", "C4"}}};
    for (const auto& [model, keys] : cases) {
        SCOPED_TRACE(model);
        openSettings(model);
        EXPECT_EQ(treeKeys(), keys);
        EXPECT_EQ(dialog->windowTitle(), "Optional Features");
        EXPECT_EQ(dialog->currentPage(), kFunctionPage);
        EXPECT_TRUE(in("FraOp_5")->isVisible());
        EXPECT_EQ(pageTitle(), "Function Setting");
        const std::tuple<const char*, int, const char*, const char*> clicks[] = {
            {"C", kCommonSetPage, "C0", "Common Set"},
            {"B2", kLogoPage, "B2", "PowerOn Logo"},
            {"B", kFunctionPage, "B0", "Function Setting"},
            {"C2", kMskPage, "C2", "MSK"},
            {"B1", kPttIdPage, "B1", "PTT ID Setting"}};
        for (const auto& [key, page, selected, title] : clicks) {
            select(key);
            EXPECT_EQ(dialog->currentPage(), page) << key;
            EXPECT_EQ(currentKey(), selected);
            EXPECT_EQ(pageTitle(), title);
            EXPECT_TRUE(in(QString("FraOp_%1").arg(page))->isVisible());
            EXPECT_FALSE(in("FraOp_5")->isVisible() && page != kFunctionPage);
        }
        closeSettings();
    }
}

TEST_F(Settings, FunctionAndPttPagesSaveTheirBitsAndTheManualMark) {
    patternImage();
    session().image.set(0x0831, 0x00); // Manual off
    session().image.set(0x0833, 0x3F); // message mode Off
    session().image.set(0x0832, 0x00); // MSK PTT ID
    window->imageChanged();
    before = session().image;
    ASSERT_FALSE(item("mnuSet_Manual")->isChecked());
    openSettings();

    in<QComboBox>("cboSqLevel")->setCurrentIndex(7);
    EXPECT_FALSE(in("txtPoweronmsg")->isEnabled());
    in<QComboBox>("cboMsgMode")->setCurrentIndex(2);
    ASSERT_TRUE(in("txtPoweronmsg")->isEnabled());
    typeInto("txtPoweronmsg", "Hi {~ok");
    EXPECT_EQ(text("txtPoweronmsg"), "Hi ok");
    QTest::keyClick(in("txtPoweronmsg"), Qt::Key_Return);
    EXPECT_EQ(focused(), in("chkOp"));
    QTest::mouseClick(in("ChkManual"), Qt::LeftButton, {},
                      QPoint(8, in("ChkManual")->height() / 2));
    QTest::keyClick(in("ChkManual"), Qt::Key_Return); // Enter moves on, it does not save
    EXPECT_NE(focused(), in("ChkManual"));
    EXPECT_TRUE(session().image == before);

    select("B1");
    QComboBox* type = in<QComboBox>("CboPttID");
    typeInto("TxtPtt1", "12x4");
    EXPECT_EQ(text("TxtPtt1"), "124");
    type->setFocus();
    QTest::keyClick(type, Qt::Key_Down); // DTMF: both codes start afresh
    ASSERT_EQ(type->currentIndex(), 1);
    EXPECT_EQ(text("TxtPtt1"), "");
    typeInto("TxtPtt1", "12ab*#9x");
    EXPECT_EQ(text("TxtPtt1"), "12AB*#9");
    QTest::keyClick(in("TxtPtt1"), Qt::Key_Return);
    EXPECT_EQ(focused(), in("TxtPtt2"));
    QTest::keyClicks(in("TxtPtt2"), "c d");
    EXPECT_EQ(text("TxtPtt2"), "CD");
    QTest::keyClick(in("TxtPtt2"), Qt::Key_Return);
    EXPECT_EQ(focused(), in("CmdOps_0"));

    click("CmdOps_0");
    const CodeplugImage& image = session().image;
    EXPECT_EQ(image.at(0x0834), 7);
    EXPECT_EQ(image.at(0x0833) & 0xC0, 0x80);
    EXPECT_EQ(At(image, 0x0840, 7), (Bytes{'H', 'i', ' ', 'o', 'k', ' ', ' '}));
    EXPECT_EQ(image.at(0x0831) & 0x10, 0x10);
    EXPECT_EQ(image.at(0x0832) & 0x10, 0x10);
    EXPECT_EQ(At(image, 0x0D90, 7), (Bytes{1, 2, 10, 11, 14, 15, 9}));
    EXPECT_EQ(At(image, 0x0D98, 7), (Bytes{12, 13, 255, 255, 255, 255, 255}));
    EXPECT_EQ(At(image, 0x0DA0, 4), At(before, 0x0DA0, 4)); // the MSK codes stay
    EXPECT_TRUE(item("mnuSet_Manual")->isChecked());
    EXPECT_TRUE(session().hasUnsavedChanges());
    expectUntouched();
    EXPECT_TRUE(dialog->isVisible()); // Save keeps the window open
}

TEST_F(Settings, CommonSetBoxesFilterSettleStepAndWrap) {
    openSettings();
    select("C0");
    struct Step {
        const char* box;
        const char* typed;
        Qt::Key key;
        const char* shown;
    };
    const Step steps[] = {
        {"TxtOPSet_0", "1234", Qt::Key_Return, "1000"},
        {"TxtOPSet_0", "", Qt::Key_Up, "100"},
        {"TxtOPSet_0", "", Qt::Key_Down, "1000"},
        {"TxtOPSet_0", "1x75", Qt::Key_Return, "150"},
        {"TxtOPSet_1", "20", Qt::Key_Return, "15"},
        {"TxtOPSet_1", "", Qt::Key_Up, "Off"},
        {"TxtOPSet_1", "", Qt::Key_Down, "15"},
        {"TxtOPSet_1", "0", Qt::Key_Return, "Off"},
        {"TxtOPSet_1", "", Qt::Key_Down, "15"},
        {"TxtOPSet_1", "", Qt::Key_Down, "14"},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(std::string(s.box) + " " + s.typed);
        if (*s.typed) {
            typeInto(s.box, s.typed);
        } else {
            in(s.box)->setFocus();
        }
        QTest::keyClick(in(s.box), s.key);
        EXPECT_EQ(text(s.box), s.shown);
    }
    EXPECT_EQ(focused(), in("TxtOPSet_1"));
    QTest::keyClick(in("TxtOPSet_1"), Qt::Key_Return);
    EXPECT_EQ(focused(), in("CmdOps_0")); // Enter in the last box goes to Save
    QTest::mouseClick(in("UDOpSet_0")->findChildren<QAbstractButton*>()[0], Qt::LeftButton);
    EXPECT_EQ(text("TxtOPSet_0"), "200");
    typeInto("TxtOPSet_0", "55");
    click("CmdOps_0"); // leaving the box settles it
    EXPECT_EQ(text("TxtOPSet_0"), "100");
    EXPECT_EQ(session().image.at(0x0D21), 0);
    EXPECT_EQ(session().image.at(0x0D20), 14);
}

TEST_F(Settings, ResetAndCloseDiscardEditsAndTheLoadedLogo) {
    QTemporaryDir dir;
    const QString logoFile = dir.filePath("dot.FIF");
    QFile f(logoFile);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    // The picture shown, with the first 100 pixels of row 0 dark.
    QByteArray pixels(reinterpret_cast<const char*>(session().logo.pixels().data()), 8192);
    pixels.replace(0, 100, QByteArray(100, 1));
    f.write(pixels);
    f.close();
    const CodeplugImage start = session().image;
    const LogoPixels picture = session().logo;

    openSettings();
    in<QComboBox>("cboSqLevel")->setCurrentIndex(9);
    select("B2");
    prompts.files = {logoFile};
    click("CmdPowOn_0");
    EXPECT_EQ(prompts.fileDialogs, QStringList{"open:"});
    EXPECT_EQ(session().logo.at(99, 0), 1);
    EXPECT_EQ(session().logo.at(100, 0), picture.at(100, 0));
    click("CmdOps_1");
    EXPECT_EQ(in<QComboBox>("cboSqLevel")->currentText(), "5");
    EXPECT_TRUE(session().logo == picture);

    in<QComboBox>("cboSqLevel")->setCurrentIndex(9);
    prompts.files = {logoFile};
    click("CmdPowOn_0");
    prompts.answers = {Answer::No}; // "Data has been changed,Save?"
    closeSettings();
    EXPECT_EQ(prompts.lastText(), Tr(1378));
    prompts.asked.clear();
    EXPECT_TRUE(session().image == start);
    openSettings();
    EXPECT_EQ(in<QComboBox>("cboSqLevel")->currentText(), "5");
    EXPECT_TRUE(session().logo == picture); // reopening unpacks the image's picture

    prompts.files = {logoFile};
    select("B2");
    click("CmdPowOn_0");
    click("CmdOps_0");
    EXPECT_EQ(session().image.at(0x3800), 0x01);
    EXPECT_EQ(session().image.at(0x3863), 0x01);
    EXPECT_TRUE(prompts.asked.empty());

    prompts.files = {dir.path()}; // a folder cannot be read as a picture
    click("CmdPowOn_0");
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].text, QString::fromLocal8Bit(std::strerror(EISDIR)));
}

TEST_F(Settings, DtmfGridEditorDecodeModeAndChannelIdsLeftAlone) {
    patternImage();
    const Bytes idBlock = At(session().image, 0x2000, 0x1000);
    openSettings('1');
    select("C1");
    const QString g = "GridDTMF";
    clickCell(g, 0, 1);
    auto* editor = grid(g)->findChild<QLineEdit*>("TxtDTMF");
    ASSERT_TRUE(editor->isVisible());
    editor->selectAll();
    QTest::keyClicks(editor, "12a *#x");
    EXPECT_EQ(editor->text(), "12A*#");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(cell(g, 0, 1), "12A*#");
    EXPECT_EQ(grid(g)->currentRow(), 1);
    const QString kept = cell(g, 1, 1);
    QTest::keyClick(grid(g), Qt::Key_9); // a typed key opens the editor with it
    EXPECT_EQ(editor->text(), "9");
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_EQ(cell(g, 1, 1), kept);
    grid(g)->setCurrentCell(9, 1);
    QTest::keyClick(grid(g), Qt::Key_Return);
    EXPECT_EQ(focused(), in("CmdOps_0")); // Enter past the last row goes to Save

    QComboBox* mode = in<QComboBox>("CboDTMFd_0");
    mode->setCurrentIndex(0);
    EXPECT_FALSE(in("CboDTMFd_1")->isEnabled());
    mode->setCurrentIndex(1);
    EXPECT_TRUE(in("CboDTMFd_1")->isEnabled());
    typeInto("TxtDTMFd_0", "abc");
    EXPECT_EQ(text("TxtDTMFd_0"), "ABC");
    const QString had = text("TxtDTMFd_1");
    typeInto("TxtDTMFd_1", "7");
    QTest::keyClick(in("TxtDTMFd_1"), Qt::Key_Escape); // back to the text it had
    EXPECT_EQ(text("TxtDTMFd_1"), had);

    click("CmdOps_0");
    const CodeplugImage& image = session().image;
    EXPECT_EQ(At(image, 0x0DB0, 6), (Bytes{1, 2, 10, 14, 15, 255}));
    EXPECT_EQ(image.at(0x0833) & 0x04, 0x04);
    EXPECT_EQ(At(image, 0x0E50, 4), (Bytes{10, 11, 12, 255}));
    EXPECT_EQ(image.at(0x0E5A), 3);
    // The decode mode sets how long the channels' ID codes may be; it changes none.
    EXPECT_EQ(At(image, 0x2000, 0x1000), idBlock);
    expectUntouched();
}

TEST_F(Settings, TwoToneEditorsRedirectSettleAndCompleteRows) {
    openSettings('2');
    select("C3");
    const QString e = "Grid2Tone_0";
    auto* editor = grid(e)->findChild<QLineEdit*>("Txt2T");
    clickCell(e, 0, 3); // the gap of an empty row: the editor starts at tone A
    ASSERT_TRUE(editor->isVisible());
    EXPECT_EQ(grid(e)->currentColumn(), 1);
    QTest::keyClicks(editor, "100");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(cell(e, 0, 1), "288.5");
    EXPECT_EQ(grid(e)->currentColumn(), 2); // Enter moves on along the row
    QTest::keyClick(grid(e), Qt::Key_3);
    QTest::keyClicks(editor, "500");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(cell(e, 0, 2), "3000.0");
    EXPECT_EQ(cell(e, 0, 3), "100");

    const QString d = "Grid2Tone_1";
    in<QTabWidget>("Tab2T")->setCurrentIndex(1);
    auto* decodeEditor = grid(d)->findChild<QLineEdit*>("Txt2T");
    clickCell(d, 2, 2); // tone B of a row without tone A: the editor goes to tone A
    EXPECT_EQ(grid(d)->currentColumn(), 1);
    QTest::keyClicks(decodeEditor, "-");
    QTest::keyClick(decodeEditor, Qt::Key_Return);
    EXPECT_EQ(cell(d, 2, 1), "-");
    EXPECT_EQ(cell(d, 2, 3), "-");
    grid(d)->setCurrentCell(3, 3);
    grid(d)->findChild<QAction*>("actNoTone")->trigger();
    EXPECT_EQ(cell(d, 3, 3), "-");
    EXPECT_EQ(cell(d, 3, 1), "-");

    click("CmdOps_0");
    EXPECT_EQ(At(session().image, 0x0C50, 5), (Bytes{0x0B, 0x45, 0x75, 0x30, 100}));
    EXPECT_EQ(At(session().image, 0x0CBC, 12), Bytes(12, 0x00));
}

TEST_F(Settings, FiveToneCodeCountBlocksSaveResetAndLeavingThePage) {
    openSettings('2');
    select("C4");
    typeInto("Txt5Tone2_0", "12x3");
    EXPECT_EQ(text("Txt5Tone2_0"), "123");
    const CodeplugImage start = session().image;
    click("CmdOps_0");
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].text, "Code Count must be 7!");
    EXPECT_EQ(prompts.asked[0].icon, Icon::Warning);
    EXPECT_EQ(focused(), in("Txt5Tone2_0"));
    EXPECT_TRUE(session().image == start);
    select("B0");
    EXPECT_EQ(dialog->currentPage(), kFiveTonePage);
    EXPECT_EQ(currentKey(), "C4");
    click("CmdOps_1");
    EXPECT_EQ(text("Txt5Tone2_0"), "123");
    EXPECT_EQ(prompts.asked.size(), 3u);

    QTest::keyClicks(in("Txt5Tone2_0"), "4567");
    const QString g = "Grid5Tone";
    clickCell(g, 0, 2);
    auto* id = grid(g)->findChild<QLineEdit*>("Txt5T");
    QTest::keyClicks(id, "1b");
    QTest::keyClick(id, Qt::Key_Return);
    EXPECT_EQ(cell(g, 0, 2), "1BAAA");
    EXPECT_EQ(cell(g, 0, 1), "CCIR1");
    clickCell(g, 0, 1);
    auto* standard = grid(g)->findChild<QComboBox*>("Cbo5T");
    ASSERT_TRUE(standard->isVisible());
    standard->setCurrentIndex(6);
    QTest::keyClick(standard, Qt::Key_Return);
    EXPECT_EQ(cell(g, 0, 1), "ZVEI1");
    in<QComboBox>("Cbo5Tone_0")->setCurrentIndex(4);
    EXPECT_EQ(text("txtTone_14"), "459.0");

    click("CmdOps_0");
    EXPECT_EQ(prompts.asked.size(), 3u);
    EXPECT_EQ(At(session().image, 0x0E70, 8), (Bytes{14, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(At(session().image, 0x0EA0, 6), (Bytes{6, 1, 11, 10, 10, 10}));
    select("B0"); // a full code lets the page go
    EXPECT_EQ(dialog->currentPage(), kFunctionPage);
}

TEST_F(Settings, MskGridAndOwnIdTakeTheirKeys) {
    openSettings();
    select("C2");
    typeInto("TxtMSK_0", "1e2a3");
    EXPECT_EQ(text("TxtMSK_0"), "1E23");
    const QString g = "GridMSK";
    grid(g)->setFocus();
    grid(g)->setCurrentCell(9, 1);
    QTest::keyClick(grid(g), Qt::Key_9);
    auto* editor = grid(g)->findChild<QLineEdit*>("TxtMSK_1");
    QTest::keyClicks(editor, "eb99");
    EXPECT_EQ(editor->text(), "9E99");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(focused(), in("CmdOps_0"));
    click("CmdOps_0");
    EXPECT_EQ(At(session().image, 0x0D30, 4), (Bytes{1, 14, 2, 3}));
    EXPECT_EQ(At(session().image, 0x0D5C, 4), (Bytes{9, 14, 9, 9}));
}

TEST_F(Settings, LogoEditorOpensFromEditAndDoubleClickAndOkRedrawsThePage) {
    openSettings();
    select("B2");
    click("CmdPowOn_1");
    DrawWindow* draw = nullptr;
    QTRY_VERIFY((draw = dialog->findChild<DrawWindow*>("frmDraw")) != nullptr);
    EXPECT_TRUE(draw->isModal());
    QTest::mouseClick(draw->findChild<QAbstractButton*>("CmdTool_0"), Qt::LeftButton);  // New
    QTest::mouseClick(draw->findChild<QAbstractButton*>("Command1_0"), Qt::LeftButton); // OK
    EXPECT_TRUE(session().logo == LogoPixels{});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    auto* picture = in<LogoGrid>("GridTable");
    QTest::mouseDClick(picture, Qt::LeftButton, {}, picture->cellCentre(3, 3));
    QTRY_VERIFY((draw = dialog->findChild<DrawWindow*>("frmDraw")) != nullptr);
    QTest::mouseClick(draw->findChild<QAbstractButton*>("Command1_1"), Qt::LeftButton); // Cancel
    EXPECT_NE(session().image.at(0x3800 + 128 * 3 + 60), 0); // the image waits for Save
    click("CmdOps_0");
    EXPECT_EQ(At(session().image, 0x3800, 1024), Bytes(1024, 0));
}

TEST_F(Settings, ChineseTextsThroughout) {
    session().language = kChinese;
    openSettings('2');
    EXPECT_EQ(dialog->windowTitle(), Tr(1094, kChinese));
    EXPECT_EQ(node("B2")->text(0), "开机Logo");
    EXPECT_EQ(node("C2")->text(0), "MSK");
    EXPECT_EQ(node("C4")->text(0), Tr(1316, kChinese));
    EXPECT_EQ(pageTitle(), Tr(1395, kChinese));
    EXPECT_EQ(in<QAbstractButton>("CmdOps_0")->text(), Tr(1004, kChinese));
    EXPECT_EQ(in<QComboBox>("cboTot")->itemText(1), "30" + Tr(1420, kChinese));
    EXPECT_EQ(in<QComboBox>("cboLamp")->itemText(2), Tr(1439, kChinese));
    EXPECT_EQ(in<QLabel>("Label3_4")->text(), "本机结束音");
    EXPECT_EQ(in<QLabel>("LblPTTID_1")->text(), "PTT ID " + Tr(1354, kChinese));
    EXPECT_EQ(in<QAbstractButton>("CmdPowOn_1")->text(), "编辑");
    select("C0");
    typeInto("TxtOPSet_1", "0");
    QTest::keyClick(in("TxtOPSet_1"), Qt::Key_Return);
    EXPECT_EQ(text("TxtOPSet_1"), Tr(1113, kChinese));
    in("TxtOPSet_1")->setFocus();
    QTest::keyClick(in("TxtOPSet_1"), Qt::Key_Down);
    QTest::keyClick(in("TxtOPSet_1"), Qt::Key_Up);
    EXPECT_EQ(text("TxtOPSet_1"), Tr(1113, kChinese));
    select("C4");
    typeInto("Txt5Tone2_2", "1");
    click("CmdOps_0");
    EXPECT_EQ(prompts.lastText(), "代码个数必须为7！");
}

} // namespace
} // namespace r57::ui::testing
