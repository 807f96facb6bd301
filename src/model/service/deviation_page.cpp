#include "model/service/deviation_page.h"

#include "core/image.h"

#include <map>

namespace r57::service {

namespace {

struct ToneRun {
    int base;  // value n at base + n
    int count; // values in the run
    int line;  // the line of single bytes
    int lineCount;
};

constexpr ToneRun kToneRuns[DeviationPage::kToneGrids] = {
    {addr::kToneDeviation0, 90, addr::kToneDeviationLine0, 6},
    {addr::kToneDeviation1, 64, addr::kToneDeviationLine1, 7},
    {addr::kToneDeviation2, 48, addr::kToneDeviationLine2, 5},
};

// Every cell of the page with its field name, in the order the page shows them.
template <class Visit> void ForEachCell(Visit visit) {
    for (int g = 0; g < DeviationPage::kTuningGrids; ++g) {
        for (int r = 1; r <= DeviationPage::kTuningRows; ++r) {
            for (int c = 1; c <= DeviationPage::kTuningColumns; ++c) {
                visit("Tuning " + std::to_string(g + 1) + " R" + std::to_string(r) + "C" +
                          std::to_string(c),
                      DeviationPage::TuningAddress(g, r, c));
            }
        }
    }
    for (bool narrow : {false, true}) {
        for (int i = 0; i < DeviationPage::kVoiceBoxes; ++i) {
            visit(std::string(DeviationPage::kVoiceLabels[narrow ? 1 : 0].english) + " " +
                      std::to_string(i + 1),
                  DeviationPage::VoiceAddress(narrow, i));
        }
    }
    for (int g = 0; g < DeviationPage::kToneGrids; ++g) {
        for (int r = 1; r <= DeviationPage::kToneRows; ++r) {
            for (int c = 1; c <= DeviationPage::ToneColumns(g); ++c) {
                const int address = DeviationPage::ToneAddress(g, r, c);
                if (address >= 0) {
                    visit("Tone Deviation " + std::to_string(g + 1) + " R" + std::to_string(r) +
                              "C" + std::to_string(c),
                          address);
                }
            }
        }
    }
}

} // namespace

const Caption DeviationPage::kVoiceLabels[2] = {
    {"VoiceSwing(Wide)", "话音频偏(宽带)"},
    {"VoiceSwing(Narrow)", "话音频偏(窄带)"},
};
const char* const DeviationPage::kToneGroupLabels[kToneGroups] = {
    "67.0-77.0",   "79.7-91.5",   "94.8-107.2",  "110.9-127.3", "131.8-151.4",
    "156.7-167.9", "171.3-183.5", "186.2-199.5", "203.5-225.7", "229.1-254.1",
};
const Caption DeviationPage::kToneLineLabel{"Extra", "附加"};

int DeviationPage::TuningAddress(int grid, int row, int column) {
    const int r = row - 1;
    switch (column) {
    case 1:
        return addr::kTuningGrids + 6 * grid + r;
    case 2:
        return addr::kTuningGrids + 6 * grid + 3 + r;
    default:
        return addr::kTuningGrids + 18 + 3 * grid + r;
    }
}

int DeviationPage::VoiceAddress(bool narrow, int index) {
    return addr::kVoiceDeviation + 2 * index + (narrow ? 1 : 0);
}

int DeviationPage::ToneColumns(int grid) {
    const ToneRun& run = kToneRuns[grid];
    const int columns = (run.count + kToneGroups - 1) / kToneGroups;
    return columns > run.lineCount ? columns : run.lineCount;
}

int DeviationPage::ToneAddress(int grid, int row, int column) {
    if (grid < 0 || grid >= kToneGrids || row < 1 || row > kToneRows || column < 1) {
        return -1;
    }
    const ToneRun& run = kToneRuns[grid];
    if (row == kToneRows) {
        return column <= run.lineCount ? run.line + column - 1 : -1;
    }
    const int n = (column - 1) * kToneGroups + (row - 1);
    return n < run.count ? run.base + n : -1;
}

int DeviationPage::ByteFromText(const std::string& text) {
    return static_cast<int>(ReadWholeNumber(text.c_str(), 0, 255));
}

void DeviationPage::load(CodeplugImage& image) {
    image.read(kFirst, bytes_.data(), bytes_.size());
}

void DeviationPage::write(CodeplugImage& image) const {
    image.write(kFirst, bytes_.data(), bytes_.size());
}

int DeviationPage::at(int address) const {
    return address >= kFirst && address < kEnd ? bytes_[address - kFirst] : 0;
}

void DeviationPage::set(int address, int value) {
    if (address >= kFirst && address < kEnd) {
        bytes_[address - kFirst] = static_cast<uint8_t>(value < 0 ? 0 : value > 255 ? 255 : value);
    }
}

std::vector<PageField> DeviationPage::fields() const {
    std::vector<PageField> out;
    ForEachCell([&](const std::string& name, int address) {
        out.push_back({name, std::to_string(at(address))});
    });
    return out;
}

std::string DeviationPage::setField(const std::string& name, const std::string& text) {
    // Every name of the page once, with its byte: an import sets all of them in turn.
    static const std::map<std::string, int> kAddresses = [] {
        std::map<std::string, int> addresses;
        ForEachCell(
            [&](const std::string& field, int address) { addresses.emplace(field, address); });
        return addresses;
    }();
    const auto entry = kAddresses.find(name);
    if (entry == kAddresses.end()) {
        return "unknown field";
    }
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) {
        return "not a number";
    }
    set(entry->second, ByteFromText(text));
    return "";
}

} // namespace r57::service
