// F1 as a user presses it: in every window, in both languages, it opens the guide's
// page of that window (of the page shown, in the settings and service windows), and the
// page names the window as the user sees it. The help window's links, contents, search,
// Back and Forward; a dealer's own help file still goes first.
#include "main_window_fixture.h"

#include "ui/accessory/accessory_windows.h"
#include "ui/help/help_install.h"
#include "ui/help/help_window.h"
#include "ui/main/help_viewer.h"
#include "ui/service/service_windows.h"
#include "ui/settings/settings_window.h"

#include <QDialog>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeWidget>

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

template <class T = QWidget> T* In(QWidget* w, const char* name) {
    T* found = w ? w->findChild<T*>(name) : nullptr;
    EXPECT_NE(found, nullptr) << name;
    return found;
}

// Picks the node `key` of the window's page tree, as a click would.
void Pick(QWidget* w, const QString& key) {
    auto* tree = w ? w->findChild<QTreeWidget*>() : nullptr;
    ASSERT_NE(tree, nullptr);
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        if ((*it)->data(0, Qt::UserRole).toString() == key) {
            tree->setCurrentItem(*it);
        }
    }
}

struct Case {
    const char* command; // the menu item that opens the window, or ""
    const char* window;
    const char* node; // the page chosen in the window's tree, or ""
    char model;
    const char* page;
};

class Help : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        InstallSettingsWindow(*window);
        InstallAccessoryWindows(*window);
        InstallServiceWindows(*window);
        InstallHelp(*window);
    }

    void openCase(const Case& c) {
        session().modelCode = c.model;
        const QString name = c.window;
        if (name == "frmMemoryMap") {
            window->openSubWindow(SubWindow::MemoryMap); // a gesture, no menu item
        } else if (*c.command) {
            trigger(c.command);
        }
        if (name == "frmAdv") {
            QWidget* login = TopLevel("frmLogin");
            QTest::keyClicks(In(login, "txtPassword"), "482913");
            QTest::mouseClick(In(login, "CmdOk"), Qt::LeftButton);
        } else if (name == "frmDraw") {
            Pick(TopLevel("FrmOpSign"), "B2");
            QTest::mouseClick(In(TopLevel("FrmOpSign"), "CmdPowOn_1"), Qt::LeftButton);
        }
    }

    // What the page of the window in front must mention: the caption of the page shown,
    // or of the window.
    QString nameShown(QWidget& w) {
        if (auto* page = w.findChild<QGroupBox*>("FraOPS")) {
            return page->title();
        }
        if (auto* tree = w.findChild<QTreeWidget*>("TreeAdv")) {
            return tree->currentItem()->text(0);
        }
        if (&w == window.get()) {
            return window->alternatePanelOpen() ? Plain(item("mnuSet_GUI")->text())
                                                : In<QTabWidget>(&w, "SSTab1")->tabText(0);
        }
        return Plain(w.windowTitle());
    }

    // Opens the case's window, then (as soon as it is in front, also inside a modal
    // loop) runs `drive` on it and closes it.
    void inFront(const Case& c, const std::function<void(QWidget&)>& drive) {
        int tries = 100; // the logo editor shows a moment after its button
        std::function<void()> look = [&] {
            QWidget* front = TopLevel(c.window);
            if (!front && --tries > 0) {
                return QTimer::singleShot(10, window.get(), look);
            }
            ASSERT_NE(front, nullptr) << c.window;
            drive(*front);
            tries = -1;
            if (front != window.get()) {
                front->close();
            }
        };
        QTimer::singleShot(0, window.get(), look);
        openCase(c);
        EXPECT_TRUE(WaitFor([&] { return tries <= 0; }, 2000));
        window->setAlternatePanelOpen(false);
        for (const char* behind : {"FrmOpSign", "frmLogin", "frmAdv", "frmHelp"}) {
            if (QWidget* w = TopLevel(behind)) {
                w->close();
            }
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

TEST_F(Help, F1InEveryWindowOpensItsPageWhichNamesIt) {
    const Case cases[] = {
        {"", "frmMain", "", '0', "channels.html"},
        {"mnuSet_GUI", "frmMain", "", '0', "panel.html"},
        {"mnuProgram_OPSign", "FrmOpSign", "B0", '0', "settings-function.html"},
        {"mnuProgram_OPSign", "FrmOpSign", "B1", '0', "settings-ptt.html"},
        {"mnuProgram_OPSign", "FrmOpSign", "B2", '0', "logo.html"},
        {"mnuProgram_OPSign", "FrmOpSign", "C0", '0', "settings-common.html"},
        {"mnuProgram_OPSign", "FrmOpSign", "C2", '0', "msk.html"},
        {"mnuProgram_OPSign", "FrmOpSign", "C1", '1', "dtmf.html"},
        {"mnuProgram_OPSign", "FrmOpSign", "C3", '2', "two-tone.html"},
        {"mnuProgram_OPSign", "FrmOpSign", "C4", '2', "five-tone.html"},
        {"mnuProgram_OPSign", "frmDraw", "", '0', "logo.html#editor"},
        {"mnuProgram_Advanced", "frmLogin", "", '0', "service.html#login"},
        {"mnuProgram_Advanced", "frmAdv", "A", '0', "service-frequency.html"},
        {"mnuProgram_Advanced", "frmAdv", "B", '0', "service-tuning.html"},
        {"mnuProgram_Advanced", "frmAdv", "C", '0', "service-analogue.html"},
        {"", "frmMemoryMap", "", '0', "memory-map.html"},
        {"mnuProgram_ANI", "frmRadio", "", '0', "fm-radio.html"},
        {"mnuProgram_EmbMsg", "frmEmbMsg", "", '0', "embedded-message.html"},
        {"mnuView_Columns", "frmSelColumns", "", '0', "channels.html#columns"},
        {"mnuHelp_About", "frmAbout", "", '0', "help.html#about"},
        {"mnuHelp_Contents", "frmHelp", "", '0', "help.html"},
    };
    for (int language : {kEnglish, kChinese}) {
        window->switchLanguage(language);
        for (const Case& c : cases) {
            SCOPED_TRACE(::testing::Message() << c.window << ' ' << c.page << ' ' << language);
            inFront(c, [&](QWidget& front) {
                if (*c.node) {
                    Pick(&front, c.node);
                }
                QTest::keyClick(&front, Qt::Key_F1);
                HelpWindow* help = OpenHelpWindow(&front);
                ASSERT_NE(help, nullptr);
                EXPECT_TRUE(help->isVisible());
                EXPECT_EQ(help->currentPage(), c.page);
                const QString name = nameShown(front);
                EXPECT_FALSE(name.isEmpty());
                EXPECT_TRUE(In<QTextBrowser>(help, "txtHelpPage")->toPlainText().contains(name))
                    << name.toStdString();
            });
        }
    }
}

// Links by keyboard, Back, Forward, the contents following the page, a search for a
// field's caption and one that finds nothing; with R57_SCREENSHOTS naming a folder, the
// window after the search (help-en.png, help-zh.png).
TEST_F(Help, LinksBackForwardAndSearch) {
    for (int language : {kEnglish, kChinese}) {
        window->switchLanguage(language);
        trigger("mnuHelp_Contents");
        HelpWindow* help = OpenHelpWindow(window.get());
        ASSERT_NE(help, nullptr);
        auto* page = In<QTextBrowser>(help, "txtHelpPage");
        auto* list = In<QListWidget>(help, "lstHelpContents");
        auto* search = In<QLineEdit>(help, "txtHelpSearch");
        EXPECT_EQ(help->currentPage(), kHelpStartPage);
        ASSERT_GE(list->count(), 25);
        EXPECT_FALSE(In(help, "cmdHelpBack")->isEnabled());

        QTest::keyClick(page, Qt::Key_Tab); // the first link of the start page
        QTest::keyClick(page, Qt::Key_Return);
        const QString first = list->item(0)->data(Qt::UserRole).toString();
        EXPECT_EQ(help->currentPage(), first);
        EXPECT_EQ(list->currentRow(), 0);
        QTest::mouseClick(In(help, "cmdHelpBack"), Qt::LeftButton);
        EXPECT_EQ(help->currentPage(), kHelpStartPage);
        QTest::mouseClick(In(help, "cmdHelpForward"), Qt::LeftButton);
        EXPECT_EQ(help->currentPage(), first);

        const QString field = Tr(1075, language); // "Squelch Level"
        language == kEnglish ? QTest::keyClicks(search, field) : search->insert(field);
        QTest::keyClick(search, Qt::Key_Return);
        const auto hits = list->findItems(Tr(1395, language), Qt::MatchExactly);
        ASSERT_EQ(hits.size(), 1); // "Function Setting"
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(hits[0]).center());
        EXPECT_EQ(help->currentPage(), "settings-function.html");
        EXPECT_EQ(page->textCursor().selectedText().toLower(), field.toLower());
        if (const QString shots = qEnvironmentVariable("R57_SCREENSHOTS"); !shots.isEmpty()) {
            help->grab().save(QDir(shots).filePath(language ? "help-zh.png" : "help-en.png"));
        }

        EXPECT_TRUE(help->search("xyzzy plugh").isEmpty());
        ASSERT_EQ(list->count(), 1);
        EXPECT_EQ(list->item(0)->flags(), Qt::NoItemFlags);
        search->clear(); // the contents again
        EXPECT_GE(list->count(), 25);
        help->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// A help file of the dealer's own beside the program goes first, for F1 and Help
// Topics alike. When no viewer shows it (none installed, or the viewer fails), the
// guide opens at the same page and its status line says why; never a message.
TEST_F(Help, ADealersHelpFileGoesFirstAndOtherwiseNeverAnError) {
    QTemporaryDir folder;
    QFile own(QDir(folder.path()).filePath(kHelpFile));
    ASSERT_TRUE(own.open(QIODevice::WriteOnly));
    open(folder.path());
    InstallHelp(*window);
    QTemporaryDir bin; // the viewers on the PATH
    auto viewer = [&](const char* name, int exitCode) {
        QFile script(QDir(bin.path()).filePath(name));
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(QString("#!/bin/sh\nexit %1\n").arg(exitCode).toLatin1());
        script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    };
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.path().toLocal8Bit());
    struct Case {
        const char* viewers; // exit codes of xchm and xdg-open, "-" for not installed
        bool viaMenu;        // Help Topics, else F1 over the main window
        const char* page;    // the guide's page shown, or null when the viewer showed it
        const char* why;     // in the status line
    } cases[] = {
        {"--", false, "channels.html", "No viewer for R57Help_e.chm"},
        {"--", true, "index.html", "No viewer for R57Help_e.chm"},
        {"1-", false, "channels.html", "xchm could not show R57Help_e.chm (exit code 1)"},
        {"14", true, "index.html", "xdg-open could not show R57Help_e.chm (exit code 4)"},
        {"10", false, nullptr, ""},
        {"0-", true, nullptr, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.viewers + std::string(c.viaMenu ? " menu" : " F1"));
        QDir(bin.path()).removeRecursively();
        QDir().mkpath(bin.path());
        if (c.viewers[0] != '-')
            viewer("xchm", c.viewers[0] - '0');
        if (c.viewers[1] != '-')
            viewer("xdg-open", c.viewers[1] - '0');
        if (c.viaMenu)
            trigger("mnuHelp_Contents");
        else
            QTest::keyClick(window.get(), Qt::Key_F1);
        if (c.page) {
            QTRY_VERIFY_WITH_TIMEOUT(OpenHelpWindow(window.get()) != nullptr, 5000);
            HelpWindow* help = OpenHelpWindow(window.get());
            EXPECT_TRUE(In<QTextBrowser>(help, "txtHelpPage")->toPlainText().contains(c.page));
            EXPECT_TRUE(help->status().startsWith(c.why)) << help->status().toStdString();
            EXPECT_TRUE(In(help, "staHelp")->isVisible());
            help->close();
            QTRY_VERIFY(OpenHelpWindow(window.get()) == nullptr);
        } else {
            QTest::qWait(300); // the viewer has ended well by now
            EXPECT_EQ(OpenHelpWindow(window.get()), nullptr);
        }
    }
    qputenv("PATH", path);
    EXPECT_TRUE(prompts.asked.empty());

    own.remove();
    QTest::keyClick(window.get(), Qt::Key_F1);
    HelpWindow* help = OpenHelpWindow(window.get());
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(In<QTextBrowser>(help, "txtHelpPage")->toPlainText().contains("channels.html"));
    EXPECT_TRUE(help->status().isEmpty());
    EXPECT_FALSE(In(help, "staHelp")->isVisible());
    EXPECT_TRUE(prompts.asked.empty());
}

} // namespace
} // namespace r57::ui::testing
