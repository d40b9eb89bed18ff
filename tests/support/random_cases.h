#pragma once

#include "core/qv_types.h"
#include "core/run_fault.h"
#include "tests/support/default_inputs.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <optional>
#include <random>
#include <vector>

namespace tarvilo::testing {

// A case around the studies engineers make (the default case's
// neighbourhood, both signs of each load) or, one time in four, with values
// of any magnitude and sign, exact zeros included.
inline QvInputs RandomCase(std::mt19937_64 &random)
{
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const auto wide = [&random, &unit]() {
        const double value =
                (unit(random) < 0.5 ? -1 : 1) * unit(random) * std::pow(10.0, std::floor(unit(random) * 80 - 40));
        return unit(random) < 0.1 ? 0.0 : value;
    };
    if (unit(random) < 0.25)
        return Inputs(wide(), wide(), wide(), wide(), wide(), wide());
    return Inputs(0.005 + 0.2 * unit(random), 6 * unit(random), 0.8 + 0.4 * unit(random), -10 + 40 * unit(random),
                  -5 + 10 * unit(random), 2 * unit(random));
}

// Cases at the edges of the model and of the range of the numbers.
inline std::vector<QvInputs> EdgeCases()
{
    const double huge = 1e300, tiny = 1e-300;
    return {
        DefaultCase(),
        Inputs(-0.03, 3.33, 1, 10.48, 0, 0), // a negative reactance
        Inputs(0, 3.33, 1, 10.48, 0, 0),
        Inputs(-0.0, 3.33, 1, 10.48, 0, 0),
        Inputs(0.03, 3.33, 0, 10.48, 0, 0),
        Inputs(0.03, 3.33, 1e-160, 10.48, 0, 0), // Uinf squared underflows
        Inputs(1e-20, 3.33, 1, 10.48, 0, 0), // the sweep's discriminant within rounding
        Inputs(-1e-20, 3.33, 1, 10.48, 0, 0),
        Inputs(1e-9, 0, 1, 1, 0, 0), // a Q2crit of 2.5e8
        Inputs(1e-13, 0, 1, 0, 0, 0),
        Inputs(tiny, 0, 1, 0, 0, 0),
        Inputs(huge, 0, 1, 1, 0, 0),
        Inputs(0.03, huge, 1, 10.48, 0, 0),
        Inputs(0.03, 3.33, huge, 10.48, 0, 0),
        Inputs(0.03, 3.33, 1, huge, 0, 0),
        Inputs(0.03, 3.33, 1, 10.48, huge, 0),
        Inputs(0.03, 3.33, 1, 10.48, -huge, 0),
        Inputs(0.03, 3.33, 1, 10.48, 0, 1.7e308),
        Inputs(0.03, 3.33, 1, 10.48, 0, -1.7e308),
        Inputs(1e150, 0, 1e150, 1e150, 1e150, 0),
        Inputs(0.5, 0, 1, 1, 0, 2), // X Beq = 1 exactly
        Inputs(0.5, 0, 1, 1, 0, 2.0000000000000004), // just above
        Inputs(0.5, 0, 1, 1, 0, 1.9999999999999998), // just below
        Inputs(0.03, 3.33, 1, 0, 0, 0), // no load
        Inputs(0.03, 3.33, 1, -10.48, 0, 0), // a generator
        Inputs(0.03, 3.33, -1, 10.48, 0, 0),
        Inputs(0.03, 3.33, 1, 30, 0, 0), // no operating point
        Inputs(0.03, 3.33, 1, 10.48, -1e6, 0), // strongly capacitive
    };
}

inline bool SameDouble(double a, double b)
{
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

// Every result and the fault the same, to the bit.
inline void ExpectSameResults(const QvResults &a, const std::optional<RunFault> &faultA, const QvResults &b,
                              const std::optional<RunFault> &faultB, const QvInputs &inputs)
{
    const auto where = ::testing::Message()
            << "X=" << inputs.X << " B=" << inputs.B << " Uinf=" << inputs.Uinf << " Pcarga=" << inputs.Pcarga
            << " Qcarga=" << inputs.Qcarga << " Qcap=" << inputs.Qcap;
    ASSERT_EQ(faultA.has_value(), faultB.has_value()) << where;
    if (faultA) {
        EXPECT_EQ(faultA->step(), faultB->step()) << where;
        EXPECT_EQ(faultA->cause(), faultB->cause()) << where;
    }
    EXPECT_EQ(a.HasSolution, b.HasSolution) << where;
    for (const auto member :
         { &QvResults::Q2crit, &QvResults::V2crit, &QvResults::V2min, &QvResults::MargenQ2, &QvResults::Discriminant,
           &QvResults::V2sup, &QvResults::Q2sup, &QvResults::V2inf, &QvResults::Q2inf }) {
        EXPECT_TRUE(SameDouble(a.*member, b.*member)) << where << ": " << a.*member << " against " << b.*member;
    }
}

} // namespace tarvilo::testing
