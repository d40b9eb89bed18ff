#pragma once

#include "core/qv_types.h"
#include "core/regional_settings.h"
#include "core/run_host.h"

#include <QLocale>
#include <QMainWindow>
#include <QMessageBox>

#include <functional>

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace tarvilo {

class QvChart;

// The main window frmInicio: the diagram with the six input boxes, the Q-V
// chart, the results frame, the two buttons and the menus. It owns the run's
// three records and is the calculation run's host.
class MainWindow : public QMainWindow, public RunHost {
    Q_OBJECT

public:
    // Builds the window and runs Form_Load (the default case, calculated),
    // so the window is first shown with results. The locale gives the
    // decimal separator of everything read and written.
    explicit MainWindow(const QLocale& locale, QWidget* parent = nullptr);

    // RunHost
    std::string ReadInputText(InputBox box) override;
    int ReadCheckBoxValue() override;
    void SetLabelCaption(ResultLabel label, const std::string& text) override;
    void WriteCurveFile(const QvCurves& curves) override;
    void RepaintChart(bool agregar) override;
    void ShowNoSolutionMessage() override;
    void LoadChart(double q2crit, const QvCurves& curves) override;

    QLineEdit* inputBox(InputBox box) const { return m_inputs[static_cast<int>(box)]; }
    QLabel* resultLabel(ResultLabel label) const { return m_results[static_cast<int>(label)]; }
    QvChart* chart() const { return m_chart; }

private:
    // Handlers, one per control and event.
    void Form_Load();
    void cmdCalcular_Click();
    void cmdValoresDefault_Click();
    void txtX_Change();
    void txtB_Change();
    void txtUinf_Change();
    void txtPcarga_Change();
    void txtQcarga_Change();
    void txtQcap_Change();
    void mnuSalir_Click();
    void mnuAcercaDe_Click();

    void BuildControls(const QLocale& locale);
    void BuildMenus();
    void ConnectHandlers();
    void CheckInput(InputBox box);
    void LoadDefaultSet(bool commaSet);
    // Runs a handler; a calculation that ends at a fault ends the handler
    // too, and is reported once.
    void Handle(const std::function<void()>& handler);
    // A modal message over the window, caption "tarvilo", one OK button.
    void ShowMessage(QMessageBox::Icon icon, const QString& text);

    RegionalSettings m_regional;
    QvInputs m_qvInputs;
    QvResults m_qvResults;
    QvCurves m_qvCurves;

    QLineEdit* m_inputs[6] = {};
    QLabel* m_results[6] = {};
    QPushButton* m_cmdCalcular = nullptr;
    QPushButton* m_cmdValoresDefault = nullptr;
    QCheckBox* m_chkAgregar = nullptr;
    QGroupBox* m_fraResultados = nullptr;
    QvChart* m_chart = nullptr;
};

}  // namespace tarvilo
