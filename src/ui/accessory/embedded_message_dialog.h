// `frmEmbMsg`: the embedded message, up to 16 one-byte characters, in `txtMsg`. OK keeps
// the text in page(); the caller writes it into the image.
#pragma once

#include "model/accessory/embedded_message_page.h"

#include <QDialog>

class QLineEdit;

namespace r57 {
class Session;
}

namespace r57::ui {

class Prompts;

class EmbeddedMessageDialog : public QDialog {
    Q_OBJECT
public:
    EmbeddedMessageDialog(const Session& session, Prompts& prompts, QWidget* parent = nullptr);

    const EmbeddedMessagePage& page() const { return page_; }

    void accept() override;
    // Escape and the close box: a changed text asks message 1378 first (Yes keeps it as
    // OK does). Cancel drops it without a question.
    void reject() override;

private:
    Prompts& prompts_;
    int language_;
    EmbeddedMessagePage page_;
    QString loaded_; // the text as the window opened
    QLineEdit* text_ = nullptr;
    bool cancelling_ = false;
};

} // namespace r57::ui
