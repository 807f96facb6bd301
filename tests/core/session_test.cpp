// New defaults and start-up of the shared state.
#include "core/logo.h"
#include "core/session.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace r57 {
namespace {

// The bytes New stores besides 0xFF, by address, with the default band limits.
std::map<int, std::vector<uint8_t>> NewDefaultRuns() {
    return {
        {0x0810, {0x40, 0, 0, 0, 0x40, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0x04, 0, 0x46, 0}},
        {0x0820, {0x13, 0x60, 0, 0, 0x13, 0x60, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0x04, 0, 0x46, 0}},
        {0x0830, {0, 0x17, 0x81, 0x38, 0x05, 0, 0x03, 0, 0, 0, 0xFF, 0x04, 0x05, 0x12, 0x50, 0}},
        {0x084B, {0x04, 0x05, 0x12, 0x50, 0x00}},
        {0x08B4, {0x08, 0x75, 0x00, 0x00}},
        {0x0D00,
         {0x40, 0, 0x49, 0, 0x40, 0, 0x49, 0, 0x13, 0x60, 0x17, 0x40, 0x13, 0x60, 0x17, 0x40}},
        {0x0D20, {0x0A, 0x1E, 0x01, 0, 0, 0, 0, 0x02}},
        {0x0E90,
         {0x64, 0xAE, 0x46, 0xAE, 0x46, 0xAE, 0x28, 0xAE, 0x21, 0xAE, 0x46, 0xAE, 0x46, 0xAE, 0x46,
          0xAE}},
        {0x0EE0, {0, 0x07, 0, 0x04, 0, 0x07, 0, 0x03, 0, 0x07, 0, 0x07, 0, 0x06, 0, 0x06}},
        {0x0EF0, {0, 0, 0, 0, 0, 0, 0x2A, 0xF8, 0, 0, 0, 0xD2, 0x0B, 0xB8}},
    };
}

std::filesystem::path EmptyFolder(const std::string& name) {
    const auto dir = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

TEST(Session, NewSetsExactlyTheDefaultBytes) {
    Session session;
    session.image.fill(0x00);
    session.modelCode = '2';
    session.resetToDefaults();

    std::vector<int> expected(CodeplugImage::kSize, 0xFF);
    for (const auto& [address, bytes] : NewDefaultRuns()) {
        for (std::size_t i = 0; i < bytes.size(); ++i)
            expected[address + i] = bytes[i];
    }
    for (int a = 0; a < CodeplugImage::kSize; ++a) {
        ASSERT_EQ(session.image.at(a), expected[a]) << std::hex << "address 0x" << a;
    }
    EXPECT_EQ(session.modelCode, '0');
}

TEST(Session, NewStoresTheCurrentBandLimitsNotTheDefaults) {
    Session session;
    session.bands.low[0] = 420;
    session.bands.low[2] = 144;
    session.resetToDefaults();
    EXPECT_EQ(session.image.at(0x0D00), 0x42);
    EXPECT_EQ(session.image.at(0x0810), 0x42);
    EXPECT_EQ(session.image.at(0x0814), 0x42);
    EXPECT_EQ(session.image.at(0x0820), 0x14);
    EXPECT_EQ(session.image.at(0x0821), 0x40);
    EXPECT_EQ(DecodeBandLimits(session.image), session.bands);
}

TEST(Session, StartUpWithoutStockLogoLeavesTheLogoClearAndNothingUnsaved) {
    Session session;
    session.applicationDirectory = EmptyFolder("r57_session_nologo").string() + "/";
    session.bands.low[0] = 450; // start-up goes back to the default limits
    session.logo.set(3, 3, 1);  // and to a clear picture when there is no stock logo
    session.currentFileName = "/tmp/x.dat";
    session.startUp();

    EXPECT_EQ(session.bands, BandLimits::Defaults());
    EXPECT_EQ(session.image.at(0x0D00), 0x40);
    for (int a = addr::kLogo; a < addr::kLogo + addr::kLogoSize; ++a) {
        ASSERT_EQ(session.image.at(a), 0x00) << a;
    }
    EXPECT_EQ(session.currentFileName, "Untitled");
    EXPECT_FALSE(session.hasUnsavedChanges());

    session.image.set(0x1000, 0x14);
    EXPECT_TRUE(session.hasUnsavedChanges());
    session.image.set(0x1000, 0xFF);
    EXPECT_FALSE(session.hasUnsavedChanges());
}

TEST(Session, StartUpPacksTheStockLogoBeforeTakingTheSavedCopy) {
    const auto dir = EmptyFolder("r57_session_logo");
    LogoPixels picture;
    picture.set(0, 0, 1);
    picture.set(5, 63, 1);
    ASSERT_TRUE(SaveLogoFile((dir / kStockLogoFile).string(), picture));

    for (const std::string& folder : {dir.string() + "/", dir.string()}) {
        Session session;
        session.applicationDirectory = folder; // with or without the trailing separator
        session.startUp();
        EXPECT_EQ(session.logo, picture) << folder;
        EXPECT_EQ(session.image.at(0x3800), 0x01) << folder;
        EXPECT_EQ(session.image.at(0x3B85), 0x80) << folder;
        EXPECT_FALSE(session.hasUnsavedChanges()) << folder;
    }
}

} // namespace
} // namespace r57
