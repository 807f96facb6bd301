#include "common/child_process.h"
#include "core/image.h"
#include "core/logo.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

namespace r57 {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

LogoPixels RandomLogo(unsigned variant) {
    std::mt19937 random(variant);
    LogoPixels logo;
    for (auto& p : logo.pixels()) {
        p = random() % 3 == 0;
    }
    return logo;
}

Bytes PackedBytes(const CodeplugImage& image) {
    return Bytes(image.data() + addr::kLogo, image.data() + addr::kLogo + addr::kLogoSize);
}

TEST(PackLogo, PlacesPixelsInPageColumnBytes) {
    struct Case {
        int x, y;
        int address;
        uint8_t byte;
    };
    const Case cases[] = {
        {0, 0, 0x3800, 0x01},   {5, 63, 0x3B85, 0x80}, {127, 0, 0x387F, 0x01},
        {10, 17, 0x390A, 0x02}, {0, 8, 0x3880, 0x01},  {127, 63, 0x3BFF, 0x80},
    };
    for (const Case& c : cases) {
        LogoPixels logo;
        logo.set(c.x, c.y, 1);
        CodeplugImage image; // logo area erased (0xFF) before packing
        PackLogo(logo, image);
        Bytes expected(addr::kLogoSize, 0x00);
        expected[c.address - addr::kLogo] = c.byte;
        EXPECT_EQ(PackedBytes(image), expected) << c.x << "," << c.y;
        EXPECT_EQ(image.at(addr::kLogo - 1), 0xFF);
        EXPECT_EQ(image.at(addr::kLogo + addr::kLogoSize), 0xFF);
    }
}

TEST(UnpackLogo, FullByteSetsEightRowsOfAColumn) {
    CodeplugImage image;
    std::fill(image.data() + addr::kLogo, image.data() + addr::kLogo + addr::kLogoSize, 0);
    image.set(0x3800 + 128 * 2 + 10, 0xFF);
    LogoPixels logo = RandomLogo(1); // every pixel is overwritten
    UnpackLogo(image, logo);
    for (int y = 0; y < LogoPixels::kHeight; ++y) {
        for (int x = 0; x < LogoPixels::kWidth; ++x) {
            EXPECT_EQ(logo.at(x, y), x == 10 && y >= 16 && y <= 23 ? 1 : 0) << x << "," << y;
        }
    }
}

TEST(PackLogo, RoundTripsAndTakesAnyNonzeroAsDark) {
    for (unsigned variant : {1u, 2u, 3u}) {
        const LogoPixels logo = RandomLogo(variant);
        CodeplugImage image;
        PackLogo(logo, image);
        LogoPixels back;
        UnpackLogo(image, back);
        EXPECT_TRUE(back == logo);
    }
    LogoPixels raw;
    raw.pixels()[0] = 0x80; // stray value straight in the buffer
    CodeplugImage image;
    PackLogo(raw, image);
    EXPECT_EQ(image.at(0x3800), 0x01);
}

class LogoFiles : public ::testing::Test {
protected:
    std::string path(const std::string& name) const { return folder_.file(name); }
    void write(const std::string& name, const Bytes& bytes) const {
        std::ofstream(path(name), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    test::TempFolder folder_;
};

TEST_F(LogoFiles, SaveThenLoadGivesTheSamePicture) {
    const LogoPixels logo = RandomLogo(4);
    ASSERT_TRUE(SaveLogoFile(path("a.FIF"), logo));
    EXPECT_EQ(fs::file_size(path("a.FIF")), 8192u);
    LogoPixels back;
    ASSERT_TRUE(LoadLogoFile(path("a.FIF"), back));
    EXPECT_TRUE(back == logo);
    // Saving over an existing file replaces it whole.
    ASSERT_TRUE(SaveLogoFile(path("a.FIF"), LogoPixels{}));
    ASSERT_TRUE(LoadLogoFile(path("a.FIF"), back));
    EXPECT_TRUE(back == LogoPixels{});
}

TEST_F(LogoFiles, LoadCoversOnlyWhatTheFileHolds) {
    struct Case {
        const char* what;
        Bytes content;
        int changed; // pixels taken from the file, counted from (0, 0) row by row
    };
    Bytes longFile(9000, 0x00);
    const Case cases[] = {
        {"100 bytes", Bytes(100, 0x00), 100},
        {"empty", {}, 0},
        {"longer than a picture", longFile, 8192},
    };
    for (const Case& c : cases) {
        write("f.FIF", c.content);
        LogoPixels logo;
        logo.pixels().fill(1);
        ASSERT_TRUE(LoadLogoFile(path("f.FIF"), logo)) << c.what;
        for (int i = 0; i < LogoPixels::kFileSize; ++i) {
            ASSERT_EQ(logo.pixels()[i], i < c.changed ? 0 : 1) << c.what << " pixel " << i;
        }
    }
    write("f.FIF", {0, 1, 2, 0xFF});
    LogoPixels logo;
    ASSERT_TRUE(LoadLogoFile(path("f.FIF"), logo));
    EXPECT_EQ(logo.at(0, 0), 0);
    EXPECT_EQ(logo.at(2, 0), 1); // any nonzero byte is dark
    EXPECT_EQ(logo.at(3, 0), 1);
}

TEST_F(LogoFiles, UnreadableFileLeavesThePictureAlone) {
    const LogoPixels before = RandomLogo(5);
    LogoPixels logo = before;
    EXPECT_FALSE(LoadLogoFile(path("missing.FIF"), logo));
    EXPECT_FALSE(LoadLogoFile(folder_.path(), logo));
    EXPECT_TRUE(logo == before);
    EXPECT_FALSE(SaveLogoFile(path("no-folder/x.FIF"), logo));
}

TEST(StockLogo, IsAPictureOfZerosAndOnes) {
    const char* source = std::getenv("R57_SOURCE_DIR");
    if (!source) {
        GTEST_SKIP() << "R57_SOURCE_DIR not set";
    }
    const std::string path = std::string(source) + "/resources/" + kStockLogoFile;
    std::ifstream in(path, std::ios::binary);
    const Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_EQ(bytes.size(), 8192u);
    int dark = 0;
    for (uint8_t b : bytes) {
        ASSERT_LE(b, 1);
        dark += b;
    }
    // Something is drawn, and the border rows and columns are left clear.
    EXPECT_GT(dark, 500);
    for (int x = 0; x < 128; ++x) {
        EXPECT_EQ(bytes[x], 0);
        EXPECT_EQ(bytes[63 * 128 + x], 0);
    }
}

} // namespace
} // namespace r57
