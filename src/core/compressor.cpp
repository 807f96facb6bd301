// The byte-run compressor of data files.
//
// One pass takes the most frequent byte value V out of the data and records where it
// was in a flag block; the bytes that are not V follow as literals. The flag block and
// the pass count byte must come out exactly as the radio software of the field has
// always written them, so files move freely between installations.
#include "core/compressor.h"

#include <array>
#include <cstddef>

namespace r57 {
namespace {

constexpr std::size_t kMax24 = 0xFFFFFF; // L and N are stored in 24 bits
constexpr int kMaxPasses = 255;          // the pass count is one byte
constexpr std::size_t kAlwaysAcceptCount = 1100;

// Flag bytes: 0x01..0x7F map the next 7 positions (bit 6 first), 0x80 + m is m + 7
// literals then one V, 0xFF is 134 literals.
constexpr int kBitsPerMap = 7;
constexpr int kLongestLiteralRun = 134;
constexpr uint8_t kRunMark = 0x80;
constexpr uint8_t kLiteralBlock = 0xFF;

void PutNumber24(std::vector<uint8_t>& out, std::size_t value) {
    out.push_back(static_cast<uint8_t>(value >> 16));
    out.push_back(static_cast<uint8_t>(value >> 8));
    out.push_back(static_cast<uint8_t>(value));
}

std::size_t GetNumber24(const uint8_t* p) {
    return (std::size_t{p[0]} << 16) | (std::size_t{p[1]} << 8) | std::size_t{p[2]};
}

struct Pass {
    std::vector<uint8_t> flags; // V, N and the flag bytes (length L)
    std::vector<uint8_t> literals;
    std::size_t count = 0; // N
};

Pass RunPass(const std::vector<uint8_t>& d) {
    std::array<std::size_t, 256> counts{};
    for (uint8_t b : d) {
        ++counts[b];
    }
    // The highest count wins; on equal counts the higher byte value.
    int value = 255;
    for (int v = 254; v >= 0; --v) {
        if (counts[v] > counts[value]) {
            value = v;
        }
    }
    const uint8_t v = static_cast<uint8_t>(value);

    Pass pass;
    pass.count = counts[value];
    pass.flags.reserve(4 + pass.count / 2 + d.size() / kLongestLiteralRun + 2);
    pass.literals.reserve(d.size() - pass.count);
    pass.flags.push_back(v);
    PutNumber24(pass.flags, pass.count);

    const std::size_t n = d.size();
    std::size_t p = 0;
    std::size_t placed = 0;
    for (;;) { // one group per turn
        uint8_t bits = 0;
        int l = 0;
        for (;;) {
            if (placed == pass.count) {
                if (bits > 0) {
                    pass.flags.push_back(bits);
                }
                pass.literals.insert(pass.literals.end(), d.begin() + p, d.begin() + n);
                return pass;
            }
            if (d[p] != v) {
                pass.literals.push_back(d[p]);
            } else {
                if (l > 6) {
                    pass.flags.push_back(static_cast<uint8_t>(kRunMark + (l - kBitsPerMap)));
                    bits = 0;
                    l = -1; // the next position starts afresh
                } else {
                    bits |= static_cast<uint8_t>(1u << (6 - l));
                }
                ++placed;
            }
            ++p;
            if (l == 6 && bits > 0) {
                pass.flags.push_back(bits);
                break;
            }
            if (l == kLongestLiteralRun - 1) {
                pass.flags.push_back(kLiteralBlock);
                break;
            }
            ++l;
        }
    }
}

// A cursor over one pass's input that never reads outside it.
struct Reader {
    const uint8_t* data;
    std::size_t end;
    std::size_t pos;
    bool take(uint8_t& b) {
        if (pos >= end) {
            return false;
        }
        b = data[pos++];
        return true;
    }
};

// Undoes one pass of `in` into `out`; false when `in` is not a well-formed pass.
bool UndoPass(const std::vector<uint8_t>& in, std::vector<uint8_t>& out, std::size_t maxSize) {
    if (in.size() < 7) {
        return false;
    }
    const std::size_t flagLength = GetNumber24(in.data());
    if (flagLength < 4 || flagLength > in.size() - 3) {
        return false;
    }
    const uint8_t v = in[3];
    const std::size_t count = GetNumber24(in.data() + 4);
    const std::size_t literalCount = in.size() - 3 - flagLength;
    // A flag byte places at most 7 occurrences; anything claiming more is not ours, and
    // this keeps a forged count from asking for a huge buffer.
    if (count > (flagLength - 4) * kBitsPerMap || count + literalCount > maxSize) {
        return false;
    }

    Reader flags{in.data(), 3 + flagLength, 7};
    Reader literals{in.data(), in.size(), 3 + flagLength};
    out.clear();
    out.reserve(count + literalCount);
    std::size_t placed = 0;
    auto literal = [&]() {
        uint8_t b;
        if (!literals.take(b)) {
            return false;
        }
        out.push_back(b);
        return true;
    };
    while (placed < count) {
        uint8_t f;
        if (!flags.take(f)) {
            return false;
        }
        if (f < kRunMark) {
            for (int bit = 6; bit >= 0 && placed < count; --bit) {
                if (f & (1u << bit)) {
                    out.push_back(v);
                    ++placed;
                } else if (!literal()) {
                    return false;
                }
            }
        } else {
            const int run = f == kLiteralBlock ? kLongestLiteralRun : f - kRunMark + kBitsPerMap;
            for (int i = 0; i < run; ++i) {
                if (!literal()) {
                    return false;
                }
            }
            if (f != kLiteralBlock) {
                out.push_back(v);
                ++placed;
            }
        }
    }
    out.insert(out.end(), in.begin() + literals.pos, in.end());
    return true;
}

} // namespace

void CompressBytes(std::vector<uint8_t>& data) {
    int accepted = 0;
    while (accepted < kMaxPasses) {
        Pass pass = RunPass(data);
        const std::size_t f = pass.flags.size();
        const std::size_t t = pass.literals.size();
        if (f > kMax24 || pass.count > kMax24) {
            break; // cannot be written down in 24 bits
        }
        if (!(data.size() >= f + t + 2 || pass.count >= kAlwaysAcceptCount)) {
            break;
        }
        std::vector<uint8_t> out;
        out.reserve(3 + f + t + 1);
        PutNumber24(out, f);
        out.insert(out.end(), pass.flags.begin(), pass.flags.end());
        out.insert(out.end(), pass.literals.begin(), pass.literals.end());
        data.swap(out);
        ++accepted;
    }
    data.push_back(static_cast<uint8_t>(accepted));
}

bool ExpandBytes(std::vector<uint8_t>& data) {
    return ExpandBytes(data, kMaxExpandedSize);
}

bool ExpandBytes(std::vector<uint8_t>& data, std::size_t maxSize) {
    if (data.empty()) {
        return false;
    }
    const int passes = data.back();
    std::vector<uint8_t> current(data.begin(), data.end() - 1);
    if (current.size() > maxSize) {
        return false;
    }
    std::vector<uint8_t> next;
    for (int i = 0; i < passes; ++i) {
        if (!UndoPass(current, next, maxSize)) {
            return false;
        }
        current.swap(next);
    }
    data.swap(current);
    return true;
}

} // namespace r57
