#include "text/codeplug_diff.h"

#include "text/codeplug_pages.h"
#include "text/other_bytes.h"

#include "core/channel.h"
#include "core/session.h"

#include <unordered_map>
#include <unordered_set>

namespace r57::text {

namespace {

// The fields of `page` for `image`, by name, in the page's order.
std::vector<PageField> FieldsOf(Page& page, const CodeplugImage& image) {
    CodeplugImage copy = image;
    page.load(copy);
    return page.fields();
}

bool IsServicePage(const std::string& name) {
    return name == "Frequency Range" || name == "Analogue Setting Gain" ||
           name == "Tuning and Deviation";
}

// A field that differs: its name and both values ("" where a side does not have it).
struct Differing {
    std::string name;
    std::string mine;
    std::string other;
};

// The bits taking `given` into `image` through `page` changes, apart from what the page
// repairs in any case when it writes what it loaded.
BitMask ChangedBits(Page& page, const CodeplugImage& image,
                    const std::vector<std::pair<std::string, std::string>>& given) {
    CodeplugImage loaded = image;
    page.load(loaded);
    CodeplugImage repaired = image;
    page.write(repaired);
    for (const auto& [name, text] : given) {
        page.setField(name, text); // a refused value explains nothing
    }
    CodeplugImage taken = image;
    page.write(taken);
    BitMask changed(CodeplugImage::kSize);
    for (int a = 0; a < CodeplugImage::kSize; ++a) {
        changed[a] = repaired.at(a) ^ taken.at(a);
    }
    return changed;
}

// "A12 RX Freq" -> "A12"; "" when the name has no channel label.
std::string LabelOf(const std::string& name) {
    const std::size_t space = name.find(' ');
    return space == std::string::npos ? std::string() : name.substr(0, space);
}

// A used channel in a few words: receive and transmit frequency and its name.
std::string ChannelSummary(const std::string& label,
                           const std::unordered_map<std::string, std::string>& values) {
    std::string summary;
    for (int column : {kColRx, kColTx, kColName}) {
        auto found = values.find(label + " " + ColumnCaption(column, kEnglish));
        std::string text = found == values.end() ? "" : found->second;
        while (!text.empty() && text.back() == ' ') {
            text.pop_back();
        }
        if (!text.empty()) {
            summary += (summary.empty() ? "" : ", ") + text;
        }
    }
    return summary;
}

void AddChannelRows(const std::vector<Differing>& found,
                    const std::unordered_map<std::string, std::string>& mine,
                    const std::unordered_map<std::string, std::string>& other,
                    std::vector<DiffRow>& rows) {
    std::unordered_set<std::string> whole; // channels already listed as a whole
    for (const Differing& d : found) {
        const std::string label = LabelOf(d.name);
        DiffRow row;
        row.page = "Channels";
        row.bank = label[0] == 'A' ? kBankA : kBankB;
        row.area = row.bank == kBankA ? DiffArea::ChannelsA : DiffArea::ChannelsB;
        row.channel = std::stoi(label.substr(1));
        const std::string rx = label + " " + ColumnCaption(kColRx, kEnglish);
        const bool inMine = mine.count(rx) != 0;
        const bool inOther = other.count(rx) != 0;
        if (inMine != inOther) {
            if (!whole.insert(label).second) {
                continue;
            }
            row.field = label;
            row.mine = inMine ? ChannelSummary(label, mine) : "";
            row.other = inOther ? ChannelSummary(label, other) : "";
            rows.push_back(row);
            continue;
        }
        row.field = d.name;
        const std::string suffix = d.name.substr(label.size() + 1);
        for (int c = kColRx; c < kColMore; ++c) {
            if (suffix == ColumnCaption(c, kEnglish)) {
                row.column = c;
            }
        }
        row.mine = d.mine;
        row.other = d.other;
        rows.push_back(row);
    }
}

// The differing bits no listed field explains, as rows of at most one memory-map row.
void AddByteRows(const CodeplugImage& mine, const CodeplugImage& other, const BitMask& explained,
                 std::vector<DiffRow>& rows) {
    DiffRow* open = nullptr;
    for (int a = 0; a < CodeplugImage::kSize; ++a) {
        const bool listed = ((mine.at(a) ^ other.at(a)) & ~explained[a]) != 0;
        if (!listed) {
            open = nullptr;
            continue;
        }
        if (!open || a % 16 == 0) {
            DiffRow row;
            row.area = DiffArea::Bytes;
            row.address = a;
            rows.push_back(row);
            open = &rows.back();
        }
        open->mine += (open->length ? " " : "") + ByteText(mine.at(a));
        open->other += (open->length ? " " : "") + ByteText(other.at(a));
        ++open->length;
    }
}

} // namespace

std::vector<DiffRow> CompareCodeplugs(const CodeplugImage& mine, const CodeplugImage& other) {
    std::vector<DiffRow> rows;
    if (mine == other) {
        return rows;
    }
    CodeplugPages pagesA;
    CodeplugPages pagesB;
    BitMask explained(CodeplugImage::kSize, 0);
    for (std::size_t p = 0; p < pagesA.exportOrder().size(); ++p) {
        Page& pageA = *pagesA.exportOrder()[p];
        Page& pageB = *pagesB.exportOrder()[p];
        const std::vector<PageField> fieldsA = FieldsOf(pageA, mine);
        const std::vector<PageField> fieldsB = FieldsOf(pageB, other);
        std::unordered_map<std::string, std::string> inA;
        std::unordered_map<std::string, std::string> inB;
        for (const PageField& f : fieldsA) {
            inA.emplace(f.name, f.text);
        }
        for (const PageField& f : fieldsB) {
            inB.emplace(f.name, f.text);
        }
        std::vector<Differing> found;
        for (const PageField& f : fieldsA) {
            auto theirs = inB.find(f.name);
            const std::string textB = theirs == inB.end() ? "" : theirs->second;
            if (f.text != textB) {
                found.push_back({f.name, f.text, textB});
            }
        }
        for (const PageField& f : fieldsB) {
            if (!inA.count(f.name) && !f.text.empty()) {
                found.push_back({f.name, "", f.text});
            }
        }
        if (found.empty()) {
            continue;
        }
        if (CodeplugPages::GroupsByChannel(pageA)) {
            AddChannelRows(found, inA, inB, rows);
        } else {
            const bool service = IsServicePage(pageA.name());
            for (const Differing& d : found) {
                DiffRow row;
                row.area = service ? DiffArea::Service : DiffArea::Settings;
                row.page = pageA.name();
                row.field = d.name;
                row.mine = d.mine;
                row.other = d.other;
                rows.push_back(row);
            }
        }
        // The bits these fields stand for: what taking them across changes, either way.
        std::vector<std::pair<std::string, std::string>> toOther;
        std::vector<std::pair<std::string, std::string>> toMine;
        for (const Differing& d : found) {
            toOther.emplace_back(d.name, d.other);
            toMine.emplace_back(d.name, d.mine);
        }
        const BitMask changedA = ChangedBits(pageA, mine, toOther);
        const BitMask changedB = ChangedBits(pageB, other, toMine);
        for (int a = 0; a < CodeplugImage::kSize; ++a) {
            explained[a] |= changedA[a] | changedB[a];
        }
    }
    AddByteRows(mine, other, explained, rows);
    return rows;
}

std::vector<std::string> DiffCodeplugs(const CodeplugImage& a, const CodeplugImage& b) {
    std::vector<std::string> lines;
    for (const DiffRow& row : CompareCodeplugs(a, b)) {
        lines.push_back(DiffLine(row, 0));
    }
    return lines;
}

} // namespace r57::text
