// `frmCompare` as a dealer uses it: opened from the menus with the mouse, the same rows
// as `r57 diff` and its CSV, taking every row across in one undo step, the radio read
// aside, going to a field, the filter and the toggles, the printed list.
#include "compare_pairs.h"
#include "main_window_fixture.h"

#include "common/child_process.h"
#include "common/pdf_tools.h"
#include "common/radio_process.h"
#include "core/data_file.h"
#include "link/backups.h"
#include "text/codeplug_diff.h"
#include "text/csv_table.h"
#include "ui/compare/compare_commands.h"
#include "ui/compare/compare_window.h"
#include "ui/service/service_windows.h"
#include "ui/settings/settings_window.h"

#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>

#include <fstream>
#include <sstream>

namespace r57::ui::testing {
namespace {

std::string ReadText(const QString& path) {
    std::ifstream in(path.toStdString(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class CompareWindowTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        install();
    }
    void install() {
        InstallCompareWindow(*window);
        InstallSettingsWindow(*window);
        InstallServiceWindows(*window);
    }

    QString file(const QString& name) const { return folder.filePath(name); }

    // The menu opened with the mouse on the menu bar, the item clicked in it.
    void choose(const char* menuName, const char* itemName) {
        QMenuBar* bar = window->menuBar();
        auto* menu = find<QMenu>(menuName);
        QApplication::setActiveWindow(window.get());
        // A press that lands while the bar still counts the last menu as open only
        // closes it: press again, as a user would.
        for (int tries = 0; tries < 3 && !menu->isVisible(); ++tries) {
            QTest::mouseClick(bar, Qt::LeftButton, {},
                              bar->actionGeometry(menu->menuAction()).center());
            WaitFor([menu] { return menu->isVisible(); }, 300);
        }
        ASSERT_TRUE(menu->isVisible());
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item(itemName)).center());
        QCoreApplication::processEvents();
    }

    // Opens `mine` as File > Open would, and keeps it as the window holds it (what a
    // grid repairs while showing it), so both sides compare the same bytes.
    void openAs(const CodeplugImage& mine, const QString& name) {
        ASSERT_TRUE(WriteDataFile(file(name).toStdString(), mine).ok);
        ASSERT_TRUE(window->openFile(file(name)));
        CodeplugImage held = session().image;
        window->sheet(session().currentBank).rewriteNames(held);
        ASSERT_TRUE(WriteDataFile(file(name).toStdString(), held).ok);
        ASSERT_TRUE(window->openFile(file(name)));
    }

    CompareWindow* compareWith(const CodeplugImage& other, const QString& name) {
        EXPECT_TRUE(WriteDataFile(file(name).toStdString(), other).ok);
        prompts.files.push_back(file(name));
        choose("mnuFile", "mnuFile_Compare");
        CompareWindow* shown = OpenCompareWindow(*window);
        EXPECT_NE(shown, nullptr);
        return shown;
    }

    // The rows as the tree shows them, as CSV: the group's area, then the columns.
    static std::string ShownCsv(CompareWindow& compare, int language) {
        QAbstractItemModel* model = compare.list()->model();
        std::string csv = text::CsvLine(text::DiffCaptions(language));
        for (int g = 0; g < model->rowCount(); ++g) {
            const QModelIndex group = model->index(g, 0);
            const QString area = group.data().toString().section(" (", 0, 0);
            for (int r = 0; r < model->rowCount(group); ++r) {
                std::vector<std::string> fields{area.toStdString()};
                for (int c = 0; c < 3; ++c) {
                    fields.push_back(model->index(r, c, group).data().toString().toStdString());
                }
                csv += text::CsvLine(fields);
            }
        }
        return csv;
    }

    QTemporaryDir scratch;
    QDir folder{scratch.path()};
};

TEST_F(CompareWindowTest, TheWindowTheDiffAndItsCsvShowTheSameRows) {
    for (const test::ImagePair& pair : test::ComparedPairs()) {
        SCOPED_TRACE(pair.what);
        open();
        install();
        openAs(pair.mine, "a.dat");
        CompareWindow* compare = compareWith(pair.other, "b.dat");
        ASSERT_NE(compare, nullptr);
        const std::string a = file("a.dat").toStdString();
        const std::string b = file("b.dat").toStdString();
        const test::ProgramResult lines = test::RunBuiltProgram("r57", {"diff", a, b});
        const test::ProgramResult csv = test::RunBuiltProgram("r57", {"diff", a, b, "--csv"});
        EXPECT_EQ(lines.exitCode, pair.mine == pair.other ? 0 : 1) << lines.err;
        EXPECT_EQ(csv.exitCode, lines.exitCode);
        std::string fromRows;
        for (const text::DiffRow& row : compare->model().rows()) {
            fromRows += text::DiffLine(row, kEnglish) + "\n";
        }
        EXPECT_EQ(fromRows, lines.out);
        EXPECT_EQ(ShownCsv(*compare, kEnglish), csv.out);
        prompts.files.push_back(file("out.csv"));
        QTest::mouseClick(compare->findChild<QPushButton*>("cmdExport"), Qt::LeftButton);
        EXPECT_EQ(ReadText(file("out.csv")), csv.out);
        if (pair.what == "every field changed") {
            compare->close();
            window->switchLanguage(kChinese);
            compare = compareWith(pair.other, "b.dat");
            const test::ProgramResult zh =
                test::RunBuiltProgram("r57", {"diff", a, b, "--csv", "--lang", "zh"});
            EXPECT_EQ(ShownCsv(*compare, kChinese), zh.out);
        }
        compare->close();
    }
}

TEST_F(CompareWindowTest, TakingEveryRowIsOneStepThatUndoTakesBack) {
    const CodeplugImage other = test::EveryFieldFrom(test::Sample(), test::RandomImage(5));
    openAs(test::Sample(), "a.dat");
    const CodeplugImage before = session().image;
    CompareWindow* compare = compareWith(other, "b.dat");
    ASSERT_NE(compare, nullptr);
    const std::vector<text::DiffRow> rows = compare->model().rows();
    ASSERT_TRUE(std::any_of(rows.begin(), rows.end(), [](const text::DiffRow& row) {
        return row.area == text::DiffArea::Service;
    }));
    QTreeView* list = compare->list();
    list->setFocus();
    QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
    // Service rows need the password: a wrong one first, then the right one.
    int logins = 0;
    std::function<void()> answer = [&] {
        auto* login = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!login || login->objectName() != "frmLogin") {
            QTimer::singleShot(20, answer);
            return;
        }
        auto* password = login->findChild<QLineEdit*>("txtPassword");
        password->selectAll();
        QTest::keyClicks(password, logins++ == 0 ? "482914" : "482913");
        QTest::mouseClick(login->findChild<QPushButton*>("CmdOk"), Qt::LeftButton);
        if (logins == 1) {
            QTimer::singleShot(20, answer);
        }
    };
    QTimer::singleShot(0, answer);
    QTest::mouseClick(compare->findChild<QPushButton*>("cmdTake"), Qt::LeftButton);
    EXPECT_EQ(logins, 2);
    EXPECT_EQ(prompts.asked.front().text, Tr(1390)); // "Wrong Password,Please try again!"
    // The window takes what the text layer takes: every row through the rules.
    const text::TakeResult expected = text::TakeFromOther(before, other, rows);
    EXPECT_EQ(session().image, expected.image);
    EXPECT_FALSE(session().image == before);
    EXPECT_EQ(compare->model().rows().size(),
              text::CompareCodeplugs(session().image, other).size());
    EXPECT_LT(compare->model().rows().size(), rows.size());
    // Every value the rules did not take as given is named in the status log.
    const QString log = find<QPlainTextEdit>("TxtStatus")->toPlainText();
    for (const text::TakenRow& r : expected.refused) {
        EXPECT_TRUE(log.contains(QString::fromStdString(r.field + ": " + r.problem))) << r.field;
    }
    clickTool("Undo");
    EXPECT_EQ(session().image, before);
}

TEST_F(CompareWindowTest, CompareWithRadioLeavesTheOpenCodeplugAsItWas) {
    if (!test::VirtualRadio::Built()) {
        GTEST_SKIP() << "r57-radio is not built";
    }
    QDir(link::BackupFolder()).removeRecursively();
    test::VirtualRadio radio;
    ASSERT_TRUE(radio.start(test::Sample()));
    session().portDevice = radio.device();
    loadChannels({3, 5}); // unsaved edits
    ASSERT_TRUE(session().hasUnsavedChanges());
    const CodeplugImage before = session().image;
    const QString title = window->windowTitle();
    prompts.answers.push_back(Answer::Ok); // "Do you wish to continue?"
    choose("mnuTransfer", "mnuTransfer_Compare");
    ASSERT_TRUE(WaitFor([this] { return OpenCompareWindow(*window) != nullptr; }, 60000));
    CompareWindow* compare = OpenCompareWindow(*window);
    EXPECT_EQ(session().image, before);
    EXPECT_TRUE(session().hasUnsavedChanges());
    EXPECT_EQ(window->windowTitle(), title);
    EXPECT_EQ(compare->model().rows().size(),
              text::CompareCodeplugs(before, compare->other()).size());
    const QStringList kept = QDir(link::BackupFolder()).entryList({"*_read.dat"});
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(ReadDataFile(QDir(link::BackupFolder()).filePath(kept[0]).toStdString()).image,
              compare->other());
}

TEST_F(CompareWindowTest, FilterTogglesAndGoingToAField) {
    const CodeplugImage other = test::EveryFieldFrom(test::Sample(), test::RandomImage(3));
    openAs(test::Sample(), "a.dat");
    CompareWindow* compare = compareWith(other, "b.dat");
    ASSERT_NE(compare, nullptr);
    CompareModel& model = compare->model();
    const int all = model.shownCount();
    // The first channel field listed, other than a whole channel.
    const auto first = std::find_if(model.rows().begin(), model.rows().end(), [](const auto& row) {
        return row.bank >= 0 && row.field != ChannelLabel(row.bank, row.channel);
    });
    ASSERT_NE(first, model.rows().end());
    const text::DiffRow channelRow = *first;
    const std::string label = ChannelLabel(channelRow.bank, channelRow.channel) + " ";
    QTest::keyClicks(compare->findChild<QLineEdit*>("txtFilter"), QString::fromStdString(label));
    ASSERT_GT(model.shownCount(), 0);
    EXPECT_LT(model.shownCount(), all);
    for (const auto& words : model.shownWords()) {
        EXPECT_NE((words[1] + words[2] + words[3]).find(label), std::string::npos);
    }
    compare->findChild<QLineEdit*>("txtFilter")->clear();
    auto* settings = compare->findChild<QCheckBox*>("chkOnlySettings");
    auto* channels = compare->findChild<QCheckBox*>("chkOnlyChannels");
    QTest::mouseClick(settings, Qt::LeftButton, {}, QPoint(4, settings->height() / 2));
    for (std::size_t i : model.shownRows()) {
        EXPECT_TRUE(model.rows()[i].area == text::DiffArea::Settings ||
                    model.rows()[i].area == text::DiffArea::Service);
    }
    QTest::mouseClick(channels, Qt::LeftButton, {}, QPoint(4, channels->height() / 2));
    EXPECT_FALSE(settings->isChecked());
    const int onlyChannels = model.shownCount();
    QTest::mouseClick(channels, Qt::LeftButton, {}, QPoint(4, channels->height() / 2));
    EXPECT_LT(onlyChannels, all);
    EXPECT_EQ(model.shownCount(), all);

    // Enter on a channel's row puts the grid's cursor on its cell.
    QTreeView* list = compare->list();
    auto indexOf = [&](const std::string& field) {
        for (int g = 0; g < model.rowCount(); ++g) {
            for (int r = 0; r < model.rowCount(model.index(g, 0)); ++r) {
                const QModelIndex at = model.index(r, 0, model.index(g, 0));
                if (model.rowAt(at)->field == field) {
                    return at;
                }
            }
        }
        return QModelIndex();
    };
    const QModelIndex cell = indexOf(channelRow.field);
    ASSERT_TRUE(cell.isValid());
    list->setCurrentIndex(cell);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(session().currentBank, channelRow.bank);
    EXPECT_EQ(window->shownGrid()->cursorRow(), channelRow.channel);
    EXPECT_EQ(window->shownGrid()->cursorColumn(),
              channelRow.column >= 0 ? channelRow.column : kColOption);

    // A double click on a settings row opens the settings window at its page, the
    // field's control focused.
    const auto setting =
        std::find_if(model.rows().begin(), model.rows().end(), [](const auto& row) {
            return row.page == "Function Setting" && row.field.rfind("PTT", 0) != 0;
        });
    ASSERT_NE(setting, model.rows().end());
    const QModelIndex squelch = indexOf(setting->field);
    ASSERT_TRUE(squelch.isValid());
    list->scrollTo(squelch);
    const QPoint at = list->visualRect(squelch).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    QDialog* settingsWindow = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] {
            settingsWindow = window->findChild<QDialog*>("FrmOpSign");
            return settingsWindow && settingsWindow->isVisible() &&
                   settingsWindow->isAncestorOf(QApplication::focusWidget());
        },
        3000));
    auto* tree = settingsWindow->findChild<QTreeWidget*>("TreeOPS");
    EXPECT_EQ(tree->currentItem()->data(0, Qt::UserRole).toString(), "B0");
    // The field's control on the page shown, not a button of the window.
    QWidget* focus = QApplication::focusWidget();
    EXPECT_TRUE(settingsWindow->findChild<QStackedWidget*>()->currentWidget()->isAncestorOf(focus))
        << setting->field << " " << focus->objectName().toStdString();
    settingsWindow->reject();

    // A service row: the service login first, then the service window at its page.
    const auto service =
        std::find_if(model.rows().begin(), model.rows().end(),
                     [](const auto& row) { return row.page == "Tuning and Deviation"; });
    ASSERT_NE(service, model.rows().end());
    list->setCurrentIndex(indexOf(service->field));
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Return);
    QDialog* login = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] {
            login = window->findChild<QDialog*>("frmLogin");
            return login && login->isVisible();
        },
        3000));
    QTest::keyClicks(login->findChild<QLineEdit*>("txtPassword"), "482913");
    QTest::mouseClick(login->findChild<QPushButton*>("CmdOk"), Qt::LeftButton);
    QDialog* serviceWindow = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] {
            serviceWindow = login->findChild<QDialog*>("frmAdv");
            return serviceWindow && serviceWindow->isVisible() &&
                   serviceWindow->findChild<QTreeWidget*>("TreeAdv")->currentItem();
        },
        3000));
    QTest::qWait(50);
    EXPECT_EQ(serviceWindow->findChild<QTreeWidget*>("TreeAdv")
                  ->currentItem()
                  ->data(0, Qt::UserRole)
                  .toString(),
              "B");
    serviceWindow->reject();
}

TEST_F(CompareWindowTest, ThePrintedListNamesBothFilesAndTheDate) {
    openAs(test::Sample(), "mine.dat");
    CompareWindow* compare = compareWith(text::NewCodeplug(), "theirs.dat");
    ASSERT_NE(compare, nullptr);
    prompts.files.push_back(file("list.pdf"));
    QTest::mouseClick(compare->findChild<QPushButton*>("cmdPdf"), Qt::LeftButton);
    const std::vector<std::string> pages = test::PdfPages(file("list.pdf").toStdString());
    ASSERT_FALSE(pages.empty());
    EXPECT_NE(pages[0].find("mine.dat"), std::string::npos) << pages[0];
    EXPECT_NE(pages[0].find("theirs.dat"), std::string::npos);
    EXPECT_NE(pages[0].find(QDate::currentDate().toString(Qt::ISODate).toStdString()),
              std::string::npos);
    const std::string lastWhere = compare->model().shownWords().back()[1];
    EXPECT_NE(pages.back().find(lastWhere), std::string::npos) << lastWhere;
}

// With R57_SCREENSHOTS naming a folder: the window in both languages.
TEST_F(CompareWindowTest, ScreenshotsInBothLanguages) {
    const QString shots = qEnvironmentVariable("R57_SCREENSHOTS");
    if (shots.isEmpty()) {
        GTEST_SKIP() << "R57_SCREENSHOTS names no folder";
    }
    QDir().mkpath(shots);
    // What a customer changed: a few channels, two settings, a service value.
    CodeplugImage other = test::Sample();
    text::CodeplugPages pages;
    const std::vector<std::pair<const char*, std::vector<text::GivenField>>> edits = {
        {"Channels",
         {{"A2 RX Freq", "446.03125"},
          {"A2 TX Freq", "446.03125"},
          {"A5 CH.Name", "SITE5"},
          {"A7 TX Power", "Low"},
          {"B3 RX Freq", "145.50000"},
          {"B3 CH.Name", "REPEAT"}}},
        {"Function Setting", {{"Squelch Level", "7"}, {"Lamp", "On"}}},
        {"Frequency Range", {{"RX(VHF)", "136-200"}}},
    };
    for (const auto& [page, fields] : edits) {
        text::ApplyFields(*pages.find(page), fields, other, text::OnRefusal::Continue);
    }
    for (int language : {kEnglish, kChinese}) {
        window->switchLanguage(language);
        openAs(test::Sample(), "dealer.dat");
        CompareWindow* compare = compareWith(other, "customer.dat");
        ASSERT_NE(compare, nullptr);
        compare->resize(900, 620);
        compare->list()->setCurrentIndex(
            compare->model().index(0, 0, compare->model().index(0, 0)));
        QCoreApplication::processEvents();
        const QString suffix = language == kEnglish ? "en" : "zh";
        EXPECT_TRUE(compare->grab().save(QDir(shots).filePath("compare-" + suffix + ".png")));
        compare->close();
    }
}

} // namespace
} // namespace r57::ui::testing
