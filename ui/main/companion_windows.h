#pragma once

#include "core/regional_settings.h"
#include "document/case_file.h"

#include <QLocale>
#include <QObject>
#include <QPointer>

namespace tarvilo {

class ExportCommands;
class FamilyWindow;
class LargeChartWindow;
class MarginsWindow;
class MainWindow;
class PvCurveWindow;
class UnitsDialog;

// The windows opened from the main window, one of each kind: the large
// chart, the family of curves, the P-V curve, the margins and compensation
// and the physical units. A chart window is brought forward when it is open
// and made afresh when it is not; it follows the main window through its
// signals, and closes with it. The units dialog, closed, keeps what it holds
// and is shown again.
class CompanionWindows : public QObject
{
public:
    CompanionWindows(MainWindow &window, const QLocale &locale, const RegionalSettings &regional,
                     ExportCommands &exports);

    void showLargeChart();
    void showFamily();
    void showPvCurve();
    void showMargins();
    void showUnits();

    // Each while it is open, else null.
    LargeChartWindow *largeChart() const;
    FamilyWindow *family() const;
    PvCurveWindow *pvCurve() const;
    MarginsWindow *margins() const;

    void closeAll();

    // What a case file holds of these windows: the family and the sizing
    // while their windows are open, the physical data once entered.
    void addTo(CaseDocument &document) const;
    // Opens the windows the case holds with its choices, then draws the
    // family and searches the sizing as their buttons do.
    void restore(const CaseDocument &document);

private:
    MainWindow &m_window;
    QLocale m_locale;
    RegionalSettings m_regional;
    ExportCommands &m_exports;
    QPointer<LargeChartWindow> m_largeChart;
    QPointer<FamilyWindow> m_family;
    QPointer<PvCurveWindow> m_pvCurve;
    QPointer<MarginsWindow> m_margins;
    QPointer<UnitsDialog> m_units;
};

} // namespace tarvilo
