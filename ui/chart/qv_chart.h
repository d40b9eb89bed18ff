#pragma once

#include "core/regional_settings.h"
#include "ui/chart/chart_grid.h"
#include "ui/chart/chart_marks.h"
#include "ui/chart/chart_style.h"
#include "ui/chart/kept_curves.h"
#include "ui/chart/styled_chart.h"
#include "ui/chart/within_reach.h"

#include <QHash>
#include <QLocale>

#include <array>
#include <vector>

class QGraphicsSimpleTextItem;
class QLineSeries;
class QValueAxis;
class QXYSeries;

namespace tarvilo {

inline constexpr int kMaxKeptCases = kKeptColourCount;

// The Q-V plot: the three curves first (lower branch, upper branch, load
// characteristic), then the marks of the run's answers, on a reactive-power
// axis and a voltage axis. The main window's small chart shows it without a
// legend; the large chart and the exported pictures with one.
class QvChart : public StyledChart
{
    Q_OBJECT

public:
    // The locale spells the tick labels (its decimal separator, never
    // grouped); the regional settings the values under the cursor.
    QvChart(Look look, const QLocale &locale, const RegionalSettings &regional);

    void showCurves(const ChartGrid &grid);
    void showMarks(const ChartMarks &marks);
    void clearMarks();
    // At most kMaxKeptCases earlier cases, the oldest first: each in a
    // colour of its own, named once in the legend, in the order kept.
    void showKeptCases(const std::vector<KeptCurves> &cases);
    // The colour of a kept case, by its serial.
    static QColor keptColour(int serial);

    const ChartGrid &grid() const { return m_grid; }
    const ChartMarks &marks() const { return m_marks; }
    bool hasMarks() const { return m_hasMarks; }
    const std::vector<KeptCurves> &keptCases() const { return m_kept; }
    const RegionalSettings &regional() const { return m_regional; }

    QLineSeries *curve(Curve curve) const { return m_curves[static_cast<int>(curve)]; }
    // Null for the large chart's own marks on the small chart.
    QXYSeries *mark(Mark mark) const { return m_markSeries[static_cast<int>(mark)]; }
    // The series of kept curves drawn now, up to three per case.
    QList<QLineSeries *> keptSeries() const;
    QValueAxis *axisX() const { return m_axisX; }
    QValueAxis *axisY() const { return m_axisY; }

    // A short note over the plot ("Sin resultados"), or none for "".
    void setNote(const QString &note);
    QString note() const;
    // A note of this plot's own axes, under the note: why they show no
    // curve. Other plots of the same curves have axes of their own, so it
    // is not part of note().
    void setScaleNote(const QString &note);
    QString scaleNote() const { return m_scaleNote; }

private:
    void buildAxes();
    void buildCurves();
    void buildMarks();
    void stretchMinimumVoltageLine();
    // A line's points, as far as the chart can draw them (see WithinReach).
    void drawLine(QXYSeries *series, const QList<QPointF> &points);
    void keepLinesWithinReach();
    // The large chart draws the branches that the marks bring, refined where
    // they bend; otherwise the run's points.
    bool branchesFromMarks() const;
    void showBranches();
    void placeNote();
    void showNotes();
    QLineSeries *keptSlot(int slot, Curve curve);
    QLineSeries *keptLegendEntry(int place);
    void showKeptLegend(const std::vector<KeptCurves> &cases);

    RegionalSettings m_regional;
    ChartGrid m_grid;
    // Each line's points as given, and the reach they were cut to.
    QHash<QXYSeries *, QList<QPointF>> m_linePoints;
    AxisRanges m_reach;
    ChartMarks m_marks;
    bool m_hasMarks = false;
    QLineSeries *m_curves[3] = {};
    QXYSeries *m_markSeries[kMarkCount] = {};
    std::vector<KeptCurves> m_kept;
    // Per place, its three series (made when first needed) and the case shown.
    std::array<std::array<QLineSeries *, 3>, kMaxKeptCases> m_keptSlots{};
    std::array<int, kMaxKeptCases> m_slotSerials{};
    // Per place and curve, whether its series holds the case's points
    // (drawn, or transparent while the same as the current curve).
    std::array<std::array<bool, 3>, kMaxKeptCases> m_slotFilled{};
    // The legend's entries of the kept cases, oldest first: series without points.
    std::array<QLineSeries *, kMaxKeptCases> m_keptLegend{};
    QValueAxis *m_axisX = nullptr;
    QValueAxis *m_axisY = nullptr;
    QGraphicsSimpleTextItem *m_note = nullptr;
    QString m_noteText;
    QString m_scaleNote;
};

} // namespace tarvilo
