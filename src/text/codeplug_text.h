// The whole codeplug as YAML: every field a user can see in any window, by window and
// field, in the English the windows show ("446.00625", "D023N", "Off"), the model
// variant code, and the bytes no window field shows. An import starts from a codeplug,
// applies every field present through the windows' own rules and refuses the whole
// file at the first field they cannot take or would store otherwise than written; a
// field showing what the codeplug holds already is no change.
#pragma once

#include "core/image.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace r57::text {

// The top-level entries beside the windows' pages.
constexpr const char* kModelVariantKey = "Model Variant";
constexpr const char* kOtherBytesKey = "Other Bytes";

// Where a text could not be taken: 1-based line and column, and why.
struct TextError {
    int line = 0;
    int column = 0;
    std::string reason; // "Function Setting / Squelch Level: not one of the choices"

    std::string message() const; // "line 12, column 18: ..."
};

struct ByteChange {
    int address = 0;
    uint8_t from = 0;
    uint8_t to = 0;
};

struct TextExport {
    std::string yaml;
    // The bytes whose stored values no window shows as they are (a squelch level of
    // 12, a frequency outside the bands): an import of `yaml` stores these otherwise,
    // as the windows would on saving.
    std::vector<ByteChange> normalised;
};

// `modelCode` is the session's model variant ("0", "1" or "2"): a data file does not
// hold it.
TextExport ExportCodeplug(const CodeplugImage& image, char modelCode);

struct TextImport {
    std::optional<TextError> error; // set: nothing was taken
    CodeplugImage image;            // `base` with every field of the text applied
    char modelCode = '0';
};

TextImport ImportCodeplug(std::string_view yaml, const CodeplugImage& base, char baseModel);

// Every field of the text that its window does not take (ImportCodeplug stops at the
// first), and the first fault of the text's shape.
std::vector<TextError> RefusedFields(std::string_view yaml, const CodeplugImage& base);

// The codeplug New makes with the default band limits: what an import starts from when
// no other is given, and what the export compares the bytes no field shows with.
CodeplugImage NewCodeplug();

// The codeplug the program holds right after start-up, and `r57 new` writes: New with
// the stock logo from `applicationDirectory` packed in. What an import starts from when
// the user asks for a new codeplug, in the window and on the command line alike.
CodeplugImage StartUpCodeplug(const std::string& applicationDirectory);

// The bytes where two images differ.
std::vector<ByteChange> ChangedBytes(const CodeplugImage& from, const CodeplugImage& to);

} // namespace r57::text
