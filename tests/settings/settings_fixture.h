// The settings window opened from the main window's menu, its controls found by
// name, and the tree driven by mouse clicks.
#pragma once

#include "main_window_fixture.h"
#include "ui/settings/settings_window.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QTreeWidget>

namespace r57::ui::testing {

class SettingsTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        InstallSettingsWindow(*window);
    }

    SettingsWindow* openSettings(char model = '0') {
        session().modelCode = model;
        trigger("mnuProgram_OPSign");
        QCoreApplication::processEvents();
        dialog = window->findChild<SettingsWindow*>("FrmOpSign");
        EXPECT_NE(dialog, nullptr);
        return dialog;
    }
    void closeSettings() {
        click("CmdOps_2");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        dialog = nullptr;
    }

    template <class T = QWidget> T* in(const QString& name) {
        T* found = dialog->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    void click(const QString& name) {
        QTest::mouseClick(in<QAbstractButton>(name), Qt::LeftButton);
    }
    QString text(const QString& name) { return in<QLineEdit>(name)->text(); }
    // Focus in a box, its text selected, then typed keys.
    void typeInto(const QString& name, const QString& keys) {
        QLineEdit* box = in<QLineEdit>(name);
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, keys);
    }

    QTreeWidget* tree() { return in<QTreeWidget>("TreeOPS"); }
    QTreeWidgetItem* node(const QString& key) {
        for (QTreeWidgetItemIterator it(tree()); *it; ++it) {
            if ((*it)->data(0, Qt::UserRole).toString() == key) {
                return *it;
            }
        }
        return nullptr;
    }
    QStringList treeKeys() {
        QStringList keys;
        for (QTreeWidgetItemIterator it(tree()); *it; ++it) {
            keys << (*it)->data(0, Qt::UserRole).toString();
        }
        return keys;
    }
    void select(const QString& key) {
        QTreeWidgetItem* item = node(key);
        ASSERT_NE(item, nullptr) << key.toStdString();
        QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {},
                          tree()->visualItemRect(item).center());
    }
    QString currentKey() { return tree()->currentItem()->data(0, Qt::UserRole).toString(); }
    QString pageTitle() { return in<QGroupBox>("FraOPS")->title(); }

    SettingsWindow* dialog = nullptr;
};

} // namespace r57::ui::testing
