#include "ui/service/login_dialog.h"

#include "model/service/service_password.h"
#include "ui/main/main_window.h"
#include "ui/main/prompts.h"
#include "ui/main/ui_text.h"
#include "ui/service/service_window.h"

#include "core/session.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace r57::ui {

namespace {

constexpr int kLoginId = 1391;    // "LOGIN"
constexpr int kPasswordId = 1392; // "Password:"
constexpr int kWrongId = 1390;    // "Wrong Password,Please try again!"
constexpr int kOkId = 1058;       // "&OK"
constexpr int kCancelId = 1059;   // "&Cancel"

} // namespace

LoginDialog::LoginDialog(MainWindow& main, QWidget* parent) : QDialog(parent), main_(main) {
    setObjectName("frmLogin");
    const int language = main.session().language;
    setWindowTitle(Tr(kLoginId, language));
    setModal(true);

    auto* label = new QLabel(Tr(kPasswordId, language), this);
    label->setObjectName("lblLabels");
    password_ = new QLineEdit(this);
    password_->setObjectName("txtPassword");
    password_->setEchoMode(QLineEdit::Password);
    // Every typed character shows as "*", whatever the style would draw.
    password_->setStyleSheet("QLineEdit { lineedit-password-character: 42; }");
    password_->setMinimumWidth(180);
    password_->installEventFilter(this);
    label->setBuddy(password_);

    ok_ = new QPushButton(Tr(kOkId, language), this);
    ok_->setObjectName("CmdOk");
    auto* cancel = new QPushButton(Tr(kCancelId, language), this);
    cancel->setObjectName("CmdCancel");
    // Enter in the entry only moves to OK; OK is pressed by the user.
    ok_->setAutoDefault(false);
    cancel->setAutoDefault(false);
    connect(ok_, &QPushButton::clicked, this, &LoginDialog::tryPassword);
    connect(cancel, &QPushButton::clicked, this, [this] {
        succeeded_ = false;
        reject();
    });

    auto* layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0);
    layout->addWidget(password_, 0, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel);
    layout->addLayout(buttons, 1, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

ServiceWindow* LoginDialog::serviceWindow() const {
    return service_.data();
}

bool LoginDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == password_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            ok_->setFocus();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void LoginDialog::tryPassword() {
    if (!service::IsServicePassword(password_->text().toStdString())) {
        main_.prompts().message(this, Tr(kLoginId, main_.session().language),
                                Tr(kWrongId, main_.session().language), Icon::None, Buttons::Ok,
                                Answer::Ok);
        password_->setFocus();
        password_->selectAll();
        return;
    }
    succeeded_ = true;
    password_->clear(); // the entry is not kept once it has done its work
    hide();
    service_ = new ServiceWindow(main_, this);
    service_->setAttribute(Qt::WA_DeleteOnClose);
    service_->setWindowModality(Qt::ApplicationModal);
    connect(service_, &QDialog::finished, this, [this] { accept(); });
    service_->show();
}

} // namespace r57::ui
