// The state every window of the program shares: the image and its saved copy,
// language, bank and cursors, band limits, model variant code and the flags.
// One object, owned by the main window (or the command-line tool) and passed in.
#pragma once

#include "core/band_limits.h"
#include "core/image.h"
#include "core/logo.h"

#include <array>
#include <optional>
#include <string>

namespace r57 {

enum Language : int { kEnglish = 0, kChinese = 1 };
enum BankIndex : int { kBankA = 0, kBankB = 1 };

constexpr const char* kUntitled = "Untitled";

class Session {
public:
    CodeplugImage image;
    CodeplugImage savedImage;

    int language = kEnglish;
    int currentBank = kBankA;
    std::array<int, 2> currentChannel{1, 1}; // 1..128, per bank
    std::array<int, 2> currentColumn{1, 1};  // 0..14, per bank

    char modelCode = '0'; // model variant "0", "1" or "2"; not part of the image
    BandLimits bands;     // decoded from / stored into row 0x0D00

    std::string currentFileName = kUntitled;
    std::string applicationDirectory; // the program's folder, with a trailing separator

    int portNumber = 1;     // serial port slot 1..20
    std::string portDevice; // a device path given outright; overrides the slot when set

    bool singleClickEditing = true;
    bool updateRadioTime = true;
    bool traceMode = false;
    int transferDirection = 0; // 0 read from the radio, 1 write to it

    LogoPixels logo; // working copy of the power-on picture

    // New defaults: every byte 0xFF, model code "0", the fixed default bytes, and the
    // current band limits (not the defaults) stored with their VFO rows.
    void resetToDefaults();

    // The state right after start-up: band-limit defaults, New defaults, the stock
    // logo (from applicationDirectory) loaded and packed, the saved copy taken and the
    // file name "Untitled". A missing stock logo leaves the logo area clear.
    void startUp();

    void takeSavedCopy() {
        savedImage = image;
        beforeRead_.reset();
    }
    bool hasUnsavedChanges() const { return image != savedImage; }

    // A read from the radio counts what it brings as unsaved: the saved copy becomes
    // the image as the read is launched. The copy it replaces is kept, because the
    // user's edits before the read are still unsaved when the read stores nothing, or
    // when undo takes the image back to what it was before the read.
    void takeSavedCopyForRead();
    // Called when the read has ended and after every undo or redo step: while the image
    // is the one the read was launched on and the saved copy still the one the read
    // took, the saved copy of before the read comes back.
    void followReadLaunch();

private:
    struct ReadLaunch {
        CodeplugImage launched;    // the image when the read was launched
        CodeplugImage savedBefore; // the saved copy it replaced
    };
    std::optional<ReadLaunch> beforeRead_;
};

} // namespace r57
