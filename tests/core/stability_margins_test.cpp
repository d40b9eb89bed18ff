#include "core/stability_margins.h"

#include "core/operating_points.h"
#include "tests/support/default_inputs.h"
#include "tests/support/ulp_distance.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <iostream>
#include <limits>
#include <optional>
#include <ostream>
#include <vector>

namespace tarvilo {
namespace {

using testing::Inputs;
using testing::UlpDistance;
using enum MarginAbsence;

// The largest distance allowed between a computed value and the double
// nearest the exact one.
constexpr std::uint64_t kUlps = 4;

struct Expected
{
    std::optional<MarginAbsence> absence;
    double value = 0.0;
};

constexpr Expected V(double value)
{
    return { std::nullopt, value };
}

constexpr Expected A(MarginAbsence absence)
{
    return { absence, 0.0 };
}

// Pmax - |Pcarga|, its %, V2sup - V2crit, then V2, dV2/dQcarga, dV2/dPcarga and L at the
// upper point and at the lower one.
constexpr int kFields = 11;

struct MarginsRow
{
    const char *name;
    QvInputs inputs;
    std::array<Expected, kFields> expected;
};

void PrintTo(const MarginsRow &row, std::ostream *out)
{
    *out << row.name;
}

std::array<MarginValue, kFields> Fields(const StabilityMargins &m)
{
    return { m.activeMargin,     m.activeMarginPercent, m.voltageDistance, m.upper.voltage,
             m.upper.dV2dQcarga, m.upper.dV2dPcarga,    m.upper.indexL,    m.lower.voltage,
             m.lower.dV2dQcarga, m.lower.dV2dPcarga,    m.lower.indexL };
}

// From tests/core/margins_reference.py (80 digits on the input doubles; the sensitivities
// by numerical differentiation of the quadratic's roots).
const MarginsRow kMarginsRows[] = {
    // BEGIN margins_reference.py margins
    { "default case",
      Inputs(0.03, 3.33, 1.0, 10.48, 0.0, 0.0),
      { V(7.062936336684034), V(67.39443069354995), V(0.4084691088533287), V(0.9991021252010436),
        V(-0.03550834421072168), V(-0.011771904514239677), V(0.33152501970748527), V(0.3312273517470664),
        V(0.011771904514239677), V(0.03550834421072168), V(3.0163635941635136) } },
    { "inductive load",
      Inputs(0.1, 0.2, 1.05, 2.0, 0.8, 0.5),
      { V(1.9703661700699902), V(98.51830850349951), V(0.4546086548281187), V(1.0130942671211498),
        V(-0.11968138545195654), V(-0.022910386755715707), V(0.22327053915090753), V(0.22619410323083267),
        V(0.06572031077184672), V(0.10261267269225646), V(4.478871255486621) } },
    { "light load",
      Inputs(0.2, 0.0, 1.0, 0.1, 0.05, 0.0),
      { V(1.445084971874737), V(1445.084971874737), V(0.48929179367571657), V(0.9896916338035887),
        V(-0.20425274287586548), V(-0.004128446773389679), V(0.022828911478535843), V(0.02259358269914964),
        V(0.09503719858295982), V(0.18084290953913065), V(43.804103447517335) } },
    { "capacitive load",
      Inputs(0.1, 0.0, 1.0, 1.0, -2.0, 0.0),
      { V(20.18033988749895), V(2018.0339887498947), V(0.6577131213727756), V(1.167615072732054),
        V(-0.07510087880849362), V(-0.0064557094118413046), V(0.1640157736614404), V(0.19150728949290685),
        V(-0.06428518705673358), V(0.03936029607229797), V(6.09697456333797) } },
    { "strongly capacitive load",
      Inputs(0.05, 0.0, 1.0, 1e-06, -1000.0, 0.0),
      { V(20000000000.0), V(2e+18), V(7.08872343937891), V(7.588723439378913), V(-0.0035267280792929913),
        V(-2.3236635960353507e-11), V(0.8682255312124217), V(6.588723439378913), V(-0.0035267280792929913),
        V(2.6763364039646495e-11), V(1.1517744687875782) } },
    { "exporting bus",
      Inputs(0.1, 0.1, 1.0, -3.0, 0.5, 0.2),
      { V(1.3442414788873671), V(44.80804929624557), V(0.3293148822885323), V(0.9124100717730623),
        V(-0.13882603328636503), V(0.04833327677570401), V(0.3747020847099774), V(0.34188195600374655),
        V(0.07049850981434994), V(-0.12899121394831412), V(2.66878685976356) } },
    { "over-compensated",
      Inputs(0.5, 0.0, 1.0, 0.2, 0.1, 3.0),
      { V(3.0360679774997896), V(1518.0339887498947), V(1.5365733848669145), V(2.046475336226193),
        V(0.47834104095080004), V(-0.02340185264552059), A(OverCompensated), V(0.10926435016916526),
        V(0.19298936347287296), V(0.43830686026056326), A(OverCompensated) } },
    { "X Beq exactly 1",
      Inputs(0.5, 0.0, 1.0, 0.3, 0.2, 2.0),
      { A(NoNose), A(NoNose), V(-0.34173776167232806), V(0.18027756377319945), V(0.2773500981126146),
        V(0.4160251471689218), A(OverCompensated), A(OnePoint), A(OnePoint), A(OnePoint), A(OnePoint) } },
    { "X Beq just below 1",
      Inputs(0.5, 0.0, 1.0, 0.01, 0.005, 1.9999999999),
      { V(12360678752.260752), V(123606787522607.52), V(19999998344.690193), V(19999998345.190216),
        V(-0.500000000000125), V(-1.2500001034259326e-13), V(2.7950852031418035e-13), V(0.005590169943750173),
        V(0.22360679775014666), V(0.4472135955000138), V(3577708467977.8433) } },
    { "X Beq just above 1",
      Inputs(0.5, 0.0, 1.0, 0.01, 0.005, 2.0000000001),
      { V(32360677097.45347), V(323606770974534.7), V(19999998344.69519), V(19999998345.195217), V(0.499999999999875),
        V(-1.250000103424995e-13), A(OverCompensated), V(0.005590169943748775), V(0.22360679774981126),
        V(0.44721359549990203), A(OverCompensated) } },
    { "P-V nose exactly",
      Inputs(1.0, 0.0, 1.0, 0.5, 0.0, 0.0),
      { V(0.0), V(0.0), V(0.0), V(0.7071067811865476), A(AtNose), A(AtNose), V(1.0), V(0.7071067811865476), A(AtNose),
        A(AtNose), V(1.0) } },
    { "P-V nose, X 0.5",
      Inputs(0.5, 0.0, 1.0, 1.0, 0.0, 0.0),
      { V(0.0), V(0.0), V(0.0), V(0.7071067811865476), A(AtNose), A(AtNose), V(1.0), V(0.7071067811865476), A(AtNose),
        A(AtNose), V(1.0) } },
    { "beyond the nose",
      Inputs(0.5, 0.0, 1.0, 1.01, 0.0, 0.0),
      { V(-0.010000000000000009), V(-0.990099009900991), A(NoOperatingPoint), A(NoOperatingPoint), A(NoOperatingPoint),
        A(NoOperatingPoint), A(NoOperatingPoint), A(NoOperatingPoint), A(NoOperatingPoint), A(NoOperatingPoint),
        A(NoOperatingPoint) } },
    { "just below the nose",
      Inputs(1.0, 0.0, 1.0, 0.4999999, 0.0, 0.0),
      { V(1.0000000000287557e-07), V(2.0000004000575914e-05), V(0.0002236421530878349), V(0.7073303526289608),
        V(-1118.387542142091), V(-1117.680435325549), V(0.9993677443731289), V(0.7068831390334543),
        V(1117.680435325549), V(1118.387542142091), V(1.0006326556269511) } },
    { "no active load",
      Inputs(0.2, 0.1, 1.0, 0.0, 0.5, 0.1),
      { A(NoLoad), A(NoLoad), V(0.41871355083727724), V(0.9187135508372772), V(-0.2556549962824568), V(0.0),
        V(0.12214284214269153), V(0.11221428421426916), V(0.2556549962824568), V(0.0), V(8.187135508372771) } },
    { "no load at all",
      Inputs(0.2, 0.1, 1.0, 0.0, 0.0, 0.1),
      { A(NoLoad), A(NoLoad), V(0.5309278350515464), V(1.0309278350515465), V(-0.2), V(0.0), V(0.0), V(0.0),
        A(ZeroVoltage), A(ZeroVoltage), A(ZeroVoltage) } },
    { "negative reactance",
      Inputs(-0.1, 0.0, 1.0, 1.0, 0.0, 0.0),
      { A(NoLine), A(NoLine), A(NoLine), A(NoLine), A(NoLine), A(NoLine), A(NoLine), A(NoLine), A(NoLine), A(NoLine),
        A(NoLine) } },
    { "no source",
      Inputs(0.1, 0.0, 0.0, 1.0, 0.0, 0.0),
      { A(NoLine), A(NoLine), A(NoLine), A(NoLine), A(NoLine), A(NoLine), A(NoLine), A(NoLine), A(NoLine), A(NoLine),
        A(NoLine) } },
    { "negative source",
      Inputs(0.1, 0.0, -1.1, 1.0, 0.3, 0.1),
      { V(3.546853977667559), V(354.6853977667559), V(0.5216161679665414), V(1.0790786894062498),
        V(-0.09683811454691822), V(-0.008187423077478391), V(0.09056738384787352), V(0.09772933386551613),
        V(0.03566835648912356), V(0.0904014528147445), V(11.041502553277954) } },
    { "tiny line",
      Inputs(1e-09, 0.0, 1.0, 1.0, 0.5, 0.0),
      { V(309016993.3749474), V(30901699337.49474), V(0.4999999995), V(0.9999999995), V(-1.000000001e-09),
        V(-1.0000000015000002e-18), V(1.118033989867929e-09), V(1.118033989308912e-09), V(4.4721359684159877e-10),
        V(8.944271914471295e-10), V(894427190.1054887) } },
    { "huge load, huge voltage",
      Inputs(0.01, 0.0, 1000.0, 1000000.0, 200000.0, 10.0),
      { V(44544661.262142055), V(4454.466126214205), V(608.9622590082383), V(1109.0622490102378),
        V(-1.0037425585554786e-05), V(-9.050739612223757e-08), V(0.009212177868568606), V(10.216878705197038),
        V(2.057250916220698e-06), V(9.824755602151727e-06), V(108.5519639619573) } },
    { "tiny load",
      Inputs(0.1, 0.0, 1.0, 1e-12, 1e-12, 0.0),
      { V(2.071067811864475), V(207106781186447.53), V(0.4999999999999), V(0.9999999999999), V(-0.10000000000002),
        V(-1.0000000000003001e-14), V(1.414213562373378e-13), V(1.4142135623732364e-13), V(0.07071067811867597),
        V(0.07071067811866183), V(7071067811864.061) } },
    { "negative capacitor",
      Inputs(0.1, 0.0, 1.0, 1.0, 0.2, -2.0),
      { V(2.4158495946606537), V(241.58495946606538), V(0.29632382347057645), V(0.8062257748298549),
        V(-0.10785629094713779), V(-0.013482036368392226), V(0.1307440900921227), V(0.10540925533894599),
        V(0.03437258326269978), V(0.10311774978809933), V(7.648529270389177) } },
    { "large shunt susceptance",
      Inputs(0.02, 60.0, 1.0, 5.0, 1.0, 0.0),
      { V(46.23774391990981), V(924.7548783981962), V(1.967881870533345), V(2.4777838218926234),
        V(-0.02037880840041595), V(-0.0008231317531010966), V(0.041526932536582586), V(0.10289476161197074),
        V(0.0048037602328496595), V(0.019821636292927967), V(24.080757689460054) } },
    { "reactive load only beyond reach",
      Inputs(0.5, 0.0, 1.0, 0.0, 0.6, 0.0),
      { A(NoLoad), A(NoLoad), A(NoOperatingPoint), A(NoOperatingPoint), A(NoOperatingPoint), A(NoOperatingPoint),
        A(NoOperatingPoint), A(NoOperatingPoint), A(NoOperatingPoint), A(NoOperatingPoint), A(NoOperatingPoint) } },
    { "high voltage source",
      Inputs(0.3, 0.5, 1.2, 1.5, -0.3, 0.4),
      { V(2.136682442887623), V(142.44549619250822), V(0.8105851614852317), V(1.518133746389477),
        V(-0.2487932443039995), V(-0.06342064866975958), V(0.24735075172116408), V(0.3755115233827042),
        V(0.013396693003958906), V(0.25639966011202187), V(4.042841968506687) } },
    { "strongly inductive",
      Inputs(0.1, 0.0, 1.0, 0.01, 2.0, 0.0),
      { V(0.0024999218759765465), V(24.999218759765466), V(0.22360425265663197), V(0.723605252655632),
        V(-0.2236088203228574), V(-0.00030902074443331183), V(0.3819724170205234), V(0.27639724732561827),
        V(0.22360757034941933), V(0.0008090132445786214), V(2.6179900836825865) } },
    { "small X Beq",
      Inputs(0.1, 1e-08, 1.0, 2.0, 1.0, 1e-08),
      { V(1.090169948384729), V(54.50849741923645), V(0.3168562344157895), V(0.8553727151292398),
        V(-0.14657684775584048), V(-0.03524911876130759), V(0.305614683889602), V(0.26141446194201323),
        V(0.09707892938083815), V(0.11533843306442934), V(3.272094086818265) } },
    { "export with capacitor",
      Inputs(0.2, 0.0, 1.0, -1.0, -0.2, 1.0),
      { V(2.8118871959954905), V(281.188719599549), V(0.7352326336427717), V(1.273749114356222), V(-0.1950384704409782),
        V(0.031008952101710466), V(0.15714077410349497), V(0.2001579218435779), V(-0.007843411821784966),
        V(-0.1973323109716105), V(6.363720719241124) } },
    { "near the Q-V nose",
      Inputs(0.1, 0.0, 1.0, 1.0, 1.99, 0.0),
      { V(0.18564097840802332), V(18.56409784080233), V(0.1996645129787466), V(0.7095664643380251),
        V(-0.24446786636545784), V(-0.034800460784567624), V(0.442342891971173), V(0.3138716818810422),
        V(0.2340644404137182), V(0.07867304169733451), V(2.260689655357159) } },
    // END margins_reference.py margins
};

std::uint64_t WorstDistance(const MarginsRow &row)
{
    const auto got = Fields(ComputeStabilityMargins(row.inputs));
    std::uint64_t worst = 0;
    for (int i = 0; i < kFields; ++i) {
        if (row.expected[i].absence || got[i].absence)
            continue;
        worst = std::max(worst, UlpDistance(got[i].value, row.expected[i].value));
    }
    return worst;
}

class StabilityMarginsTable : public ::testing::TestWithParam<MarginsRow>
{
};

TEST_P(StabilityMarginsTable, AgreesWithTheExactValues)
{
    const MarginsRow &row = GetParam();
    const auto got = Fields(ComputeStabilityMargins(row.inputs));
    for (int i = 0; i < kFields; ++i) {
        SCOPED_TRACE(i);
        const Expected &expected = row.expected[i];
        ASSERT_EQ(got[i].absence, expected.absence);
        if (!expected.absence) {
            EXPECT_LE(UlpDistance(got[i].value, expected.value), kUlps) << got[i].value << " vs " << expected.value;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, StabilityMarginsTable, ::testing::ValuesIn(kMarginsRows));

TEST(StabilityMargins, WorstAgreementOverTheTable)
{
    std::uint64_t worst = 0;
    for (const MarginsRow &row : kMarginsRows)
        worst = std::max(worst, WorstDistance(row));
    std::cout << "worst distance from the exact margins: " << worst << " ulp\n";
    EXPECT_LE(worst, kUlps);
}

// The sensitivities agree in sign and size with a difference quotient of the
// operating-point solver, which knows nothing of their closed form. An
// inductive load lowers the voltage of the upper point as it draws more and
// raises that of the lower one; a strongly capacitive load can lower both.
struct SensitivityRow
{
    QvInputs inputs;
    bool lowerRisesWithQ;
};

TEST(StabilityMargins, SensitivitiesMatchTheSolversDifferenceQuotient)
{
    for (const SensitivityRow &row : { SensitivityRow{ testing::DefaultCase(), true },
                                       SensitivityRow{ Inputs(0.1, 0.2, 1.05, 2.0, 0.8, 0.5), true },
                                       SensitivityRow{ Inputs(0.1, 0.0, 1.0, 1.0, -2.0, 0.0), false },
                                       SensitivityRow{ Inputs(0.1, 0.1, 1.0, -3.0, 0.5, 0.2), true } }) {
        const StabilityMargins margins = ComputeStabilityMargins(row.inputs);
        // (V2 at input + h - V2 at input - h) / 2h for both points.
        const auto quotient = [&](double QvInputs::*input) {
            const double h = 1e-6;
            QvInputs up = row.inputs, down = row.inputs;
            up.*input += h;
            down.*input -= h;
            QvResults above, below;
            SolveOperatingPoints(up, above);
            SolveOperatingPoints(down, below);
            const double step = up.*input - down.*input;
            return std::array<double, 2>{ (above.V2sup - below.V2sup) / step, (above.V2inf - below.V2inf) / step };
        };
        const auto byQ = quotient(&QvInputs::Qcarga);
        const auto byP = quotient(&QvInputs::Pcarga);
        EXPECT_LT(margins.upper.dV2dQcarga.value, 0.0);
        EXPECT_EQ(margins.lower.dV2dQcarga.value > 0.0, row.lowerRisesWithQ);
        EXPECT_NEAR(margins.upper.dV2dQcarga.value, byQ[0], 1e-6 * std::abs(byQ[0]));
        EXPECT_NEAR(margins.lower.dV2dQcarga.value, byQ[1], 1e-6 * std::abs(byQ[1]));
        EXPECT_NEAR(margins.upper.dV2dPcarga.value, byP[0], 1e-6 * std::abs(byP[0]));
        EXPECT_NEAR(margins.lower.dV2dPcarga.value, byP[1], 1e-6 * std::abs(byP[1]));
        EXPECT_LT(margins.upper.indexL.value, 1.0);
        EXPECT_GT(margins.lower.indexL.value, 1.0);
    }
}

// The voltages are the solver's, and points exist exactly where it finds them.
TEST(StabilityMargins, OperatingPointsAreTheSolvers)
{
    for (const MarginsRow &row : kMarginsRows) {
        SCOPED_TRACE(row.name);
        if (!(row.inputs.X > 0) || row.inputs.Uinf == 0)
            continue;
        QvResults results;
        SolveOperatingPoints(row.inputs, results);
        const StabilityMargins margins = ComputeStabilityMargins(row.inputs);
        ASSERT_EQ(margins.upper.voltage.exists(), results.HasSolution);
        if (results.HasSolution) {
            EXPECT_LE(UlpDistance(margins.upper.voltage.value, results.V2sup), kUlps);
        }
    }
}

// An input that is not a finite double gives no value anywhere, not a number
// computed from a NaN or an infinity taken as zero.
TEST(StabilityMargins, NonFiniteInputsGiveNoValue)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (double QvInputs::*input :
         { &QvInputs::X, &QvInputs::B, &QvInputs::Uinf, &QvInputs::Pcarga, &QvInputs::Qcarga, &QvInputs::Qcap }) {
        for (const double value : { nan, inf, -inf }) {
            QvInputs inputs = Inputs(0.1, 0.2, 1.05, 2.0, 0.8, 0.5);
            inputs.*input = value;
            for (const MarginValue &field : Fields(ComputeStabilityMargins(inputs))) {
                EXPECT_EQ(field.absence, TooLarge);
            }
        }
    }
}

} // namespace
} // namespace tarvilo
