#include "text/page_fields.h"

#include <algorithm>

namespace r57::text {

std::vector<RefusedField> ApplyFields(Page& page, const std::vector<GivenField>& given,
                                      CodeplugImage& image, OnRefusal onRefusal) {
    std::vector<RefusedField> refused;
    if (given.empty()) {
        return refused;
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
        refused.push_back({i, std::move(problem)});
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
