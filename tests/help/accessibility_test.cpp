// The windows as a screen reader sees them: through Qt's accessibility interfaces (what
// AT-SPI hands on to Orca), every control a user can reach in the main, settings,
// service, memory map, fleet and help windows has a role and a name, in English and in
// Chinese; a grid cell is named by its channel and column; a new line of the status log
// is told.
#include "main_window_fixture.h"

#include "ui/accessory/accessory_windows.h"
#include "ui/batch/batch_window.h"
#include "ui/help/help_install.h"
#include "ui/help/help_window.h"
#include "ui/main/contrast.h"
#include "ui/service/service_windows.h"
#include "ui/settings/settings_window.h"

#include <QAccessible>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>

#include <iostream>

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

// The controls of `window` a screen reader finds without a role or a name.
QStringList Unnamed(QWidget* window) {
    QStringList missing;
    std::function<void(QAccessibleInterface*, int)> walk = [&](QAccessibleInterface* node,
                                                               int depth) {
        if (!node || depth > 40) {
            return;
        }
        auto* widget = qobject_cast<QWidget*>(node->object());
        if (widget && widget->isVisible() && (widget->focusPolicy() & Qt::TabFocus) &&
            widget->isEnabled()) {
            if (node->role() == QAccessible::NoRole || node->text(QAccessible::Name).isEmpty()) {
                missing << widget->objectName() + " (" + widget->metaObject()->className() + ")";
            }
        }
        if (node->role() == QAccessible::Table || node->role() == QAccessible::Tree ||
            node->role() == QAccessible::List) {
            return; // cells are named by the view; one is checked by itself below
        }
        for (int i = 0; i < node->childCount(); ++i) {
            walk(node->child(i), depth + 1);
        }
    };
    walk(QAccessible::queryAccessibleInterface(window), 0);
    return missing;
}

class ScreenReader : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        InstallSettingsWindow(*window);
        InstallAccessoryWindows(*window);
        InstallServiceWindows(*window);
        InstallBatchWindow(*window);
        InstallHelp(*window);
    }

    // Opens a window with `open` and, once it is in front (also inside its modal loop),
    // checks it and closes it.
    void check(const char* name, const std::function<void()>& open, const char* language) {
        bool seen = false;
        std::function<void()> look = [&] {
            QWidget* front = TopLevel(name);
            if (!front) {
                return QTimer::singleShot(10, window.get(), look);
            }
            seen = true;
            EXPECT_EQ(Unnamed(front), QStringList()) << name << " in " << language;
            if (front != window.get()) {
                front->close();
            }
        };
        QTimer::singleShot(0, window.get(), look);
        open();
        EXPECT_TRUE(WaitFor([&] { return seen; }, 3000)) << name;
        for (const char* behind : {"frmAdv", "frmHelp", "frmBatch", "FrmOpSign"}) {
            if (QWidget* w = TopLevel(behind)) {
                w->close();
            }
        }
    }
};

TEST_F(ScreenReader, EveryControlOfEveryWindowHasARoleAndANameInBothLanguages) {
    for (const char* language : {"mnuSet_LanE", "mnuSet_LanC"}) {
        trigger(language);
        EXPECT_EQ(Unnamed(window.get()), QStringList()) << language;
        check(
            "FrmOpSign", [&] { trigger("mnuProgram_OPSign"); }, language);
        check(
            "frmMemoryMap", [&] { window->openSubWindow(SubWindow::MemoryMap); }, language);
        check(
            "frmBatch", [&] { trigger("mnuTransfer_Batch"); }, language);
        check(
            "frmHelp", [&] { trigger("mnuHelp_Contents"); }, language);
        check(
            "frmAdv",
            [&] {
                trigger("mnuProgram_Advanced");
                QWidget* login = TopLevel("frmLogin");
                ASSERT_NE(login, nullptr);
                QTest::keyClicks(login->findChild<QWidget*>("txtPassword"), "482913");
                QTest::mouseClick(login->findChild<QWidget*>("CmdOk"), Qt::LeftButton);
            },
            language);
    }
    trigger("mnuSet_LanE");
}

TEST_F(ScreenReader, CellsAreNamedByChannelAndColumnAndTheLogIsTold) {
    loadChannels({3});
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(grid());
    ASSERT_NE(table, nullptr);
    QAccessibleTableInterface* cells = table->tableInterface();
    ASSERT_NE(cells, nullptr);
    QAccessibleInterface* cell = cells->cellAt(2, 0); // A3, the receive frequency
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->text(QAccessible::Name), "A3, RX Freq, 446.00625");
    trigger("mnuSet_LanC");
    EXPECT_EQ(cells->cellAt(2, 0)->text(QAccessible::Name),
              "A3, " + QString::fromStdString(ColumnCaption(kColRx, kChinese)) + ", 446.00625");
    trigger("mnuSet_LanE");

    // The spin boxes and length-limited boxes say what they take.
    for (auto* edit : window->findChildren<QLineEdit*>()) {
        if (edit->isVisible() && edit->maxLength() < 1000) {
            EXPECT_FALSE(edit->accessibleDescription().isEmpty())
                << edit->objectName().toStdString();
        }
    }

    // A line added to the status log reaches the screen reader as inserted text.
    static QStringList told;
    told.clear();
    QAccessible::installUpdateHandler([](QAccessibleEvent* event) {
        if (event->type() == QAccessible::TextInserted) {
            told << static_cast<QAccessibleTextInsertEvent*>(event)->textInserted();
        }
    });
    QAccessible::setActive(true);
    QMimeData data; // a file the window does not take, dragged over the grid
    data.setUrls({QUrl::fromLocalFile("/tmp/notes.txt")});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(grid()->viewport(), &enter);
    if (QAccessible::isActive()) {
        EXPECT_EQ(told.size(), 1);
        EXPECT_TRUE(told.value(0).contains("notes.txt was not opened"))
            << told.join('|').toStdString();
    } else {
        std::cout << "This platform has no accessibility bridge: the log's announcement is "
                     "checked only under a display with one\n";
    }
    QAccessible::setActive(false);
    QAccessible::installUpdateHandler(nullptr);
}

TEST(Contrast, ReadableKeepsTheHueAndReachesTheRatio) {
    const struct {
        QColor wanted, background;
    } cases[] = {
        {QColor(192, 0, 0), QColor(53, 53, 53)},        // the service window's busy line, dark
        {QColor(192, 0, 0), QColor(240, 240, 240)},     // ... light: already readable
        {QColor("#1f4e79"), QColor(42, 42, 42)},        // the guide's headings on a dark page
        {QColor(128, 128, 128), QColor(128, 128, 128)}, // grey text on the greyed list
    };
    EXPECT_NEAR(ContrastRatio(Qt::black, Qt::white), 21.0, 0.01);
    for (const auto& c : cases) {
        const QColor made = Readable(c.wanted, c.background);
        EXPECT_GE(ContrastRatio(made, c.background), kReadableContrast)
            << c.wanted.name().toStdString();
        if (c.wanted.hslSaturation() > 0) {
            EXPECT_NEAR(made.hslHue(), c.wanted.hslHue(), 2) << c.wanted.name().toStdString();
        }
        if (ContrastRatio(c.wanted, c.background) >= kReadableContrast) {
            EXPECT_EQ(made, c.wanted);
        }
    }
}

// The colours the program draws itself, under the desktop's light palette and a dark
// one: the greyed DTMF list, the service window's busy line and the guide's headings.
TEST_F(ScreenReader, OwnColoursStayReadableOnLightAndDarkThemes) {
    const QPalette light = QApplication::palette();
    QPalette dark = light;
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        dark.setColor(group, QPalette::Window, QColor(53, 53, 53));
        dark.setColor(group, QPalette::Base, QColor(42, 42, 42));
        dark.setColor(group, QPalette::Button, QColor(53, 53, 53));
        for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
            dark.setColor(group, role,
                          group == QPalette::Disabled ? QColor(127, 127, 127) : Qt::white);
        }
    }
    for (const QPalette& palette : {light, dark}) {
        QApplication::setPalette(palette);
        session().modelCode = '1';
        std::function<void()> look = [&] {
            QWidget* front = TopLevel("FrmOpSign");
            if (!front) {
                return QTimer::singleShot(10, window.get(), look);
            }
            for (QTreeWidgetItemIterator it(front->findChild<QTreeWidget*>()); *it; ++it) {
                if ((*it)->data(0, Qt::UserRole).toString() == "C1") {
                    front->findChild<QTreeWidget*>()->setCurrentItem(*it);
                }
            }
            auto* greyed = front->findChild<QComboBox*>("CboDTMFd_1");
            ASSERT_NE(greyed, nullptr);
            if (!greyed->isEnabled()) {
                const QPalette p = greyed->palette();
                EXPECT_GE(ContrastRatio(p.color(QPalette::Disabled, QPalette::ButtonText),
                                        p.color(QPalette::Disabled, QPalette::Button)),
                          kReadableContrast);
            }
            front->close();
        };
        QTimer::singleShot(0, window.get(), look);
        trigger("mnuProgram_OPSign");

        trigger("mnuHelp_Contents");
        HelpWindow* help = OpenHelpWindow(window.get());
        ASSERT_NE(help, nullptr);
        auto* page = help->findChild<QTextBrowser*>("txtHelpPage");
        ASSERT_TRUE(WaitFor([&] { return !page->toPlainText().isEmpty(); }, 2000));
        int headings = 0;
        for (QTextBlock block = page->document()->begin(); block.isValid(); block = block.next()) {
            if (block.blockFormat().headingLevel() > 0) {
                ++headings;
                const QColor text = block.begin().fragment().charFormat().foreground().color();
                EXPECT_GE(ContrastRatio(text, page->palette().color(QPalette::Base)),
                          kReadableContrast)
                    << text.name().toStdString();
            }
        }
        EXPECT_GT(headings, 0);
        help->close();
    }
    QApplication::setPalette(light);
}

} // namespace
} // namespace r57::ui::testing
