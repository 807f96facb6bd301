// A window's page as named fields over the image. Every settings page, service page
// and accessory dialog keeps its rules in a plain class of this shape in the model
// folder named after its window (model/settings, model/service, model/accessory):
// load the fields from the image into the values its controls show, write them back
// with read-modify-write of exactly the page's bits, and name every value, so the whole
// codeplug can also be written out as text and read back by name.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace r57 {

class CodeplugImage;

struct PageField {
    std::string name; // stable across versions and languages: "Squelch Level"
    std::string text; // as the window shows it in English: "5", "Off", "446.00625"
};

class Page {
public:
    virtual ~Page() = default;

    // A stable English name of the page: "Function Setting", "DTMF", "FM Channels".
    virtual std::string name() const = 0;

    // Image -> values, with the defaults the window shows for out-of-range bytes. Some
    // pages repair the image while loading, as their window does (hence not const).
    virtual void load(CodeplugImage& image) = 0;
    // Values -> image: exactly the bits and bytes the page owns, nothing else.
    virtual void write(CodeplugImage& image) const = 0;

    // Every value the page shows, in a fixed order, as English text.
    virtual std::vector<PageField> fields() const = 0;
    // The text of one field as fields() has it, or nothing when the page shows no such
    // field. A page of many fields answers without listing them all.
    virtual std::optional<std::string> fieldText(const std::string& name) const {
        for (PageField& field : fields()) {
            if (field.name == name) {
                return std::move(field.text);
            }
        }
        return std::nullopt;
    }
    // Takes one value by field name through the window's own rules (filtering,
    // clamping, defaults). Returns "" when taken, otherwise why not ("unknown field",
    // "not a number", ...); a refused value leaves the page as it was.
    virtual std::string setField(const std::string& name, const std::string& text) = 0;
};

} // namespace r57
