// frmDraw, the logo editor: drawing and erasing by dragging, grid lines, New, and
// Open and Save of .FIF files with every way they can end.
#include "core/session.h"
#include "qt_environment.h"
#include "scripted_prompts.h"
#include "ui/accessory/draw_window.h"
#include "ui/accessory/logo_grid.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>

namespace r57::ui {
namespace {

const auto* const kQt = ::testing::AddGlobalTestEnvironment(new test::QtEnvironment("draw_test"));

class Draw : public ::testing::Test {
protected:
    void SetUp() override {
        buffer.set(0, 63, 1);
        editor = std::make_unique<DrawWindow>(buffer, prompts, kEnglish);
        editor->show();
    }
    template <class T = QAbstractButton> T* find(const char* name) {
        T* found = editor->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void click(const char* name) { QTest::mouseClick(find(name), Qt::LeftButton); }
    // A drag from one cell to another with the left button.
    void drag(QPoint from, QPoint to) {
        LogoGrid* grid = editor->grid();
        QTest::mousePress(grid, Qt::LeftButton, {}, grid->cellCentre(from.x(), from.y()));
        QTest::mouseMove(grid, grid->cellCentre(to.x(), to.y()));
        QTest::mouseRelease(grid, Qt::LeftButton, {}, grid->cellCentre(to.x(), to.y()));
    }
    QString file(const char* name) const { return dir.filePath(name); }
    void writeFile(const char* name, const QByteArray& bytes) {
        QFile f(file(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QTemporaryDir dir;
    LogoPixels buffer;
    ScriptedPrompts prompts;
    std::unique_ptr<DrawWindow> editor;
};

TEST_F(Draw, DragsDrawAndEraseOnlyTheWorkingPictureUntilOk) {
    EXPECT_EQ(editor->windowTitle(), "PictureEdit");
    EXPECT_TRUE(find<QRadioButton>("OptTool_0")->isChecked());
    drag({0, 0}, {10, 5}); // every cell along the line, none skipped
    int dark = 0;
    for (int x = 0; x <= 10; ++x) {
        EXPECT_TRUE(editor->picture().at(x, x / 2) || editor->picture().at(x, (x + 1) / 2)) << x;
        for (int y = 0; y < 64; ++y) {
            dark += editor->picture().at(x, y);
        }
    }
    EXPECT_EQ(dark, 11 + 1); // one cell a column, and the dark pixel the buffer had
    QTest::mouseClick(find("OptTool_1"), Qt::LeftButton);
    drag({4, 2}, {4, 2});
    EXPECT_EQ(editor->picture().at(4, 2), 0);
    // A right button and a move without a press paint nothing.
    LogoGrid* grid = editor->grid();
    QTest::mouseClick(grid, Qt::RightButton, {}, grid->cellCentre(0, 0));
    QTest::mouseMove(grid, grid->cellCentre(0, 0));
    EXPECT_EQ(editor->picture().at(0, 0), 1);
    EXPECT_EQ(buffer.at(0, 0), 0); // the shared buffer waits for OK

    find<QCheckBox>("chkTool")->setChecked(false);
    EXPECT_FALSE(grid->gridLines());
    click("Command1_1"); // Cancel
    EXPECT_EQ(buffer.at(0, 0), 0);
    EXPECT_EQ(buffer.at(0, 63), 1);

    editor = std::make_unique<DrawWindow>(buffer, prompts, kChinese);
    EXPECT_EQ(editor->windowTitle(), "图片编辑");
    EXPECT_EQ(find("OptTool_1")->text(), "橡皮擦");
    QTest::mouseClick(find("OptTool_1"), Qt::LeftButton);
    click("CmdTool_0"); // New: all clear, back to drawing
    EXPECT_TRUE(editor->picture() == LogoPixels{});
    EXPECT_TRUE(find<QRadioButton>("OptTool_0")->isChecked());
    EXPECT_EQ(buffer.at(0, 63), 1);
    drag({127, 63}, {127, 63});
    click("Command1_0"); // OK
    LogoPixels expected;
    expected.set(127, 63, 1);
    EXPECT_TRUE(buffer == expected);
}

TEST_F(Draw, OpenFillsWhatTheFileCoversAndSaysWhenItCannot) {
    writeFile("row.FIF", QByteArray(100, 7) + QByteArray(8092, 0)); // 7 is as dark as 1
    prompts.files = {file("row.FIF")};
    click("CmdTool_1");
    EXPECT_EQ(prompts.fileDialogs, QStringList{"open:"});
    for (int x : {0, 99}) {
        EXPECT_EQ(buffer.at(x, 0), 1) << x; // at once, before OK
    }
    EXPECT_EQ(buffer.at(100, 0), 0);
    EXPECT_EQ(buffer.at(0, 63), 0);
    EXPECT_TRUE(editor->picture() == buffer);

    click("CmdTool_1"); // cancelled: nothing said, nothing changed
    EXPECT_TRUE(prompts.asked.empty());
    const LogoPixels kept = buffer;
    const struct {
        QString path;
        int error;
    } failures[] = {{file("missing.FIF"), ENOENT}, {dir.path(), EISDIR}};
    for (const auto& f : failures) {
        prompts.files = {f.path};
        click("CmdTool_1");
        EXPECT_EQ(prompts.lastText(), QString::fromLocal8Bit(std::strerror(f.error)));
        EXPECT_EQ(prompts.asked.back().title, "R57");
        EXPECT_TRUE(buffer == kept);
    }
}

TEST_F(Draw, SaveWritesTheWholePictureOrSaysWhyAndLeavesNoPartialFile) {
    click("CmdTool_0");
    drag({0, 0}, {0, 0});
    prompts.files = {file("one.FIF")};
    click("CmdTool_2");
    EXPECT_EQ(prompts.fileDialogs, QStringList{"save:"});
    QFile saved(file("one.FIF"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    QByteArray expected(8192, 0);
    expected[0] = 1;
    EXPECT_EQ(saved.readAll(), expected);
    EXPECT_EQ(buffer.at(0, 63), 0); // Save copies the picture into the buffer first
    EXPECT_EQ(buffer.at(0, 0), 1);

    click("CmdTool_2"); // cancelled
    EXPECT_TRUE(prompts.asked.empty());
    ASSERT_TRUE(QDir(dir.path()).mkdir("taken.FIF")); // a folder stands where the file would go
    const struct {
        QString path;
        int error;
    } failures[] = {{file("no-folder/x.FIF"), ENOENT}, {file("taken.FIF"), EISDIR}};
    for (const auto& f : failures) {
        prompts.files = {f.path};
        click("CmdTool_2");
        EXPECT_EQ(prompts.lastText(), QString::fromLocal8Bit(std::strerror(f.error)));
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"one.FIF"});
}

} // namespace
} // namespace r57::ui
