#pragma once

#include "core/family.h"
#include "core/regional_settings.h"

#include <QLocale>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace tarvilo {

class XyChartView;

// The input boxes of the main window as numbers, or the first that is none.
struct InputsReading {
    QvInputs inputs;
    std::optional<InputBox> unreadable;
};

// frmFamilia: one quantity takes a range of values, the others come from
// the input boxes; each value's system characteristic (both branches) and
// load characteristic are drawn in a colour ramp with the operating points,
// and a table below gives each value's answers. It changes nothing in the
// main window and writes no "salida.txt".
class FamilyWindow : public QWidget {
    Q_OBJECT

public:
    FamilyWindow(const QLocale& locale, const RegionalSettings& regional, std::function<InputsReading()> readInputs,
                 QWidget* parent = nullptr);

    // Calculates and draws the family of the values chosen.
    void cmdDibujar_Click();

    // The values chosen, the first and last as their boxes show them.
    struct Choice {
        InputBox quantity = InputBox::X;
        QString first;
        QString last;
        int count = 0;
    };
    Choice choice() const;
    void setChoice(const Choice& choice);

    const std::vector<FamilyMember>& family() const { return m_family; }
    QTableWidget* table() const { return m_grdFamilia; }
    XyChartView* chart() const { return m_chart; }

    // The table as tab-separated lines, and as a CSV document.
    QString tableText() const;
    QByteArray tableCsv() const;

private:
    void cboMagnitud_Change();
    void cmdCopiarTabla_Click();
    void cmdGuardarTabla_Click();

    void buildControls();
    void drawFamily();
    // The chart in words, for screen readers.
    void describeChart();
    std::pair<int, int> curvesOf(int index);
    void fillTable();
    QList<QStringList> tableRows(bool exact) const;

    RegionalSettings m_regional;
    std::function<InputsReading()> m_readInputs;
    InputBox m_quantity = InputBox::X;
    std::vector<FamilyMember> m_family;

    QComboBox* m_cboMagnitud = nullptr;
    QLineEdit* m_txtPrimero = nullptr;
    QLineEdit* m_txtUltimo = nullptr;
    QSpinBox* m_spnValores = nullptr;
    QLabel* m_lblAviso = nullptr;
    XyChartView* m_chart = nullptr;
    // Two curves per value, made when first needed and kept for the next
    // drawing: the system characteristic and the load characteristic.
    std::vector<std::pair<int, int>> m_curves;
    int m_points = 0;
    QTableWidget* m_grdFamilia = nullptr;
};

}  // namespace tarvilo
