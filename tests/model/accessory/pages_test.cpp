// The accessory pages' rules against crafted images, and the round trip of every page of
// this area: its fields, given one by one to a fresh page, write the same bytes again.
#include "model/accessory/embedded_message_page.h"
#include "model/accessory/fm_channels_page.h"
#include "model/sheet/alternate_panel_rules.h"
#include "model/sheet/bank_sheet.h"
#include "model/sheet/channels_page.h"

#include "core/address_map.h"
#include "core/channel.h"
#include "core/image.h"
#include "core/session.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace r57 {
namespace {

std::vector<uint8_t> Bytes(const CodeplugImage& image, int address, int count) {
    std::vector<uint8_t> bytes(static_cast<std::size_t>(count));
    image.read(address, bytes.data(), bytes.size());
    return bytes;
}

CodeplugImage NewImage() {
    Session s;
    s.resetToDefaults();
    return s.image;
}

TEST(FmChannels, TypedFrequenciesSnapToTheBroadcastGrid) {
    struct Case {
        const char* typed;
        const char* shown;
        bool warned;
    };
    const std::vector<Case> cases = {
        {"87.5", "87.50000", false},
        {"100.001", "100.00000", false},
        {"100.0013", "100.00250", false},
        {"100.00125", "100.00250", false}, // half goes up
        {"100,0013", "100.00250", false},
        {"76", "76.00000", false},
        {"107.975", "107.97500", false},
        {"107.9751", "107.97500", true},
        {"108", "107.97500", true},
        {"75.9", "76.00000", true},
        {"abc", "76.00000", true},
        {"1,2,3", "76.00000", true},
        {"", "", false},
    };
    for (const Case& c : cases) {
        const FmEntry entry = ParseFmEntry(c.typed);
        EXPECT_EQ(entry.text, c.shown) << c.typed;
        EXPECT_EQ(entry.outOfRange, c.warned) << c.typed;
    }
    EXPECT_EQ(FmNextChannel(10), 11); // row 10 to the top of the next pair
    EXPECT_EQ(FmNextChannel(25), 25);
}

TEST(FmChannels, LoadAndWriteTheChannelBytes) {
    CodeplugImage image = NewImage();
    const uint8_t stored[] = {0x08, 0x75, 0x00, 0x00,  // 1: 87.5
                              0x10, 0x79, 0x75, 0x00,  // 2: 107.975
                              0x08, 0x7F, 0xFF, 0xFF,  // 3: half erased, reads empty
                              0x00, 0x00, 0x00, 0x00}; // 4: reads as 0, empty
    image.write(addr::kFmChannels, stored, sizeof stored);
    image.set(addr::kFmSelectedChannel, 0x20);
    FmChannelsPage page;
    page.load(image);
    EXPECT_EQ(page.frequency(1), "87.50000");
    EXPECT_EQ(page.frequency(2), "107.97500");
    EXPECT_EQ(page.frequency(3), "");
    EXPECT_EQ(page.frequency(4), "");
    EXPECT_EQ(page.startChannel(), 0); // a stored 0x20 opens at CH1

    // The text a channel shows, given back unchanged, keeps its stored value.
    image.set(addr::kFmChannels + 3, 0x23); // 87.50023, off the broadcast grid
    page.load(image);
    EXPECT_EQ(page.setFrequency(1, "87.50023").text, "87.50023");
    EXPECT_EQ(page.setFrequency(2, "87.50023").text, "87.50000"); // typed: on the grid
    page.setFrequency(2, "107.975");
    page.setFrequency(1, "87.5");

    page.setFrequency(25, "88.1");
    page.setStartChannel(24);
    image.fill(0x00);
    page.write(image);
    EXPECT_EQ(image.at(addr::kFmSelectedChannel), 24);
    std::vector<uint8_t> expected(100, 0xFF);
    const uint8_t written[] = {0x08, 0x75, 0x00, 0x00, 0x10, 0x79, 0x75, 0x00};
    std::copy(std::begin(written), std::end(written), expected.begin());
    const uint8_t last[] = {0x08, 0x81, 0x00, 0x00};
    std::copy(std::begin(last), std::end(last), expected.begin() + 96);
    EXPECT_EQ(Bytes(image, addr::kFmChannels, 100), expected);
    EXPECT_EQ(image.at(addr::kFmChannels - 1), 0x00); // nothing outside the page's bytes
    EXPECT_EQ(image.at(addr::kFmChannels + 100), 0x00);
}

TEST(EmbeddedMessage, OneByteACharacterAndFFWhereThereIsNone) {
    struct Case {
        std::vector<uint8_t> stored;
        const char* text;
        std::vector<uint8_t> written; // what the text writes back (FF after it)
    };
    const std::vector<Case> cases = {
        {{'H', 'E', 'L', 'L', 'O'}, "HELLO", {0x48, 0x45, 0x4C, 0x4C, 0x4F}},
        {{}, "", {}},
        {{0x41, 0xFF, 0x42, 0xFF}, "AB", {0x41, 0x42}}, // inner FF bytes are skipped
        {{'C', 'a', 'f', 0xE9, '!'}, "Caf\xC3\xA9!", {'C', 'a', 'f', 0xE9, '!'}}, // Latin-1
        {std::vector<uint8_t>(16, 'Z'), "ZZZZZZZZZZZZZZZZ", std::vector<uint8_t>(16, 'Z')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CodeplugImage image;
        std::vector<uint8_t> field = c.stored;
        field.resize(16, 0xFF);
        image.write(addr::kEmbeddedMessage, field.data(), field.size());
        EmbeddedMessagePage page;
        page.load(image);
        EXPECT_EQ(page.text(), c.text);
        image.fill(0x00);
        page.write(image);
        std::vector<uint8_t> expected = c.written;
        expected.resize(16, 0xFF);
        EXPECT_EQ(Bytes(image, addr::kEmbeddedMessage, 16), expected);
        EXPECT_EQ(image.at(addr::kEmbeddedMessage + 16), 0x00);
    }
}

TEST(EmbeddedMessage, OnlyCharactersOneByteCanKeepAreTaken) {
    const std::vector<std::pair<const char*, const char*>> typed = {
        {"Grüße", "Grüße"},
        {"中文AB", "AB"},                           // beyond Latin-1
        {"x\xC3\xBFy", "xy"},                       // ÿ would read back as nothing
        {"0123456789ABCDEFGH", "0123456789ABCDEF"}, // sixteen at most
        {"HI\tTHERE\n", "HITHERE"},                 // control characters are not shown
        {"A\x7F\r\x1B"
         "B\xC2\x85",
         "AB"},                     // DEL, CR, ESC, NEL
        {"\xC2\xA0x", "\xC2\xA0x"}, // the no-break space is a character
    };
    for (const auto& [in, out] : typed) {
        EXPECT_EQ(FilterEmbeddedMessage(in), out) << in;
    }
    EXPECT_TRUE(EmbeddedMessageTakes(U'é'));
    EXPECT_FALSE(EmbeddedMessageTakes(U'\u00FF'));
}

// Images the windows produce, each through the rules of its own window.
struct RoundTrip {
    const char* what;
    std::function<std::unique_ptr<Page>()> make;
    std::function<void(Session&)> produce;
    std::vector<std::pair<int, int>> owned; // address, length compared
};

std::vector<std::pair<int, int>> ChannelBytes(std::initializer_list<std::pair<int, int>> used) {
    std::vector<std::pair<int, int>> owned = {{addr::kBankARecords, 0x1000}};
    for (auto [bank, row] : used) {
        owned.push_back({NameAddress(NameSlot(bank, row)), addr::kNameLength});
        owned.push_back({SignalIdAddress(bank, row), 11});
    }
    return owned;
}

void ProduceChannels(Session& s) {
    BankSheet a(s, kBankA);
    BankSheet b(s, kBankB);
    a.commitRx(1, "446.00625");
    a.commitName(1, "PMR 1");
    a.commitTone(1, kColDecode, "D023N");
    a.commitTone(1, kColEncode, "88.5");
    for (int c : {kColPower, kColScan, kColWidth, kColBcl, kColPttId, kColVox, kColOption}) {
        a.commitChoice(1, c, ColumnChoices(c, kEnglish).back());
    }
    a.commitChoice(1, kColScrambler, "2");
    a.commitRx(2, "145.5");
    a.commitTx(2, ""); // receive only
    a.commitRx(3, "438.1");
    WriteSignalTypeBits(s.image, kBankA, 3, SignalTypeBits(SignalType::FiveTone));
    WriteDecodeCode(s.image, kBankA, 3, 5);
    WriteAutoResponse(s.image, kBankA, 3, true);
    a.commitRx(4, "150");
    WriteSignalTypeBits(s.image, kBankA, 4, SignalTypeBits(SignalType::Dtmf));
    WriteIdCode(s.image, kBankA, 4, "0123456789");
    s.image.set(addr::kIdCodeLengthByte, s.image.at(addr::kIdCodeLengthByte) | 0x04);
    b.commitRx(128, "433.075");
    WriteSignalTypeBits(s.image, kBankB, 128, SignalTypeBits(SignalType::Msk));
    WriteIdCode(s.image, kBankB, 128, "42"); // stored as 000
}

TEST(PageRoundTrip, FieldsGivenToAFreshPageWriteTheSameBytes) {
    const std::vector<RoundTrip> trips = {
        {"channels", [] { return std::make_unique<ChannelsPage>(); }, ProduceChannels,
         ChannelBytes({{kBankA, 1}, {kBankA, 2}, {kBankA, 3}, {kBankA, 4}, {kBankB, 128}})},
        {"no channels", [] { return std::make_unique<ChannelsPage>(); }, [](Session&) {},
         ChannelBytes({})},
        {"FM channels",
         [] { return std::make_unique<FmChannelsPage>(); },
         [](Session& s) {
             FmChannelsPage page;
             page.load(s.image);
             for (auto [k, typed] : std::vector<std::pair<int, const char*>>{
                      {1, "87.5"}, {2, "107.975"}, {11, "76"}, {25, "100.0013"}}) {
                 page.setFrequency(k, typed);
             }
             page.setStartChannel(24);
             page.write(s.image);
         },
         {{addr::kFmSelectedChannel, 1}, {addr::kFmChannels, 100}}},
        {"embedded message",
         [] { return std::make_unique<EmbeddedMessagePage>(); },
         [](Session& s) {
             EmbeddedMessagePage page;
             page.setText("Grüße, ami!");
             page.write(s.image);
         },
         {{addr::kEmbeddedMessage, 16}}},
    };
    for (const RoundTrip& trip : trips) {
        SCOPED_TRACE(trip.what);
        Session source;
        source.resetToDefaults();
        trip.produce(source);

        std::unique_ptr<Page> shown = trip.make();
        CodeplugImage image = source.image;
        shown->load(image);
        std::unique_ptr<Page> fresh = trip.make();
        for (const PageField& field : shown->fields()) {
            EXPECT_EQ(fresh->setField(field.name, field.text), "")
                << field.name << " = " << field.text;
        }
        CodeplugImage target = NewImage();
        fresh->write(target);
        for (auto [address, length] : trip.owned) {
            EXPECT_EQ(Bytes(target, address, length), Bytes(source.image, address, length))
                << std::hex << address;
        }
        EXPECT_EQ(fresh->name(), shown->name());
    }
}

TEST(PageRoundTrip, ChannelFieldsRefuseWhatTheWindowCannotTake) {
    ChannelsPage page;
    const std::vector<std::pair<std::string, std::string>> refused = {
        {"A1 TX Freq", "446.1"},    // the channel does not exist yet
        {"A1 Signal Type", "DTMF"}, // likewise
        {"A0 RX Freq", "446"},      {"C1 RX Freq", "446"}, {"A1 Colour", "red"},
        {"A1 RX Freq", "446.1kHz"}, // letters never reach a frequency box
    };
    for (const auto& [name, text] : refused) {
        EXPECT_NE(page.setField(name, text), "") << name << " = " << text;
    }
    // A spreadsheet's " MHz" after the number is taken as a paste takes it.
    EXPECT_EQ(page.setField("A1 RX Freq", "446.1 MHz"), "");
    EXPECT_EQ(page.fields()[0].text, "446.10000");
    EXPECT_EQ(page.setField("A1 RX Freq", "446.1"), "");
    for (const auto& [name, text] :
         std::vector<std::pair<std::string, std::string>>{{"A1 TX Power", "Medium"},
                                                          {"A1 Decode", "88.6"},
                                                          {"A1 Signal Type", "Morse"},
                                                          {"A1 Signal Decode", "8"},
                                                          {"A1 Auto Response", "Yes"},
                                                          {"A1 ID Code", "12345678901"},
                                                          {"A1 CH.Name", "TOO LONG"}}) {
        EXPECT_NE(page.setField(name, text), "") << name << " = " << text;
    }
    EXPECT_EQ(page.setField("A1 Signal Type", "Other (0011)"), "");
    EXPECT_EQ(page.fields().size(), 17u);
    EXPECT_EQ(page.fields()[13].text, "Other (0011)");

    FmChannelsPage fm;
    EXPECT_EQ(fm.setField("Channel 3", "120"), "Frequency is out of range.");
    EXPECT_EQ(fm.frequency(3), "");
    EXPECT_NE(fm.setField("Start Channel", "CH26"), "");
}

} // namespace
} // namespace r57
