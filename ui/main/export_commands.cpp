#include "ui/main/export_commands.h"

#include "ui/common/file_saving.h"
#include "ui/common/message_box.h"
#include "ui/common/qv_margin_text.h"
#include "ui/main/control_table.h"
#include "ui/main/result_exports.h"
#include "ui/report/study_report.h"
#include "ui/units/physical_results.h"

#include <QAction>
#include <QClipboard>
#include <QDate>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>

namespace tarvilo {

ExportCommands::ExportCommands(QWidget &window, QMenu *menu, const ShownCase &shown, PictureSpelling spelling,
                               OpenChartRanges openChartRanges)
    : QObject(&window),
      m_window(window),
      m_shown(shown),
      m_spelling(std::move(spelling)),
      m_openChartRanges(std::move(openChartRanges))
{
    const auto add = [&](const char *name, const QString &text, void (ExportCommands::*handler)()) {
        QAction *action = menu->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
        m_commands.push_back(action);
    };
    add("mnuGuardarGrafico", QStringLiteral("&Guardar gráfico como..."), &ExportCommands::mnuGuardarGrafico_Click);
    add("mnuGuardarCurvas", QStringLiteral("Guardar &curvas como..."), &ExportCommands::mnuGuardarCurvas_Click);
    add("mnuExportarInforme", QStringLiteral("Exportar &informe..."), &ExportCommands::mnuExportarInforme_Click);
    add("mnuCopiarGrafico", QStringLiteral("C&opiar gráfico"), &ExportCommands::mnuCopiarGrafico_Click);
    add("mnuCopiarResultados", QStringLiteral("Copiar &resultados"), &ExportCommands::mnuCopiarResultados_Click);
    setEnabled(false);
}

void ExportCommands::givePictureMenu(QWidget *view)
{
    std::erase_if(m_commands, [](const QPointer<QAction> &command) { return !command; });
    const auto [copyPicture, savePicture] = GivePictureMenu(view, chartPictures());
    for (QAction *command : { copyPicture, savePicture }) {
        command->setEnabled(m_enabled);
        m_commands.push_back(command);
    }
}

void ExportCommands::setEnabled(bool enabled)
{
    m_enabled = enabled;
    for (QAction *command : m_commands) {
        if (command)
            command->setEnabled(enabled);
    }
}

void ExportCommands::mnuGuardarGrafico_Click()
{
    const QString path =
            AskSavePath(&m_window, QStringLiteral("Guardar gráfico como"), QStringLiteral("tarvilo-grafico.png"),
                        { QStringLiteral("Imagen PNG (*.png)"), QStringLiteral("Gráfico vectorial SVG (*.svg)"),
                          QStringLiteral("Documento PDF (*.pdf)") });
    if (!path.isEmpty())
        exportCommand([this, path] { saveChart(path); });
}

void ExportCommands::mnuGuardarCurvas_Click()
{
    const QString path =
            AskSavePath(&m_window, QStringLiteral("Guardar curvas como"), QStringLiteral("tarvilo-curvas.csv"),
                        { QStringLiteral("Valores separados por punto y coma (*.csv)") });
    if (!path.isEmpty())
        exportCommand([this, path] { saveCurves(path); });
}

void ExportCommands::mnuExportarInforme_Click()
{
    const QString path =
            AskSavePath(&m_window, QStringLiteral("Exportar informe"), QStringLiteral("tarvilo-informe.pdf"),
                        { QStringLiteral("Documento PDF (*.pdf)") });
    if (!path.isEmpty())
        exportCommand([this, path] { saveReport(path); });
}

void ExportCommands::setReportSources(ReportSource casePath, ReportSource familyTable)
{
    m_casePath = std::move(casePath);
    m_familyTable = std::move(familyTable);
}

void ExportCommands::mnuCopiarGrafico_Click()
{
    exportCommand([this] {
        QGuiApplication::clipboard()->setImage(ChartImage(m_shown, m_spelling, pictureRanges(), caption()));
    });
}

void ExportCommands::mnuCopiarResultados_Click()
{
    QString table = ResultsTable(m_shown, m_spelling.regional);
    if (m_shown.physicalBases) {
        const ShownResults &frame = m_shown.frame;
        table += PhysicalResultsTable(*m_shown.physicalBases, frame.runInputs, frame.labelInputs, frame.values,
                                      frame.writtenByLastRun, m_spelling.regional);
    }
    QGuiApplication::clipboard()->setText(table);
}

void ExportCommands::exportCommand(const std::function<void()> &command)
{
    RunTold(&m_window, command);
}

bool ExportCommands::saveChart(const QString &path)
{
    const PictureFormat format = PictureFormatOf(path).value_or(PictureFormat::Png);
    return SaveWhole(&m_window, path, ChartPicture(m_shown, m_spelling, pictureRanges(), format, caption()));
}

bool ExportCommands::saveCurves(const QString &path)
{
    return SaveWhole(&m_window, path, CurvesCsv(m_shown, m_spelling.regional));
}

bool ExportCommands::saveReport(const QString &path)
{
    ReportContent content;
    content.shown = m_shown;
    content.spelling = m_spelling;
    content.qvRanges = pictureRanges();
    const QString casePath = m_casePath ? m_casePath() : QString();
    content.caseName = casePath.isEmpty() ? QStringLiteral("sin guardar") : QFileInfo(casePath).fileName();
    content.version = QStringLiteral(TARVILO_VERSION);
    content.date = QLocale(QLocale::Spanish, QLocale::Spain)
                           .toString(QDate::currentDate(), QStringLiteral("d 'de' MMMM 'de' yyyy"));

    const ShownResults &frame = m_shown.frame;
    const auto rowsOf = [](const QString &table) {
        std::vector<ReportRow> rows;
        for (const QString &line : table.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            const QStringList fields = line.split(QLatin1Char('\t'));
            rows.push_back({ fields.value(0), fields.value(1), fields.value(2), fields.value(3) });
        }
        return rows;
    };
    // The inputs as the run read them; the results as the labels show them.
    std::vector<ReportRow> table = rowsOf(ResultsTable(m_shown, m_spelling.regional));
    for (size_t i = 0; i < table.size(); ++i) {
        if (i < std::size(kInputControls)) {
            content.inputs.push_back(table[i]);
            continue;
        }
        const size_t label = i - std::size(kInputControls);
        if (label < std::size(kResultControls)) {
            ReportRow row = table[i];
            row.value = frame.texts[label];
            content.results.push_back(row);
        } else {
            // Margen QV, rounded as the window's values are.
            ReportRow row = table[i];
            row.value = QvMarginValue(ComputeQvMethodMargin(frame.labelInputs), false, m_spelling.regional);
            content.results.push_back(row);
        }
    }
    if (m_shown.physicalBases) {
        QStringList lines = PhysicalResultsTable(*m_shown.physicalBases, frame.runInputs, frame.labelInputs,
                                                 frame.values, frame.writtenByLastRun, m_spelling.regional)
                                    .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        // Its first line names the bases: "En unidades físicas", then each base.
        if (!lines.isEmpty())
            content.physicalBases = lines.takeFirst().split(QLatin1Char('\t')).mid(1).join(QStringLiteral("; "));
        content.physical = rowsOf(lines.join(QLatin1Char('\n')));
    }
    const QString family = m_familyTable ? m_familyTable() : QString();
    for (const QString &line : family.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        content.family.push_back(line.split(QLatin1Char('\t')));
    return SaveWhole(&m_window, path, StudyReport(content));
}

AxisRanges ExportCommands::pictureRanges() const
{
    if (const std::optional<AxisRanges> open = m_openChartRanges())
        return *open;
    return FittedRanges(m_shown);
}

QString ExportCommands::caption() const
{
    return CaseCaption(m_shown.inputs, m_spelling.regional);
}

ChartPictures ExportCommands::chartPictures() const
{
    return { [this] { return ChartImage(m_shown, m_spelling, pictureRanges(), caption()); },
             [this](PictureFormat format) {
                 return ChartPicture(m_shown, m_spelling, pictureRanges(), format, caption());
             },
             QStringLiteral("tarvilo-grafico.png") };
}

} // namespace tarvilo
