#include "ui/main/run_teller.h"

#include "output/curve_file.h"
#include "ui/common/fault_message.h"
#include "ui/common/message_box.h"
#include "ui/main/window_notes.h"

namespace tarvilo {

RunTeller::RunTeller(QWidget &window, WindowNotes &notes, const RegionalSettings &regional)
    : m_window(window), m_notes(notes), m_regional(regional)
{
}

void RunTeller::command(const std::function<void()> &body, bool byStep)
{
    const int boxesBefore = m_boxesShown;
    const bool outer = m_byStep;
    m_byStep = byStep || outer; // a command within a step is part of it
    const struct AfterCommand
    {
        RunTeller *teller;
        int boxesBefore;
        bool outer;
        ~AfterCommand()
        {
            // One box for one command: after another box the note tells.
            if (!teller->m_fileFailureBox.isEmpty() && teller->m_boxesShown == boxesBefore)
                ShowMessageBox(&teller->m_window, QMessageBox::Warning, teller->m_fileFailureBox);
            teller->m_fileFailureBox.clear();
            teller->m_byStep = outer;
        }
    } afterCommand{ this, boxesBefore, outer };
    body();
}

void RunTeller::tell(QMessageBox::Icon icon, const QString &message)
{
    if (m_byStep) {
        note(QString(message).replace(QStringLiteral("\n\n"), QStringLiteral(" ")));
        return;
    }
    ++m_boxesShown;
    ShowMessageBox(&m_window, icon, message);
}

void RunTeller::tellFault(const RunFault &fault, const QvInputs *inputs, bool crossing)
{
    QString message = FaultMessage(fault, m_regional, inputs);
    // A run that stops at the chart has already found whether the curves
    // cross: one box tells both.
    if (fault.step() == RunStep::LoadChart && !crossing)
        message += QStringLiteral("\n\nNo existe punto de solución: las características no se cortan.");
    tell(QMessageBox::Warning, message);
}

void RunTeller::tellTooLarge()
{
    tell(QMessageBox::Warning,
         QStringLiteral("No se pudo completar el cálculo: los valores de entrada son "
                        "demasiado grandes para representarlos."));
}

void RunTeller::note(const QString &text)
{
    m_notes.set(WindowNotes::Kind::Run, text);
}

void RunTeller::curveFileFailed(const RunFault &fault)
{
    // The run goes on without the file: the results, the chart and the
    // exports need none of it. The note stays while the file fails; a new
    // reason is told once, in a box after "Calcular".
    m_notes.set(WindowNotes::Kind::CurveFile,
                QStringLiteral("No se pudo escribir %1: %2.")
                        .arg(QString::fromLatin1(kCurveFileName), FileFailureText(fault.fileFailure())));
    std::pair reason(fault.path(), fault.fileFailure());
    if (reason == m_toldFileFailure)
        return;
    m_toldFileFailure = std::move(reason);
    if (!m_byStep)
        m_fileFailureBox =
                QStringLiteral("%1\n\nEl cálculo sigue sin el archivo.").arg(FaultDescription(fault, m_regional));
}

void RunTeller::curveFileWritten()
{
    m_notes.set(WindowNotes::Kind::CurveFile, QString());
    m_toldFileFailure.reset();
}

} // namespace tarvilo
