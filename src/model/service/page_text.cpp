#include "model/service/page_text.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <string>

namespace r57::service {

long ReadWholeNumber(const char* text, long minimum, long maximum) {
    while (*text == ' ') {
        ++text;
    }
    // Only an unsigned decimal number counts: "12abc" reads 12, "abc" and "-5" read 0.
    const char* end = text;
    while (std::isdigit(static_cast<unsigned char>(*end))) {
        ++end;
    }
    if (*end == '.') {
        ++end;
        while (std::isdigit(static_cast<unsigned char>(*end))) {
            ++end;
        }
    }
    double value = 0;
    if (end != text) {
        value = std::strtod(std::string(text, end).c_str(), nullptr); // no "0x", no "e5"
    }
    value = std::round(value);
    if (value < static_cast<double>(minimum)) {
        return minimum;
    }
    if (value > static_cast<double>(maximum)) {
        return maximum;
    }
    return static_cast<long>(value);
}

} // namespace r57::service
