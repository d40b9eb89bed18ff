#include "cli/result_names.h"

#include "ui/main/control_table.h"

namespace tarvilo {

// The first six numbers are the result labels, in the same order.
static_assert(static_cast<int>(CaseNumber::MargenQ2) == static_cast<int>(ResultLabel::MargenQ2));
static_assert(static_cast<int>(CaseNumber::Q2inf) == static_cast<int>(ResultLabel::Q2inf));

QString TitleOf(CaseNumber number, bool exporting)
{
    switch (number) {
    case CaseNumber::MargenQV:
        return QStringLiteral("Margen QV");
    case CaseNumber::Pmax:
        return exporting ? QStringLiteral("Límite de exportación") : QStringLiteral("Pmax");
    case CaseNumber::V2Pmax:
        return exporting ? QStringLiteral("V2 en el límite") : QStringLiteral("V2 en Pmax");
    default:
        // The label's title without its unit: "Margen Q2 [p.u.]" -> "Margen Q2".
        return QString::fromUtf8(kResultControls[static_cast<size_t>(number)].title)
                .section(QStringLiteral(" ["), 0, 0);
    }
}

const char *KeyOf(CaseNumber number)
{
    switch (number) {
    case CaseNumber::MargenQ2:
        return "MargenQ2";
    case CaseNumber::V2min:
        return "V2min";
    case CaseNumber::V2sup:
        return "V2sup";
    case CaseNumber::Q2sup:
        return "Q2sup";
    case CaseNumber::V2inf:
        return "V2inf";
    case CaseNumber::Q2inf:
        return "Q2inf";
    case CaseNumber::MargenQV:
        return "MargenQV";
    case CaseNumber::Pmax:
        return "Pmax";
    case CaseNumber::V2Pmax:
        break;
    }
    return "V2Pmax";
}

} // namespace tarvilo
