#pragma once

#include "ui/chart/axis_ticks.h"
#include "ui/chart/chart_picture.h"
#include "ui/chart/picture_menu.h"
#include "ui/chart/shown_case.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

class QAction;
class QMenu;
class QWidget;

namespace tarvilo {

// The export commands of the main window: "Guardar gráfico como...",
// "Guardar curvas como...", "Exportar informe...", "Copiar gráfico" and
// "Copiar resultados", and
// the pictures of the charts' context menus. Every one is made from what
// the window shows; they are enabled once a run has reached the chart.
class ExportCommands : public QObject
{
    Q_OBJECT

public:
    // The ranges of the large chart while it is open: the pictures show
    // what it shows; else all curves and marks.
    using OpenChartRanges = std::function<std::optional<AxisRanges>()>;

    // The five commands go at the end of menu.
    ExportCommands(QWidget &window, QMenu *menu, const ShownCase &shown, PictureSpelling spelling,
                   OpenChartRanges openChartRanges);

    // The first of the commands on the menu.
    QAction *firstCommand() const { return m_commands.front(); }
    // Gives a chart view the context menu of the pictures, enabled as the commands are.
    void givePictureMenu(QWidget *view);
    void setEnabled(bool enabled);

    // What the report tells beside the shown case: the open case file's
    // path ("" when the case is not saved) and the family window's table as
    // tab-separated lines as it shows it ("" when it is not open).
    using ReportSource = std::function<QString()>;
    void setReportSources(ReportSource casePath, ReportSource familyTable);

    // What the commands do once a file has been chosen: the chart as PNG,
    // SVG or PDF (by the name's ending), the curves as CSV. A file is
    // written whole or not at all; a failure is told. True when written.
    bool saveChart(const QString &path);
    bool saveCurves(const QString &path);
    // The study report as a PDF.
    bool saveReport(const QString &path);

private:
    void mnuGuardarGrafico_Click();
    void mnuGuardarCurvas_Click();
    void mnuExportarInforme_Click();
    void mnuCopiarGrafico_Click();
    void mnuCopiarResultados_Click();

    // Runs a command; a failure (such as no memory left for the picture) is
    // told, and the window goes on.
    void exportCommand(const std::function<void()> &command);
    AxisRanges pictureRanges() const;
    QString caption() const;
    ChartPictures chartPictures() const;

    QWidget &m_window;
    const ShownCase &m_shown;
    PictureSpelling m_spelling;
    OpenChartRanges m_openChartRanges;
    ReportSource m_casePath;
    ReportSource m_familyTable;
    // Those of a chart window go with it.
    std::vector<QPointer<QAction>> m_commands;
    bool m_enabled = false;
};

} // namespace tarvilo
