#include "ui/chart/tick_labels.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace tarvilo {
namespace {

// Fixed notation up to this size of the largest value; beyond it, or for
// intervals finer than the finest decimals, exponent notation.
constexpr double kLargestFixed = 1e12;
constexpr int kMostDecimals = 12;

// The decimals a multiple of the interval needs: 0 for 5, 1 for 2.5 or 0.5.
int DecimalsFor(double interval)
{
    for (int decimals = 0; decimals <= kMostDecimals; ++decimals) {
        const double scaled = interval * std::pow(10.0, decimals);
        if (std::abs(scaled - std::round(scaled)) < 1e-6 * scaled)
            return decimals;
    }
    return kMostDecimals + 1;
}

QString WithSeparator(const char *first, const char *last, const QString &decimalPoint)
{
    QString text;
    for (const char *c = first; c != last; ++c) {
        if (*c == '.') {
            text += decimalPoint;
        } else {
            text += QLatin1Char(*c);
        }
    }
    return text;
}

QString ExponentLabel(double value, int precision, const QString &decimalPoint)
{
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::scientific, std::clamp(precision, 0, 16));
    return WithSeparator(buffer.data(), result.ptr, decimalPoint);
}

} // namespace

double NiceTickInterval(double span, int maxTicks)
{
    if (!(span > 0) || !std::isfinite(span))
        return 1.0;
    const double rough = span / std::max(1, maxTicks);
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double step : { 1.0, 2.0, 2.5, 5.0, 10.0 }) {
        if (step * power >= rough)
            return step * power;
    }
    return 10 * power;
}

QString TickLabel(double value, int decimals, const QString &decimalPoint)
{
    std::array<char, 400> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed,
                                      std::clamp(decimals, 0, 40));
    if (result.ec != std::errc())
        return ExponentLabel(value, 15, decimalPoint);
    return WithSeparator(buffer.data(), result.ptr, decimalPoint);
}

QList<Tick> TicksOver(double min, double max, int maxTicks, const QString &decimalPoint)
{
    QList<Tick> ticks;
    if (!std::isfinite(min) || !std::isfinite(max) || !(max > min))
        return ticks;
    maxTicks = std::clamp(maxTicks, 1, kMaxTicks);
    double interval = NiceTickInterval(max - min, maxTicks);
    // Too fine an interval for the values to tell apart: the ends only.
    const double largest = std::max(std::abs(min), std::abs(max));
    if (!(interval > largest * 1e-15))
        interval = max - min;
    const double first = std::ceil(min / interval - 1e-9);
    const int decimals = DecimalsFor(interval);
    const bool fixed = largest < kLargestFixed && decimals <= kMostDecimals;
    // Exponent notation with the digits that the interval needs: from the
    // largest value's first digit down to the interval's last.
    const double intervalPower = std::floor(std::log10(interval));
    const int precision = static_cast<int>(std::floor(std::log10(largest)) - intervalPower)
            + DecimalsFor(interval / std::pow(10.0, intervalPower));
    for (int k = 0; k <= kMaxTicks; ++k) {
        double value = (first + k) * interval;
        if (value > max + interval * 1e-9)
            break;
        if (std::abs(value) < interval * 1e-9)
            value = 0.0; // never "-0"
        // Zero as a plain "0", like the scale's other whole numbers.
        const QString label = value == 0.0 ? QStringLiteral("0")
                : fixed                    ? TickLabel(value, decimals, decimalPoint)
                                           : ExponentLabel(value, precision, decimalPoint);
        if (!ticks.isEmpty() && ticks.back().label == label)
            continue;
        ticks.append({ value, label });
    }
    return ticks;
}

} // namespace tarvilo
