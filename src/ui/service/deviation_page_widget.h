// The tuning and deviation page (`PicDev`): the tuning grids `TunGrid` 0..2 in the
// frames `Frame1` 0..2 (one per tuning band, captioned with its range), `TunGrid` 3
// without data, the voice deviation boxes `TxtVoiceSWW` / `TxtVoiceSWN` 0..2 and the
// tone deviation grids `QTDevGrid` 0..2. A value of 0 shows on red.
#pragma once

#include "model/service/deviation_page.h"
#include "ui/service/service_page.h"

#include <array>

class QGroupBox;
class QLineEdit;
class QScrollArea;

namespace r57::ui {

class CellGrid;

class DeviationPageWidget : public ServicePage {
    Q_OBJECT
public:
    DeviationPageWidget(Session& session, QWidget* parent);

    void refresh() override;
    void store(CodeplugImage& image) const override;
    void commitEdits() override;

    // The frame captions follow the band limits: "400-490".
    void setBandCaptions(const QStringList& captions);
    // Brings tuning band `band` into view with the focus on its grid.
    void showBand(int band);

private:
    using Page = service::DeviationPage;

    QWidget* buildTuning();
    QWidget* buildVoice();
    QWidget* buildTones();
    void showCell(CellGrid* grid, int row, int column, int address);
    void commitCell(CellGrid* grid, int row, int column, int address, const QString& text);
    void leaveVoice(QLineEdit* box, int address);

    service::DeviationPage page_;
    QScrollArea* scroll_ = nullptr;
    std::array<QGroupBox*, Page::kTuningGrids> frames_{};
    std::array<CellGrid*, Page::kTuningGrids> tuning_{};
    std::array<CellGrid*, Page::kToneGrids> tones_{};
    std::array<QLineEdit*, 2 * Page::kVoiceBoxes> voice_{}; // wide 0..2, narrow 0..2
};

} // namespace r57::ui
