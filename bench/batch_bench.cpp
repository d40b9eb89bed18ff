// A batch of a million cases: the whole "--lote" (reading, calculation,
// writing to /dev/null) against a plain loop of CalculateCase over the same
// inputs, in rows per second of CPU time, and their ratio. Target on a
// 2-core machine: a million rows in at most 3 s on one core.
#include "cli/batch_command.h"
#include "core/single_case.h"

#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

using namespace tarvilo;

constexpr int kRows = 1000000;

// Loads around the default case: two in five have no operating point.
const std::vector<QvInputs> &Cases()
{
    static const std::vector<QvInputs> cases = [] {
        std::mt19937_64 random(26);
        std::uniform_real_distribution<double> unit(0.0, 1.0);
        std::vector<QvInputs> all(kRows);
        for (QvInputs &inputs : all) {
            inputs.X = 0.01 + 0.09 * unit(random);
            inputs.B = 5 * unit(random);
            inputs.Uinf = 0.9 + 0.2 * unit(random);
            inputs.Pcarga = -5 + 25 * unit(random);
            inputs.Qcarga = -2 + 7 * unit(random);
            inputs.Qcap = unit(random);
        }
        return all;
    }();
    return cases;
}

const std::string &InputFile()
{
    static const std::string path = [] {
        const std::string file = (std::filesystem::temp_directory_path() / "tarvilo-batch-bench.csv").string();
        std::ofstream out(file, std::ios::binary);
        out << "X;B;Uinf;Pcarga;Qcarga;Qcap\n";
        char digits[32];
        for (const QvInputs &inputs : Cases()) {
            const char *separator = "";
            for (const double value : { inputs.X, inputs.B, inputs.Uinf, inputs.Pcarga, inputs.Qcarga, inputs.Qcap }) {
                out << separator;
                out.write(digits, std::to_chars(std::begin(digits), std::end(digits), value).ptr - digits);
                separator = ";";
            }
            out << '\n';
        }
        return file;
    }();
    return path;
}

void WholeBatch(benchmark::State &state)
{
    const std::string &path = InputFile();
    const int sink = open("/dev/null", O_WRONLY);
    for (auto _ : state) {
        const int input = open(path.c_str(), O_RDONLY);
        const BatchEnd end = ProcessBatch(input, sink, { CommaSettings(), false, nullptr });
        close(input);
        if (end.status != BatchEnd::Status::Done || end.rows != kRows || end.unread != 0)
            state.SkipWithError("the batch did not read every row");
    }
    close(sink);
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(WholeBatch)->Unit(benchmark::kMillisecond)->Iterations(3);

void CalculateCaseLoop(benchmark::State &state)
{
    const std::vector<QvInputs> &cases = Cases();
    for (auto _ : state) {
        for (const QvInputs &inputs : cases)
            benchmark::DoNotOptimize(CalculateCase(inputs));
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(CalculateCaseLoop)->Unit(benchmark::kMillisecond)->Iterations(3);

// The console's table, then the ratio of the two rates.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            const auto rate = run.counters.find("items_per_second");
            if (rate != run.counters.end())
                m_rates[run.benchmark_name()] = rate->second.value;
        }
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        const double batch = m_rates["WholeBatch/iterations:3"];
        const double loop = m_rates["CalculateCaseLoop/iterations:3"];
        if (batch > 0 && loop > 0) {
            std::printf("rows per second of CPU time: whole batch %.0f, CalculateCase loop %.0f; ratio %.2f\n", batch,
                        loop, batch / loop);
        }
    }

private:
    std::map<std::string, double> m_rates;
};

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::filesystem::remove(InputFile());
    return 0;
}
