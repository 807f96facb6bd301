// The "Analogue Setting Gain" page (`fraAnalogue`): the gain step lists `Cboinput` and
// `Cbooutput` 0..7 in four frames, and the fine values `Text1` 0..6, each with its
// spin control `UpDown1`.
#pragma once

#include "model/service/analogue_gain_page.h"
#include "ui/service/service_page.h"

#include <array>

class QComboBox;
class QLineEdit;

namespace r57::ui {

class AnaloguePageWidget : public ServicePage {
    Q_OBJECT
public:
    AnaloguePageWidget(Session& session, QWidget* parent);

    void refresh() override;
    void store(CodeplugImage& image) const override;
    void commitEdits() override;

    // Enter in the last fine value moves the focus here (the page's Apply button).
    void setApplyButton(QWidget* button) { apply_ = button; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using Page = service::AnalogueGainPage;

    QWidget* buildFrame(int frame);
    QWidget* buildFineValues();
    void leaveFine(int k);
    void stepFine(int k, int delta);

    service::AnalogueGainPage page_;
    std::array<QComboBox*, Page::kPairs> inputs_{};
    std::array<QComboBox*, Page::kPairs> outputs_{};
    std::array<QLineEdit*, Page::kFineValues> fine_{};
    QWidget* apply_ = nullptr;
    bool showing_ = false; // controls being filled: no edit to report
};

} // namespace r57::ui
