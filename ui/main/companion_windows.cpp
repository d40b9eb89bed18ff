#include "ui/main/companion_windows.h"

#include "ui/chart/large_chart_view.h"
#include "ui/family/family_window.h"
#include "ui/large_chart/large_chart_window.h"
#include "ui/main/export_commands.h"
#include "ui/main/main_window.h"
#include "ui/margins/margins_window.h"
#include "ui/pv_curve/pv_curve_window.h"
#include "ui/units/units_dialog.h"

#include <initializer_list>

namespace tarvilo {
namespace {

// The window while it is open, else null. A closed window lingers until it
// is deleted: it counts as closed.
template <typename Window>
Window *IfOpen(const QPointer<Window> &window)
{
    return window && window->isVisible() ? window.data() : nullptr;
}

// What a case file holds of the window counts while the window is open: its
// opening and its closing change the case as its controls do. A window
// closed is deleted later, when it no longer counts as open.
void FollowedByTheCase(QWidget *window, MainWindow &main)
{
    QObject::connect(
            window, &QObject::destroyed, &main, [&main] { emit main.caseChanged(); }, Qt::QueuedConnection);
}

// One window of each kind: brought forward when it is open, made afresh when
// it is not.
template <typename Window, typename Make>
Window *ShowSingle(QPointer<Window> &window, Make make)
{
    if (!IfOpen(window)) {
        if (window)
            window->deleteLater();
        window = make();
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

} // namespace

CompanionWindows::CompanionWindows(MainWindow &window, const QLocale &locale, const RegionalSettings &regional,
                                   ExportCommands &exports)
    : QObject(&window), m_window(window), m_locale(locale), m_regional(regional), m_exports(exports)
{
}

void CompanionWindows::showLargeChart()
{
    ShowSingle(m_largeChart, [this] {
        auto *window = new LargeChartWindow(m_locale, m_regional, &m_window);
        window->view()->setAccessibleName(QStringLiteral("Gráfico ampliado de las curvas Q-V"));
        window->showChart(m_window.shownCase());
        m_exports.givePictureMenu(window->view());
        connect(&m_window, &MainWindow::shownCaseChanged, window, &LargeChartWindow::showChart);
        return window;
    });
}

void CompanionWindows::showFamily()
{
    ShowSingle(m_family, [this] {
        auto *window = new FamilyWindow(m_locale, m_regional, m_window.inputTexts(), &m_window);
        connect(&m_window, &MainWindow::inputTextsChanged, window, &FamilyWindow::setInputTexts);
        connect(window, &FamilyWindow::choiceChanged, &m_window, &MainWindow::caseChanged);
        FollowedByTheCase(window, m_window);
        window->cmdDibujar_Click();
        return window;
    });
    emit m_window.caseChanged();
}

void CompanionWindows::showPvCurve()
{
    ShowSingle(m_pvCurve, [this] {
        auto *window = new PvCurveWindow(m_locale, m_regional, &m_window);
        if (m_window.shownCase().loaded)
            window->showRun(m_window.shownCase().inputs);
        if (m_window.shownCase().lastRunFailed)
            window->showFailedRun(m_window.shownCase().failedRun);
        connect(&m_window, &MainWindow::caseShown, window, &PvCurveWindow::showRun);
        connect(&m_window, &MainWindow::runFailed, window, &PvCurveWindow::showFailedRun);
        return window;
    });
}

void CompanionWindows::showMargins()
{
    ShowSingle(m_margins, [this] {
        auto *window = new MarginsWindow(m_regional, &m_window);
        const ShownCase &shown = m_window.shownCase();
        window->setPhysicalBases(shown.physicalBases);
        if (shown.loaded)
            window->showRun(shown.inputs, shown.results);
        if (shown.lastRunFailed)
            window->showFailedRun(shown.failedRun);
        // The bases come with the case shown, before its run is.
        connect(&m_window, &MainWindow::shownCaseChanged, window,
                [window](const ShownCase &shown) { window->setPhysicalBases(shown.physicalBases); });
        connect(&m_window, &MainWindow::caseShown, window, &MarginsWindow::showRun);
        connect(&m_window, &MainWindow::runFailed, window, &MarginsWindow::showFailedRun);
        connect(window, &MarginsWindow::applyRequested, &m_window, &MainWindow::applyInput);
        connect(window, &MarginsWindow::sizingChanged, &m_window, &MainWindow::caseChanged);
        FollowedByTheCase(window, m_window);
        return window;
    });
    emit m_window.caseChanged();
}

void CompanionWindows::showUnits()
{
    if (!m_units) {
        m_units = new UnitsDialog(m_regional, &m_window);
        connect(m_units, &UnitsDialog::applyRequested, &m_window,
                [this](const QvInputs &inputs, const PhysicalBases &bases, bool keep) {
                    m_window.applyInputs(inputs, bases, keep);
                });
        connect(m_units, &UnitsDialog::dataChanged, &m_window, &MainWindow::caseChanged);
        emit m_window.caseChanged(); // the case now holds the physical data
    }
    m_units->show();
    m_units->raise();
    m_units->activateWindow();
}

LargeChartWindow *CompanionWindows::largeChart() const
{
    return IfOpen(m_largeChart);
}

FamilyWindow *CompanionWindows::family() const
{
    return IfOpen(m_family);
}

PvCurveWindow *CompanionWindows::pvCurve() const
{
    return IfOpen(m_pvCurve);
}

MarginsWindow *CompanionWindows::margins() const
{
    return IfOpen(m_margins);
}

void CompanionWindows::closeAll()
{
    for (QWidget *window : std::initializer_list<QWidget *>{ m_largeChart, m_family, m_pvCurve, m_margins, m_units }) {
        if (window)
            window->close();
    }
}

void CompanionWindows::addTo(CaseDocument &document) const
{
    if (const FamilyWindow *window = family()) {
        const FamilyWindow::Choice choice = window->choice();
        document.family = CaseFamily{ choice.quantity, BoxValueOf(choice.first, m_regional),
                                      BoxValueOf(choice.last, m_regional), choice.count };
    }
    if (m_units)
        document.units = m_units->caseUnits();
    if (const MarginsWindow *window = margins()) {
        const MarginsWindow::Sizing sizing = window->sizing();
        document.sizing = CaseSizing{ sizing.target, BoxValueOf(sizing.goal, m_regional), sizing.input };
    }
}

void CompanionWindows::restore(const CaseDocument &document)
{
    if (document.family) {
        const CaseFamily &choice = *document.family;
        showFamily();
        m_family->setChoice(
                { choice.quantity, BoxText(choice.first, m_regional), BoxText(choice.last, m_regional), choice.count });
        m_family->cmdDibujar_Click();
    }
    if (document.units) {
        showUnits();
        m_units->setCaseUnits(*document.units);
    }
    if (document.sizing) {
        showMargins();
        m_margins->setSizing(
                { document.sizing->target, BoxText(document.sizing->goal, m_regional), document.sizing->input });
        m_margins->cmdBuscar_Click();
    }
}

} // namespace tarvilo
