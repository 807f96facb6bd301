// F1 as a user presses it: in every window, in both languages, it opens the guide's
// page of that window (of the page shown, in the settings and service windows), and the
// page names the window as the user sees it. The help window's contents, links, search,
// Back and Forward; a dealer's own help file still goes first.
#include "main_window_fixture.h"

#include "help/help_install.h"
#include "help/help_window.h"
#include "main/help_viewer.h"

#include "accessory/accessory_windows.h"
#include "service/service_windows.h"
#include "settings/settings_window.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeWidget>

#include <functional>

namespace r57::ui::testing {
namespace {

QWidget* TopLevel(const QString& name) {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == name && w->isVisible()) {
            return w;
        }
    }
    return nullptr;
}

// A caption as the user reads it: without its shortcut mark ("&Help", "帮助(&H)").
QString Plain(QString caption) {
    return caption.remove(QRegularExpression(R"re(\(&.\))re")).remove('&');
}

class Help : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        InstallSettingsWindow(*window);
        InstallAccessoryWindows(*window);
        InstallServiceWindows(*window);
        InstallHelp(*window);
    }
    QString dataFolder() { return QString::fromStdString(session().applicationDirectory); }

    // Picks the node `key` of the window's page tree, as a click would.
    static void pick(QWidget& w, const QString& key) {
        auto* tree = w.findChild<QTreeWidget*>();
        ASSERT_NE(tree, nullptr);
        for (QTreeWidgetItemIterator it(tree); *it; ++it) {
            if ((*it)->data(0, Qt::UserRole).toString() == key) {
                tree->setCurrentItem(*it);
                return;
            }
        }
        FAIL() << key.toStdString();
    }

    // Runs `command`, then `drive` on the window `name` while it is in front (also when
    // the command waits in a modal loop); the window is closed afterwards.
    void inFront(const std::function<void()>& command, const QString& name,
                 const std::function<void(QWidget&)>& drive) {
        bool seen = false;
        int tries = 100; // the window may show a moment after its command (the logo editor)
        std::function<void()> look = [&] {
            QWidget* front = TopLevel(name);
            if (!front && --tries > 0) {
                QTimer::singleShot(10, window.get(), look);
                return;
            }
            ASSERT_NE(front, nullptr) << name.toStdString();
            seen = true;
            drive(*front);
            if (auto* dialog = qobject_cast<QDialog*>(front)) {
                dialog->reject();
            } else if (front != window.get()) {
                front->close();
            }
        };
        QTimer::singleShot(0, window.get(), look);
        command();
        WaitFor([&] { return seen || tries <= 0; }, 2000);
        EXPECT_TRUE(seen) << name.toStdString();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

TEST_F(Help, F1InEveryWindowOpensItsPageWhichNamesIt) {
    using Name = std::function<QString(QWidget&)>;
    const Name title = [](QWidget& w) {
        return Plain(w.windowTitle());
    };
    const Name settingsPage = [](QWidget& w) {
        return w.findChild<QGroupBox*>("FraOPS")->title();
    };
    const Name serviceNode = [](QWidget& w) {
        return w.findChild<QTreeWidget*>("TreeAdv")->currentItem()->text(0);
    };
    auto settings = [this](char model) {
        return [this, model] {
            session().modelCode = model;
            trigger("mnuProgram_OPSign");
        };
    };
    auto service = [this] {
        trigger("mnuProgram_Advanced");
        QWidget* login = TopLevel("frmLogin");
        ASSERT_NE(login, nullptr);
        QTest::keyClicks(login->findChild<QLineEdit*>("txtPassword"), "482913");
        QTest::mouseClick(login->findChild<QPushButton*>("CmdOk"), Qt::LeftButton);
    };
    auto command = [this](const char* item) {
        return [this, item] {
            trigger(item);
        };
    };
    auto nothing = [](QWidget&) {
    };
    auto node = [](const char* key) {
        return [key](QWidget& w) {
            pick(w, key);
        };
    };

    struct Case {
        const char* what;
        std::function<void()> open;
        const char* window;
        std::function<void(QWidget&)> choose; // the page or part shown before F1
        const char* page;
        Name name; // what the page must mention
    };
    const std::vector<Case> cases = {
        {"grids", [] {}, "frmMain", nothing, "channels.html",
         [](QWidget& w) {
             return w.findChild<QTabWidget*>("SSTab1")->tabText(0);
         }},
        {"panel", [] {}, "frmMain", [this](QWidget&) { window->setAlternatePanelOpen(true); },
         "panel.html",
         [this](QWidget&) {
             return Plain(item("mnuSet_GUI")->text());
         }},
        {"function", settings('0'), "FrmOpSign", node("B0"), "settings-function.html",
         settingsPage},
        {"ptt id", settings('0'), "FrmOpSign", node("B1"), "settings-ptt.html", settingsPage},
        {"logo", settings('0'), "FrmOpSign", node("B2"), "logo.html", settingsPage},
        {"common", settings('0'), "FrmOpSign", node("C0"), "settings-common.html", settingsPage},
        {"msk", settings('0'), "FrmOpSign", node("C2"), "msk.html", settingsPage},
        {"dtmf", settings('1'), "FrmOpSign", node("C1"), "dtmf.html", settingsPage},
        {"2-tone", settings('2'), "FrmOpSign", node("C3"), "two-tone.html", settingsPage},
        {"5-tone", settings('2'), "FrmOpSign", node("C4"), "five-tone.html", settingsPage},
        {"logo editor",
         [this] {
             trigger("mnuProgram_OPSign");
             QWidget* settings = TopLevel("FrmOpSign");
             ASSERT_NE(settings, nullptr);
             pick(*settings, "B2");
             QTest::mouseClick(settings->findChild<QPushButton*>("CmdPowOn_1"), Qt::LeftButton);
         },
         "frmDraw", nothing, "logo.html#editor", title},
        {"login", command("mnuProgram_Advanced"), "frmLogin", nothing, "service.html#login", title},
        {"frequency ranges", service, "frmAdv", node("A"), "service-frequency.html", serviceNode},
        {"tuning", service, "frmAdv", node("B"), "service-tuning.html", serviceNode},
        {"analogue", service, "frmAdv", node("C"), "service-analogue.html", serviceNode},
        {"memory map", [this] { window->openSubWindow(SubWindow::MemoryMap); }, "frmMemoryMap",
         nothing, "memory-map.html", title},
        {"fm", command("mnuProgram_ANI"), "frmRadio", nothing, "fm-radio.html", title},
        {"message", command("mnuProgram_EmbMsg"), "frmEmbMsg", nothing, "embedded-message.html",
         title},
        {"columns", command("mnuView_Columns"), "frmSelColumns", nothing, "channels.html#columns",
         title},
        {"about", command("mnuHelp_About"), "frmAbout", nothing, "help.html#about", title},
        {"help", command("mnuHelp_Contents"), "frmHelp", nothing, "help.html", title},
    };
    for (int language : {kEnglish, kChinese}) {
        window->switchLanguage(language);
        for (const Case& c : cases) {
            SCOPED_TRACE(::testing::Message() << c.what << " in language " << language);
            inFront(c.open, c.window, [&](QWidget& front) {
                c.choose(front);
                QTest::keyClick(&front, Qt::Key_F1);
                HelpWindow* help = OpenHelpWindow(&front);
                ASSERT_NE(help, nullptr);
                EXPECT_TRUE(help->isVisible());
                EXPECT_EQ(help->currentPage(), c.page);
                const QString file =
                    GuideFolder(dataFolder(), language) + QString(c.page).section('#', 0, 0);
                EXPECT_TRUE(QFile::exists(file)) << file.toStdString();
                const QString text = help->findChild<QTextBrowser*>("txtHelpPage")->toPlainText();
                const QString name = c.name(front);
                EXPECT_FALSE(name.isEmpty());
                EXPECT_TRUE(text.contains(name)) << name.toStdString();
                if (help != &front) {
                    help->close();
                }
            });
            window->setAlternatePanelOpen(false);
            // Whatever the command left open behind the window in front.
            for (const char* behind : {"FrmOpSign", "frmLogin", "frmAdv", "frmHelp"}) {
                if (QWidget* w = TopLevel(behind)) {
                    w->close();
                }
            }
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
}

TEST_F(Help, ContentsLinksSearchBackAndForward) {
    for (int language : {kEnglish, kChinese}) {
        SCOPED_TRACE(language);
        window->switchLanguage(language);
        trigger("mnuHelp_Contents");
        HelpWindow* help = OpenHelpWindow(window.get());
        ASSERT_NE(help, nullptr);
        auto* page = help->findChild<QTextBrowser*>("txtHelpPage");
        auto* list = help->findChild<QListWidget*>("lstHelpContents");
        auto* search = help->findChild<QLineEdit*>("txtHelpSearch");
        auto* back = help->findChild<QPushButton*>("cmdHelpBack");
        auto* forward = help->findChild<QPushButton*>("cmdHelpForward");
        EXPECT_EQ(help->currentPage(), kHelpStartPage);
        EXPECT_GE(list->count(), 20);
        EXPECT_FALSE(back->isEnabled());

        // The first link of the start page by keyboard, as a reader follows it.
        page->setFocus();
        QTest::keyClick(page, Qt::Key_Tab);
        QTest::keyClick(page, Qt::Key_Return);
        const QString first = list->item(0)->data(Qt::UserRole).toString();
        EXPECT_EQ(help->currentPage(), first);
        ASSERT_NE(list->currentItem(), nullptr); // the contents follow the page
        EXPECT_EQ(list->currentItem()->data(Qt::UserRole).toString(), first);
        EXPECT_TRUE(back->isEnabled());
        QTest::mouseClick(back, Qt::LeftButton);
        EXPECT_EQ(help->currentPage(), kHelpStartPage);
        QTest::mouseClick(forward, Qt::LeftButton);
        EXPECT_EQ(help->currentPage(), first);

        // A field's caption finds its page, which opens where the caption stands.
        const QString field = Tr(1075, language); // "Squelch Level"
        if (language == kEnglish) {
            QTest::keyClicks(search, field);
        } else {
            search->insert(field); // typed through an input method
        }
        QTest::keyClick(search, Qt::Key_Return);
        QListWidgetItem* hit = nullptr;
        for (int i = 0; i < list->count(); ++i) {
            if (list->item(i)->data(Qt::UserRole).toString() == "settings-function.html") {
                hit = list->item(i);
            }
        }
        ASSERT_NE(hit, nullptr);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(hit).center());
        EXPECT_EQ(help->currentPage(), "settings-function.html");
        EXPECT_EQ(page->textCursor().selectedText().toLower(), field.toLower());

        // Words no page holds say so; an emptied search shows the contents again.
        EXPECT_TRUE(help->search("xyzzy plugh").isEmpty());
        ASSERT_EQ(list->count(), 1);
        EXPECT_EQ(list->item(0)->flags(), Qt::NoItemFlags);
        search->clear();
        EXPECT_GE(list->count(), 20);
        help->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// With R57_SCREENSHOTS naming a folder: the help window after a search for a field, in
// both languages (help-en.png, help-zh.png).
TEST_F(Help, ScreenshotsInBothLanguages) {
    const QString shots = qEnvironmentVariable("R57_SCREENSHOTS");
    if (shots.isEmpty()) {
        GTEST_SKIP() << "R57_SCREENSHOTS names no folder";
    }
    QDir().mkpath(shots);
    for (int language : {kEnglish, kChinese}) {
        window->switchLanguage(language);
        trigger("mnuHelp_Contents");
        HelpWindow* help = OpenHelpWindow(window.get());
        ASSERT_NE(help, nullptr);
        help->search(Tr(1075, language));
        auto* list = help->findChild<QListWidget*>("lstHelpContents");
        ASSERT_GT(list->count(), 0);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(0)).center());
        help->findChild<QLineEdit*>("txtHelpSearch")->setText(Tr(1075, language));
        QTest::qWait(50);
        const QString name = language == kEnglish ? "help-en" : "help-zh";
        EXPECT_TRUE(help->grab().save(QDir(shots).filePath(name + ".png")));
        help->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// A help file of the dealer's own beside the program is opened as it always was (here
// no viewer is found, which the user is told); no built-in guide shows instead.
TEST_F(Help, ADealersHelpFileGoesFirst) {
    QTemporaryDir folder;
    QFile own(QDir(folder.path()).filePath(kHelpFile));
    ASSERT_TRUE(own.open(QIODevice::WriteOnly));
    own.close();
    open(folder.path());
    InstallHelp(*window);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", "/nonexistent"); // no help viewer to start
    for (const auto& press :
         std::vector<std::function<void()>>{[this] { QTest::keyClick(window.get(), Qt::Key_F1); },
                                            [this] {
                                                trigger("mnuHelp_Contents");
                                            }}) {
        prompts.asked.clear();
        press();
        EXPECT_EQ(OpenHelpWindow(window.get()), nullptr);
        ASSERT_EQ(prompts.asked.size(), 1u);
        EXPECT_TRUE(prompts.lastText().contains(kHelpFile));
    }
    qputenv("PATH", path);
}

} // namespace
} // namespace r57::ui::testing
