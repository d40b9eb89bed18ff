// What the margins window shows of a case, as the core gives it, for the
// mpmath comparison in margins_check.py: one line of input, one of output.
//   M X B Uinf Pcarga Qcarga Qcap
//       -> MargenQ2 MargenQV active percent distance uV udQ udP uL lV ldQ ldP lL
//   G X B Uinf Pcarga Qcarga Qcap target goal input
//       -> ok value other | fail failure bound boundInput
// Numbers in their shortest exact form, "-" for none, an absence by name.
#include "core/goal_seek.h"
#include "core/qv_method_margin.h"
#include "core/qv_model.h"
#include "core/run_fault.h"
#include "core/stability_margins.h"

#include <charconv>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

using namespace tarvilo;

namespace {

std::string Shortest(double value)
{
    char digits[32];
    const auto end = std::to_chars(std::begin(digits), std::end(digits), value).ptr;
    return std::string(digits, end);
}

double Read(const std::string &text)
{
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

const char *const kAbsences[] = { "NoLine", "NoLoad",      "NoNose",          "NoOperatingPoint", "OnePoint",
                                  "AtNose", "ZeroVoltage", "OverCompensated", "TooLarge" };
const char *const kTargets[] = { "MargenQ2", "MargenQV", "V2sup", "MargenP", "IndexL" };
const char *const kInputs[] = { "Qcap", "B", "X", "Uinf", "Pcarga", "Qcarga" };
const char *const kFailures[] = { "NoLine",           "NoLoad",   "AboveReach",  "BelowReach",
                                  "NoOperatingPoint", "TooLarge", "NotMonotone", "NoThevenin" };

std::string Shown(const MarginValue &value)
{
    return value.exists() ? Shortest(value.value) : kAbsences[static_cast<int>(*value.absence)];
}

template <typename Enum, size_t N>
Enum Named(const char *const (&names)[N], const std::string &name)
{
    for (size_t i = 0; i < N; ++i) {
        if (name == names[i])
            return static_cast<Enum>(i);
    }
    return static_cast<Enum>(0);
}

} // namespace

int main()
{
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream words(line);
        std::vector<std::string> w;
        for (std::string word; words >> word;)
            w.push_back(word);
        if (w.size() < 7)
            continue;
        const QvInputs inputs{ Read(w[1]), Read(w[2]), Read(w[3]), Read(w[4]), Read(w[5]), Read(w[6]), false };
        if (w[0] == "M") {
            std::string q2 = "-";
            try {
                QvResults results;
                ComputeCriticalPoint(inputs, results);
                q2 = Shortest(results.MargenQ2);
            } catch (const RunFault &) {
            }
            const QvMethodMargin qv = ComputeQvMethodMargin(inputs);
            const StabilityMargins m = ComputeStabilityMargins(inputs);
            std::cout << q2 << ' ' << (qv.kind == QvMethodMargin::Kind::Maximum ? Shortest(qv.value) : "-");
            for (const MarginValue *value :
                 { &m.activeMargin, &m.activeMarginPercent, &m.voltageDistance, &m.upper.voltage, &m.upper.dV2dQcarga,
                   &m.upper.dV2dPcarga, &m.upper.indexL, &m.lower.voltage, &m.lower.dV2dQcarga, &m.lower.dV2dPcarga,
                   &m.lower.indexL })
                std::cout << ' ' << Shown(*value);
            std::cout << '\n';
        } else if (w[0] == "G" && w.size() >= 10) {
            const GoalSeekResult r =
                    SeekGoal(inputs, Named<GoalTarget>(kTargets, w[7]), Read(w[8]), Named<GoalInput>(kInputs, w[9]));
            if (!r.failure) {
                std::cout << "ok " << Shortest(r.value) << ' ' << (r.other ? Shortest(*r.other) : "-") << '\n';
            } else {
                std::cout << "fail " << kFailures[static_cast<int>(*r.failure)] << ' ' << Shortest(r.bound) << ' '
                          << (r.boundInput ? Shortest(*r.boundInput) : "-") << '\n';
            }
        }
        std::cout.flush();
    }
    return 0;
}
