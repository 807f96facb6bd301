#include "radio_memory.h"

#include "core/channel.h"
#include "core/codecs.h"
#include "core/data_file.h"
#include "core/session.h"

#include <cstring>
#include <sstream>

namespace r57::radio {

namespace {

struct SampleChannel {
    const char* rx;
    const char* tx; // "" = receive only
    const char* decode;
    const char* encode;
    const char* name;
    uint8_t flags12; // power, PTT ID, option
    uint8_t flags13; // lockout, VOX, bandwidth
};

// Bank A: UHF business and PMR channels.
constexpr SampleChannel kSampleBankA[] = {
    {"446.00625", "446.00625", "67.0", "67.0", "PMR1", 0x00, 0x08},
    {"446.01875", "446.01875", "71.9", "71.9", "PMR2", 0x00, 0x08},
    {"446.03125", "446.03125", "None", "None", "PMR3", 0x00, 0x08},
    {"446.04375", "446.04375", "D023N", "D023N", "PMR4", 0x00, 0x08},
    {"446.05625", "446.05625", "88.5", "88.5", "PMR5", 0x00, 0x0A},
    {"446.06875", "446.06875", "D754I", "D754I", "PMR6", 0x00, 0x08},
    {"438.65000", "431.05000", "None", "123.0", "RPT UP", 0x04, 0x01},
    {"439.10000", "431.50000", "D116N", "D116N", "RPT DN", 0x04, 0x01},
    {"460.12500", "465.12500", "156.7", "156.7", "SITE 1", 0x14, 0x00},
    {"460.25000", "465.25000", "203.5", "203.5", "SITE 2", 0x24, 0x00},
    {"462.56250", "462.56250", "100.0", "100.0", "FRS1", 0x34, 0x04},
    {"467.71250", "", "None", "None", "LISTEN", 0x04, 0x08},
};

// Bank B: VHF marine, amateur and weather channels.
constexpr SampleChannel kSampleBankB[] = {
    {"156.80000", "156.80000", "None", "None", "MAR 16", 0x04, 0x00},
    {"156.45000", "156.45000", "None", "None", "MAR 9", 0x04, 0x00},
    {"156.30000", "156.30000", "None", "None", "MAR 6", 0x00, 0x00},
    {"145.50000", "145.50000", "None", "None", "2M CALL", 0x04, 0x08},
    {"146.52000", "146.52000", "100.0", "100.0", "SIMPLEX", 0x04, 0x08},
    {"145.62500", "145.02500", "88.5", "88.5", "RPT 2M", 0x04, 0x09},
    {"151.62500", "151.62500", "D025N", "D025N", "MURS", 0x00, 0x0A},
    {"154.57000", "154.57000", "67.0", "67.0", "BLUE", 0x00, 0x08},
    {"162.55000", "", "None", "None", "WX 1", 0x04, 0x08},
    {"162.40000", "", "None", "None", "WX 2", 0x04, 0x08},
    {"150.77500", "150.77500", "D754N", "D754I", "YARD", 0x05, 0x00},
    {"173.22500", "173.22500", "250.3", "250.3", "GATE", 0x06, 0x02},
};

void StoreChannel(CodeplugImage& image, int bank, int channel, const SampleChannel& c) {
    uint8_t record[16];
    std::memset(record, 0xFF, sizeof record);
    const auto rx = FrequencyBytesFromText(c.rx);
    std::memcpy(record, rx.data(), 4);
    if (*c.tx) {
        const auto tx = FrequencyBytesFromText(c.tx);
        std::memcpy(record + 4, tx.data(), 4);
        const auto encode = ToneBytesFromText(c.encode);
        record[10] = encode[0];
        record[11] = encode[1];
    }
    const auto decode = ToneBytesFromText(c.decode);
    record[8] = decode[0];
    record[9] = decode[1];
    record[12] = c.flags12;
    record[13] = c.flags13;
    record[14] = kNewChannelFlags[2];
    record[15] = kNewChannelFlags[3];
    image.write(RecordAddress(bank, channel), record, sizeof record);
    WriteChannelName(image, NameSlot(bank, channel), c.name);
}

} // namespace

CodeplugImage SampleCodeplug(const std::string& logoFolders) {
    Session session;
    // The first folder holding the stock logo wins; with none the logo stays clear.
    std::istringstream folders(logoFolders);
    std::string folder;
    while (std::getline(folders, folder, '\n')) {
        if (ReadWholeFile(folder + kStockLogoFile)) {
            session.applicationDirectory = folder;
            break;
        }
    }
    session.startUp();
    int n = 1;
    for (const auto& c : kSampleBankA)
        StoreChannel(session.image, kBankA, n++, c);
    n = 1;
    for (const auto& c : kSampleBankB)
        StoreChannel(session.image, kBankB, n++, c);
    return session.image;
}

std::optional<CodeplugImage> LoadMemory(const std::string& path, std::string& error) {
    const auto content = ReadWholeFile(path);
    if (!content) {
        error = "cannot read " + path;
        return std::nullopt;
    }
    if (content->size() == static_cast<std::size_t>(CodeplugImage::kSize)) {
        CodeplugImage image;
        image.write(0, content->data(), content->size());
        return image;
    }
    auto image = DecodeDataFile(*content);
    if (!image)
        error = path + " is neither a data file nor a 16384-byte memory image";
    return image;
}

bool SaveMemory(const std::string& path, const CodeplugImage& memory, std::string& error) {
    const Status status = WriteDataFile(path, memory);
    if (!status)
        error = "cannot save " + path + (status.detail.empty() ? "" : ": " + status.detail);
    return status.ok;
}

void GiveCalibration(CodeplugImage& memory, long seed) {
    constexpr int kGain = 0x0EE0;
    constexpr int kFine = 0x0EF0;
    constexpr int kEnd = 0x1000;
    const unsigned s = static_cast<unsigned>(seed);
    for (int a = kGain; a < kFine; ++a)
        memory.set(a, static_cast<uint8_t>((a + s * 3 + s / 8) % 8));
    for (int a = kFine; a < kEnd; ++a)
        memory.set(a, static_cast<uint8_t>((a * 7u + s * 13u + s / 254u) % 255u + 1u));
}

} // namespace r57::radio
