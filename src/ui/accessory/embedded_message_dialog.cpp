#include "ui/accessory/embedded_message_dialog.h"

#include "ui/main/close_question.h"
#include "ui/main/ui_text.h"

#include "core/address_map.h"
#include "core/session.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValidator>

namespace r57::ui {

namespace {

constexpr OwnText kHint{"Up to 16 characters (Latin letters, digits and signs)",
                        "最多 16 个字符（拉丁字母、数字和符号）"};

// Whatever reaches the box (typing, pasting, an input method) holds only characters
// the message can store; the others are dropped, so a pasted "HI<tab>THERE" gives
// "HITHERE".
class MessageValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override {
        QString taken;
        int cursor = position;
        for (int i = 0; i < input.size(); ++i) {
            if (EmbeddedMessageTakes(input[i].unicode())) {
                taken += input[i];
            } else if (i < position) {
                --cursor;
            }
        }
        input = taken;
        position = cursor;
        return Acceptable;
    }
};

} // namespace

EmbeddedMessageDialog::EmbeddedMessageDialog(const Session& session, Prompts& prompts,
                                             QWidget* parent)
    : QDialog(parent), prompts_(prompts), language_(session.language) {
    setObjectName("frmEmbMsg");
    const int language = session.language;
    setWindowTitle(Tr(1172, language));
    CodeplugImage image = session.image;
    page_.load(image);

    auto* hint = new QLabel(Tr(kHint, language), this);
    hint->setObjectName("lblEmbMsgHint");
    text_ = new QLineEdit(this);
    text_->setObjectName("txtMsg");
    text_->setMaxLength(addr::kEmbeddedMessageLength);
    text_->setValidator(new MessageValidator(text_));
    text_->setText(QString::fromStdString(page_.text()));
    loaded_ = text_->text(); // a stored control character is not shown, nor kept by OK
    text_->setContextMenuPolicy(Qt::PreventContextMenu);
    text_->setMinimumWidth(fontMetrics().horizontalAdvance(QString(24, 'W')));

    auto* ok = new QPushButton(Tr(1058, language), this);
    ok->setObjectName("CmdOk");
    ok->setDefault(true);
    auto* cancel = new QPushButton(Tr(1059, language), this);
    cancel->setObjectName("CmdCancel");
    connect(ok, &QPushButton::clicked, this, &EmbeddedMessageDialog::accept);
    connect(cancel, &QPushButton::clicked, this, [this] {
        cancelling_ = true;
        reject();
        cancelling_ = false;
    });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 14, 18, 12);
    layout->addWidget(hint);
    layout->addWidget(text_);
    layout->addLayout(buttons);
}

void EmbeddedMessageDialog::accept() {
    page_.setText(text_->text().toStdString());
    QDialog::accept();
}

void EmbeddedMessageDialog::reject() {
    const bool edited = !cancelling_ && text_->text() != loaded_;
    if (ConfirmClose(prompts_, this, language_, edited, [this] {
            accept();
            return false; // closed by accept()
        })) {
        QDialog::reject();
    }
}

} // namespace r57::ui
