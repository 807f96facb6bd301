#include "model/sheet/record_access.h"

#include "core/address_map.h"
#include "core/channel.h"
#include "core/codecs.h"

namespace r57::sheet {

Record ReadRecord(const CodeplugImage& image, int bank, int row) {
    Record r;
    image.read(RecordAddress(bank, row), r.data(), r.size());
    return r;
}

void WriteRecord(CodeplugImage& image, int bank, int row, const Record& record) {
    image.write(RecordAddress(bank, row), record.data(), record.size());
}

Record ReadIdBlock(const CodeplugImage& image, int bank, int row) {
    Record r;
    image.read(SignalIdAddress(bank, row), r.data(), r.size());
    return r;
}

void WriteIdBlock(CodeplugImage& image, int bank, int row, const Record& block) {
    image.write(SignalIdAddress(bank, row), block.data(), block.size());
}

void EmptyIdBlock(CodeplugImage& image, int bank, int row) {
    const int at = SignalIdAddress(bank, row);
    for (int i = 0; i < addr::kSignalIdDigits; ++i) {
        image.set(at + i, 0xFF);
    }
    image.set(at + addr::kSignalIdCount, 0);
}

long long FrequencyUnits(std::string_view text) {
    long long whole = 0;
    long long fraction = 0;
    int fractionDigits = 0;
    bool digits = false;
    bool afterPoint = false;
    for (char c : text) {
        if (c == '.' && !afterPoint) {
            afterPoint = true;
        } else if (c >= '0' && c <= '9') {
            digits = true;
            if (!afterPoint) {
                if (whole > 100000) {
                    return -1; // no radio frequency has this many digits
                }
                whole = whole * 10 + (c - '0');
            } else if (fractionDigits < 5) {
                fraction = fraction * 10 + (c - '0');
                ++fractionDigits;
            }
        } else {
            break;
        }
    }
    if (!digits) {
        return -1;
    }
    for (; fractionDigits < 5; ++fractionDigits) {
        fraction *= 10;
    }
    return whole * 100000 + fraction;
}

std::array<uint8_t, 4> EncodeFrequency(std::string_view text) {
    std::string padded(text);
    std::size_t point = padded.find('.');
    if (point != std::string::npos && point < 3) {
        padded.insert(0, 3 - point, '0');
    }
    return FrequencyBytesFromText(padded);
}

} // namespace r57::sheet
