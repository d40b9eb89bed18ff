// Fuzzes a whole calculation run with six arbitrary texts (separated by
// newlines; the first byte picks the regional settings). Checked: the run
// completes or ends at a computing step; no label is empty, "nan" or "inf";
// every curve value handed on is finite.
#include "core/calculation_run.h"
#include "core/run_fault.h"
#include "fuzz_settings.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace tarvilo;

class CheckingHost : public RunHost
{
public:
    explicit CheckingHost(std::vector<std::string> texts) : m_texts(std::move(texts)) { }

    std::string readInputText(InputBox box) override { return m_texts[static_cast<size_t>(box)]; }
    int readCheckBoxValue() override { return 0; }
    void setLabelCaption(ResultLabel, const std::string &text) override
    {
        if (text.empty() || text.find("nan") != std::string::npos || text.find("inf") != std::string::npos) {
            std::abort();
        }
    }
    void WriteCurveFile(const QvCurves &curves) override { CheckFinite(curves); }
    void RepaintChart(bool) override { }
    void showNoSolutionMessage() override { }
    void LoadChart(double q2crit, const QvCurves &curves) override
    {
        if (!std::isfinite(q2crit))
            std::abort();
        CheckFinite(curves);
        completed = true;
    }
    bool completed = false;

private:
    static void CheckFinite(const QvCurves &curves)
    {
        for (const QvCurves::Curve *curve : { &curves.q2, &curves.vu, &curves.vl, &curves.v2, &curves.qcapr }) {
            for (int i = 1; i <= kCurvePoints; ++i) {
                if (!std::isfinite((*curve)[i]))
                    std::abort();
            }
        }
    }

    std::vector<std::string> m_texts;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const RegionalSettings regional = fuzz::SettingsFor(data[0]);
    std::vector<std::string> texts(6);
    size_t box = 0;
    for (size_t i = 1; i < size && box < 6; ++i) {
        if (data[i] == '\n') {
            ++box;
        } else {
            texts[box] += static_cast<char>(data[i]);
        }
    }
    CheckingHost host(texts);
    QvInputs inputs;
    QvResults results;
    QvCurves curves;
    try {
        RunCalculation(host, regional, inputs, results, curves);
        if (!host.completed)
            std::abort();
    } catch (const RunFault &fault) {
        switch (fault.step()) {
        case RunStep::ReadInputs:
        case RunStep::CriticalPoint:
        case RunStep::SystemSweep:
        case RunStep::LoadSweep:
        case RunStep::OperatingPoints:
            break;
        default:
            std::abort();
        }
        if (fault.cause() == FaultCause::FileNotWritten || fault.cause() == FaultCause::BeyondChartScale)
            std::abort();
    }
    return 0;
}
