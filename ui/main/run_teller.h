#pragma once

#include "core/qv_types.h"
#include "core/regional_settings.h"
#include "core/run_fault.h"

#include <QMessageBox>
#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <utility>

class QWidget;

namespace tarvilo {

class WindowNotes;

// How the main window tells what its runs find: in a message box after a
// command, in its notes while a held key steps a box (a box per step would
// swallow the key's repeats). A curve file that cannot be written is told
// once for each reason, in a box after the command when no other box came,
// and in a note while the file fails.
class RunTeller
{
public:
    RunTeller(QWidget &window, WindowNotes &notes, const RegionalSettings &regional);

    // Runs one command of the user's (or one step's run).
    void command(const std::function<void()> &body, bool byStep = false);
    bool byStep() const { return m_byStep; }

    void tell(QMessageBox::Icon icon, const QString &message);
    // A run that stopped at a fault: inputs when it had read them all;
    // crossing, whether its curves were found to cross.
    void tellFault(const RunFault &fault, const QvInputs *inputs, bool crossing);
    // A run that ran out of memory (for a label of hundreds of thousands of digits, say).
    void tellTooLarge();
    // The run's own note, "" for none.
    void note(const QString &text);

    void curveFileFailed(const RunFault &fault);
    void curveFileWritten();

private:
    QWidget &m_window;
    WindowNotes &m_notes;
    RegionalSettings m_regional;
    bool m_byStep = false;
    int m_boxesShown = 0;
    // The curve file's failure last told (its path and reason), and the box
    // that tells a new one once the command's runs are done.
    std::optional<std::pair<std::string, FileFailure>> m_toldFileFailure;
    QString m_fileFailureBox;
};

} // namespace tarvilo
