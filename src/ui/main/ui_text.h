// Texts as the windows show them: string-table entries (core/strings.h) and the
// program's own bilingual texts.
#pragma once

#include "core/session.h"
#include "core/strings.h"

#include <QString>

namespace r57::ui {

inline QString Tr(int id, int language) {
    return QString::fromStdString(Text(id, language));
}

// A text of the program's own that the string table does not hold (captions the
// table never numbered, explanations of our own), in both languages.
struct OwnText {
    const char* english;
    const char* chinese;
};

inline QString Tr(const OwnText& text, int language) {
    return QString::fromUtf8(language == kChinese ? text.chinese : text.english);
}

} // namespace r57::ui
