#pragma once

#include "core/goal_seek.h"
#include "core/per_unit.h"
#include "core/qv_types.h"
#include "core/regional_settings.h"
#include "core/run_host.h"

#include <QString>
#include <QWidget>

#include <optional>
#include <vector>

class QComboBox;
class QGridLayout;
class QLabel;
class QPushButton;

namespace tarvilo {

class ResultLook;
class SteppingLineEdit;

// frmMargenes: how far the case on the main chart lies from voltage
// collapse (margins, sensitivities and the index L at its operating
// points), and the value of one input that brings a margin to a goal, with
// the sized case beside the present one. It follows every run of the main
// window while it is open; "Aplicar" asks the main window to take the value
// found and calculate.
class MarginsWindow : public QWidget
{
    Q_OBJECT

public:
    MarginsWindow(const RegionalSettings &regional, QWidget *parent = nullptr);

    // A run reached the main chart with this case.
    void showRun(const QvInputs &inputs, const QvResults &results);
    // A run that did not complete: the previous case stays, noted.
    void showFailedRun(const std::optional<QvInputs> &inputs);
    // While the main window's boxes hold physical data, its bases: the
    // margins are also given in Mvar, MW and kV. None for per unit alone.
    void setPhysicalBases(const std::optional<PhysicalBases> &bases);

    // The sizing as "Objetivo", its value and "Variar" hold it, for the case file.
    struct Sizing
    {
        GoalTarget target = GoalTarget::MargenQ2;
        QString goal; // the box's text
        GoalInput input = GoalInput::Qcap;
    };
    Sizing sizing() const;
    void setSizing(const Sizing &sizing);

    void cmdBuscar_Click();
    void cmdAplicar_Click();
    void cmdCopiar_Click();

signals:
    // "Aplicar": the value found, as the box is to hold it.
    void applyRequested(tarvilo::InputBox box, const QString &text);
    // "Objetivo", its value or "Variar" now holds something else.
    void sizingChanged();

private:
    struct Row
    {
        QString name;
        QString unit;
        QLabel *value = nullptr;
        QLabel *physical = nullptr; // the value in physical units, while there are bases
        QLabel *current = nullptr; // in the sizing table
        QLabel *sized = nullptr;
    };
    Row addRow(QGridLayout *grid, int row, const char *name, const QString &title, const QString &meaning);
    void showMargins();
    // Marks the values as the previous calculation's, greyed and told to
    // screen readers, or clears the mark.
    void markValues();
    void showSizing();
    void clearSizing(const QString &sentence);
    void setNote(const QString &text);
    QString tablesText() const;

    RegionalSettings m_regional;
    std::optional<QvInputs> m_inputs; // the case shown
    std::optional<PhysicalBases> m_bases;
    QvResults m_results;
    bool m_searched = false; // "Buscar" was pressed: each run searches again

    std::vector<Row> m_rows; // the operating-point table
    std::vector<Row> m_sizingRows; // the sizing table
    QLabel *m_lblNota = nullptr;
    ResultLook *m_look = nullptr; // the previous calculation's values greyed
    bool m_showsPrevious = false; // the last run did not complete
    QComboBox *m_cboObjetivo = nullptr;
    SteppingLineEdit *m_txtObjetivo = nullptr;
    QComboBox *m_cboVariar = nullptr;
    QPushButton *m_cmdBuscar = nullptr;
    QPushButton *m_cmdAplicar = nullptr;
    QLabel *m_lblResultado = nullptr;
    QLabel *m_lblVariadaTit = nullptr;
    QLabel *m_lblBankTit = nullptr; // "Qcap·V2sup²", shown where Qcap is varied
    std::optional<double> m_found; // the value found for the input varied
    GoalInput m_foundInput = GoalInput::Qcap;
};

} // namespace tarvilo
