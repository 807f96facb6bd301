// A codeplug with every channel of bank A used, with tones, choices and a name, for
// the benchmarks that show a whole bank. `variant` 0 and 1 differ in every cell, so
// switching between them gives every cell a new text.
#pragma once

#include "core/channel.h"
#include "core/image.h"
#include "core/session.h"
#include "model/sheet/bank_sheet.h"

#include <cstdio>
#include <string>

namespace r57::bench {

inline CodeplugImage FullBank(int variant) {
    Session session;
    session.resetToDefaults();
    BankSheet sheet(session, kBankA);
    for (int row = 1; row <= kChannelRows; ++row) {
        char freq[24];
        std::snprintf(freq, sizeof freq, "%d.%05d", 400 + variant * 10 + row % 50, row * 125);
        sheet.commitRx(row, freq);
        sheet.commitTone(row, kColDecode, variant ? "88.5" : "D023N");
        sheet.commitTone(row, kColEncode, variant ? "D754I" : "67.0");
        sheet.commitChoice(row, kColPower, variant ? "Low" : "High");
        sheet.commitChoice(row, kColScan, variant ? "Del" : "Add");
        sheet.commitChoice(row, kColWidth, variant ? "Narrow" : "Wide");
        sheet.commitChoice(row, kColBcl, variant ? "Carrier" : "QT/DQT");
        sheet.commitChoice(row, kColPttId, variant ? "EOT" : "Both");
        sheet.commitChoice(row, kColVox, variant ? "On" : "Off");
        sheet.commitChoice(row, kColOption, variant ? "Compand" : "Scramble");
        sheet.commitChoice(row, kColScrambler, variant ? "2" : "5");
        sheet.commitName(row, (variant ? "CH" : "RPT") + std::to_string(row));
    }
    return session.image;
}

} // namespace r57::bench
