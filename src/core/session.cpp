// The shared state: New defaults and the start-up sequence of the core.
#include "core/session.h"

#include "core/address_map.h"

#include <cstdint>
#include <initializer_list>

namespace r57 {
namespace {

struct DefaultRun {
    int address;
    std::initializer_list<uint8_t> bytes;
};

// The fixed bytes New stores for a fresh codeplug; the band-limit row and the VFO records come
// from StoreBandLimits.
const DefaultRun kNewDefaults[] = {
    {addr::kFunctionSettings,
     {0x00, 0x17, 0x81, 0x38, 0x05, 0x00, 0x03, 0x00, 0x00, 0x00, 0xFF, 0x04, 0x05, 0x12, 0x50,
      0x00}},
    {addr::kFunctionExtra, {0x04, 0x05, 0x12, 0x50, 0x00}},
    {addr::kFmSetting, {0x08, 0x75, 0x00, 0x00}},
    {addr::kSignalTimers, {0x0A, 0x1E, 0x01, 0x00, 0x00, 0x00, 0x00, 0x02}},
    {addr::kNewDefaults0E90,
     {0x64, 0xAE, 0x46, 0xAE, 0x46, 0xAE, 0x28, 0xAE, 0x21, 0xAE, 0x46, 0xAE, 0x46, 0xAE, 0x46,
      0xAE}},
    {addr::kGainSteps,
     {0x00, 0x07, 0x00, 0x04, 0x00, 0x07, 0x00, 0x03, 0x00, 0x07, 0x00, 0x07, 0x00, 0x06, 0x00,
      0x06}},
    {addr::kFineTuning,
     {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x2A, 0xF8, 0x00, 0x00, 0x00, 0xD2, 0x0B, 0xB8}},
};

bool EndsWithSeparator(const std::string& path) {
    return !path.empty() && (path.back() == '/' || path.back() == '\\');
}

} // namespace

void Session::resetToDefaults() {
    image.fill(0xFF);
    modelCode = '0';
    for (const DefaultRun& run : kNewDefaults) {
        image.write(run.address, run.bytes.begin(), run.bytes.size());
    }
    StoreBandLimits(image, bands);
}

void Session::startUp() {
    traceMode = false;
    currentBank = kBankA;
    currentChannel = {1, 1};
    currentColumn = {1, 1};
    portNumber = 1;
    singleClickEditing = true;
    updateRadioTime = true;

    bands = BandLimits::Defaults();
    resetToDefaults();

    // The stock logo; a missing or unreadable file leaves the picture clear.
    std::string logoPath = applicationDirectory;
    if (!logoPath.empty() && !EndsWithSeparator(logoPath))
        logoPath += '/';
    logoPath += kStockLogoFile;
    logo.clear();
    LoadLogoFile(logoPath, logo);
    PackLogo(logo, image);

    takeSavedCopy();
    currentFileName = kUntitled;
}

void Session::takeSavedCopyForRead() {
    beforeRead_ = ReadLaunch{image, savedImage};
    savedImage = image;
}

void Session::followReadLaunch() {
    if (beforeRead_ && image == beforeRead_->launched && savedImage == beforeRead_->launched) {
        savedImage = beforeRead_->savedBefore;
        beforeRead_.reset();
    }
}

} // namespace r57
