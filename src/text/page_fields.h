// Values given for one page's fields, taken through the page's own rules as its window
// takes what a user types: the one place an import and the export's check of its own
// text apply values, so the two can never take a value differently.
#pragma once

#include "core/image.h"
#include "model/page.h"

#include <cstddef>
#include <string>
#include <vector>

namespace r57::text {

// What setField answers for a name the page does not have.
constexpr const char* kUnknownField = "unknown field";

struct GivenField {
    std::string name; // "Squelch Level", "A1 RX Freq"
    std::string text; // as the window shows it: "5", "446.00625"
};

struct RefusedField {
    std::size_t index = 0; // into the given fields
    std::string problem;   // setField's reason
};

enum class OnRefusal { Stop, Continue };

// Loads `page` from `image`, sets every given field in turn and writes the page back
// into `image` when any value it shows changed: a page whose values all stay as they
// were leaves its bytes exactly as stored, as a window closed without an edit. With
// OnRefusal::Stop the first refused field ends it and `image` is left as it was.
std::vector<RefusedField> ApplyFields(Page& page, const std::vector<GivenField>& given,
                                      CodeplugImage& image, OnRefusal onRefusal);

} // namespace r57::text
