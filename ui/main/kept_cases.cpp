#include "ui/main/kept_cases.h"

#include "ui/common/number_text.h"
#include "ui/common/quantities.h"

#include <QStringList>

namespace tarvilo {

void KeptCases::keep(const QvInputs &inputs, const ChartGrid &grid)
{
    m_cases.push_back({ m_nextSerial++, inputs, grid });
    if (m_cases.size() > kMaxKeptCases)
        m_cases.erase(m_cases.begin());
}

std::vector<QvInputs> KeptCases::keptInputs() const
{
    std::vector<QvInputs> inputs;
    for (const Kept &kept : m_cases)
        inputs.push_back(kept.inputs);
    return inputs;
}

std::vector<KeptCurves> KeptCases::curvesAgainst(const QvInputs &current, const RegionalSettings &regional) const
{
    std::vector<KeptCurves> curves;
    curves.reserve(m_cases.size());
    for (const Kept &kept : m_cases) {
        curves.push_back({ kept.serial, kept.grid, DifferenceName(kept.inputs, current, regional) });
    }
    return curves;
}

QString DifferenceName(const QvInputs &kept, const QvInputs &current, const RegionalSettings &regional)
{
    QStringList differences;
    for (const InputBox box : kInputBoxes) {
        const double value = ValueOf(kept, box);
        if (value == ValueOf(current, box))
            continue;
        differences << ShortName(box) + QStringLiteral(" = ") + ExactText(value, regional);
    }
    return differences.isEmpty() ? QStringLiteral("mismo caso") : differences.join(QStringLiteral("; "));
}

bool SameInputs(const QvInputs &a, const QvInputs &b)
{
    for (const InputBox box : kInputBoxes) {
        if (ValueOf(a, box) != ValueOf(b, box))
            return false;
    }
    return true;
}

} // namespace tarvilo
