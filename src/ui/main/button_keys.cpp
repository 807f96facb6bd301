#include "ui/main/button_keys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

namespace r57::ui {

namespace {

class ButtonEnterKey : public QObject {
public:
    explicit ButtonEnterKey(QObject* parent) : QObject(parent) { setObjectName("buttonEnterKey"); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) {
            return false;
        }
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) {
            return false;
        }
        if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
            return false;
        }
        // Keys go to the control with the focus, so this is the button the user is on. A
        // default button is pressed by Qt itself; a button with a menu opens it.
        auto* button = qobject_cast<QPushButton*>(watched);
        if (button == nullptr || !button->isVisible() || !button->isEnabled() ||
            button->autoDefault() || button->isDefault() || button->menu() != nullptr) {
            return false;
        }
        button->click();
        return true;
    }
};

} // namespace

void InstallButtonEnterKey() {
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr || app->findChild<ButtonEnterKey*>("buttonEnterKey")) {
        return;
    }
    app->installEventFilter(new ButtonEnterKey(app));
}

} // namespace r57::ui
