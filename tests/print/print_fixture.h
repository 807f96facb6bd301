// What the channel-sheet tests share: codeplugs with channels in both banks and some
// settings, and a QGuiApplication for the fonts.
#pragma once

#include "model/accessory/fm_channels_page.h"
#include "model/settings/five_tone_page.h"
#include "model/settings/function_setting_page.h"
#include "model/settings/msk_page.h"
#include "model/sheet/bank_sheet.h"

#include "core/channel.h"
#include "core/session.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace r57::test {

inline void StartGuiApplication() {
    if (!qApp) {
        static int argc = 1;
        static char name[] = "print_test";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
    }
}

// Bank A channels 1, 5 and bank B channel 128 ("PMR1", "CALL", "B-END"), squelch 7,
// MSK own ID 1234 and call 0 "1100", 5-Tone ID 1 "12345" (CCIR2), FM channel 3 at 100 MHz, power-on
// message "HELLO".
inline CodeplugImage SmallCodeplug() {
    Session s;
    s.resetToDefaults();
    BankSheet a(s, kBankA);
    BankSheet b(s, kBankB);
    a.commitRx(1, "446.00625");
    a.commitName(1, "PMR1");
    a.commitRx(5, "145.5");
    a.commitTone(5, kColDecode, "88.5");
    a.commitName(5, "CALL");
    b.commitRx(128, "438.5");
    b.commitName(128, "B-END");

    settings::FunctionSettingPage function;
    function.load(s.image);
    function.choices[settings::FunctionSettingPage::kSquelch] = 7;
    function.powerOnMessage = "HELLO";
    function.write(s.image);
    settings::MskPage msk;
    msk.load(s.image);
    msk.ownId = "1234";
    msk.calls[0] = "1100";
    msk.write(s.image);
    settings::FiveTonePage five;
    five.load(s.image);
    five.ids[0] = {1, "12345"};
    five.write(s.image);
    FmChannelsPage fm;
    fm.load(s.image);
    fm.setFrequency(3, "100");
    fm.write(s.image);
    return s.image;
}

// Every channel of both banks used, each with its own frequency and name.
inline CodeplugImage FullCodeplug() {
    Session s;
    s.resetToDefaults();
    for (int bank : {kBankA, kBankB}) {
        BankSheet sheet(s, bank);
        for (int row = 1; row <= kChannelRows; ++row) {
            char freq[24];
            std::snprintf(freq, sizeof freq, "%d.%05d", bank ? 140 + row % 30 : 400 + row % 80,
                          row * 125 + bank * 25);
            sheet.commitRx(row, freq);
            sheet.commitTx(row, freq);
            sheet.commitTone(row, kColEncode, "D754I");
            sheet.commitName(row, (bank ? "B" : "A") + std::to_string(row) + "X");
        }
    }
    return s.image;
}

} // namespace r57::test
