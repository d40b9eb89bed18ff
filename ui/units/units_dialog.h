#pragma once

#include "core/per_unit.h"
#include "core/qv_types.h"
#include "core/regional_settings.h"
#include "document/case_file.h"

#include <QString>
#include <QWidget>

#include <array>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tarvilo {

// frmUnidades, "Datos en unidades físicas...": the network in kV, MVA, ohm,
// microsiemens, MW and Mvar, and the six per-unit inputs they make, each
// with its formula, worked out as the user types. "Aplicar" hands them to
// the main window; "Un circuito fuera" hands the intact case and then the
// same network with one of its two circuits out, to be kept side by side.
class UnitsDialog : public QWidget
{
    Q_OBJECT

public:
    UnitsDialog(const RegionalSettings &regional, QWidget *parent = nullptr);

    // What the boxes hold and the choices, as a case file keeps them; and
    // back.
    CaseUnits caseUnits() const;
    void setCaseUnits(const CaseUnits &units);

    // The per-unit inputs of the boxes, or none while a box holds no number
    // or a value makes no sense (the reason is shown).
    std::optional<QvInputs> inputs() const { return m_inputs; }

    QLineEdit *box(UnitsBox which) const { return m_boxes[static_cast<size_t>(which)]; }

    void cmdAplicar_Click();
    void cmdCircuitoFuera_Click();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

signals:
    // The inputs to write into the main window's boxes and calculate, with
    // the bases they are in; keepPrevious: keep the case shown until now.
    void applyRequested(const tarvilo::QvInputs &inputs, const tarvilo::PhysicalBases &bases, bool keepPrevious);
    // A box, choice or list now holds something else: what a case file keeps of the dialog.
    void dataChanged();

private:
    void buildBoxes();
    void checkBox(QLineEdit *edit);
    // Reads the boxes, shows the six values or the reason there are none.
    void update();
    std::optional<PhysicalData> readData(QString *problem) const;

    RegionalSettings m_regional;
    std::array<QLineEdit *, kUnitsBoxCount> m_boxes{};
    std::array<QLabel *, kUnitsBoxCount> m_boxCaptions{};
    QRadioButton *m_optPorKm = nullptr;
    QRadioButton *m_optTotales = nullptr;
    QComboBox *m_cboCircuitos = nullptr;
    QRadioButton *m_optPQ = nullptr;
    QRadioButton *m_optFactor = nullptr;
    QComboBox *m_cboTipoFp = nullptr;
    std::array<QLabel *, 6> m_values{};
    std::array<QLabel *, 6> m_formulas{};
    QLabel *m_lblZbase = nullptr;
    QLabel *m_lblAviso = nullptr;
    QPushButton *m_cmdAplicar = nullptr;
    QPushButton *m_cmdCircuitoFuera = nullptr;
    std::optional<PhysicalData> m_data;
    std::optional<QvInputs> m_inputs;
    bool m_sized = false; // sized to its data when first shown
};

// The reason a value makes no sense, in a Spanish sentence.
QString PhysicalFaultText(const PhysicalFault &fault);

} // namespace tarvilo
