#pragma once

#include "core/qv_types.h"
#include "core/regional_settings.h"
#include "ui/chart/qv_chart.h"

#include <vector>

namespace tarvilo {

// The earlier cases kept on the charts while "Conservar curvas anteriores"
// is on: at most eight, the oldest going first.
class KeptCases
{
public:
    void keep(const QvInputs &inputs, const ChartGrid &grid);
    void clear() { m_cases.clear(); }
    bool empty() const { return m_cases.empty(); }
    // The inputs of each kept case, the oldest first.
    std::vector<QvInputs> keptInputs() const;

    // The kept curves, each named by what differs from the current case.
    std::vector<KeptCurves> curvesAgainst(const QvInputs &current, const RegionalSettings &regional) const;

private:
    struct Kept
    {
        int serial;
        QvInputs inputs;
        ChartGrid grid;
    };
    // A vector: an empty deque already holds a block of one case (14 KB).
    std::vector<Kept> m_cases;
    int m_nextSerial = 0;
};

// What sets a case apart from the current one: "Qcap = 0,5", or several
// such joined by "; ".
QString DifferenceName(const QvInputs &kept, const QvInputs &current, const RegionalSettings &regional);

bool SameInputs(const QvInputs &a, const QvInputs &b);

} // namespace tarvilo
