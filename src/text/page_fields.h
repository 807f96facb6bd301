// Values given for one page's fields, taken through the page's own rules as its window
// takes what a user types: the one place an import, the fleet's per-radio rules and the
// export's check of its own text apply values, so none of them can take a value
// differently.
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
    std::string problem;   // setField's reason, or "would be stored as "400.00000""
    std::string stored;    // with Taking::Exactly: what the rules would have stored instead
};

enum class OnRefusal { Stop, Continue };

// AsTheWindow: a value is taken as the window takes a typed one (filtered, clamped,
// cut to length). Exactly: a value the rules would store otherwise is refused with what
// they would store; a value the page already shows is no change, whatever the rules
// would make of it, so a stored value no rule can take keeps its bytes.
enum class Taking { AsTheWindow, Exactly };

// Whether the page showing `shown` holds the value `given`: the same text, but for the
// blanks a text field is padded with, or the same decimal number ("446.1" and
// "446.10000").
bool SameValue(const std::string& shown, const std::string& given);

// Loads `page` from `image`, sets every given field and writes the page back into
// `image` when any value it shows changed: a page whose values all stay as they were
// leaves its bytes exactly as stored, as a window closed without an edit. With
// OnRefusal::Stop the first refused field ends it; on any refusal `image` is left as it
// was. With Taking::Exactly the fields go in the order the page's rules need them (a
// channel's RX Freq before its TX Freq, both before the rest), whatever the order
// given, and every value must still show as given once all are in.
std::vector<RefusedField> ApplyFields(Page& page, const std::vector<GivenField>& given,
                                      CodeplugImage& image, OnRefusal onRefusal,
                                      Taking taking = Taking::AsTheWindow);

} // namespace r57::text
