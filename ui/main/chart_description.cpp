#include "ui/main/chart_description.h"

#include "ui/common/number_text.h"
#include "ui/common/qv_margin_text.h"

namespace tarvilo {
namespace {

QString PerUnit(double value, const RegionalSettings &regional)
{
    return RoundedText(value, regional) + QStringLiteral(" p.u.");
}

} // namespace

QString ChartDescription(const QvInputs &inputs, const QvResults &results, const RegionalSettings &regional)
{
    const QString qvMargin = QvMarginSentence(ComputeQvMethodMargin(inputs), regional);
    const QString after = qvMargin.isEmpty() ? QString() : QLatin1Char(' ') + qvMargin;
    // Each value ends in "p.u.", whose point also ends its sentence.
    QString text = QStringLiteral("Curvas Q-V de la barra de carga. Punto crítico: Q2 = %1, V2 = %2 "
                                  "Margen de reactivo: %3 Tensión mínima: %4 ")
                           .arg(PerUnit(results.Q2crit, regional), PerUnit(results.V2crit, regional),
                                PerUnit(results.MargenQ2, regional), PerUnit(results.V2min, regional));
    if (!results.HasSolution) {
        return text
                + QStringLiteral("No existe punto de operación: la característica de la carga no corta "
                                 "la del sistema.")
                + after;
    }
    return text
            + QStringLiteral("Punto de operación superior: V2 = %1, Q2 = %2 Punto de operación inferior: "
                             "V2 = %3, Q2 = %4")
                      .arg(PerUnit(results.V2sup, regional), PerUnit(results.Q2sup, regional),
                           PerUnit(results.V2inf, regional), PerUnit(results.Q2inf, regional))
            + after;
}

} // namespace tarvilo
