#pragma once

#include "ui/chart/chart_grid.h"

#include <QString>

namespace tarvilo {

// An earlier case kept on the plot, all its curves in one colour of its
// own: its curves and what sets it apart from the current case ("Qcap = 0,5").
struct KeptCurves
{
    int serial = 0; // tells cases apart, and gives each its place among the series
    ChartGrid grid;
    QString name;
};

} // namespace tarvilo
