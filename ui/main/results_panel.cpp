#include "ui/main/results_panel.h"

#include "ui/common/result_look.h"
#include "ui/common/text_breaking.h"
#include "ui/common/twips_layout.h"
#include "ui/common/value_label.h"
#include "ui/main/control_table.h"

#include <QLabel>
#include <QScreen>
#include <QToolTip>

#include <vector>

namespace tarvilo {
namespace {

// A tooltip too long for one line of the screen (a value of hundreds of
// digits), broken into lines that each fit on it.
QString InScreenLines(const QLabel *value, const QString &text)
{
    const QFontMetrics metrics(QToolTip::font());
    const QScreen *screen = value->screen();
    // Room for the tooltip's frame and margins.
    const int room = (screen ? screen->availableGeometry().width() : 640) * 3 / 4;
    return BrokenIntoLines(text, metrics, room);
}

// A value wider than its label shows whole in its tooltip; one of the
// previous calculation says so first.
QString ToolTipOf(const QLabel *value, bool previous)
{
    const bool cut = value->fontMetrics().horizontalAdvance(value->text()) > value->width();
    const QString whole = cut ? value->text() : QString();
    if (!previous)
        return InScreenLines(value, whole);
    return InScreenLines(
            value, QStringLiteral("Valor del cálculo anterior") + (cut ? QStringLiteral(": ") + whole : QString()));
}

} // namespace

ResultsPanel::ResultsPanel(QWidget *client) : QGroupBox(QStringLiteral("Resultados"), client)
{
    Place(this, "fraResultados", Twips(5640, 3120, 3135, 2895));
    // The value labels (empty until a run writes them), from the bottom row
    // up, then their titles, each value lying in front of its title.
    std::vector<QWidget *> order;
    for (auto it = std::rbegin(kResultControls); it != std::rend(kResultControls); ++it) {
        QLabel *value =
                MakeLabel(this, it->name, QString(), Twips(kResultValueLeft, it->top, kResultWidth, kResultHeight));
        MakeSelectableByMouse(value); // to copy a value
        m_values[static_cast<size_t>(it->label)] = value;
        order.push_back(value);
    }
    for (const ResultControl &row : kResultControls) {
        QLabel *title = MakeLabel(this, row.titleName, QString::fromUtf8(row.title),
                                  Twips(kResultTitleLeft, row.top, row.titleWidth, kResultHeight));
        title->setToolTip(QString::fromUtf8(row.tooltip));
        title->setAccessibleDescription(title->toolTip());
        // A screen reader names each value by its title.
        QLabel *value = label(row.label);
        title->setBuddy(value);
        MakeValueLabel(value, title->text());
        value->setAccessibleDescription(title->toolTip());
        order.push_back(title);
    }
    StackEarlierInFront(order);
    // Grey halfway between the text and the background: readable under a
    // light or a dark desktop theme, and after a change from one to the other.
    m_look = new ResultLook(this);

    // Above the frame, where the hidden check box stands: what the greyed values are.
    m_previousNote = MakeLabel(client, "lblResultadosAnteriores",
                               QStringLiteral("En gris: valores del cálculo anterior"), Twips(5640, 2760, 3135, 315));
    m_previousNote->hide();
}

void ResultsPanel::showValue(ResultLabel label, const ShownResults &results)
{
    QLabel *value = this->label(label);
    value->setText(results.texts[static_cast<size_t>(label)]);
    value->setToolTip(ToolTipOf(value, false));
    TellValueChanged(value);
}

void ResultsPanel::show(const ShownResults &results)
{
    bool anyPrevious = false;
    for (const ResultLabel label : kResultLabels) {
        const auto index = static_cast<size_t>(label);
        QLabel *value = this->label(label);
        const bool previous = !results.writtenByLastRun[index] && !results.texts[index].isEmpty();
        anyPrevious = anyPrevious || previous;
        m_look->showValue(value, previous);
        value->setToolTip(ToolTipOf(value, previous));
    }
    // Greyed only once it shows: that looks its italic face up, which a
    // start-up with every value new needs not load.
    if (anyPrevious)
        m_look->show(m_previousNote, true);
    m_previousNote->setVisible(anyPrevious);
}

} // namespace tarvilo
