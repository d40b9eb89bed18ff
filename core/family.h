#pragma once

#include "core/run_host.h"
#include "core/single_case.h"

#include <vector>

namespace tarvilo {

// A family of cases: one quantity takes count values evenly spread from
// first to last, the others stay as in base. last - first must be finite.
struct FamilyMember
{
    double value = 0.0;
    QvInputs inputs; // base with the quantity at value
    CaseOutcome outcome;
};

std::vector<FamilyMember> CalculateFamily(const QvInputs &base, InputBox quantity, double first, double last,
                                          int count);

} // namespace tarvilo
