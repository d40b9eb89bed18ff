#pragma once

#include "core/per_unit.h"
#include "core/qv_types.h"
#include "core/run_host.h"
#include "ui/chart/axis_ticks.h"
#include "ui/chart/chart_grid.h"
#include "ui/chart/chart_marks.h"
#include "ui/chart/kept_curves.h"

#include <QString>

#include <array>
#include <iterator>
#include <optional>
#include <vector>

namespace tarvilo {

using LabelValues = std::array<std::optional<double>, std::size(kResultLabels)>;
using InputValues = std::array<std::optional<double>, std::size(kInputBoxes)>;

// What the results frame shows: each label's text and the value behind it
// (none for "Error" or an empty label), whether the last run wrote it (the
// others are greyed as the previous calculation's), the inputs of the last
// run that wrote any, and what the six boxes held when the last run started.
struct ShownResults
{
    std::array<QString, std::size(kResultLabels)> texts;
    LabelValues values{};
    std::array<bool, std::size(kResultLabels)> writtenByLastRun{};
    QvInputs labelInputs;
    InputValues runInputs{};
};

// What the main window shows of its runs, as one value: the chart's curves,
// marks, kept cases, note and axes, the case they belong to, the last run's
// outcome and the results frame. The charts draw it and the exports are
// made from it.
struct ShownCase
{
    // A run has reached the chart: before that it holds the sample grid.
    bool loaded = false;
    ChartGrid grid;
    std::optional<ChartMarks> marks;
    std::vector<KeptCurves> kept; // drawn beside the case, the oldest first
    QString note; // over the plot: why it does not show the current case, or ""
    AxisRanges axes; // the main chart's fixed scales
    // The chart's words for a screen reader.
    QString description;

    // The case on the chart.
    QvInputs inputs;
    QvResults results;

    // The last run stopped at a fault (the chart shows the previous case),
    // with its inputs where it had read them all.
    bool lastRunFailed = false;
    std::optional<QvInputs> failedRun;

    ShownResults frame;

    // While the boxes hold what the physical-units dialog wrote, its bases:
    // the results are also given in kV, MW and Mvar.
    std::optional<PhysicalBases> physicalBases;
};

// The ranges that show all its curves (the kept cases' too) and its marks,
// with a little room, on round values; the voltage from 0.
AxisRanges FittedRanges(const ShownCase &shown);

} // namespace tarvilo
