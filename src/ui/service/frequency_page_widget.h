// The "Frequency" page (`fraFreq`): the band limits in `GridFreqSet`, a row per range,
// edited through `TxtFreqSet`.
#pragma once

#include "model/service/frequency_range_page.h"
#include "ui/service/service_page.h"

namespace r57::ui {

class CellGrid;

class FrequencyPageWidget : public ServicePage {
    Q_OBJECT
public:
    FrequencyPageWidget(Session& session, QWidget* parent);

    void refresh() override;
    void store(CodeplugImage& image) const override;
    void commitEdits() override;
    // True when a stored row differs from the one last shown (New must follow).
    bool rangesChanged() const { return page_.rangesChanged(); }

private:
    void showValues();

    service::FrequencyRangePage page_;
    CellGrid* grid_ = nullptr;
};

} // namespace r57::ui
