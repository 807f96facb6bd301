// Colours the program picks itself, kept readable on light and dark desktop themes: the
// contrast of two colours as the web's accessibility guidelines measure it, and the
// nearest colour to a wanted one that keeps at least 4.5:1 against its background.
#pragma once

#include <QColor>

namespace r57::ui {

constexpr double kReadableContrast = 4.5;

// 1 (the same) to 21 (black on white).
double ContrastRatio(const QColor& a, const QColor& b);
// Black or white, whichever reads better on `background`.
QColor TextOn(const QColor& background);
// `wanted`, made lighter or darker only as far as it takes to read on `background`.
QColor Readable(const QColor& wanted, const QColor& background);

} // namespace r57::ui
