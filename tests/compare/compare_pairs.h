// The pairs of codeplugs the comparison is tried on: New against the virtual radio's
// sample, the sample against itself with every field changed once through the pages'
// rules, and random images.
#pragma once

#include "common/test_images.h"
#include "radio_memory.h"

#include "text/codeplug_pages.h"
#include "text/codeplug_text.h"
#include "text/page_fields.h"

#include <string>
#include <vector>

namespace r57::test {

inline CodeplugImage Sample() {
    return radio::SampleCodeplug(std::string(R57_SOURCE_DIR) + "/resources/\n");
}

// `base` with every field the donor shows taken through the pages' rules (a value the
// rules refuse is left as it was).
inline CodeplugImage EveryFieldFrom(const CodeplugImage& base, const CodeplugImage& donor) {
    CodeplugImage image = base;
    text::CodeplugPages mine;
    text::CodeplugPages theirs;
    for (Page* page : mine.importOrder()) {
        Page* from = theirs.find(page->name());
        CodeplugImage copy = donor;
        from->load(copy);
        std::vector<text::GivenField> given;
        for (const PageField& f : from->fields()) {
            given.push_back({f.name, f.text});
        }
        text::ApplyFields(*page, given, image, text::OnRefusal::Continue);
    }
    return image;
}

struct ImagePair {
    std::string what;
    CodeplugImage mine;
    CodeplugImage other;
};

inline std::vector<ImagePair> ComparedPairs() {
    const CodeplugImage sample = Sample();
    return {
        {"new against the sample", text::NewCodeplug(), sample},
        {"every field changed", sample, EveryFieldFrom(sample, RandomImage(3))},
        {"random images", RandomImage(1), RandomImage(2)},
        {"the same", sample, sample},
    };
}

} // namespace r57::test
