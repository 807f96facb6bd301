// `frmComPort`: the modal choice of the serial port slot (COM1..COM20) the transfers
// use. Each slot is probed when the dialog opens; only slots whose device answers the
// probe can be chosen, but the current slot is shown selected whatever the probe says.
#pragma once

#include <QDialog>
#include <QString>

#include <functional>

class QButtonGroup;

namespace r57 {
class Session;
}

namespace r57::ui {

// How the dialog learns about the machine's ports; tests put in their own.
struct PortAccess {
    std::function<QString(int slot)> deviceForSlot; // "" when a slot has no device
    std::function<bool(const QString& device)> probe;

    // The real ports: the slot rule and the "ATI1" probe of the radio link.
    static PortAccess System();
};

class ComPortDialog : public QDialog {
    Q_OBJECT
public:
    explicit ComPortDialog(Session& session, QWidget* parent = nullptr,
                           PortAccess ports = PortAccess::System());

    // The slot 1..20 whose button is selected, or 0.
    int selectedSlot() const;

    // OK (`Command1_0`): the selected slot becomes the session's port.
    void accept() override;

private:
    Session& session_;
    QButtonGroup* options_;
    int initialSlot_ = 0;
};

} // namespace r57::ui
