#pragma once

#include "core/run_host.h"
#include "ui/chart/shown_case.h"

#include <QGroupBox>

#include <array>
#include <iterator>

class QLabel;

namespace tarvilo {

class ResultLook;

// The results frame fraResultados: the twelve values under their titles,
// the values a run did not reach greyed as the previous calculation's (and
// the note lblResultadosAnteriores above the frame that says so), the whole
// text of a value cut off in its tooltip, and the name, value and note of
// each for screen readers.
class ResultsPanel : public QGroupBox
{
public:
    // The frame and its note in their places on the window's client area.
    explicit ResultsPanel(QWidget *client);

    QLabel *label(ResultLabel label) const { return m_values[static_cast<size_t>(label)]; }
    // The note over the frame, for the window's stacking of its controls.
    QLabel *previousNote() const { return m_previousNote; }

    // A value the run has just written.
    void showValue(ResultLabel label, const ShownResults &results);
    // The whole frame once a run is over: what it did not write is greyed.
    void show(const ShownResults &results);

private:
    std::array<QLabel *, std::size(kResultLabels)> m_values{};
    QLabel *m_previousNote = nullptr;
    ResultLook *m_look = nullptr;
};

} // namespace tarvilo
