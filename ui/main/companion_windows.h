#pragma once

#include "core/regional_settings.h"

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

// The windows opened from the main window, one of each kind: the large
// chart, the family of curves, the P-V curve and the margins and compensation. A window is brought forward
// when it is open and made afresh when it is not; it follows the main
// window through its signals, and closes with it.
class CompanionWindows : public QObject
{
public:
    CompanionWindows(MainWindow &window, const QLocale &locale, const RegionalSettings &regional,
                     ExportCommands &exports);

    void showLargeChart();
    void showFamily();
    void showPvCurve();
    void showMargins();

    // Each while it is open, else null.
    LargeChartWindow *largeChart() const;
    FamilyWindow *family() const;
    PvCurveWindow *pvCurve() const;
    MarginsWindow *margins() const;

    void closeAll();

private:
    MainWindow &m_window;
    QLocale m_locale;
    RegionalSettings m_regional;
    ExportCommands &m_exports;
    QPointer<LargeChartWindow> m_largeChart;
    QPointer<FamilyWindow> m_family;
    QPointer<PvCurveWindow> m_pvCurve;
    QPointer<MarginsWindow> m_margins;
};

} // namespace tarvilo
