#pragma once

#include "core/regional_settings.h"
#include "ui/chart/shown_case.h"

#include <QLocale>
#include <QWidget>

class QPushButton;

namespace tarvilo {

class LargeChartView;

// frmGrafico: the Q-V chart as large as the user wants it, with a legend,
// following every run of the main window while it is open. It fits
// everything by default; a button shows the main chart's axes instead.
class LargeChartWindow : public QWidget
{
    Q_OBJECT

public:
    LargeChartWindow(const QLocale &locale, const RegionalSettings &regional, QWidget *parent = nullptr);

    // Shows what the main window shows, and says it to screen readers.
    void showChart(const ShownCase &shown);

    LargeChartView *view() const { return m_view; }

private:
    void cmdEjesPrincipales_Click();

    LargeChartView *m_view = nullptr;
    QPushButton *m_cmdEjesPrincipales = nullptr;
};

} // namespace tarvilo
