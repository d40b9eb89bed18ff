// One computing pass (critical point, both sweeps, operating points) and one
// write of the curve file. Targets on a 2-core machine: the pass under
// 10 microseconds, the file under 1 millisecond. Also the margins of a case and a
// closed-form goal seek, each under the pass, and a goal seek by bisection (some 64
// evaluations of the target in twice the precision) under 1 millisecond.
#include "core/goal_seek.h"
#include "core/operating_points.h"
#include "core/qv_model.h"
#include "core/stability_margins.h"
#include "output/curve_file.h"
#include "tests/support/default_inputs.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

using namespace tarvilo;
using testing::DefaultCase;
using testing::DefaultCurves;

void ComputingPass(benchmark::State &state)
{
    const QvInputs inputs = DefaultCase();
    QvResults results;
    QvCurves curves;
    for (auto _ : state) {
        ComputeCriticalPoint(inputs, results);
        SweepSystemCharacteristic(inputs, results, curves);
        SweepLoadCharacteristic(inputs, curves);
        SolveOperatingPoints(inputs, results);
        benchmark::DoNotOptimize(curves);
        benchmark::DoNotOptimize(results);
    }
}
BENCHMARK(ComputingPass);

void Margins(benchmark::State &state)
{
    const QvInputs inputs = DefaultCase();
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComputeStabilityMargins(inputs));
    }
}
BENCHMARK(Margins);

void GoalSeekClosedForm(benchmark::State &state)
{
    const QvInputs inputs = DefaultCase();
    for (auto _ : state) {
        benchmark::DoNotOptimize(SeekGoal(inputs, GoalTarget::V2sup, 1.0, GoalInput::Qcap));
    }
}
BENCHMARK(GoalSeekClosedForm);

void GoalSeekBisection(benchmark::State &state)
{
    const QvInputs inputs = testing::Inputs(0.1, 0.0, 1.0, 1.0, -2.0, 0.0);
    for (auto _ : state) {
        benchmark::DoNotOptimize(SeekGoal(inputs, GoalTarget::MargenP, 3.0, GoalInput::Pcarga));
    }
}
BENCHMARK(GoalSeekBisection);

// The longest search: X for Margen Q2 without a shunt, each step a margin in
// about 106 bits, over the whole range of the doubles.
void GoalSeekBisectionX(benchmark::State &state)
{
    const QvInputs inputs = testing::Inputs(0.1, 0.0, 1.0, 1.0, 0.5, 0.0);
    for (auto _ : state) {
        benchmark::DoNotOptimize(SeekGoal(inputs, GoalTarget::MargenQ2, 1e-300, GoalInput::X));
    }
}
BENCHMARK(GoalSeekBisectionX);

void CurveFileWrite(benchmark::State &state)
{
    const QvCurves curves = DefaultCurves();
    const auto folder = std::filesystem::temp_directory_path() / "tarvilo-bench";
    std::filesystem::create_directories(folder);
    const std::string path = (folder / kCurveFileName).string();
    for (auto _ : state) {
        WriteCurveFile(curves, PointSettings(), path);
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(CurveFileWrite)->Unit(benchmark::kMicrosecond);

void CurveFileText(benchmark::State &state)
{
    const QvCurves curves = DefaultCurves();
    for (auto _ : state) {
        benchmark::DoNotOptimize(tarvilo::CurveFileText(curves, PointSettings()));
    }
}
BENCHMARK(CurveFileText)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
