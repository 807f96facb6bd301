// The desktop habits of the main window, driven as a user drives them: File > Recent
// Files picked with the mouse, files dropped on the grid, the window's size, place and
// bank across two starts with one settings file, and the dialogs' remembered folders.
#include "main_window_fixture.h"

#include "core/data_file.h"
#include "ui/main/dialog_folders.h"
#include "ui/main/recent_files.h"

#include <QDialog>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QUrl>

namespace r57::ui::testing {
namespace {

class Desktop : public MainWindowTest {
protected:
    void SetUp() override {
        ClearRecentFiles();
        link::WriteSetting("Layout/Geometry", "");
        link::WriteSetting("Layout/Bank", "0");
        MainWindowTest::SetUp();
    }

    // A data file whose channel A1 is named `name`.
    QString dataFile(const QString& fileName, const char* name) {
        CodeplugImage image = session().image;
        PutChannel(image, kBankA, 1, "440.12500", nullptr, name);
        const QString file = dir.filePath(fileName);
        EXPECT_TRUE(WriteDataFile(file.toStdString(), image).ok);
        return file;
    }

    // File > Recent Files: the File menu shown, and its Recent Files item clicked.
    QMenu* openRecentMenu() {
        QMenu* file = window->findChild<QMenu*>("mnuFile");
        file->popup(window->mapToGlobal(QPoint(10, 10)));
        EXPECT_TRUE(WaitFor([&] { return file->isVisible(); }, 2000));
        QMenu* recent = window->findChild<QMenu*>("mnuFile_Recent");
        QTest::mouseClick(file, Qt::LeftButton, {},
                          file->actionGeometry(recent->menuAction()).center());
        EXPECT_TRUE(WaitFor([&] { return recent->isVisible(); }, 2000));
        return recent;
    }

    QStringList entries(QMenu* menu) {
        QStringList texts;
        for (QAction* action : menu->actions()) {
            if (!action->isSeparator()) {
                texts << action->text();
            }
        }
        return texts;
    }

    void pick(QMenu* menu, const QString& objectName) {
        QAction* action = menu->findChild<QAction*>(objectName);
        ASSERT_NE(action, nullptr) << objectName.toStdString();
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
        QCoreApplication::processEvents();
    }

    QString statusLog() { return find<QPlainTextEdit>("TxtStatus")->toPlainText(); }

    // A file dragged over the bank grid and, when `drop`, let go there.
    bool drag(const QString& path, bool drop) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QWidget* target = grid()->viewport();
        const QPoint at = target->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        const bool taken = enter.isAccepted();
        if (drop) {
            QDropEvent event(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(target, &event);
            QTest::qWait(20);
        }
        return taken;
    }

    QTemporaryDir dir;
};

TEST_F(Desktop, RecentFilesListsOpenedAndSavedFilesNewestFirst) {
    for (const char* name : {"one", "two", "three"}) {
        prompts.files = {dataFile(QString(name) + ".dat", name)};
        clickTool("Open");
    }
    prompts.files = {dir.filePath("saved & kept.dat")};
    trigger("mnuFile_SaveAs");

    QMenu* recent = openRecentMenu();
    EXPECT_EQ(entries(recent), (QStringList{"&1 saved && kept.dat", "&2 three.dat", "&3 two.dat",
                                            "&4 one.dat", "&Clear List"}));
    EXPECT_EQ(recent->findChild<QAction*>("mnuFile_Recent_1")->toolTip(),
              QDir::toNativeSeparators(dir.filePath("three.dat")));

    // Picking one with unsaved edits asks as Open asks; No loads it and it moves up.
    loadChannels({5});
    prompts.answers = {Answer::No};
    pick(recent, "mnuFile_Recent_3");
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].text, Tr(1276));
    EXPECT_EQ(grid()->cellText(1, kColName).trimmed(), "one");
    EXPECT_EQ(RecentFiles().front(), dir.filePath("one.dat"));

    // A file that is gone is taken off the list with a line in the status log.
    ASSERT_TRUE(QFile::remove(dir.filePath("two.dat")));
    recent = openRecentMenu();
    pick(recent, "mnuFile_Recent_3");
    EXPECT_TRUE(statusLog().contains("two.dat no longer exists")) << statusLog().toStdString();
    EXPECT_EQ(RecentFiles().size(), 3);
    EXPECT_EQ(grid()->cellText(1, kColName).trimmed(), "one");

    // At most eight; the list speaks the interface language; Clear List empties it.
    for (int i = 0; i < 10; ++i) {
        AddRecentFile(dataFile(QString("n%1.dat").arg(i), "N"));
    }
    EXPECT_EQ(RecentFiles().size(), kRecentFileCount);
    trigger("mnuSet_LanC");
    recent = openRecentMenu();
    EXPECT_EQ(entries(recent).size(), kRecentFileCount + 1);
    EXPECT_EQ(entries(recent).front(), "&1 n9.dat");
    EXPECT_EQ(entries(recent).back(), "清除列表(&C)");
    pick(recent, "mnuFile_RecentClear");
    EXPECT_TRUE(RecentFiles().isEmpty());
    trigger("mnuSet_LanE");
}

TEST_F(Desktop, DroppedFilesOpenAsTheirCommandsDo) {
    const QString codeplug = dataFile("drop.dat", "DROP");
    QFile notes(dir.filePath("notes.txt"));
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.write("x");
    notes.close();

    // The drag shows whether the file will be taken.
    EXPECT_TRUE(drag(codeplug, false));
    EXPECT_FALSE(drag(dir.filePath("notes.txt"), false));

    // A codeplug opens as Open does: the save question first, then the file.
    loadChannels({2});
    prompts.answers = {Answer::Cancel};
    drag(codeplug, true);
    EXPECT_EQ(prompts.asked.size(), 1u);
    EXPECT_NE(grid()->cellText(1, kColName).trimmed(), "DROP");
    prompts.answers = {Answer::No};
    drag(codeplug, true);
    EXPECT_EQ(grid()->cellText(1, kColName).trimmed(), "DROP");
    EXPECT_TRUE(window->windowTitle().contains("drop.dat"));

    // A file of another kind is refused as it comes in, with a status line.
    prompts.asked.clear();
    drag(dir.filePath("notes.txt"), true);
    EXPECT_TRUE(statusLog().contains("notes.txt was not opened")) << statusLog().toStdString();
    EXPECT_TRUE(prompts.asked.empty());

    // A file that is not a codeplug is refused as Open refuses it.
    const QString bad = dir.filePath("bad.dat");
    QFile file(bad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a codeplug");
    file.close();
    drag(bad, true);
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].text, Tr(1277));

    // A text or a channel list goes to its import, which takes the dropped file
    // instead of asking for one.
    QString asked;
    for (SubWindow import : {SubWindow::ImportText, SubWindow::ImportChannels}) {
        window->setWindowOpener(import, [&] { asked = window->askOpenFile("any (*.*)"); });
    }
    for (const char* name : {"list.csv", "codeplug.yaml"}) {
        QFile text(dir.filePath(name));
        ASSERT_TRUE(text.open(QIODevice::WriteOnly));
        text.close();
        prompts.fileDialogs.clear();
        asked.clear();
        EXPECT_TRUE(drag(text.fileName(), false));
        drag(text.fileName(), true);
        EXPECT_EQ(asked, text.fileName());
        EXPECT_TRUE(prompts.fileDialogs.isEmpty());
    }
    // ... and only once: the next import asks again.
    window->openSubWindow(SubWindow::ImportText);
    EXPECT_EQ(prompts.fileDialogs, QStringList{"open:"});
}

TEST_F(Desktop, LayoutIsKeptAcrossTwoStarts) {
    window->resize(640, 420);
    window->move(30, 40);
    QTabBar* tabs = find<QTabWidget>("SSTab1")->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    ASSERT_EQ(session().currentBank, kBankB);
    ASSERT_TRUE(window->close());

    open();
    QTest::qWait(20);
    EXPECT_EQ(window->size(), QSize(640, 420));
    EXPECT_EQ(session().currentBank, kBankB);
    EXPECT_EQ(find<QTabWidget>("SSTab1")->currentIndex(), 1);

    // A place on a screen that is no longer there is not used.
    window->move(30000, 30000);
    ASSERT_TRUE(window->close());
    open();
    QTest::qWait(20);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.intersects(window->frameGeometry()))
        << window->frameGeometry().x() << "," << window->frameGeometry().y();
}

TEST_F(Desktop, TheWorkWindowsOpenAtTheSizeLastGiven) {
    auto open = [](const char* name) {
        auto window = std::make_unique<QDialog>();
        window->setObjectName(name);
        window->resize(300, 200);
        window->show();
        QCoreApplication::processEvents();
        return window;
    };
    const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
    auto service = open("frmAdv");
    service->resize(520, 410);
    service->close();
    auto settings = open("FrmOpSign");
    settings->resize(screen.width() + 500, 380); // dragged past the screen's edge
    settings->close();
    auto about = open("frmAbout"); // a small fixed window keeps its own size
    about->resize(350, 250);
    about->close();

    EXPECT_EQ(open("frmAdv")->size(), QSize(520, 410));
    EXPECT_EQ(open("FrmOpSign")->size(), QSize(screen.width(), 380));
    EXPECT_EQ(open("frmAbout")->size(), QSize(300, 200));
}

TEST(DialogFolders, EachKindStartsInItsLastFolder) {
    StartApplication();
    QTemporaryDir first, second;
    const QString dat = "KDX Data Files (*.dat)";
    const QString yaml = "Codeplug Text (*.yaml *.yml)";
    RememberDialogFolder(DialogDirection::Open, dat, first.filePath("a.dat"));
    RememberDialogFolder(DialogDirection::Save, dat, second.filePath("b.dat"));
    const struct {
        DialogDirection direction;
        QString filter, name, expected;
    } cases[] = {
        {DialogDirection::Open, dat, "", first.path()},
        {DialogDirection::Save, dat, "Untitled.dat", second.filePath("Untitled.dat")},
        {DialogDirection::Save, dat, "/elsewhere/x.dat", "/elsewhere/x.dat"},
        {DialogDirection::Open, yaml, "", ""},
        {DialogDirection::Save, "PDF (*.pdf)", "sheet.pdf", "sheet.pdf"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DialogStartPath(c.direction, c.filter, c.name), c.expected)
            << c.filter.toStdString() << " " << c.name.toStdString();
    }
    // A remembered folder that is gone is not offered.
    first.remove();
    EXPECT_EQ(DialogStartPath(DialogDirection::Open, dat, ""), "");
}

} // namespace
} // namespace r57::ui::testing
