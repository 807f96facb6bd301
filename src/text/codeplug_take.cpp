// Taking compared values across: the other codeplug's values go in through the pages'
// own rules, as an import's do, so nothing is stored that typing could not store.
#include "text/codeplug_diff.h"

#include "text/codeplug_pages.h"
#include "text/page_fields.h"

#include "core/channel.h"
#include "core/session.h"

#include <map>

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

} // namespace

TakeResult TakeFromOther(const CodeplugImage& mine, const CodeplugImage& other,
                         const std::vector<DiffRow>& rows) {
    TakeResult result{mine, {}};
    std::map<std::string, std::vector<Given>> byPage;
    std::vector<std::size_t> byteRows;
    std::vector<PageField> otherChannels;
    bool channelsRead = false;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const DiffRow& row = rows[i];
        if (row.area == DiffArea::Bytes) {
            byteRows.push_back(i);
            continue;
        }
        std::vector<Given>& given = byPage[row.page];
        const bool wholeChannel = row.bank >= 0 && row.field == ChannelLabel(row.bank, row.channel);
        if (!wholeChannel) {
            given.push_back({{row.field, row.other}, i});
            continue;
        }
        if (!channelsRead) {
            CodeplugPages pages;
            CodeplugImage copy = other;
            pages.find("Channels")->load(copy);
            otherChannels = pages.find("Channels")->fields();
            channelsRead = true;
        }
        AddWholeChannel(row.field, row, i, otherChannels, given);
    }

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
        for (const RefusedField& r :
             ApplyFields(*page, fields, result.image, OnRefusal::Continue)) {
            const Given& g = found->second[r.index];
            result.refused.push_back({g.row, g.field.name, r.problem});
        }
    }

    // The bits of a byte row that no page holds go across as they stand; a page's bits
    // that read alike in both are values no rule would store.
    if (!byteRows.empty()) {
        const BitMask owned = OwnedBits(result.image);
        for (std::size_t i : byteRows) {
            for (int a = rows[i].address; a < rows[i].address + rows[i].length; ++a) {
                const uint8_t keep = owned[a];
                result.image.set(
                    a, static_cast<uint8_t>((result.image.at(a) & keep) | (other.at(a) & ~keep)));
            }
        }
    }
    return result;
}

} // namespace r57::text
