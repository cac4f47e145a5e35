#include "contrast.h"

#include <algorithm>
#include <cmath>

namespace {

double linearChannel(double channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double relativeLuminance(const QColor &color)
{
    const QColor rgb = color.toRgb();
    return 0.2126 * linearChannel(rgb.redF()) + 0.7152 * linearChannel(rgb.greenF())
           + 0.0722 * linearChannel(rgb.blueF());
}

QColor mixed(const QColor &from, const QColor &to, double share)
{
    const auto channel = [share](int a, int b) { return int(std::lround(a + (b - a) * share)); };
    const QColor a = from.toRgb();
    const QColor b = to.toRgb();
    return QColor(channel(a.red(), b.red()), channel(a.green(), b.green()), channel(a.blue(), b.blue()));
}

} // namespace

double ContrastRatio(const QColor &first, const QColor &second)
{
    const double a = relativeLuminance(first);
    const double b = relativeLuminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

QColor ReadableOn(const QColor &color, const QColor &background, double minimum)
{
    if (ContrastRatio(color, background) >= minimum)
        return color;
    // One of black and white always gives at least 4.58 on any background.
    const QColor target = ContrastRatio(Qt::white, background) >= ContrastRatio(Qt::black, background)
                              ? QColor(Qt::white)
                              : QColor(Qt::black);
    // Past the background's own brightness the contrast only grows toward the target, so the
    // least share that is enough is found by halving.
    double low = 0.0;
    double high = 1.0;
    for (int step = 0; step < 16; ++step) {
        const double share = (low + high) / 2;
        (ContrastRatio(mixed(color, target, share), background) >= minimum ? high : low) = share;
    }
    const QColor readable = mixed(color, target, high);
    return ContrastRatio(readable, background) >= minimum ? readable : target;
}
