#include "ui/main/channel_number_box.h"

#include "model/sheet/alternate_panel_rules.h"

#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>

namespace r57::ui {

namespace {

constexpr int kDigits = 3;

} // namespace

ChannelNumberBox::ChannelNumberBox(QWidget* parent) : QSpinBox(parent) {
    setRange(1, kPanelChannels);
    setWrapping(true);
    setKeyboardTracking(false); // a typed number counts when it is taken
    lineEdit()->setMaxLength(kDigits);
}

QValidator::State ChannelNumberBox::validate(QString& text, int&) const {
    if (text.isEmpty()) {
        return QValidator::Intermediate; // the old number comes back when it is left so
    }
    const bool digits =
        std::all_of(text.begin(), text.end(), [](QChar c) { return c >= '0' && c <= '9'; });
    return digits && text.size() <= kDigits ? QValidator::Acceptable : QValidator::Invalid;
}

int ChannelNumberBox::valueFromText(const QString& text) const {
    return PanelIndexFromDigits(text.toStdString(), value());
}

void ChannelNumberBox::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        interpretText();
        focusNextChild();
        return;
    case Qt::Key_Escape:
        emit escaped();
        selectAll();
        return;
    default:
        QSpinBox::keyPressEvent(event);
    }
}

} // namespace r57::ui
