#include "ui/large_chart/large_chart_window.h"

#include "ui/chart/large_chart_view.h"
#include "ui/chart/qv_chart_view.h"
#include "ui/common/companion_window.h"
#include "ui/common/screen_fit.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvilo {

LargeChartWindow::LargeChartWindow(const QLocale &locale, const RegionalSettings &regional, QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    SetUpCompanionWindow(this, QStringLiteral("frmGrafico"), QStringLiteral("Gráfico ampliado - Tarvilo"));

    m_view = new LargeChartView(locale, regional, this);
    m_cmdEjesPrincipales = new QPushButton(QStringLiteral("&Ejes del gráfico principal"), this);
    m_cmdEjesPrincipales->setObjectName(QStringLiteral("cmdEjesPrincipales"));
    m_cmdEjesPrincipales->setAutoDefault(false);
    auto *hint = new QLabel(QStringLiteral("Rueda del ratón o arrastre: ampliar. Doble clic o Esc: ver todo."), this);
    hint->setObjectName(QStringLiteral("lblAyuda"));

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_cmdEjesPrincipales);
    buttons->addWidget(hint, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_view, 1);
    layout->addLayout(buttons);
    resize(900, 640);
    FitWindowToScreen(this);

    connect(m_cmdEjesPrincipales, &QPushButton::clicked, this, [this] { cmdEjesPrincipales_Click(); });
}

void LargeChartWindow::showChart(const ShownCase &shown)
{
    m_view->setPhysicalBases(shown.physicalBases);
    m_view->follow(shown);
    m_view->setAccessibleDescription(shown.description);
}

void LargeChartWindow::cmdEjesPrincipales_Click()
{
    m_view->showMainAxes();
}

} // namespace tarvilo
