#include "ui/settings/settings_widgets.h"

#include "ui/main/contrast.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <utility>

namespace r57::ui {

namespace {

// Keeps what is typed into a box (keys and pastes) within the characters its field
// holds, in the case the field stores them. Text the program puts into the box is
// shown as it is.
class KeyRuleFilter : public QObject {
public:
    KeyRuleFilter(QLineEdit* box, KeyRule rule) : QObject(box), box_(box), rule_(std::move(rule)) {
        setObjectName("keyRule");
    }
    void setRule(KeyRule rule) { rule_ = std::move(rule); }

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton) {
            return true; // no pasting of the selection past the rule
        }
        if (event->type() != QEvent::KeyPress) {
            return false;
        }
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Paste)) {
            box_->insert(Taken(QGuiApplication::clipboard()->text()));
            return true;
        }
        const QString typed = key->text();
        if (typed.isEmpty() || typed[0].unicode() < 0x20 || typed[0].unicode() == 0x7F ||
            (key->modifiers() & Qt::ControlModifier)) {
            return false; // editing and moving keys
        }
        const QString taken = Taken(typed);
        if (taken != typed) {
            box_->insert(taken);
            return true;
        }
        return false;
    }

private:
    QString Taken(const QString& text) const {
        QString taken;
        for (const QChar ch : text) {
            if (const char c = rule_(ch.unicode())) {
                taken += QChar::fromLatin1(c);
            }
        }
        return taken;
    }

    QLineEdit* box_;
    KeyRule rule_;
};

bool IsEnter(const QKeyEvent* e) {
    return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
}

class BoxKeyFilter : public QObject {
public:
    BoxKeyFilter(QLineEdit* box, BoxKeys keys) : QObject(box), box_(box), keys_(std::move(keys)) {}

    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
        case QEvent::FocusIn:
            atFocus_ = box_->text();
            break;
        case QEvent::FocusOut:
            if (keys_.settle) {
                keys_.settle();
            }
            break;
        case QEvent::KeyPress:
            return keyPress(static_cast<QKeyEvent*>(event));
        default:
            break;
        }
        return false;
    }

private:
    bool keyPress(const QKeyEvent* e) {
        if (IsEnter(e)) {
            if (keys_.settle) {
                keys_.settle();
            }
            if (keys_.enterTarget) {
                keys_.enterTarget->setFocus(Qt::TabFocusReason);
            } else {
                FocusNext(box_);
            }
            return true;
        }
        if (e->key() == Qt::Key_Escape && keys_.escapeRestores) {
            box_->setText(atFocus_);
            return true;
        }
        if ((e->key() == Qt::Key_Up || e->key() == Qt::Key_Down) && keys_.step) {
            keys_.step(e->key() == Qt::Key_Up ? 1 : -1);
            return true;
        }
        return false;
    }

    QLineEdit* box_;
    BoxKeys keys_;
    QString atFocus_;
};

class EnterMovesOn : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && IsEnter(static_cast<QKeyEvent*>(event))) {
            auto* combo = qobject_cast<QComboBox*>(watched);
            if (combo && combo->view()->isVisible()) {
                return false; // Enter picks from the open list
            }
            FocusNext(static_cast<QWidget*>(watched));
            return true;
        }
        return false;
    }
};

} // namespace

void SetKeyRule(QLineEdit* box, KeyRule rule, int maxLength) {
    box->setMaxLength(maxLength);
    if (auto* filter = box->findChild<KeyRuleFilter*>("keyRule", Qt::FindDirectChildrenOnly)) {
        filter->setRule(std::move(rule));
        return;
    }
    box->setContextMenuPolicy(Qt::NoContextMenu);
    box->setAcceptDrops(false);
    box->setAttribute(Qt::WA_InputMethodEnabled, false);
    box->installEventFilter(new KeyRuleFilter(box, std::move(rule)));
}

void InstallBoxKeys(QLineEdit* box, BoxKeys keys) {
    box->installEventFilter(new BoxKeyFilter(box, std::move(keys)));
}

void InstallEnterMovesOn(QWidget* page) {
    auto* filter = new EnterMovesOn(page);
    for (QWidget* w : page->findChildren<QWidget*>()) {
        // A push button is pressed by Enter; a grid's own list editor has its own keys.
        const bool cellEditor = w->parentWidget() &&
                                qobject_cast<QAbstractItemView*>(w->parentWidget()->parentWidget());
        if ((qobject_cast<QComboBox*>(w) && !cellEditor) || qobject_cast<QCheckBox*>(w) ||
            qobject_cast<QRadioButton*>(w)) {
            w->installEventFilter(filter);
        }
    }
}

void FocusNext(QWidget* from) {
    for (QWidget* w = from->nextInFocusChain(); w && w != from; w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisible() &&
            w->window() == from->window() && !w->focusProxy()) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

QComboBox* MakeCombo(QWidget* parent, const QString& name, const std::vector<std::string>& items) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    SetItems(combo, items);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return combo;
}

void SetItems(QComboBox* combo, const std::vector<std::string>& items) {
    combo->clear();
    for (const std::string& item : items) {
        combo->addItem(QString::fromStdString(item));
    }
}

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

QLineEdit* MakeBox(QWidget* parent, const QString& name, int maxLength) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setMaxLength(maxLength);
    return box;
}

void SetInUse(QWidget* control, bool inUse, const QColor& greyed) {
    if (greyed.isValid()) {
        QPalette p = control->palette();
        p.setColor(QPalette::Disabled, QPalette::Base, greyed);
        p.setColor(QPalette::Disabled, QPalette::Button, greyed);
        // The text on it stays readable whatever the desktop's theme.
        for (QPalette::ColorRole role : {QPalette::Text, QPalette::ButtonText}) {
            p.setColor(QPalette::Disabled, role,
                       Readable(p.color(QPalette::Disabled, role), greyed));
        }
        control->setPalette(p);
    }
    control->setEnabled(inUse);
}

UpDown::UpDown(const QString& name, QWidget* parent) : QWidget(parent) {
    setObjectName(name);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int step : {1, -1}) {
        auto* button = new QToolButton(this);
        button->setArrowType(step > 0 ? Qt::UpArrow : Qt::DownArrow);
        button->setFocusPolicy(Qt::NoFocus);
        button->setFixedSize(18, 12);
        button->setAutoRepeat(true);
        connect(button, &QToolButton::clicked, this, [this, step] { emit stepped(step); });
        layout->addWidget(button);
    }
}

} // namespace r57::ui
