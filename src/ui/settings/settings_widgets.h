// Small pieces the settings pages build their controls from: boxes that take only
// the characters their field can hold, the Enter, Escape and arrow-key moves of the
// window, up-down buttons, and the greyed look of a control not in use.
#pragma once

#include "model/settings/settings_fields.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;

namespace r57::ui {

// The characters a box takes while typing (and from a paste): `rule` gives the
// character as stored, or 0 to drop it. Text the program sets is left as it is.
using KeyRule = std::function<char(char32_t)>;
void SetKeyRule(QLineEdit* box, KeyRule rule, int maxLength);

// The keys of a text box beyond typing.
struct BoxKeys {
    std::function<void()> settle;   // Enter and leaving the box: normalise the text
    std::function<void(int)> step;  // Up (+1) and Down (-1)
    QWidget* enterTarget = nullptr; // where Enter sends the focus; null: the next control
    bool escapeRestores = false;    // Escape: the text the box had when it got the focus
};
void InstallBoxKeys(QLineEdit* box, BoxKeys keys);

// Enter on every list and check box inside `page` moves the focus to the next control.
void InstallEnterMovesOn(QWidget* page);
// The next control in the focus chain that takes the focus.
void FocusNext(QWidget* from);

// The image's single-byte characters as a box shows them.
inline QString Latin1(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QComboBox* MakeCombo(QWidget* parent, const QString& name, const std::vector<std::string>& items);
void SetItems(QComboBox* combo, const std::vector<std::string>& items);
QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text);
QLineEdit* MakeBox(QWidget* parent, const QString& name, int maxLength);
// A box or list in use shows the window background; out of use it is disabled and
// shows `greyed` (the button face when invalid).
void SetInUse(QWidget* control, bool inUse, const QColor& greyed = QColor());

// Two arrow buttons beside a number box; `stepped` says +1 or -1.
class UpDown : public QWidget {
    Q_OBJECT
public:
    UpDown(const QString& name, QWidget* parent);
signals:
    void stepped(int step);
};

} // namespace r57::ui
