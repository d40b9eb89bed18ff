#pragma once

#include "core/family.h"
#include "core/input_reading.h"
#include "core/regional_settings.h"

#include <QLocale>
#include <QWidget>

#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace tarvilo {

class SteppingLineEdit;
class XyChartView;

// frmFamilia: one quantity takes a range of values, the others come from
// the main window's input boxes (whose texts it is told as they change);
// each value's system characteristic (both branches) and load
// characteristic are drawn in a colour ramp with the operating points, and a
// table below gives each value's answers. It changes nothing in the main
// window and writes no "salida.txt".
class FamilyWindow : public QWidget
{
    Q_OBJECT

public:
    // texts: the main window's input boxes as they are now.
    FamilyWindow(const QLocale &locale, const RegionalSettings &regional, const InputBoxTexts &texts,
                 QWidget *parent = nullptr);

    // The main window's input boxes now say this; read at the next drawing.
    void setInputTexts(const InputBoxTexts &texts) { m_texts = texts; }

    // Calculates and draws the family of the values chosen.
    void cmdDibujar_Click();

    // The values chosen, the first and last as their boxes show them.
    struct Choice
    {
        InputBox quantity = InputBox::X;
        QString first;
        QString last;
        int count = 0;
    };
    Choice choice() const;
    void setChoice(const Choice &choice);

    const std::vector<FamilyMember> &family() const { return m_family; }
    QTableWidget *table() const { return m_grdFamilia; }
    XyChartView *chartView() const { return m_chartView; }

    // The table as tab-separated lines, and as a CSV document.
    QString tableText() const;
    // The table as it shows it (values rounded), as tab-separated lines.
    QString shownTableText() const;
    QByteArray tableCsv() const;

signals:
    // The quantity, its first or last value or the number of values now holds something else.
    void choiceChanged();

private:
    void cboMagnitud_Change();
    void cmdCopiarTabla_Click();
    void cmdGuardarTabla_Click();

    void buildControls();
    void keepChartLegible();
    void drawFamily();
    // The chart in words, for screen readers.
    void describeChart();
    std::pair<int, int> curvesOf(int index);
    void fillTable();
    QList<QStringList> tableRows(bool exact) const;
    // The line under a picture of the chart: the inputs kept and the range.
    QString pictureCaption() const;

    RegionalSettings m_regional;
    InputBoxTexts m_texts;
    InputBox m_quantity = InputBox::X;
    std::vector<FamilyMember> m_family;

    QComboBox *m_cboMagnitud = nullptr;
    SteppingLineEdit *m_txtPrimero = nullptr; // Up, Down and the wheel step them
    SteppingLineEdit *m_txtUltimo = nullptr;
    QSpinBox *m_spnValores = nullptr;
    QLabel *m_lblAviso = nullptr;
    XyChartView *m_chartView = nullptr;
    // Two curves per value, made when first needed and kept for the next
    // drawing: the system characteristic and the load characteristic.
    std::vector<std::pair<int, int>> m_curves;
    int m_points = 0;
    QTableWidget *m_grdFamilia = nullptr;
};

} // namespace tarvilo
