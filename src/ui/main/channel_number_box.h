// `UDChannelGUI` with its text box `TxtChannelGUI`: the alternate panel's channel
// number 1..256. A number is typed freely (up to three digits) and taken when the box
// is left or Enter is pressed, clamped to 1..256 then: 999 and 300 are 256, 0 is 1. The
// arrows step one channel, wrapping at either end.
#pragma once

#include <QSpinBox>

namespace r57::ui {

class ChannelNumberBox : public QSpinBox {
    Q_OBJECT
public:
    explicit ChannelNumberBox(QWidget* parent = nullptr);

signals:
    // Escape: the number typed is dropped and the box shows its channel again.
    void escaped();

protected:
    QValidator::State validate(QString& text, int& position) const override;
    int valueFromText(const QString& text) const override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace r57::ui
