// Texts of the service pages: captions the string table does not number, in both
// languages (the pages name their fields by the English text, the windows show the
// session's language), and numbers as the pages read them from a text box.
#pragma once

namespace r57::service {

struct Caption {
    const char* english;
    const char* chinese;

    const char* in(int language) const { return language == 1 ? chinese : english; }
};

// Whole numbers as the pages read them from a text box: leading blanks, then the
// digits of the number and an optional fraction (the rest of the text is ignored),
// rounded to the nearest whole number. A text without a number reads as 0; the
// result is held within [minimum, maximum] whatever the number of digits.
long ReadWholeNumber(const char* text, long minimum, long maximum);

} // namespace r57::service
