#pragma once

#include "core/qv_types.h"
#include "core/regional_settings.h"
#include "ui/chart/chart_grid.h"
#include "ui/chart/chart_marks.h"

#include <QByteArray>
#include <QString>

namespace tarvilo {

// The curves for a spreadsheet: a header line naming each column with its
// quantity and unit, then the 300 points of the three curves and, beside
// the first rows, the operating points and the nose. Fields separated by
// ";", numbers to 15 significant digits with the regional decimal
// separator, UTF-8 with a byte-order mark (so that spreadsheets read the
// accents), lines ended by CR LF.
QByteArray CurvesCsv(const ChartGrid& grid, const ChartMarks& marks, const RegionalSettings& regional);

// The six inputs and six results of a run as tab-separated lines of name,
// value and unit, which paste into a spreadsheet.
QString ResultsTable(const QvInputs& inputs, const QvResults& results, const RegionalSettings& regional);

}  // namespace tarvilo
