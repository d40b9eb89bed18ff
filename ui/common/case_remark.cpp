#include "ui/common/case_remark.h"

#include "core/qv_method_margin.h"
#include "ui/common/fault_message.h"
#include "ui/common/qv_margin_text.h"

#include <QStringList>

namespace tarvilo {

QString CaseRemark(const QvInputs &inputs, const std::optional<RunFault> &fault, bool hasSolution,
                   const RegionalSettings &regional)
{
    QStringList remarks;
    if (inputs.X < 0) {
        remarks << QStringLiteral(
                "Una reactancia X negativa no es la de una línea: los valores no describen una red real.");
    }
    if (fault) {
        remarks << FaultDescription(*fault, regional, &inputs);
    } else if (!hasSolution) {
        remarks << QString::fromLatin1(kNoSolutionText);
    }
    const QvMethodMargin margin = ComputeQvMethodMargin(inputs);
    if (margin.kind == QvMethodMargin::Kind::Unbounded)
        remarks << QvMarginSentence(margin, regional);
    return remarks.join(QLatin1Char(' '));
}

} // namespace tarvilo
