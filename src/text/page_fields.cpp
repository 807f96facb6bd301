#include "text/page_fields.h"

#include "text/codeplug_pages.h"

#include "core/channel.h"
#include "core/session.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <numeric>
#include <optional>

namespace r57::text {

namespace {

std::string WithoutPadding(std::string text) {
    while (!text.empty() && text.back() == ' ') {
        text.pop_back();
    }
    return text;
}

// "446.10000" -> its digits before and after the point, trailing zeros dropped;
// nothing unless a plain decimal number.
std::optional<std::pair<std::string, std::string>> Decimal(const std::string& text) {
    const std::size_t point = text.find('.');
    if (text.empty() || text.find_first_not_of("0123456789.") != std::string::npos ||
        (point != std::string::npos && text.find('.', point + 1) != std::string::npos)) {
        return std::nullopt;
    }
    std::string whole = text.substr(0, point);
    std::string fraction = point == std::string::npos ? std::string() : text.substr(point + 1);
    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size()));
    while (!fraction.empty() && fraction.back() == '0') {
        fraction.pop_back();
    }
    return std::make_pair(whole, fraction);
}

std::optional<std::string> Shown(const Page& page, const std::string& name) {
    return page.fieldText(name);
}

// Where a channel's field goes among the others: the grid's columns in their order (RX
// Freq, TX Freq, ...: each column's rules read the ones before it), then the rest.
int ChannelFieldRank(const std::string& name) {
    const std::size_t space = name.find(' ');
    const std::string suffix = space == std::string::npos ? name : name.substr(space + 1);
    for (int column = kColRx; column < kColMore; ++column) {
        if (suffix == ColumnCaption(column, kEnglish)) {
            return column;
        }
    }
    return kColMore;
}

// The given fields in the order they are set.
std::vector<std::size_t> ApplyOrder(const Page& page, const std::vector<GivenField>& given) {
    std::vector<std::size_t> order(given.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::vector<int> rank(given.size());
    if (CodeplugPages::GroupsByChannel(page)) {
        for (std::size_t i = 0; i < given.size(); ++i) {
            rank[i] = ChannelFieldRank(given[i].name);
        }
    } else {
        // The page's own order, as its window sets its controls; a field the page does
        // not show yet (a code its type hides) after those it shows.
        const std::vector<PageField> fields = page.fields();
        for (std::size_t i = 0; i < given.size(); ++i) {
            const auto at = std::find_if(fields.begin(), fields.end(), [&](const PageField& f) {
                return f.name == given[i].name;
            });
            rank[i] = static_cast<int>(at - fields.begin());
        }
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t x, std::size_t y) { return rank[x] < rank[y]; });
    return order;
}

std::string StoredAs(const std::string& stored) {
    return "would be stored as \"" + WithoutPadding(stored) + "\"";
}

std::vector<RefusedField> ApplyExactly(Page& page, const std::vector<GivenField>& given,
                                       CodeplugImage& image, OnRefusal onRefusal) {
    std::vector<RefusedField> refused;
    // Loading may tidy the bytes as the window does when it opens; that only counts
    // once the page has something to write.
    CodeplugImage loaded = image;
    page.load(loaded);
    const std::vector<PageField> before = page.fields();
    bool changed = false;
    for (const std::size_t i : ApplyOrder(page, given)) {
        const std::optional<std::string> shown = Shown(page, given[i].name);
        if (shown && SameValue(*shown, given[i].text)) {
            continue; // what the page holds already: no change, and no rule runs on it
        }
        RefusedField refusal{i, page.setField(given[i].name, given[i].text), {}};
        if (refusal.problem.empty()) {
            const std::optional<std::string> taken = Shown(page, given[i].name);
            if (taken && SameValue(*taken, given[i].text)) {
                changed = true;
                continue;
            }
            refusal.stored = WithoutPadding(taken.value_or(""));
            refusal.problem = StoredAs(refusal.stored);
        }
        refused.push_back(std::move(refusal));
        if (onRefusal == OnRefusal::Stop) {
            return refused;
        }
    }
    if (!refused.empty() || !changed) {
        return refused;
    }
    const std::vector<PageField> after = page.fields();
    const bool same = std::equal(before.begin(), before.end(), after.begin(), after.end(),
                                 [](const PageField& x, const PageField& y) {
                                     return x.name == y.name && x.text == y.text;
                                 });
    if (same) {
        return refused;
    }
    CodeplugImage work = image;
    page.write(work);
    // A later field may undo an earlier one (a type that hides its codes), and a value
    // must survive its bytes: every value given shows as given once the page is read
    // back from what it wrote.
    CodeplugImage written = work;
    page.load(written);
    std::map<std::string, std::string> now;
    for (PageField& field : page.fields()) {
        now.emplace(std::move(field.name), std::move(field.text));
    }
    for (std::size_t i = 0; i < given.size(); ++i) {
        const auto found = now.find(given[i].name);
        const std::optional<std::string> shown =
            found == now.end() ? std::nullopt : std::optional<std::string>(found->second);
        if (!shown || !SameValue(*shown, given[i].text)) {
            refused.push_back({i, shown ? StoredAs(*shown) : "changed by another field",
                               WithoutPadding(shown.value_or(""))});
            if (onRefusal == OnRefusal::Stop) {
                return refused;
            }
        }
    }
    if (refused.empty()) {
        image = work;
    }
    return refused;
}

} // namespace

bool SameValue(const std::string& shown, const std::string& given) {
    if (WithoutPadding(shown) == WithoutPadding(given)) {
        return true;
    }
    // Only where a point shows a number with a fraction: "012" is another ID code than
    // "12", but "446" is the frequency "446.00000".
    if (shown.find('.') == std::string::npos && given.find('.') == std::string::npos) {
        return false;
    }
    const auto x = Decimal(shown);
    const auto y = Decimal(given);
    return x && y && *x == *y;
}

std::vector<RefusedField> ApplyFields(Page& page, const std::vector<GivenField>& given,
                                      CodeplugImage& image, OnRefusal onRefusal, Taking taking) {
    std::vector<RefusedField> refused;
    if (given.empty()) {
        return refused;
    }
    if (taking == Taking::Exactly) {
        return ApplyExactly(page, given, image, onRefusal);
    }
    // Loading may tidy the bytes as the window does when it opens; that only counts
    // once the page has something to write.
    CodeplugImage loaded = image;
    page.load(loaded);
    const std::vector<PageField> before = page.fields();
    for (std::size_t i = 0; i < given.size(); ++i) {
        std::string problem = page.setField(given[i].name, given[i].text);
        if (problem.empty()) {
            continue;
        }
        refused.push_back({i, std::move(problem), {}});
        if (onRefusal == OnRefusal::Stop) {
            return refused;
        }
    }
    const std::vector<PageField> after = page.fields();
    const bool same = std::equal(before.begin(), before.end(), after.begin(), after.end(),
                                 [](const PageField& x, const PageField& y) {
                                     return x.name == y.name && x.text == y.text;
                                 });
    if (!same) {
        page.write(image);
    }
    return refused;
}

} // namespace r57::text
