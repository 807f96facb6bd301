// `frmLogin`: the password before the service window. The right password hides the
// dialog and opens the service window, owned by the dialog, which closes with it; a
// wrong one says so (message 1390) and selects the entry for retyping.
#pragma once

#include <QDialog>
#include <QPointer>

class QLineEdit;
class QPushButton;

namespace r57::ui {

class MainWindow;
class ServiceWindow;

class LoginDialog : public QDialog {
    Q_OBJECT
public:
    LoginDialog(MainWindow& main, QWidget* parent);

    bool loginSucceeded() const { return succeeded_; }
    // The service window opened by the right password, while it is open.
    ServiceWindow* serviceWindow() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void tryPassword();

    MainWindow& main_;
    QLineEdit* password_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPointer<ServiceWindow> service_;
    bool succeeded_ = false;
};

} // namespace r57::ui
