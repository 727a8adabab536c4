#include "ColourContrast.h"

#include <QPalette>

#include <algorithm>
#include <cmath>

namespace {

double Luminance(const QColor &colour)
{
    auto linear = [](float channel) {
        return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) + 0.0722 * linear(rgb.blueF());
}

} // namespace

double ContrastRatio(const QColor &first, const QColor &second)
{
    const double one = Luminance(first), other = Luminance(second);
    return (std::max(one, other) + 0.05) / (std::min(one, other) + 0.05);
}

bool HasDarkFace(const QPalette &palette)
{
    return Luminance(palette.color(QPalette::WindowText)) > Luminance(palette.color(QPalette::Window));
}

QColor LightenedToRead(const QColor &colour, const QColor &face, double contrast)
{
    const QColor hsl = colour.toHsl();
    // In steps of a hundredth of lightness: the first that reads is as close to the colour as it gets.
    for (int lightness = qRound(hsl.lightnessF() * 100); lightness <= 100; ++lightness) {
        const QColor lighter = QColor::fromHslF(hsl.hslHueF(), hsl.hslSaturationF(), lightness / 100.0f).toRgb();
        if (ContrastRatio(lighter, face) >= contrast)
            return lighter;
    }
    return QColor(Qt::white);
}
