#include "ui/accessory/embedded_message_dialog.h"

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
// the message can store.
class MessageValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        for (const QChar ch : input) {
            if (!EmbeddedMessageTakes(ch.unicode())) {
                return Invalid;
            }
        }
        return Acceptable;
    }
};

} // namespace

EmbeddedMessageDialog::EmbeddedMessageDialog(const Session& session, QWidget* parent)
    : QDialog(parent) {
    setObjectName("frmEmbMsg");
    const int language = session.language;
    setWindowTitle(Tr(1172, language));
    CodeplugImage image = session.image;
    page_.load(image);

    auto* hint = new QLabel(Tr(kHint, language), this);
    hint->setObjectName("lblEmbMsgHint");
    text_ = new QLineEdit(QString::fromStdString(page_.text()), this);
    text_->setObjectName("txtMsg");
    text_->setMaxLength(addr::kEmbeddedMessageLength);
    text_->setValidator(new MessageValidator(text_));
    text_->setContextMenuPolicy(Qt::PreventContextMenu);
    text_->setMinimumWidth(fontMetrics().horizontalAdvance(QString(24, 'W')));

    auto* ok = new QPushButton(Tr(1058, language), this);
    ok->setObjectName("CmdOk");
    ok->setDefault(true);
    auto* cancel = new QPushButton(Tr(1059, language), this);
    cancel->setObjectName("CmdCancel");
    connect(ok, &QPushButton::clicked, this, &EmbeddedMessageDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &EmbeddedMessageDialog::reject);

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

} // namespace r57::ui
