#pragma once

#include "core/qv_types.h"
#include "core/regional_settings.h"
#include "core/run_host.h"
#include "ui/chart/chart_grid.h"
#include "ui/chart/chart_marks.h"
#include "ui/chart/shown_case.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <iterator>
#include <optional>

namespace tarvilo {

// The curves for a spreadsheet: lines naming the six inputs of the case
// the curves belong to (and the chart's note, where it has one: they may
// be those of the previous calculation), a line naming each column with its
// quantity and unit, then the 300 points of the three curves and, beside
// the first rows, the operating points and the nose. Every line has the
// same number of fields, separated by ";"; numbers to 15 significant digits
// with the regional decimal separator, UTF-8 with a byte-order mark (so
// that spreadsheets read the accents), lines ended by CR LF.
QByteArray CurvesCsv(const ChartGrid &grid, const ChartMarks &marks, const QvInputs &inputs, const QString &note,
                     const RegionalSettings &regional);

// The value a run gives a result label.
double ResultValue(const QvResults &results, ResultLabel label);

// What the window shows, as tab-separated lines of name, value and unit,
// which paste into a spreadsheet: the six inputs the last run read from the
// boxes (none for a box that held no number: "Error"), the six results
// (none for "Error") and the Q-V method's margin of the case the results
// are of. A result the last run did not reach has a fourth field saying it
// is from the previous calculation; so has the margin when the last run
// reached no result.
QString ResultsTable(const InputValues &inputs, const QvInputs &resultInputs, const LabelValues &values,
                     const std::array<bool, std::size(kResultLabels)> &writtenByLastRun,
                     const RegionalSettings &regional);

// The same of what the main window shows: the curves on its chart, its
// results frame.
QByteArray CurvesCsv(const ShownCase &shown, const RegionalSettings &regional);
QString ResultsTable(const ShownCase &shown, const RegionalSettings &regional);

// One line naming the six inputs of a case, for the pictures of its chart:
// "X = 0,03; B = 3,33; Uinf = 1; Pcarga = 10,48; Qcarga = 0; Qcap = 0 [p.u.]".
QString CaseCaption(const QvInputs &inputs, const RegionalSettings &regional);

} // namespace tarvilo
