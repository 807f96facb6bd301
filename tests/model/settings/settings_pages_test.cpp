// The settings pages' rules without a window: what each page shows for crafted bytes,
// the bytes it writes, the bits it leaves alone, and the text round trip of all pages.
#include "common/test_images.h"
#include "core/image.h"
#include "model/settings/common_set_page.h"
#include "model/settings/dtmf_page.h"
#include "model/settings/five_tone_page.h"
#include "model/settings/function_setting_page.h"
#include "model/settings/logo_page.h"
#include "model/settings/msk_page.h"
#include "model/settings/two_tone_page.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <random>

namespace r57::settings {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes At(const CodeplugImage& image, int address, int count) {
    return Bytes(image.data() + address, image.data() + address + count);
}

std::string FieldOf(const Page& page, const std::string& name) {
    for (const PageField& f : page.fields()) {
        if (f.name == name) {
            return f.text;
        }
    }
    ADD_FAILURE() << "no field " << name;
    return {};
}

// Loads a fresh page of type P from an image holding `bytes` at `address` (the rest 0xFF).
template <class P> std::unique_ptr<P> Loaded(int address, const Bytes& bytes) {
    CodeplugImage image;
    image.write(address, bytes.data(), bytes.size());
    auto page = std::make_unique<P>();
    page->load(image);
    return page;
}

// Stored bytes of each page that load to a default or a text, and come back in range.
TEST(SettingsPages, StoredBytesLoadAsTheWindowShowsThem) {
    struct Case {
        std::function<std::unique_ptr<Page>(int, const Bytes&)> make;
        int address;
        Bytes bytes;
        const char* field;
        const char* shown;
    };
    const auto fn = [](int a, const Bytes& b) -> std::unique_ptr<Page> {
        return Loaded<FunctionSettingPage>(a, b);
    };
    const auto common = [](int a, const Bytes& b) -> std::unique_ptr<Page> {
        return Loaded<CommonSetPage>(a, b);
    };
    const auto dtmf = [](int a, const Bytes& b) -> std::unique_ptr<Page> {
        return Loaded<DtmfPage>(a, b);
    };
    const auto msk = [](int a, const Bytes& b) -> std::unique_ptr<Page> {
        return Loaded<MskPage>(a, b);
    };
    const auto twoTone = [](int a, const Bytes& b) -> std::unique_ptr<Page> {
        return Loaded<TwoTonePage>(a, b);
    };
    const auto fiveTone = [](int a, const Bytes& b) -> std::unique_ptr<Page> {
        return Loaded<FiveTonePage>(a, b);
    };
    const std::vector<Case> cases = {
        {fn, 0x0834, {0x0C}, "Squelch Level", "5"},
        {fn, 0x0834, {0x09}, "Squelch Level", "9"},
        {fn, 0x0835, {0x0A}, "Time Out Timer", "Off"},
        {fn, 0x0835, {0x03}, "Time Out Timer", "90sec"},
        {fn, 0x0830, {0xC0}, "Scan Resume", "Time"},
        {fn, 0x0830, {0x80}, "Scan Resume", "Seek"},
        {fn, 0x0836, {0x37}, "VOX Gain Level", "8"},
        {fn, 0x0836, {0x37}, "VOX Delay Time", "4sec"},
        {fn, 0x0836, {0x09}, "VOX Gain Level", "6"},
        {fn, 0x0836, {0x09}, "VOX Delay Time", "1sec"},
        {fn, 0x0836, {0x40}, "VOX Delay Time", "2sec"},
        {fn, 0x0832, {0xC0}, "Lamp", "Off"},
        {fn, 0x0832, {0x80}, "Lamp", "Auto"},
        {fn, 0x0D27, {0x0B}, "Alarm Delay", "2"},
        {fn, 0x0D27, {0x0A}, "Alarm Delay", "10"},
        {fn, 0x0833, {0xC0}, "Message Mode", "Off"},
        {fn, 0x0833, {0x80}, "Message Mode", "MSG"},
        {fn, 0x0832, {0xFE}, "Inhibit Receiver When Working", "On"},
        {fn, 0x0831, {0x08}, "Channel Display", "Name"},
        {fn, 0x0840, {'H', 0x00, 'i', 0x7B, 0x1F, '!', 'z'}, "PowerOn Message", "H i  !z"},
        {fn, 0x0832, {0x10}, "PTT ID BOT", ""},
        {common, 0x0D21, {0xFF}, "Digit Delay", "400"},
        {common, 0x0D21, {0x5A}, "Digit Delay", "1000"},
        {common, 0x0D21, {0x07}, "Digit Delay", "150"},
        {common, 0x0D20, {0x00}, "Auto Reset Timer", "Off"},
        {common, 0x0D20, {0x14}, "Auto Reset Timer", "10"},
        {common, 0x083A, {0x00}, "Dead Beat Disable", "Normal"},
        {common, 0x083A, {0x55}, "Dead Beat Disable", "Transceiver Inhibit"},
        {common, 0x083A, {0xAA}, "Dead Beat Disable", "Transmit Inhit"},
        {dtmf, 0x0DB0, {0x01, 0xFF, 0x02, 0x10, 0x0E, 0x0F}, "Fast Call 0", "12*#"},
        {dtmf, 0x0D25, {0x0B}, "Group Code", "B"},
        {dtmf, 0x0D25, {0x05}, "Group Code", "Off"},
        {dtmf, 0x0D24, {0x0E}, "Intermediate Code", "*"},
        {dtmf, 0x0D24, {0x20}, "Intermediate Code", "0"},
        {dtmf, 0x0833, {0x04}, "DTMF Signalling", "Selective Call"},
        {dtmf, 0x0E50, {0x0A, 0x0B, 0x0C}, "Transmit Inhibit Code", "ABC"},
        {msk, 0x0D30, {0xFF, 0x03, 0xFF, 0x04}, "Own ID", "34"},
        {msk, 0x0D5C, {0x09, 0x0E, 0xFF, 0xFF}, "Call List 9", "9E"},
        {twoTone, 0x0C50, {0x2E, 0xE0}, "Encode 1 Tone A", "1200.0"},
        {twoTone, 0x0C54, {0x64}, "Encode 1 Gap Time", "100"},
        {twoTone, 0x0C50, {0x80, 0x01}, "Encode 1 Tone A", ""},
        {twoTone, 0x0C50, {0x00, 0x00}, "Encode 1 Tone A", "0.0"},
        {twoTone, 0x0CB6, {0x00, 0x00}, "Decode 2 Tone A", "-"},
        {twoTone, 0x0CDC, {0x0B, 0x45}, "Decode 8 Tone B", "288.5"},
        {fiveTone, 0x0D22, {0x04}, "Respond Waiting Time", "10sec"},
        {fiveTone, 0x0D23, {0x05}, "Fix Digit", "5"}, // every choice of the list loads back
        {fiveTone, 0x0D23, {0x06}, "Fix Digit", "0"},
        {fiveTone, 0x0E70, {0x0E, 0x01, 0x0D, 0x0F, 0xFF}, "Transceiver Inhibit Code", "1D"},
        {fiveTone, 0x0EA0, {0x06, 0x01, 0x02, 0x03, 0x04, 0x05}, "ID 1 Standard", "ZVEI1"},
        {fiveTone, 0x0EA6, {0x08, 0x0A, 0x0E}, "ID 2 Standard", ""},
        {fiveTone, 0x0EA6, {0x08, 0x0A, 0x0E}, "ID 2", "A"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " <- " + std::to_string(c.address));
        EXPECT_EQ(FieldOf(*c.make(c.address, c.bytes), c.field), c.shown);
    }
}

// Values set as the window sets them, and the bytes they are stored as.
TEST(SettingsPages, ValuesAreStoredAsTheRadioReadsThem) {
    struct Case {
        std::function<std::unique_ptr<Page>()> make;
        std::vector<std::pair<const char*, const char*>> set;
        int address;
        Bytes stored;
    };
    const auto fn = [] {
        return std::make_unique<FunctionSettingPage>();
    };
    const auto common = [] {
        return std::make_unique<CommonSetPage>();
    };
    const auto dtmf = [] {
        return std::make_unique<DtmfPage>();
    };
    const auto msk = [] {
        return std::make_unique<MskPage>();
    };
    const auto twoTone = [] {
        return std::make_unique<TwoTonePage>();
    };
    const auto fiveTone = [] {
        return std::make_unique<FiveTonePage>();
    };
    const std::vector<Case> cases = {
        {fn,
         {{"PTT ID Type", "DTMF"}, {"PTT ID BOT", "12*#"}},
         0x0D90,
         {1, 2, 14, 15, 255, 255, 255}},
        {fn,
         {{"PTT ID Type", "DTMF"}, {"PTT ID EOT", "abcd x"}},
         0x0D98,
         {10, 11, 12, 13, 255, 255, 255}},
        {fn, {{"PTT ID Own ID", "12"}}, 0x0DA0, {0x01, 0x02, 0xFF, 0xFF}},
        {fn, {{"PTT ID Name", "Ab-1\x01"}}, 0x0DA8, {'A', 'b', '-', '1', 0xFF, 0xFF}},
        {fn, {{"PowerOn Message", "Hi{"}}, 0x0840, {'H', 'i', ' ', ' ', ' ', ' ', ' '}},
        {fn, {{"VOX Gain Level", "8"}, {"VOX Delay Time", "4sec"}}, 0x0836, {0x37}},
        {common, {{"Digit Delay", "1234"}}, 0x0D21, {0x5A}},
        {common, {{"Digit Delay", "175"}}, 0x0D21, {0x05}},
        {common, {{"Digit Delay", "x"}}, 0x0D21, {0x00}},
        {common, {{"Auto Reset Timer", "Off"}}, 0x0D20, {0x00}},
        {common, {{"Auto Reset Timer", "20"}}, 0x0D20, {0x0F}},
        {common, {{"Dead Beat Disable", "Transmit Inhit"}}, 0x083A, {0xAA}},
        {dtmf,
         {{"Fast Call 3", "123a*# "}},
         0x0DE0,
         {1, 2, 3, 10, 14, 15, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255}},
        {dtmf, {{"Group Code", "B"}}, 0x0D25, {0x0B}},
        {dtmf, {{"Group Code", "Off"}}, 0x0D25, {0x00}},
        {dtmf,
         {{"Transmit Inhibit Code", "ABC"}},
         0x0E50,
         {10, 11, 12, 255, 255, 255, 255, 255, 255, 255, 3}},
        {dtmf,
         {{"Transceiver Inhibit Code", ""}},
         0x0E5B,
         {255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 0}},
        {msk, {{"Own ID", "12"}}, 0x0D30, {0x01, 0x02, 0xFF, 0xFF}},
        {msk, {{"Call List 9", "9e"}}, 0x0D5C, {0x09, 0x0E, 0xFF, 0xFF}},
        {twoTone, {{"Encode 1 Tone A", "1200"}}, 0x0C50, {0x2E, 0xE0}},
        {twoTone,
         {{"Encode 2 Tone A", "100"}, {"Encode 2 Tone B", "3500"}},
         0x0C55,
         {0x0B, 0x45, 0x75, 0x30, 0xFF}},
        {twoTone, {{"Encode 3 Gap Time", "300"}}, 0x0C5E, {0xFE}}, // 0xFF is an empty cell
        {twoTone,
         {{"Decode 1 Tone A", "-"}, {"Decode 1 Group Call", "1500,55"}},
         0x0CB0,
         {0x00, 0x00, 0xFF, 0xFF, 0x3A, 0x9E}},
        {twoTone, {}, 0x0C50, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
        {fiveTone, {{"Transceiver Inhibit Code", "1234567"}}, 0x0E70, {14, 1, 2, 3, 4, 5, 6, 7}},
        {fiveTone, {{"Wait-Up Code", ""}}, 0x0E80, {255, 255, 255, 255, 255, 255, 255, 255}},
        {fiveTone, {{"ID 1 Standard", "ZVEI1"}, {"ID 1", "12345"}}, 0x0EA0, {6, 1, 2, 3, 4, 5}},
        {fiveTone, {{"ID 8 Standard", "CCIR1"}, {"ID 8", "1b"}}, 0x0ECA, {0, 1, 11, 10, 10, 10}},
        {fiveTone, {{"Respond Waiting Time", "20sec"}, {"Fix Digit", "5"}}, 0x0D22, {3, 5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        auto page = c.make();
        for (const auto& [name, text] : c.set) {
            EXPECT_EQ(page->setField(name, text), "") << name;
        }
        CodeplugImage image;
        image.fill(0x77);
        page->write(image);
        EXPECT_EQ(At(image, c.address, static_cast<int>(c.stored.size())), c.stored);
    }
}

// A page writes exactly its own bits: written over all-zero and all-one images, the
// two results differ only outside them, and agree inside.
TEST(SettingsPages, WritesOnlyTheBitsTheyOwn) {
    using Owned = std::map<int, uint8_t>;
    auto range = [](Owned& owned, int from, int count) {
        for (int a = from; a < from + count; ++a) {
            owned[a] = 0xFF;
        }
    };
    Owned function = {{0x0830, 0xC4}, {0x0831, 0x3F}, {0x0832, 0xDF},
                      {0x0833, 0xC0}, {0x0834, 0xFF}, {0x0835, 0xFF},
                      {0x0836, 0xFF}, {0x0D26, 0x07}, {0x0D27, 0x1F}};
    range(function, 0x0840, 7);
    range(function, 0x0D90, 7); // DTMF PTT ID: the type erased memory reads as
    range(function, 0x0D98, 7);
    Owned common = {{0x0832, 0x20}, {0x0D20, 0xFF}, {0x0D21, 0xFF}, {0x083A, 0xFF}};
    Owned dtmf = {{0x0833, 0x04}, {0x0D24, 0xFF}, {0x0D25, 0xFF}};
    range(dtmf, 0x0DB0, 160);
    range(dtmf, 0x0E50, 22);
    Owned msk;
    range(msk, 0x0D30, 4);
    range(msk, 0x0D38, 40);
    Owned twoTone;
    range(twoTone, 0x0C50, 50);
    range(twoTone, 0x0CB0, 48);
    Owned fiveTone = {{0x0D22, 0xFF}, {0x0D23, 0xFF}};
    range(fiveTone, 0x0E70, 24);
    range(fiveTone, 0x0EA0, 48);
    Owned logo;
    range(logo, 0x3800, 1024);

    FunctionSettingPage fp;
    CommonSetPage cp;
    DtmfPage dp;
    MskPage mp;
    TwoTonePage tp;
    FiveTonePage vp;
    LogoPage lp;
    const std::vector<std::pair<Page*, Owned>> pages = {
        {&fp, function}, {&cp, common},   {&dp, dtmf}, {&mp, msk},
        {&tp, twoTone},  {&vp, fiveTone}, {&lp, logo}};
    for (const auto& [page, owned] : pages) {
        SCOPED_TRACE(page->name());
        CodeplugImage zeros;
        zeros.fill(0x00);
        CodeplugImage ones;
        page->load(ones); // every value from erased memory
        ones.fill(0xFF);
        page->write(zeros);
        page->write(ones);
        for (int a = 0; a < CodeplugImage::kSize; ++a) {
            const auto it = owned.find(a);
            const uint8_t mask = it == owned.end() ? 0 : it->second;
            ASSERT_EQ(zeros.at(a) & ~mask, 0) << std::hex << a;
            ASSERT_EQ(ones.at(a) & ~mask, 0xFF & ~mask) << std::hex << a;
            ASSERT_EQ(zeros.at(a) & mask, ones.at(a) & mask) << std::hex << a;
        }
    }
}

TEST(SettingsPages, FunctionLoadRepairsTheMessageAndKeepsTheOtherPttType) {
    CodeplugImage image;
    const uint8_t message[] = {0x00, 'A', 0x7F, 'z', 0x19, ' ', 0xFF};
    image.write(0x0840, message, 7);
    image.set(0x0832, 0x10); // DTMF PTT ID
    const uint8_t mskId[] = {1, 2, 3, 4};
    image.write(0x0DA0, mskId, 4);
    FunctionSettingPage page;
    page.load(image);
    EXPECT_EQ(At(image, 0x0840, 7), (Bytes{' ', 'A', ' ', 'z', ' ', ' ', ' '}));
    EXPECT_EQ(FunctionSettingPage::MessageFromImage(image), " A z   ");
    // Choosing the other type starts both codes empty; the MSK codes of the image stay.
    EXPECT_EQ(page.setField("PTT ID Own ID", "9"), "not shown for this PTT ID Type");
    page.setField("PTT ID BOT", "1");
    page.setPttType(FunctionSettingPage::kPttMsk);
    EXPECT_EQ(page.ptt1, "");
    page.setPttType(FunctionSettingPage::kPttDtmf);
    page.setField("PTT ID BOT", "#");
    page.write(image);
    EXPECT_EQ(At(image, 0x0DA0, 4), (Bytes{1, 2, 3, 4}));
    EXPECT_EQ(image.at(0x0D90), 15);
    // MSK codes read as the boxes can show them: digits, printable characters.
    image.set(0x0832, 0x00);
    const uint8_t id[] = {0x01, 0xFF, 0x0C, 0x02};
    const uint8_t name[] = {'a', 0x00, 'B', 0xFF, 0x80, 0xFF};
    image.write(0x0DA0, id, 4);
    image.write(0x0DA8, name, 6);
    page.load(image);
    EXPECT_EQ(FieldOf(page, "PTT ID Own ID"), "12");
    EXPECT_EQ(FieldOf(page, "PTT ID Name"), "aB");
    EXPECT_EQ(page.setField("Squelch Level", "12"), "not one of the choices");
    EXPECT_EQ(page.setField("Relay Transfer", "yes"), "not On or Off");
    EXPECT_EQ(page.setField("Volume", "1"), "unknown field");
}

TEST(SettingsPages, CommonSetBoxesSettleAndStepWithWraps) {
    struct Settle {
        const char* typed;
        int ms;
    };
    for (const Settle& c : std::vector<Settle>{
             {"1234", 1000}, {"175", 150}, {"50", 100}, {"", 100}, {"999", 950}, {"1000", 1000}}) {
        EXPECT_EQ(CommonSetPage::SettleDigitDelay(c.typed), c.ms) << c.typed;
    }
    EXPECT_EQ(CommonSetPage::StepDigitDelay(1000, 1), 100);
    EXPECT_EQ(CommonSetPage::StepDigitDelay(100, -1), 1000);
    EXPECT_EQ(CommonSetPage::StepDigitDelay(400, 1), 450);
    for (const Settle& c : std::vector<Settle>{
             {"Off", 0}, {"关", 0}, {"20", 15}, {"0", 0}, {"Off5", 5}, {"7", 7}, {"", 0}}) {
        EXPECT_EQ(CommonSetPage::SettleAutoReset(c.typed, "关"), c.ms == 0 ? 0 : c.ms) << c.typed;
    }
    EXPECT_EQ(CommonSetPage::StepAutoReset(15, 1), 0);
    EXPECT_EQ(CommonSetPage::StepAutoReset(0, -1), 15);
    EXPECT_EQ(CommonSetPage::AutoResetText(0, "关"), "关");
}

TEST(SettingsPages, TwoToneEditingRules) {
    using P = TwoTonePage;
    struct Settle {
        int list, column;
        const char* typed;
        const char* settled;
    };
    for (const Settle& c : std::vector<Settle>{{P::kEncode, P::kToneA, "100", "288.5"},
                                               {P::kEncode, P::kToneA, "3500", "3000.0"},
                                               {P::kEncode, P::kToneB, "1200,25", "1200.3"},
                                               {P::kEncode, P::kToneB, ".", "288.5"},
                                               {P::kEncode, P::kThird, "300", "254"},
                                               {P::kEncode, P::kThird, "", ""},
                                               {P::kDecode, P::kThird, "-", "-"},
                                               {P::kDecode, P::kToneA, "", ""}}) {
        EXPECT_EQ(P::SettleCell(c.list, c.column, c.typed), c.settled) << c.typed;
    }
    EXPECT_EQ(P::EditorKey(P::kEncode, P::kToneA, '-'), 0);
    EXPECT_EQ(P::EditorKey(P::kDecode, P::kToneB, '-'), '-');
    EXPECT_EQ(P::EditorKey(P::kEncode, P::kThird, '.'), 0);
    EXPECT_EQ(P::EditorMaxLength(P::kEncode, P::kThird), 3u);

    P page;
    // The editor goes to tone A of an empty encode row, and the gap waits for tone B.
    EXPECT_EQ(page.editorColumn(P::kEncode, 0, P::kThird), P::kToneA);
    page.row(P::kEncode, 0) = {"1200.0", "", ""};
    EXPECT_EQ(page.editorColumn(P::kEncode, 0, P::kThird), P::kToneB);
    page.row(P::kEncode, 0)[P::kToneB] = "1500.0";
    page.completeRow(P::kEncode, 0, P::kToneB);
    EXPECT_EQ(page.row(P::kEncode, 0)[P::kThird], "100");
    // Decode: tone B waits for tone A; a value fills the row's empty cells with "-";
    // a row left without a tone is emptied.
    page.row(P::kDecode, 1) = {"-", "", ""};
    EXPECT_EQ(page.editorColumn(P::kDecode, 1, P::kToneB), P::kToneA);
    page.row(P::kDecode, 2) = {"", "", "1000.0"};
    page.completeRow(P::kDecode, 2, P::kThird);
    EXPECT_EQ(page.row(P::kDecode, 2), (P::Row{"-", "-", "1000.0"}));
    page.row(P::kDecode, 2)[P::kThird] = "";
    page.completeRow(P::kDecode, 2, P::kThird);
    EXPECT_EQ(page.row(P::kDecode, 2), (P::Row{"", "", ""}));
}

TEST(SettingsPages, FiveToneCodesIdsAndToneTable) {
    FiveTonePage page;
    EXPECT_EQ(page.shortCode(), -1);
    page.codes = {"1234567", "", "123"};
    EXPECT_EQ(page.shortCode(), 2);
    EXPECT_EQ(FiveTonePage::SettleId("123"), "123AA");
    EXPECT_EQ(FiveTonePage::SettleId(""), "");
    page.ids[0].id = "12345";
    page.completeIdRow(0);
    EXPECT_EQ(page.ids[0].standard, 0);
    page.ids[0].id = "";
    page.completeIdRow(0);
    EXPECT_EQ(page.ids[0].standard, -1);
    EXPECT_EQ(FiveTonePage::ToneText(0, 0), "1981.0");
    EXPECT_EQ(FiveTonePage::ToneText(4, 14), "459.0");
    EXPECT_EQ(FiveTonePage::ToneText(5, 11), "571.0");
    EXPECT_EQ(FiveTonePage::ToneText(7, 12), "740.0");
    EXPECT_EQ(FiveTonePage::ToneText(2, 15), "0.0");

    // A shorter code never keeps digits of the longer one it replaces.
    CodeplugImage image;
    const uint8_t longer[] = {14, 1, 2, 3, 4, 5, 6, 7};
    image.write(0x0E78, longer, 8);
    page.codes = {"", "89", ""};
    page.write(image);
    EXPECT_EQ(At(image, 0x0E78, 8), (Bytes{14, 8, 9, 255, 255, 255, 255, 255}));
}

TEST(SettingsPages, LogoRowsAreTextAndPackIntoTheImage) {
    LogoPage page;
    EXPECT_EQ(page.setField("Row 64", "#....1"), "");
    EXPECT_EQ(page.setField("Row 1", "x"), "not a row of up to 128 '#' and '.'");
    EXPECT_EQ(page.setField("Row 1", std::string(129, '.')), "not a row of up to 128 '#' and '.'");
    EXPECT_EQ(page.fields()[63].text, "#....#" + std::string(122, '.'));
    CodeplugImage image;
    page.write(image);
    EXPECT_EQ(image.at(0x3B80), 0x80);
    EXPECT_EQ(image.at(0x3B85), 0x80);
    EXPECT_EQ(image.at(0x3800), 0x00);
}

// Random bytes in every area, except where the typed-entry rules of a field would
// correct a stored value on the way back: 2-Tone frequencies outside 288.5..3000 Hz
// and 5-Tone IDs of fewer than five digits are made valid first.
CodeplugImage SettingsImage(unsigned variant) {
    CodeplugImage image = test::RandomImage(variant);
    std::mt19937 random(variant);
    // Empty, "-" (decode lists only) or a frequency in 288.5..3000 Hz.
    auto tone = [&](int at, bool decode) {
        const int kind = static_cast<int>(random() % 4);
        int value = 2885 + static_cast<int>(random() % 27116);
        if (kind == 0) {
            value = 0xFFFF;
        } else if (kind == 1 && decode) {
            value = 0;
        }
        image.set(at, static_cast<uint8_t>(value >> 8));
        image.set(at + 1, static_cast<uint8_t>(value));
    };
    for (int r = 0; r < 10; ++r) {
        tone(0x0C50 + 5 * r, false);
        tone(0x0C52 + 5 * r, false);
    }
    for (int r = 0; r < 8; ++r) {
        for (int c = 0; c < 3; ++c) {
            tone(0x0CB0 + 6 * r + 2 * c, true);
        }
        for (int d = 1; d <= 5; ++d) {
            image.set(0x0EA0 + 6 * r + d, r % 3 == 0 ? 0xFF : static_cast<uint8_t>(random() % 14));
        }
    }
    return image;
}

// Every page as text and back: the fields of a page loaded from an image the window
// wrote, taken by a fresh page, write the same bytes.
TEST(SettingsPages, FieldsRoundTripThroughAFreshPage) {
    const std::vector<std::function<std::unique_ptr<Page>()>> makers = {
        [] { return std::make_unique<FunctionSettingPage>(); },
        [] { return std::make_unique<CommonSetPage>(); },
        [] { return std::make_unique<DtmfPage>(); },
        [] { return std::make_unique<MskPage>(); },
        [] { return std::make_unique<TwoTonePage>(); },
        [] { return std::make_unique<FiveTonePage>(); },
        [] { return std::make_unique<LogoPage>(); },
    };
    for (unsigned variant = 1; variant <= 12; ++variant) {
        const CodeplugImage start = SettingsImage(variant);
        for (const auto& make : makers) {
            auto first = make();
            SCOPED_TRACE(first->name() + " image " + std::to_string(variant));
            CodeplugImage loaded = start;
            first->load(loaded);
            CodeplugImage written = loaded;
            first->write(written);

            auto fresh = make();
            for (const PageField& f : first->fields()) {
                ASSERT_EQ(fresh->setField(f.name, f.text), "") << f.name << "=" << f.text;
            }
            CodeplugImage again = loaded;
            fresh->write(again);
            for (int a = 0; a < CodeplugImage::kSize; ++a) {
                ASSERT_EQ(again.at(a), written.at(a)) << std::hex << a;
            }
            // And what the window wrote loads and writes back unchanged.
            auto reread = make();
            CodeplugImage stable = written;
            reread->load(stable);
            reread->write(stable);
            EXPECT_TRUE(stable == written);
        }
    }
}

} // namespace
} // namespace r57::settings
