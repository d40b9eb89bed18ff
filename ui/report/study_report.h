#pragma once

#include "ui/chart/axis_ticks.h"
#include "ui/chart/chart_picture.h"
#include "ui/chart/shown_case.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace tarvilo {

// One line of a table of the report: a quantity, its value as the window
// shows it, its unit and, where it has one, a remark ("del cálculo anterior").
struct ReportRow
{
    QString name;
    QString value;
    QString unit;
    QString remark;
};

// What the report tells, as the main window fills it: the case it shows,
// how its numbers are spelt, the rows of its inputs and results as the
// window shows them, and where the study comes from.
struct ReportContent
{
    ShownCase shown;
    PictureSpelling spelling;
    AxisRanges qvRanges; // those of the Q-V chart's picture
    QString caseName; // the case file's name, or "sin guardar"
    QString version; // the program's
    QString date;
    std::vector<ReportRow> inputs; // per unit
    std::vector<ReportRow> results; // the six labels, then Margen QV
    // The case in physical units, where it came from them: the bases
    // ("S base = 100 MVA; U base = 132 kV") and the inputs and results.
    QString physicalBases;
    std::vector<ReportRow> physical;
    // The family window's table, where it is open: the header, then a row per value.
    std::vector<QStringList> family;
};

// The report as a PDF document on A4 pages, portrait: selectable text laid
// out by its font's metrics, a new page wherever the next block would not
// fit, the Q-V and P-V charts as vector drawings.
QByteArray StudyReport(const ReportContent &content);

} // namespace tarvilo
