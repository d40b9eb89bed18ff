#pragma once

#include "ui/chart/chart_grid.h"
#include "ui/chart/chart_marks.h"

#include <QColor>
#include <QString>

namespace tarvilo {

// What the charts have in common: each curve and mark has one name and one
// colour in every window, in the legend and in the hover text, and each
// quantity one axis title.

QString NameOf(Curve curve);
QString NameOf(Mark mark);
QColor ColourOf(Curve curve);
QColor ColourOf(Mark mark);

// The earlier cases kept on the Q-V charts, each in one of these colours,
// apart from the current curves' and marks'.
inline constexpr int kKeptColourCount = 8;
QColor KeptColour(int index);

enum class AxisQuantity { ReactivePower, ActivePower, ExportedActivePower, Voltage };
QString AxisTitle(AxisQuantity quantity);

} // namespace tarvilo
