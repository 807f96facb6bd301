#include "ui/main/contrast.h"

#include <algorithm>
#include <cmath>

namespace r57::ui {

namespace {

double Luminance(const QColor& color) {
    auto channel = [](double c) {
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(color.redF()) + 0.7152 * channel(color.greenF()) +
           0.0722 * channel(color.blueF());
}

} // namespace

double ContrastRatio(const QColor& a, const QColor& b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor TextOn(const QColor& background) {
    return ContrastRatio(Qt::black, background) >= ContrastRatio(Qt::white, background)
               ? QColor(Qt::black)
               : QColor(Qt::white);
}

QColor Readable(const QColor& wanted, const QColor& background) {
    if (ContrastRatio(wanted, background) >= kReadableContrast) {
        return wanted;
    }
    // Toward white on a dark background, toward black on a light one, in small steps of
    // lightness, so a red stays a red.
    const bool lighter = TextOn(background) == QColor(Qt::white);
    QColor color = wanted.toHsl();
    for (int step = 0; step < 100 && ContrastRatio(color, background) < kReadableContrast; ++step) {
        const int l = std::clamp(color.lightness() + (lighter ? 5 : -5), 0, 255);
        color.setHsl(color.hslHue(), color.hslSaturation(), l);
    }
    return color.toRgb();
}

} // namespace r57::ui
