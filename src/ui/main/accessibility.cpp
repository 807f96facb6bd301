#include "ui/main/accessibility.h"

#include "ui/main/ui_text.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QBoxLayout>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTabWidget>

#include <functional>

namespace r57::ui {

namespace {

constexpr const char* kAutoName = "r57AutoName"; // the name was given here, not by a window
constexpr OwnText kRange{"%1 to %2", "%1 至 %2"};
constexpr OwnText kLength{"up to %1 characters", "最多 %1 个字符"};

QString Plain(QString text) {
    // "&Save" and "Save(&S)" are read as "Save"; a caption's colon is no part of the name.
    text.remove(QRegularExpression(R"(\(&\w\))"));
    text.replace("&&", "\x01").remove('&').replace('\x01', '&');
    text = text.simplified();
    if (text.endsWith(':') || text.endsWith(QChar(0xFF1A))) {
        text.chop(1);
    }
    return text;
}

QString LabelText(QWidget* widget) {
    auto* label = qobject_cast<QLabel*>(widget);
    return label && !label->text().isEmpty() && label->pixmap().isNull() ? Plain(label->text())
                                                                         : QString();
}

// The label a layout puts beside (or above) `widget`.
QString LabelInLayout(QWidget* widget) {
    QWidget* parent = widget->parentWidget();
    QLayout* layout = parent ? parent->layout() : nullptr;
    if (!layout) {
        return {};
    }
    // The layout holding the widget may be nested in the parent's.
    std::function<QLayout*(QLayout*)> holder = [&](QLayout* l) -> QLayout* {
        if (l->indexOf(widget) >= 0) {
            return l;
        }
        for (int i = 0; i < l->count(); ++i) {
            if (QLayout* inner = l->itemAt(i)->layout()) {
                if (QLayout* found = holder(inner)) {
                    return found;
                }
            }
        }
        return nullptr;
    };
    layout = holder(layout);
    if (!layout) {
        return {};
    }
    if (auto* form = qobject_cast<QFormLayout*>(layout)) {
        return form->labelForField(widget) ? LabelText(form->labelForField(widget)) : QString();
    }
    const int index = layout->indexOf(widget);
    if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
        int row = 0, column = 0, rows = 0, columns = 0;
        grid->getItemPosition(index, &row, &column, &rows, &columns);
        for (const auto& [r, c] : {std::pair{row, column - 1}, std::pair{row - 1, column}}) {
            if (r >= 0 && c >= 0) {
                if (QLayoutItem* item = grid->itemAtPosition(r, c); item && item->widget()) {
                    if (const QString text = LabelText(item->widget()); !text.isEmpty()) {
                        return text;
                    }
                }
            }
        }
        return {};
    }
    if (index > 0 && layout->itemAt(index - 1)->widget()) {
        return LabelText(layout->itemAt(index - 1)->widget());
    }
    return {};
}

QString GroupTitle(QWidget* widget) {
    for (QWidget* up = widget->parentWidget(); up && !up->isWindow(); up = up->parentWidget()) {
        if (auto* group = qobject_cast<QGroupBox*>(up); group && !group->title().isEmpty()) {
            return Plain(group->title());
        }
    }
    return {};
}

QString NameOf(QWidget* widget, const QHash<QWidget*, QString>& buddies) {
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        if (!button->text().isEmpty()) {
            return Plain(button->text());
        }
        if (!button->toolTip().isEmpty()) {
            return Plain(button->toolTip());
        }
    }
    if (auto* group = qobject_cast<QGroupBox*>(widget); group && !group->title().isEmpty()) {
        return Plain(group->title());
    }
    if (buddies.contains(widget)) {
        return buddies.value(widget);
    }
    if (const QString text = LabelInLayout(widget); !text.isEmpty()) {
        return text;
    }
    if (!widget->toolTip().isEmpty()) {
        return Plain(widget->toolTip());
    }
    if (auto* edit = qobject_cast<QLineEdit*>(widget); edit && !edit->placeholderText().isEmpty()) {
        return edit->placeholderText();
    }
    if (widget->isWindow()) {
        return Plain(widget->windowTitle());
    }
    if (const QString group = GroupTitle(widget); !group.isEmpty()) {
        return group;
    }
    return Plain(widget->window()->windowTitle());
}

QString DescriptionOf(QWidget* widget, int language) {
    if (auto* spin = qobject_cast<QSpinBox*>(widget)) {
        return Tr(kRange, language).arg(spin->minimum()).arg(spin->maximum());
    }
    if (auto* spin = qobject_cast<QDoubleSpinBox*>(widget)) {
        return Tr(kRange, language)
            .arg(spin->minimum(), 0, 'f', spin->decimals())
            .arg(spin->maximum(), 0, 'f', spin->decimals());
    }
    if (auto* edit = qobject_cast<QLineEdit*>(widget); edit && edit->maxLength() < 1000) {
        return Tr(kLength, language).arg(edit->maxLength());
    }
    return {};
}

bool Named(QWidget* widget) {
    // The controls a user can reach: those taking focus by Tab or a click, and the
    // windows themselves.
    return widget->isWindow() || (widget->focusPolicy() & Qt::TabFocus) ||
           qobject_cast<QAbstractButton*>(widget) || qobject_cast<QGroupBox*>(widget);
}

void Name(QWidget* widget, const QHash<QWidget*, QString>& buddies, int language) {
    if (!Named(widget)) {
        return;
    }
    const bool ours = widget->property(kAutoName).toBool();
    if (widget->accessibleName().isEmpty() || ours) {
        const QString name = NameOf(widget, buddies);
        if (!name.isEmpty()) {
            widget->setAccessibleName(name);
            widget->setProperty(kAutoName, true);
        }
    }
    if (widget->accessibleDescription().isEmpty() || ours) {
        widget->setAccessibleDescription(DescriptionOf(widget, language));
    }
}

class WindowNamer : public QObject {
public:
    using QObject::QObject;
    int language = kEnglish;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(watched);
            if (widget->isWindow()) {
                NameControls(widget, language);
            }
        }
        return false;
    }
};

} // namespace

void NameControls(QWidget* window, int language) {
    QHash<QWidget*, QString> buddies;
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (label->buddy() && !LabelText(label).isEmpty()) {
            buddies.insert(label->buddy(), LabelText(label));
        }
    }
    Name(window, buddies, language);
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        Name(widget, buddies, language);
    }
}

void NameWindowsAsShown(int language) {
    static QPointer<WindowNamer> namer;
    if (!namer && qApp) {
        namer = new WindowNamer(qApp);
        qApp->installEventFilter(namer);
    }
    if (namer) {
        namer->language = language;
    }
}

void AnnounceAppended(QPlainTextEdit* log, const QString& line) {
    {
        const int end = log->document()->characterCount() - 1;
        QAccessibleTextInsertEvent event(log, std::max(0, end - int(line.size()) - 1), line);
        QAccessible::updateAccessibility(&event);
    }
}

} // namespace r57::ui
