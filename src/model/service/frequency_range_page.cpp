#include "model/service/frequency_range_page.h"

#include "model/service/page_text.h"

#include "core/strings.h"

namespace r57::service {

namespace {

constexpr int kRxId = 1371; // "RX"
constexpr int kTxId = 1372; // "TX"

bool ValidCell(int row, int column) {
    return row >= 0 && row < FrequencyRangePage::kRows &&
           (column == FrequencyRangePage::kLower || column == FrequencyRangePage::kUpper);
}

std::string EnglishLabel(int row) {
    return FrequencyRangePage::RowLabel(row, 0);
}

} // namespace

std::string FrequencyRangePage::RowLabel(int row, int language) {
    return Text(row % 2 == 0 ? kRxId : kTxId, language) + (row < 2 ? "(UHF)" : "(VHF)");
}

int FrequencyRangePage::Adjust(int row, long mhz) {
    if (row < 2) {
        const long top = row == 0 ? 520 : 490;
        if (mhz < 220) {
            return 400;
        }
        return static_cast<int>(mhz > top ? top : mhz);
    }
    if (mhz < 136) {
        return 136;
    }
    return static_cast<int>(mhz > 260 ? 174 : mhz);
}

void FrequencyRangePage::load(CodeplugImage& image) {
    show(StoredBandLimits(image));
}

std::string FrequencyRangePage::Unwritable(const CodeplugImage& image, int language) {
    const auto problem = UnwritableBandField(image);
    if (!problem)
        return "";
    const bool zh = language == 1;
    const std::string limit =
        problem->upper ? (zh ? "上限" : "upper limit") : (zh ? "下限" : "lower limit");
    const std::string value = std::to_string(problem->mhz) + " MHz";
    return zh ? RowLabel(problem->index, language) + " 的" + limit + " " + value +
                    " 不是频率范围页能设定的值，不能写入对讲机。"
              : "The " + RowLabel(problem->index, language) + " " + limit + " " + value +
                    " is not a value the Frequency page can set; it cannot be written to "
                    "the radio.";
}

void FrequencyRangePage::show(const BandLimits& limits) {
    limits_ = limits;
    shown_ = limits;
}

void FrequencyRangePage::write(CodeplugImage& image) const {
    StoreBandLimits(image, limits_);
}

int FrequencyRangePage::value(int row, int column) const {
    if (!ValidCell(row, column)) {
        return 0;
    }
    return column == kLower ? limits_.low[row] : limits_.high[row];
}

bool FrequencyRangePage::edit(int row, int column, const std::string& text) {
    if (!ValidCell(row, column) || text.empty() || text == this->text(row, column)) {
        return false;
    }
    const int d = Adjust(row, ReadWholeNumber(text.c_str(), 0, 100000));
    if (column == kUpper ? limits_.low[row] >= d : d >= limits_.high[row]) {
        return false;
    }
    auto& cell = column == kLower ? limits_.low[row] : limits_.high[row];
    const bool changed = cell != d;
    cell = static_cast<int16_t>(d);
    return changed;
}

std::vector<PageField> FrequencyRangePage::fields() const {
    std::vector<PageField> out;
    for (int row = 0; row < kRows; ++row) {
        out.push_back({EnglishLabel(row), text(row, kLower) + "-" + text(row, kUpper)});
    }
    return out;
}

std::string FrequencyRangePage::setField(const std::string& name, const std::string& text) {
    for (int row = 0; row < kRows; ++row) {
        if (name != EnglishLabel(row)) {
            continue;
        }
        const auto dash = text.find('-');
        if (dash == std::string::npos || dash == 0 || dash + 1 == text.size()) {
            return "expects LOWER-UPPER in MHz";
        }
        const long givenLow = ReadWholeNumber(text.substr(0, dash).c_str(), 0, 999);
        const long givenHigh = ReadWholeNumber(text.substr(dash + 1).c_str(), 0, 999);
        int low = Adjust(row, givenLow);
        int high = Adjust(row, givenHigh);
        if (low >= high) {
            // The page shows a stored row the radio cannot work with as it is stored,
            // and an import stores what the page shows; such a row is never written
            // to a radio (Unwritable).
            low = static_cast<int>(givenLow);
            high = static_cast<int>(givenHigh);
        }
        limits_.low[row] = static_cast<int16_t>(low);
        limits_.high[row] = static_cast<int16_t>(high);
        return "";
    }
    return "unknown field";
}

} // namespace r57::service
