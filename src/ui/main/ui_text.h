// A string-table text (core/strings.h) as the windows show it.
#pragma once

#include "core/strings.h"

#include <QString>

namespace r57::ui {

inline QString Tr(int id, int language) {
    return QString::fromStdString(Text(id, language));
}

} // namespace r57::ui
