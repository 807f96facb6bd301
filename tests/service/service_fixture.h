// What the service-section window tests share: the main window with the service
// windows installed, the way in through the login, and typing into a grid's cell box.
#pragma once

#include "main_window_fixture.h"

#include "ui/service/cell_grid.h"
#include "ui/service/login_dialog.h"
#include "ui/service/service_window.h"
#include "ui/service/service_windows.h"

#include <QLineEdit>
#include <QPushButton>

namespace r57::ui::testing {

class ServiceTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        InstallServiceWindows(*window);
    }

    // Program > Advanced, then `password` and OK. The login dialog.
    LoginDialog* login(const QString& password = "482913") {
        trigger("mnuProgram_Advanced");
        LoginDialog* dialog = OpenLoginDialog(*window);
        EXPECT_NE(dialog, nullptr);
        if (!dialog) {
            return nullptr;
        }
        auto* entry = dialog->findChild<QLineEdit*>("txtPassword");
        entry->clear();
        QTest::keyClicks(entry, password);
        QTest::mouseClick(dialog->findChild<QPushButton*>("CmdOk"), Qt::LeftButton);
        return dialog;
    }

    // The service window behind the right password.
    ServiceWindow* service() {
        LoginDialog* dialog = login();
        return dialog ? dialog->serviceWindow() : nullptr;
    }

    template <class T = QWidget> static T* in(QWidget* parent, const QString& name) {
        T* found = parent->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }

    static void press(QWidget* parent, int button) {
        QTest::mouseClick(in(parent, QString("CmdAdv_%1").arg(button)), Qt::LeftButton);
    }

    // Opens the cell's box with Enter, types `text` over it and leaves with Enter.
    static void typeInCell(QWidget* parent, const QString& grid, int row, int column,
                           const QString& text, const QString& box) {
        auto* g = in<CellGrid>(parent, grid);
        g->setFocus();
        g->setCurrentCell(row, column);
        QTest::keyClick(g, Qt::Key_Return);
        auto* delegate = qobject_cast<CellEditorDelegate*>(g->itemDelegate());
        auto* editor = qobject_cast<QLineEdit*>(delegate->openEditor());
        ASSERT_NE(editor, nullptr) << grid.toStdString();
        EXPECT_EQ(editor->objectName(), box);
        editor->selectAll();
        QTest::keyClick(editor, Qt::Key_Backspace);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
    }
};

} // namespace r57::ui::testing
