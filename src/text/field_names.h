// Names a dealer can type for a page and a field: the name the text export gives it
// ("Function Setting / Scan Resume") or the caption its window shows, in English or in
// Chinese ("Scan_Rev", "扫描方式"), with case and blanks not counting. A name that
// matches nothing is answered with the nearest names.
#pragma once

#include "core/image.h"
#include "model/page.h"

#include <optional>
#include <string>
#include <vector>

namespace r57::text {

// A field as the export names it, with the captions its window shows it under ("" where
// the window shows it in a grid without a caption of its own).
struct NamedField {
    std::string page;
    std::string field;
    std::string english;
    std::string chinese;
    std::string value;    // as the window shows it in English
    bool shown = true;    // shown for the codeplug's model and PTT ID type
    std::string hiddenBy; // why not, when not shown: "model DTMF", "PTT ID Type DTMF"
};

// Every field of `image` a rule can set, page by page in the export's order: for the
// channels, those of the used channels. `model` is the model variant code '0'..'2'.
std::vector<NamedField> RuleFields(const CodeplugImage& image, char model);

// The export name of a page typed as its export name or its window caption; nullopt
// with `error` naming the nearest pages.
std::optional<std::string> FindPage(const std::string& typed, std::string& error);

// The export names of the page and field typed; nullopt with `error` naming the
// nearest names. The page as loaded from `image` decides between fields a caption
// shares (the PTT ID boxes show "BOT" for either PTT ID type).
struct FieldMatch {
    std::string page;
    std::string field;
};
std::optional<FieldMatch> FindField(const std::string& page, const std::string& field,
                                    const CodeplugImage& image, std::string& error);

// Fields of `page` given by the names typed (an import's keys): a name the page knows
// stays, a window caption becomes its field's export name, and a name that matches
// nothing stays as typed, with "the nearest: ..." at its index of the result ("" at
// the others).
// `page` is left loaded from `image`.
std::vector<std::string> ExportFieldNames(Page& page, std::vector<std::string>& names,
                                          const CodeplugImage& image);

// The names of `candidates` nearest to `typed` (case and blanks not counting), at most
// `count`, nearest first.
std::vector<std::string> NearestNames(const std::string& typed,
                                      const std::vector<std::string>& candidates,
                                      std::size_t count = 3);

// A name as it is compared: ASCII letters in lower case, blanks (also the ideographic
// space) left out.
std::string NameKey(const std::string& name);

} // namespace r57::text
