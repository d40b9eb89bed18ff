#include "core/calculation_run.h"

#include "core/input_reading.h"
#include "core/number_format.h"
#include "core/operating_points.h"
#include "core/qv_model.h"
#include "core/run_fault.h"

namespace tarvilo {
namespace {

void ShowValue(RunHost &host, ResultLabel label, double value, const RegionalSettings &regional)
{
    host.setLabelCaption(label, FormatWithPattern(value, kLabelPattern, regional));
}

} // namespace

void RunCalculation(RunHost &host, const RegionalSettings &regional, QvInputs &inputs, QvResults &results,
                    QvCurves &curves)
{
    // 1. Inputs.
    const InputsReading reading = ReadInputs([&host](InputBox box) { return host.readInputText(box); }, regional);
    for (const InputBox box : kInputBoxes) {
        if (box == reading.unreadable)
            throw RunFault::unreadableInput(box);
        ValueOf(inputs, box) = ValueOf(reading.inputs, box);
    }
    inputs.Agregar = host.readCheckBoxValue() != 0;

    // 2-3. The nose, the margin and the minimum voltage.
    ComputeCriticalPoint(inputs, results);
    ShowValue(host, ResultLabel::MargenQ2, results.MargenQ2, regional);
    ShowValue(host, ResultLabel::V2min, results.V2min, regional);

    // 4-6. Both characteristics, written out before the operating points.
    SweepSystemCharacteristic(inputs, results, curves);
    SweepLoadCharacteristic(inputs, curves);
    host.WriteCurveFile(curves);

    // 7-8. The operating points, or "Error" in all four labels.
    SolveOperatingPoints(inputs, results);
    if (results.HasSolution) {
        ShowValue(host, ResultLabel::V2sup, results.V2sup, regional);
        ShowValue(host, ResultLabel::Q2sup, results.Q2sup, regional);
        ShowValue(host, ResultLabel::V2inf, results.V2inf, regional);
        ShowValue(host, ResultLabel::Q2inf, results.Q2inf, regional);
    } else {
        for (const ResultLabel label :
             { ResultLabel::V2sup, ResultLabel::Q2sup, ResultLabel::V2inf, ResultLabel::Q2inf }) {
            host.setLabelCaption(label, kErrorText);
        }
    }

    // 9-11. The chart keeps showing the previous curves while the message is
    // open and is reloaded once it has been closed.
    host.RepaintChart(inputs.Agregar);
    if (!results.HasSolution)
        host.showNoSolutionMessage();
    host.LoadChart(results.Q2crit, curves);
}

} // namespace tarvilo
