#pragma once

#include <QList>
#include <QString>

namespace tarvilo {

// No axis ever carries more ticks than this, whatever its range or size.
inline constexpr int kMaxTicks = 30;

// A tick spacing of 1, 2, 2.5 or 5 times a power of ten giving at most
// maxTicks divisions over span.
double NiceTickInterval(double span, int maxTicks);

struct Tick
{
    double value = 0;
    QString label;

    bool operator==(const Tick &) const = default;
};

// The ticks over [min, max] on the multiples of a round interval, at most
// maxTicks of them (and never more than kMaxTicks), from the range alone.
// Labels in ASCII digits with the given decimal separator, never grouped,
// with the digits that tell neighbours apart: "-1,5", "0,25", "1e+20";
// zero is "0".
QList<Tick> TicksOver(double min, double max, int maxTicks, const QString &decimalPoint);

// A value as a tick label with the given decimals (fixed notation).
QString TickLabel(double value, int decimals, const QString &decimalPoint);

} // namespace tarvilo
