// Taking compared values across: the other codeplug's values go in through the pages'
// own rules, as an import's do, so nothing is stored that typing could not store.
#include "text/codeplug_diff.h"

#include "text/codeplug_pages.h"
#include "text/page_fields.h"

#include "core/address_map.h"
#include "core/channel.h"
#include "core/session.h"

#include <map>
#include <set>

namespace r57::text {

namespace {

struct Given {
    GivenField field;
    std::size_t row = 0;
};

// Every field of the other's channel `label`, receive frequency first as the page
// lists them; an empty channel is emptied by its receive frequency.
void AddWholeChannel(const std::string& label, const DiffRow& row, std::size_t index,
                     const std::vector<PageField>& otherFields, std::vector<Given>& given) {
    if (row.other.empty()) {
        given.push_back({{label + " " + ColumnCaption(kColRx, kEnglish), ""}, index});
        return;
    }
    const std::string prefix = label + " ";
    for (const PageField& f : otherFields) {
        if (f.name.compare(0, prefix.size(), prefix) == 0) {
            given.push_back({{f.name, f.text}, index});
        }
    }
}

void TakeUnheldBits(CodeplugImage& image, const CodeplugImage& other,
                    const std::vector<std::pair<int, int>>& ranges) {
    if (ranges.empty()) {
        return;
    }
    const BitMask held = OwnedBits(image);
    for (const auto& [from, length] : ranges) {
        for (int a = from; a < from + length; ++a) {
            image.set(a, static_cast<uint8_t>((image.at(a) & held[a]) | (other.at(a) & ~held[a])));
        }
    }
}

} // namespace

TakeResult TakeFromOther(const CodeplugImage& mine, const CodeplugImage& other,
                         const std::vector<DiffRow>& rows) {
    TakeResult result{mine, {}};
    std::map<std::string, std::vector<Given>> byPage;
    std::vector<std::pair<int, int>> byteRanges;   // address, length
    std::vector<std::pair<int, int>> emptiedSlots; // of channels the other does not use
    std::vector<PageField> otherChannels;
    bool channelsRead = false;
    auto channelsOfOther = [&]() -> const std::vector<PageField>& {
        if (!channelsRead) {
            CodeplugPages pages;
            CodeplugImage copy = other;
            pages.find("Channels")->load(copy);
            otherChannels = pages.find("Channels")->fields();
            channelsRead = true;
        }
        return otherChannels;
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const DiffRow& row = rows[i];
        if (row.area == DiffArea::Bytes) {
            byteRanges.emplace_back(row.address, row.length);
            continue;
        }
        std::vector<Given>& given = byPage[row.page];
        const bool wholeChannel = row.bank >= 0 && row.field == ChannelLabel(row.bank, row.channel);
        if (!wholeChannel) {
            given.push_back({{row.field, row.other}, i});
            // A new receive frequency may reset the transmit frequency, and a new
            // transmit frequency the encode tone, which the other may hold as this
            // codeplug did: they follow as the other has them.
            std::vector<int> follow;
            if (row.column == kColRx) {
                follow = {kColTx, kColEncode};
            } else if (row.column == kColTx) {
                follow = {kColEncode};
            }
            for (int column : follow) {
                const std::string name =
                    ChannelLabel(row.bank, row.channel) + " " + ColumnCaption(column, kEnglish);
                for (const PageField& f : channelsOfOther()) {
                    if (f.name == name) {
                        given.push_back({{f.name, f.text}, i});
                    }
                }
            }
            continue;
        }
        channelsOfOther();
        AddWholeChannel(row.field, row, i, otherChannels, given);
        if (row.other.empty()) {
            // An emptied channel's name and ID code slots hold what the other's hold.
            emptiedSlots.emplace_back(NameAddress(NameSlot(row.bank, row.channel)),
                                      addr::kNameLength);
            emptiedSlots.emplace_back(SignalIdAddress(row.bank, row.channel),
                                      addr::kSignalIdCount + 1);
        }
    }

    // The bits of a byte row that no page holds go across as they stand (first: some
    // of them, such as the band limits' spare bits, change how the pages read); a
    // page's bits that read alike in both are values no rule would store.
    TakeUnheldBits(result.image, other, byteRanges);

    CodeplugPages pages;
    for (Page* page : pages.importOrder()) {
        auto found = byPage.find(page->name());
        if (found == byPage.end()) {
            continue;
        }
        std::vector<GivenField> fields;
        for (const Given& g : found->second) {
            fields.push_back(g.field);
        }
        std::vector<bool> refused(fields.size(), false);
        for (const RefusedField& r :
             ApplyFields(*page, fields, result.image, OnRefusal::Continue)) {
            const Given& g = found->second[r.index];
            result.refused.push_back({g.row, g.field.name, r.problem});
            refused[r.index] = true;
        }
        // A value the rules took but store otherwise (clamped, cut, a default) is named
        // with what they store, as the grid shows it after typing.
        CodeplugImage stored = result.image;
        page->load(stored);
        std::map<std::string, std::string> now;
        for (const PageField& f : page->fields()) {
            now.emplace(f.name, f.text);
        }
        for (std::size_t k = 0; k < fields.size(); ++k) {
            auto at = now.find(fields[k].name);
            const std::string storedText = at == now.end() ? "" : at->second;
            if (!refused[k] && storedText != fields[k].text) {
                result.refused.push_back(
                    {found->second[k].row, fields[k].name, "stored as \"" + storedText + "\""});
            }
        }
    }

    // A field given twice (a following field listed too) is named once.
    std::set<std::pair<std::size_t, std::string>> named;
    std::vector<TakenRow> once;
    for (TakenRow& r : result.refused) {
        if (named.insert({r.row, r.field}).second) {
            once.push_back(std::move(r));
        }
    }
    result.refused = std::move(once);

    // An emptied channel's slots, now that no page holds them.
    TakeUnheldBits(result.image, other, emptiedSlots);
    return result;
}

} // namespace r57::text
