#include "ui/main/export_commands.h"

#include "ui/common/file_saving.h"
#include "ui/common/message_box.h"
#include "ui/main/result_exports.h"
#include "ui/units/physical_results.h"

#include <QAction>
#include <QClipboard>
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
    try {
        command();
    } catch (const std::exception &) {
        ShowMessageBox(&m_window, QMessageBox::Warning,
                       QStringLiteral("No se pudo completar la orden: no queda memoria suficiente."));
    }
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
