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

class EmbeddedMessageDialog : public QDialog {
    Q_OBJECT
public:
    explicit EmbeddedMessageDialog(const Session& session, QWidget* parent = nullptr);

    const EmbeddedMessagePage& page() const { return page_; }

    void accept() override;

private:
    EmbeddedMessagePage page_;
    QLineEdit* text_ = nullptr;
};

} // namespace r57::ui
