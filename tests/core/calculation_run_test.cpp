#include "core/calculation_run.h"

#include "core/run_fault.h"
#include "recording_host.h"
#include "tests/support/default_inputs.h"
#include "tests/support/expect_fault.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tarvilo {
namespace {

using testing::InputTexts;
using testing::RecordingHost;

const std::vector<std::string> kReads = { "read txtX",      "read txtB",    "read txtUinf",   "read txtPcarga",
                                          "read txtQcarga", "read txtQcap", "read chkAgregar" };

std::vector<std::string> Concat(std::vector<std::vector<std::string>> parts)
{
    std::vector<std::string> all;
    for (auto &part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

struct RunCase
{
    const char *name;
    std::map<InputBox, std::string> texts;
    RegionalSettings regional;
    std::vector<std::string> events;
    std::optional<RunStep> faultStep;
    FaultCause cause = FaultCause::UnreadableInput; // when it ends at a fault
};

void PrintTo(const RunCase &c, std::ostream *out)
{
    *out << c.name;
}

class RunOrder : public ::testing::TestWithParam<RunCase>
{
};

TEST_P(RunOrder, CallsTheHostInStepOrderAndStopsAtAFault)
{
    const RunCase &c = GetParam();
    RecordingHost host(c.texts);
    QvInputs inputs;
    QvResults results;
    QvCurves curves;
    std::optional<RunStep> faultStep;
    try {
        RunCalculation(host, c.regional, inputs, results, curves);
    } catch (const RunFault &fault) {
        faultStep = fault.step();
        EXPECT_EQ(fault.cause(), c.cause);
        if (fault.cause() == FaultCause::UnreadableInput) {
            EXPECT_EQ(host.events().back(), std::string("read ") + testing::ControlName(fault.box()));
        }
    }
    EXPECT_EQ(faultStep, c.faultStep);
    EXPECT_EQ(host.events(), c.events);
}

const auto point = PointSettings();
const auto comma = CommaSettings();

// The default case's run under "." settings, from the reads to the chart.
const std::vector<std::string> kDefaultCaseEvents =
        Concat({ kReads,
                 { "label lblMargenQ2 5.6193", "label lblV2min .3144", "file", "label lblV2sup .9991",
                   "label lblQ2sup -1.662", "label lblV2inf .3312", "label lblQ2inf -.1827", "repaint 0", "chart" } });

INSTANTIATE_TEST_SUITE_P(
        Cases, RunOrder,
        ::testing::Values(
                RunCase{ "default_case_point", InputTexts("0.03", "3.33", "1.00", "10.48", "0.00", "0.00"), point,
                         kDefaultCaseEvents, std::nullopt },
                RunCase{ "default_case_comma", InputTexts("0,03", "3,33", "1,00", "10,48", "0,00", "0,00"), comma,
                         Concat({ kReads,
                                  { "label lblMargenQ2 5,6193", "label lblV2min ,3144", "file", "label lblV2sup ,9991",
                                    "label lblQ2sup -1,662", "label lblV2inf ,3312", "label lblQ2inf -,1827",
                                    "repaint 0", "chart" } }),
                         std::nullopt },
                RunCase{ "point_texts_under_comma_have_no_solution",
                         InputTexts("0.03", "3.33", "1.00", "10.48", "0.00", "0.00"), comma,
                         Concat({ kReads,
                                  { "label lblMargenQ2 581334,6965", "label lblV2min 31,44", "file",
                                    "label lblV2sup Error", "label lblQ2sup Error", "label lblV2inf Error",
                                    "label lblQ2inf Error", "repaint 0", "message", "chart" } }),
                         std::nullopt },
                RunCase{ "no_load", InputTexts("0.03", "3.33", "1.00", "0", "0", "0"), point,
                         Concat({ kReads,
                                  { "label lblMargenQ2 8.7496", "label lblV2min .", "file", "label lblV2sup 1.0526",
                                    "label lblQ2sup -1.8447", "label lblV2inf .", "label lblQ2inf .", "repaint 0",
                                    "chart" } }),
                         std::nullopt },
                RunCase{ "blanks_around_inputs", InputTexts(" 0.03", "3.33 ", "\t1.00", "10.48  ", "0.00", "0.00"),
                         point, kDefaultCaseEvents, std::nullopt },
                RunCase{ "error_in_a_box_ends_at_step_1",
                         InputTexts("0.03", "3.33", "Error", "10.48", "0.00", "0.00"),
                         point,
                         { "read txtX", "read txtB", "read txtUinf" },
                         RunStep::ReadInputs,
                         FaultCause::UnreadableInput },
                RunCase{ "zero_reactance_ends_at_step_2", InputTexts("0", "3.33", "1.00", "10.48", "0.00", "0.00"),
                         point, kReads, RunStep::CriticalPoint, FaultCause::DivisionByZero },
                RunCase{ "zero_source_voltage_ends_at_step_2", InputTexts("0.03", "3.33", "0", "10.48", "0.00", "0.00"),
                         point, kReads, RunStep::CriticalPoint, FaultCause::DivisionByZero },
                RunCase{ "negative_reactance_ends_at_step_4",
                         InputTexts("-0.03", "3.33", "1.00", "10.48", "0.00", "0.00"), point,
                         Concat({ kReads, { "label lblMargenQ2 -4.4576", "label lblV2min .3144" } }),
                         RunStep::SystemSweep, FaultCause::NegativeSquareRoot },
                // X Beq = 1: one operating point, X |S| / Uinf, in both rows.
                RunCase{ "unit_x_times_beq_gives_its_one_point",
                         InputTexts("0.5", "4", "1.00", "10.48", "0.00", "0.00"), point,
                         Concat({ kReads,
                                  { "label lblMargenQ2 1.", "label lblV2min 5.24", "file", "label lblV2sup 5.24",
                                    "label lblQ2sup -54.9152", "label lblV2inf 5.24", "label lblQ2inf -54.9152",
                                    "repaint 0", "chart" } }),
                         std::nullopt },
                RunCase{ "huge_inputs_overflow_at_step_2",
                         InputTexts("1e200", "1e200", "1e200", "1e200", "1e200", "1e200"), point, kReads,
                         RunStep::CriticalPoint, FaultCause::Overflow },
                RunCase{ "tiny_reactance_overflows_in_the_sweep",
                         InputTexts("1e-300", "3.33", "1.00", "10.48", "0.00", "0.00"), point,
                         Concat({ kReads,
                                  { "label lblMargenQ2 " + std::string("25") + std::string(298, '0') + ".",
                                    "label lblV2min ." } }),
                         RunStep::SystemSweep, FaultCause::Overflow }));

TEST(Run, ReadsTheNumbersIntoTheInputsRecord)
{
    RecordingHost host(InputTexts("0,03", "3,33", "1,00", "10,48", "0,5", "-1,25"), 2);
    QvInputs inputs;
    QvResults results;
    QvCurves curves;
    RunCalculation(host, CommaSettings(), inputs, results, curves);
    EXPECT_EQ(inputs.X, 0.03);
    EXPECT_EQ(inputs.B, 3.33);
    EXPECT_EQ(inputs.Uinf, 1.0);
    EXPECT_EQ(inputs.Pcarga, 10.48);
    EXPECT_EQ(inputs.Qcarga, 0.5);
    EXPECT_EQ(inputs.Qcap, -1.25);
    EXPECT_TRUE(inputs.Agregar); // the grayed value 2 counts as set
    EXPECT_EQ(host.events().back(), "chart");
    EXPECT_EQ(std::count(host.events().begin(), host.events().end(), "repaint 1"), 1);
}

TEST(Run, ASolutionAfterNoSolutionReplacesTheErrorTexts)
{
    QvInputs inputs;
    QvResults results;
    QvCurves curves;
    RecordingHost first(InputTexts("3", "333", "100", "1048", "0", "0"));
    RunCalculation(first, PointSettings(), inputs, results, curves);
    EXPECT_EQ(first.captions().at(ResultLabel::V2sup), "Error");

    RecordingHost second(InputTexts("0.03", "3.33", "1.00", "10.48", "0.00", "0.00"));
    RunCalculation(second, PointSettings(), inputs, results, curves);
    EXPECT_EQ(second.captions().at(ResultLabel::V2sup), ".9991");
    EXPECT_EQ(second.captions().at(ResultLabel::Q2inf), "-.1827");
}

TEST(Run, HandsTheFileAndTheChartTheCompletedCurves)
{
    RecordingHost host(InputTexts("0.03", "3.33", "1.00", "10.48", "0.00", "0.00"));
    QvInputs inputs;
    QvResults results;
    QvCurves curves;
    RunCalculation(host, PointSettings(), inputs, results, curves);
    ASSERT_EQ(host.filedCurves().size(), 1u);
    EXPECT_EQ(host.filedCurves()[0].q2[300], -9.911578666666664);
    EXPECT_EQ(host.filedCurves()[0].qcapr[300], -0.0000416250000001638);
    ASSERT_EQ(host.chartedQ2crit().size(), 1u);
    EXPECT_EQ(host.chartedQ2crit()[0], 5.038421333333334);
}

TEST(Run, AFaultOfTheFileOrTheChartEndsTheRunThere)
{
    const auto texts = InputTexts("0.03", "3.33", "1.00", "10.48", "0.00", "0.00");
    QvInputs inputs;
    QvResults results;
    QvCurves curves;

    RecordingHost fileFails(texts);
    fileFails.onWriteCurveFile = [] { throw RunFault::fileNotWritten("/x/salida.txt", FileFailure::DiskFull); };
    testing::ExpectFault([&] { RunCalculation(fileFails, PointSettings(), inputs, results, curves); },
                         RunStep::CurveFile, FaultCause::FileNotWritten);
    EXPECT_EQ(fileFails.events().back(), "file");
    EXPECT_EQ(fileFails.captions().size(), 2u); // margin and minimum voltage only

    RecordingHost chartFails(texts);
    chartFails.onLoadChart = [] { throw RunFault::beyondChartScale(40000); };
    EXPECT_THROW(RunCalculation(chartFails, PointSettings(), inputs, results, curves), RunFault);
    EXPECT_EQ(chartFails.captions().size(), 6u);
}

} // namespace
} // namespace tarvilo
