// The comparison's rules without a window: every differing bit is named by a field or
// listed as a byte, and taking every row across makes one codeplug the other as far as
// the pages' rules let a user change it.
#include "compare_pairs.h"

#include "text/codeplug_diff.h"
#include "text/other_bytes.h"

#include "core/address_map.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace r57::text {
namespace {

bool Listed(const std::vector<DiffRow>& rows, int address) {
    for (const DiffRow& row : rows) {
        if (row.area == DiffArea::Bytes && address >= row.address &&
            address < row.address + row.length) {
            return true;
        }
    }
    return false;
}

TEST(CodeplugCompare, AChangedBitBesideAListedFieldOfThePageIsStillListed) {
    // The squelch byte stored out of range shows as the same level on both sides; the
    // lamp of the same page differs. The byte is written to the radio, so it is named.
    const CodeplugImage a = test::Sample();
    CodeplugImage b = a;
    CodeplugPages pages;
    Page* function = pages.find("Function Setting");
    function->load(b);
    ASSERT_EQ(function->setField("Lamp", "Off"), "");
    function->write(b);
    b.set(addr::kSquelchLevel, static_cast<uint8_t>(a.at(addr::kSquelchLevel) | 0xF0));
    // Writing the page also stored its blank power-on message as spaces where the
    // sample has FF: no listed field says so, so those bytes are listed too.
    EXPECT_EQ(
        DiffCodeplugs(a, b),
        (std::vector<std::string>{"Function Setting / Lamp: Auto -> Off", "0x0834: 05 -> F5",
                                  "0x0840-0x0846: FF FF FF FF FF FF FF -> 20 20 20 20 20 20 20"}));
}

TEST(CodeplugCompare, EveryFlippedBitIsNamedAndAFieldNamingItTakesItAcross) {
    // One bit flipped anywhere: something is listed, and a bit no byte row lists is
    // put back by taking the listed fields one way or the other.
    for (const CodeplugImage& base : {test::Sample(), test::RandomImage(7)}) {
        std::mt19937 random(11);
        for (int trial = 0; trial < 150; ++trial) {
            const int address = static_cast<int>(random() % CodeplugImage::kSize);
            const uint8_t bit = static_cast<uint8_t>(1u << (random() % 8));
            CodeplugImage flipped = base;
            flipped.set(address, flipped.at(address) ^ bit);
            SCOPED_TRACE(AddressText(address) + " bit " + std::to_string(bit));
            const std::vector<DiffRow> rows = CompareCodeplugs(base, flipped);
            ASSERT_FALSE(rows.empty());
            if (Listed(rows, address)) {
                continue;
            }
            const CodeplugImage there = TakeFromOther(base, flipped, rows).image;
            const CodeplugImage back =
                TakeFromOther(flipped, base, CompareCodeplugs(flipped, base)).image;
            EXPECT_TRUE((there.at(address) & bit) == (flipped.at(address) & bit) ||
                        (back.at(address) & bit) == (base.at(address) & bit));
        }
    }
}

TEST(CodeplugCompare, TakingEveryRowLeavesOnlyWhatTheRulesRefuse) {
    for (const test::ImagePair& pair : test::ComparedPairs()) {
        SCOPED_TRACE(pair.what);
        const std::vector<DiffRow> rows = CompareCodeplugs(pair.mine, pair.other);
        EXPECT_EQ(rows.empty(), pair.mine == pair.other);
        EXPECT_EQ(TakeFromOther(pair.mine, pair.other, {}).image, pair.mine);
        const TakeResult taken = TakeFromOther(pair.mine, pair.other, rows);
        std::set<std::string> refused;
        for (const TakenRow& r : taken.refused) {
            refused.insert(r.field);
            refused.insert(r.field.substr(0, r.field.find(' '))); // its channel
        }
        const BitMask owned = OwnedBits(taken.image);
        for (const DiffRow& row : CompareCodeplugs(taken.image, pair.other)) {
            if (row.area != DiffArea::Bytes) {
                EXPECT_TRUE(refused.count(row.field)) << DiffLine(row, 0);
                continue;
            }
            // What is left of a byte row lies in bits a page holds and shows alike.
            for (int a = row.address; a < row.address + row.length; ++a) {
                EXPECT_EQ((taken.image.at(a) ^ pair.other.at(a)) & ~owned[a], 0)
                    << DiffLine(row, 0);
            }
        }
    }
}

TEST(CodeplugCompare, AnyChoiceOfRowsTakenLeavesNoneOfThemListed) {
    // Whichever rows a dealer selects, each one taken is gone from the next comparison
    // unless the rules named it.
    const CodeplugImage mine = test::Sample();
    const CodeplugImage other = test::EveryFieldFrom(mine, test::RandomImage(9));
    const std::vector<DiffRow> rows = CompareCodeplugs(mine, other);
    std::mt19937 random(5);
    for (int trial = 0; trial < 12; ++trial) {
        std::vector<DiffRow> chosen;
        for (const DiffRow& row : rows) {
            if (random() % 3 == 0) {
                chosen.push_back(row);
            }
        }
        const TakeResult taken = TakeFromOther(mine, other, chosen);
        std::set<std::string> named;
        for (const TakenRow& r : taken.refused) {
            named.insert(r.field);
        }
        std::set<std::string> left;
        for (const DiffRow& row : CompareCodeplugs(taken.image, other)) {
            left.insert(row.field.empty() ? AddressText(row.address) : row.field);
        }
        for (const DiffRow& row : chosen) {
            const std::string key = row.field.empty() ? AddressText(row.address) : row.field;
            EXPECT_TRUE(!left.count(key) || named.count(key) || row.area == DiffArea::Bytes)
                << "trial " << trial << ": " << DiffLine(row, 0);
        }
    }
}

TEST(CodeplugCompare, RowsSayTheSameInBothLanguagesAndTheCsvCarriesThem) {
    const std::vector<DiffRow> rows = CompareCodeplugs(NewCodeplug(), test::Sample());
    ASSERT_FALSE(rows.empty());
    for (int language : {0, 1}) {
        const std::string csv = DiffCsv(rows, language);
        std::size_t lines = 0;
        for (char c : csv) {
            lines += c == '\n';
        }
        EXPECT_EQ(lines, rows.size() + 1);
    }
    const DiffWords zh = WordsOf(rows.front(), 1);
    EXPECT_EQ(zh.area, "A 组信道");
    EXPECT_EQ(DiffCaptions(1)[2], "本数据");
}

} // namespace
} // namespace r57::text
