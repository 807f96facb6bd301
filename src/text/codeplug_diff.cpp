#include "text/codeplug_diff.h"

#include "text/codeplug_pages.h"
#include "text/other_bytes.h"

#include <map>

namespace r57::text {

namespace {

// A value as the export writes it; quoted where blanks would not be seen.
std::string Shown(const std::string& text) {
    const bool quote = text.empty() || text.front() == ' ' || text.back() == ' ';
    return quote ? "\"" + text + "\"" : text;
}

// The fields of `page` for `image`, by name, in the page's order.
std::vector<PageField> FieldsOf(Page& page, const CodeplugImage& image) {
    CodeplugImage copy = image;
    page.load(copy);
    return page.fields();
}

} // namespace

std::vector<std::string> DiffCodeplugs(const CodeplugImage& a, const CodeplugImage& b) {
    std::vector<std::string> lines;
    if (a == b) {
        return lines;
    }
    CodeplugPages pagesA;
    CodeplugPages pagesB;
    // Bits a field accounts for: those of pages that show a difference. A page whose
    // fields all read alike leaves its differing bytes to the byte list (two stored
    // values a window shows the same way).
    BitMask explained(CodeplugImage::kSize, 0);
    for (std::size_t p = 0; p < pagesA.exportOrder().size(); ++p) {
        Page& pageA = *pagesA.exportOrder()[p];
        Page& pageB = *pagesB.exportOrder()[p];
        const std::vector<PageField> fieldsA = FieldsOf(pageA, a);
        const std::vector<PageField> fieldsB = FieldsOf(pageB, b);
        std::map<std::string, std::string> inB;
        for (const PageField& f : fieldsB) {
            inB[f.name] = f.text;
        }
        // A channel's fields already say where they are ("A5 RX Freq").
        const std::string prefix =
            CodeplugPages::GroupsByChannel(pageA) ? "" : pageA.name() + " / ";
        std::vector<std::string> found;
        for (const PageField& f : fieldsA) {
            auto other = inB.find(f.name);
            const std::string textB = other == inB.end() ? "" : other->second;
            if (other != inB.end()) {
                inB.erase(other);
            }
            if (f.text != textB) {
                found.push_back(prefix + f.name + ": " + Shown(f.text) + " -> " + Shown(textB));
            }
        }
        for (const PageField& f : fieldsB) {
            if (inB.count(f.name) && !f.text.empty()) {
                found.push_back(prefix + f.name + ": \"\" -> " + Shown(f.text));
            }
        }
        if (found.empty()) {
            continue;
        }
        lines.insert(lines.end(), found.begin(), found.end());
        const BitMask ownedA = OwnedBits(pageA, a);
        const BitMask ownedB = OwnedBits(pageB, b);
        for (int i = 0; i < CodeplugImage::kSize; ++i) {
            explained[i] |= ownedA[i] | ownedB[i];
        }
    }
    for (int i = 0; i < CodeplugImage::kSize; ++i) {
        if ((a.at(i) ^ b.at(i)) & ~explained[i]) {
            lines.push_back(AddressText(i) + ": " + ByteText(a.at(i)) + " -> " + ByteText(b.at(i)));
        }
    }
    return lines;
}

} // namespace r57::text
