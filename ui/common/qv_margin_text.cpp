#include "ui/common/qv_margin_text.h"

#include "ui/common/number_text.h"

namespace tarvilo {

QString QvMarginValue(const QvMethodMargin &margin, bool exact, const RegionalSettings &regional)
{
    switch (margin.kind) {
    case QvMethodMargin::Kind::Maximum:
        return exact ? ExactText(margin.value, regional) : RoundedText(margin.value, regional);
    case QvMethodMargin::Kind::Unbounded:
        return QStringLiteral("Sin máximo");
    case QvMethodMargin::Kind::TooLarge:
        return QStringLiteral("Fuera de rango");
    case QvMethodMargin::Kind::NoLine:
        break;
    }
    return {};
}

QString QvMarginSentence(const QvMethodMargin &margin, const RegionalSettings &regional)
{
    switch (margin.kind) {
    case QvMethodMargin::Kind::Maximum:
        return QStringLiteral("Margen QV, la mayor distancia entre las características: %1 p.u. con V2 = %2 p.u.")
                .arg(RoundedText(margin.value, regional), RoundedText(margin.voltage, regional));
    case QvMethodMargin::Kind::Unbounded:
        return QStringLiteral("Margen QV sin máximo: con X · (Qcap + B/2) igual o mayor que 1 la distancia entre las "
                              "características crece sin límite con la tensión.");
    case QvMethodMargin::Kind::TooLarge:
        // Inputs too large or too small alike: an intermediate value left the range.
        return QStringLiteral("Margen QV: los valores de entrada quedan fuera del rango de los números con que se "
                              "calcula (demasiado grandes o demasiado pequeños).");
    case QvMethodMargin::Kind::NoLine:
        break;
    }
    return {};
}

} // namespace tarvilo
