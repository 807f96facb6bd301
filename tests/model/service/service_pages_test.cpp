// The rules of the service pages without their windows: the frequency-range entry,
// the fine gain values, the tuning and deviation layout and store, the memory map's
// cells, and every page's named fields as a way back to the same bytes.
#include "common/test_images.h"

#include "core/session.h"
#include "model/service/analogue_gain_page.h"
#include "model/service/deviation_page.h"
#include "model/service/frequency_range_page.h"
#include "model/service/memory_map_rules.h"
#include "model/service/service_password.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>

namespace r57::service {
namespace {

using Range = FrequencyRangePage;

TEST(FrequencyRangePage, EntriesAreAdjustedIntoTheBandOrRefused) {
    // Start: RX UHF 300-500, TX UHF 400-490, RX VHF 136-174, TX VHF 140-170.
    BandLimits start;
    start.low = {300, 400, 136, 140};
    start.high = {500, 490, 174, 170};
    struct Case {
        int row;
        int column;
        const char* text;
        int shows;
        bool changed;
    } cases[] = {
        {0, Range::kLower, "100", 400, true},                   // below the UHF band
        {0, Range::kUpper, "600", 520, true},                   // RX UHF tops out at 520
        {1, Range::kUpper, "600", 490, false},                  // TX UHF at 490, already there
        {3, Range::kUpper, "300", 174, true},                   // VHF above 260 falls back to 174
        {3, Range::kUpper, "250", 250, true},                   // 220-260 is kept
        {3, Range::kLower, "100", 136, true},                   // below the VHF band
        {2, Range::kLower, "150.6", 151, true},                 // rounded
        {2, Range::kLower, "abc", 136, false},                  // no number reads 0, then 136
        {0, Range::kUpper, "300", 500, false},                  // upper equal to the lower: refused
        {0, Range::kLower, "500", 300, false},                  // lower equal to the upper: refused
        {0, Range::kLower, "", 300, false},                     // empty: the cell keeps its text
        {0, Range::kLower, "99999999999999999999", 300, false}, // 520 is above 500: refused
        {1, Range::kLower, "0x1F", 400, false},                 // "0" and then the band's 400
    };
    for (const Case& c : cases) {
        Range page;
        page.show(start);
        EXPECT_EQ(page.edit(c.row, c.column, c.text), c.changed) << c.text;
        EXPECT_EQ(page.value(c.row, c.column), c.shows) << c.row << " " << c.text;
        EXPECT_EQ(page.rangesChanged(), c.changed) << c.text;
    }
}

TEST(FrequencyRangePage, RowLabelsInBothLanguages) {
    EXPECT_EQ(Range::RowLabel(0, kEnglish), "RX(UHF)");
    EXPECT_EQ(Range::RowLabel(3, kEnglish), "TX(VHF)");
    EXPECT_EQ(Range::RowLabel(2, kChinese), "接收(VHF)");
}

TEST(AnalogueGainPage, FineValuesDecodeByTheirWidthAndClampWhenLeft) {
    struct Case {
        int k;
        uint8_t high;
        uint8_t low;
        int value;
    } cases[] = {
        {0, 0xFF, 0xFF, 16383}, {5, 0xFF, 0xFF, 2047},   {5, 0x07, 0xFF, 2047},
        {5, 0x08, 0x12, 0x712}, {1, 0x3F, 0x01, 0x3F01}, {1, 0x40, 0x01, 0x3F01},
        {3, 0x2A, 0xF8, 11000}, {6, 0x00, 0x00, 0},
    };
    for (const Case& c : cases) {
        CodeplugImage image;
        image.set(addr::kFineTuning + 2 * c.k, c.high);
        image.set(addr::kFineTuning + 2 * c.k + 1, c.low);
        AnalogueGainPage page;
        page.load(image);
        EXPECT_EQ(page.fine(c.k), c.value) << c.k;
    }
    EXPECT_EQ(AnalogueGainPage::FineFromText(0, "20000"), 16383);
    EXPECT_EQ(AnalogueGainPage::FineFromText(5, "3000"), 2047);
    EXPECT_EQ(AnalogueGainPage::FineFromText(2, ""), 0);
    EXPECT_EQ(AnalogueGainPage::FineFromText(2, "00042"), 42);
}

TEST(AnalogueGainPage, ListItemsAndBytesBeyondThem) {
    std::vector<std::string> inputs, outputs;
    for (int step = 0; step < AnalogueGainPage::kSteps; ++step) {
        inputs.push_back(AnalogueGainPage::InputGainText(step));
        outputs.push_back(AnalogueGainPage::OutputGainText(step));
    }
    EXPECT_EQ(inputs, (std::vector<std::string>{"0db", "3.2db", "6.4db", "9.6db", "12.8db",
                                                "16.0db", "19.2db", "22.4db"}));
    EXPECT_EQ(outputs, (std::vector<std::string>{"Mute", "-19.2db", "-16.0db", "-12.8db", "-9.6db",
                                                 "-6.4db", "-3.2db", "0db"}));

    // A byte of 8 or more selects nothing, and a store keeps it rather than invent one.
    CodeplugImage image;
    image.set(addr::kGainSteps + 3, 0x09);
    AnalogueGainPage page;
    page.load(image);
    EXPECT_EQ(page.input(1), -1); // 0xFF
    EXPECT_EQ(page.output(1), -1);
    page.setInput(0, 3);
    CodeplugImage out = image;
    page.write(out);
    EXPECT_EQ(out.at(addr::kGainSteps), 3);
    EXPECT_EQ(out.at(addr::kGainSteps + 3), 0x09);
}

TEST(DeviationPage, LayoutCoversEveryByteOnceAtTheListedAddresses) {
    using P = DeviationPage;
    EXPECT_EQ(P::TuningAddress(0, 1, 1), 0x0FDC);
    EXPECT_EQ(P::TuningAddress(0, 3, 2), 0x0FE1);
    EXPECT_EQ(P::TuningAddress(1, 1, 3), 0x0FF1);
    EXPECT_EQ(P::TuningAddress(2, 3, 3), 0x0FF6);
    EXPECT_EQ(P::VoiceAddress(false, 0), 0x0FF7);
    EXPECT_EQ(P::VoiceAddress(true, 2), 0x0FFC);
    EXPECT_EQ(P::ToneAddress(0, 2, 3), 0x0F00 + 21); // value n = (column - 1) * 10 + row - 1
    EXPECT_EQ(P::ToneAddress(0, 11, 1), 0x0F5A);
    EXPECT_EQ(P::ToneAddress(1, 1, 1), 0x0F60);
    EXPECT_EQ(P::ToneAddress(1, 11, 7), 0x0FD6);
    EXPECT_EQ(P::ToneAddress(2, 11, 5), 0x0FDB);
    EXPECT_EQ(P::ToneAddress(1, 5, 7), -1); // the run of grid 1 ends at 0x0F9F

    std::multiset<int> seen;
    for (int g = 0; g < P::kTuningGrids; ++g)
        for (int r = 1; r <= P::kTuningRows; ++r)
            for (int c = 1; c <= P::kTuningColumns; ++c)
                seen.insert(P::TuningAddress(g, r, c));
    for (bool narrow : {false, true})
        for (int i = 0; i < P::kVoiceBoxes; ++i)
            seen.insert(P::VoiceAddress(narrow, i));
    for (int g = 0; g < P::kToneGrids; ++g)
        for (int r = 1; r <= P::kToneRows; ++r)
            for (int c = 1; c <= P::ToneColumns(g); ++c)
                if (P::ToneAddress(g, r, c) >= 0)
                    seen.insert(P::ToneAddress(g, r, c));
    std::multiset<int> every;
    for (int a = P::kFirst; a < P::kEnd; ++a)
        every.insert(a);
    EXPECT_EQ(seen, every);
}

TEST(DeviationPage, StoreWritesBackExactlyTheBytesItRead) {
    const CodeplugImage source = test::RandomImage(5);
    DeviationPage page;
    CodeplugImage copy = source;
    page.load(copy);
    page.set(0x0FE0, DeviationPage::ByteFromText("300"));
    page.set(0x0F07, DeviationPage::ByteFromText(""));
    page.set(0x0F08, DeviationPage::ByteFromText("abc"));
    page.set(0x0FFB, DeviationPage::ByteFromText("7"));

    CodeplugImage target = test::RandomImage(6);
    const CodeplugImage before = target;
    page.write(target);
    for (int a = 0; a < CodeplugImage::kSize; ++a) {
        int want =
            a >= DeviationPage::kFirst && a < DeviationPage::kEnd ? source.at(a) : before.at(a);
        if (a == 0x0FE0)
            want = 255;
        if (a == 0x0F07 || a == 0x0F08)
            want = 0;
        if (a == 0x0FFB)
            want = 7;
        ASSERT_EQ(target.at(a), want) << std::hex << a;
    }
}

TEST(MemoryMapCells, EditBoxRulesAndEnterMoves) {
    using namespace hexmap;
    struct Text {
        const char* typed;
        const char* cell;
    } texts[] = {{"", "FF"}, {"5", "05"}, {"a", "0A"}, {"ab", "AB"}, {"3F", "3F"}};
    for (const Text& t : texts) {
        EXPECT_EQ(Normalised(t.typed), t.cell) << t.typed;
        EXPECT_EQ(CellText(ByteOf(t.typed)), t.cell) << t.typed;
    }
    EXPECT_EQ(AcceptedDigit('f'), 'F');
    EXPECT_EQ(AcceptedDigit('9'), '9');
    EXPECT_EQ(AcceptedDigit('g'), 0);
    EXPECT_EQ(AcceptedDigit(' '), 0);
    EXPECT_EQ(RowLabel(0), "0");
    EXPECT_EQ(RowLabel(1023), "3FF");
    EXPECT_EQ(ColumnLabel(15), "F");

    struct Move {
        Cell from;
        Cell to;
    } moves[] = {
        {{0, 0}, {0, 1}},       {{0, 15}, {1, 0}},    {{126, 15}, {127, 0}},
        {{127, 15}, {127, 15}}, {{500, 3}, {500, 4}}, {{1023, 15}, {1023, 15}},
    };
    for (const Move& m : moves) {
        EXPECT_EQ(AfterEnter(m.from), m.to) << m.from.row << "," << m.from.column;
    }
}

TEST(ServicePassword, OnlyTheExactEntry) {
    EXPECT_TRUE(IsServicePassword("482913"));
    for (const char* wrong : {"", " 482913", "482913 ", "48291", "4829130", "482914"}) {
        EXPECT_FALSE(IsServicePassword(wrong)) << "'" << wrong << "'";
    }
}

std::vector<std::pair<std::string, std::string>> Texts(const std::vector<PageField>& fields) {
    std::vector<std::pair<std::string, std::string>> out;
    for (const PageField& f : fields)
        out.emplace_back(f.name, f.text);
    return out;
}

// Every page's fields, given one by one to a fresh page, write the same bytes again.
TEST(ServicePages, FieldsWriteBackTheSameBytes) {
    using Make = std::function<std::unique_ptr<Page>()>;
    const Make makers[] = {
        [] { return std::make_unique<FrequencyRangePage>(); },
        [] { return std::make_unique<AnalogueGainPage>(); },
        [] { return std::make_unique<DeviationPage>(); },
    };
    std::vector<CodeplugImage> sources;
    Session fresh;
    fresh.resetToDefaults();
    sources.push_back(fresh.image);
    for (unsigned v = 30; v < 34; ++v) {
        CodeplugImage image = test::RandomImage(v);
        BandLimits bands;
        bands.low = {static_cast<int16_t>(220 + v), 400, 136, static_cast<int16_t>(150 + v)};
        bands.high = {520, static_cast<int16_t>(440 + v), 260, 174};
        StoreBandLimits(image, bands);
        for (int a = addr::kGainSteps; a < addr::kFineTuning; ++a)
            image.set(a, image.at(a) % AnalogueGainPage::kSteps); // bytes the lists can show
        sources.push_back(image);
    }
    for (const Make& make : makers) {
        for (const CodeplugImage& source : sources) {
            // What the window makes of the source: its page written back.
            CodeplugImage shown = source;
            auto page = make();
            page->load(shown);
            page->write(shown);

            auto copy = make();
            for (const PageField& field : page->fields()) {
                EXPECT_EQ(copy->setField(field.name, field.text), "") << field.name;
            }
            EXPECT_EQ(Texts(copy->fields()), Texts(page->fields())) << page->name();
            CodeplugImage target = test::RandomImage(99);
            CodeplugImage expected = target;
            page->write(expected);
            copy->write(target);
            EXPECT_TRUE(target == expected) << page->name();
        }
        EXPECT_EQ(make()->setField("no such field", "1"), "unknown field");
    }
}

TEST(ServicePages, RefusedFieldsLeaveThePage) {
    FrequencyRangePage range;
    EXPECT_NE(range.setField("RX(UHF)", "450"), "");
    EXPECT_EQ(range.setField("TX(VHF)", "100-300"), ""); // adjusted to 136-174
    EXPECT_EQ(range.limits(), BandLimits::Defaults());
    // An upside-down row is what the page shows of such a stored row: taken as it is,
    // and never written to a radio.
    EXPECT_EQ(range.setField("RX(UHF)", "490-400"), "");
    EXPECT_EQ(range.limits().low[0], 490);
    AnalogueGainPage gain;
    EXPECT_NE(gain.setField("Wide Mic input gain", "5db"), "");
    EXPECT_NE(gain.setField("Tone Tx Level", "-3"), "");
    DeviationPage deviation;
    EXPECT_NE(deviation.setField("Tuning 1 R1C1", "x"), "");
    EXPECT_EQ(deviation.setField("Tuning 1 R1C1", "400"), "");
    EXPECT_EQ(deviation.at(0x0FDC), 255);
}

} // namespace
} // namespace r57::service
