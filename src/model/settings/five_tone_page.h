// The "5-Tone" page: respond waiting time, fix digit, three control codes and a list
// of eight 5-Tone IDs, each with its tone standard.
#pragma once

#include "model/page.h"

#include <array>
#include <string>

namespace r57::settings {

class FiveTonePage : public Page {
public:
    static constexpr int kCodes = 3;
    static constexpr std::size_t kCodeLength = 7;
    static constexpr int kIds = 8;
    static constexpr std::size_t kIdLength = 5;
    static constexpr int kStandards = 8;

    struct IdRow {
        int standard = -1; // index into the standards list, -1 none
        std::string id;
    };

    int respond = 0;  // 5, 10, 15, 20 s
    int fixDigit = 0; // 0..5
    // Transceiver inhibit, transmit inhibit, wait-up.
    std::array<std::string, kCodes> codes;
    std::array<IdRow, kIds> ids;

    // The tone of a 5-Tone digit (0..15) in a standard, as the page shows it
    // ("1981.0"); digit F has no tone ("0.0").
    static std::string ToneText(int standard, int digit);
    // The first control code that is filled in but shorter than 7 digits, or -1. The
    // window refuses to save or leave the page while there is one.
    int shortCode() const;
    // An ID editor closing with a short text: padded with "A" to 5 digits.
    static std::string SettleId(const std::string& text);
    // After an ID was entered: a row with an ID but no standard gets the first one, and
    // a row whose ID was cleared loses its standard too.
    void completeIdRow(int row);

    std::string name() const override { return "5-Tone"; }
    void load(CodeplugImage& image) override;
    void write(CodeplugImage& image) const override;
    std::vector<PageField> fields() const override;
    std::string setField(const std::string& name, const std::string& text) override;
};

} // namespace r57::settings
