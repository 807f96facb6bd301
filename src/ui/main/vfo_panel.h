// `fraVfo`: the radio's VFO (free-tuning) settings laid out like one channel. The
// program keeps no VFO values: nothing here is read from or written to the image, saved
// in a data file or sent to the radio. The main window therefore keeps the frame hidden;
// its controls exist with their fixed lists for whoever shows it.
#pragma once

#include <QFrame>

class QComboBox;

namespace r57 {
class Session;
}

namespace r57::ui {

class VfoPanel : public QFrame {
    Q_OBJECT
public:
    explicit VfoPanel(const Session& session, QWidget* parent = nullptr);

    // The two QT/DQT lists follow the language; the other lists are fixed texts.
    void applyLanguage();

private:
    const Session& session_;
    QComboBox* encode_ = nullptr;
    QComboBox* decode_ = nullptr;
};

} // namespace r57::ui
