#include "ui/margins/margin_texts.h"

#include "core/number_format.h"
#include "ui/common/number_text.h"
#include "ui/common/quantities.h"

namespace tarvilo {

QString AbsenceText(MarginAbsence absence)
{
    switch (absence) {
    case MarginAbsence::NoLine:
        return QStringLiteral("sin línea: X ≤ 0 o U inf = 0");
    case MarginAbsence::NoLoad:
        return QStringLiteral("sin carga activa (Pcarga = 0)");
    case MarginAbsence::NoNose:
        return QStringLiteral("X·Beq = 1: la curva P-V no tiene nariz");
    case MarginAbsence::NoOperatingPoint:
        return QStringLiteral("sin punto de operación");
    case MarginAbsence::OnePoint:
        return QStringLiteral("X·Beq = 1: un único punto de operación");
    case MarginAbsence::AtNose:
        return QStringLiteral("en la nariz: infinita");
    case MarginAbsence::ZeroVoltage:
        return QStringLiteral("V2 = 0: sin carga no está definida");
    case MarginAbsence::OverCompensated:
        return QStringLiteral("X·Beq ≥ 1: sin equivalente de Thévenin");
    case MarginAbsence::TooLarge:
        return QStringLiteral("fuera del rango de los números");
    }
    return {};
}

QString QvMarginText(const QvMethodMargin &margin, const RegionalSettings &regional)
{
    switch (margin.kind) {
    case QvMethodMargin::Kind::Maximum:
        return QString::fromStdString(FormatWithPattern(margin.value, kLabelPattern, regional));
    case QvMethodMargin::Kind::Unbounded:
        return QStringLiteral("X·Beq ≥ 1: sin máximo");
    case QvMethodMargin::Kind::NoLine:
        return AbsenceText(MarginAbsence::NoLine);
    case QvMethodMargin::Kind::TooLarge:
        break;
    }
    return AbsenceText(MarginAbsence::TooLarge);
}

QString TargetName(GoalTarget target)
{
    switch (target) {
    case GoalTarget::MargenQ2:
        return QStringLiteral("Margen Q2");
    case GoalTarget::MargenQV:
        return QStringLiteral("Margen QV");
    case GoalTarget::V2sup:
        return QStringLiteral("V2 sup");
    case GoalTarget::MargenP:
        return QStringLiteral("Margen P");
    case GoalTarget::IndexL:
        break;
    }
    return QStringLiteral("índice L");
}

QString TargetUnit(GoalTarget target)
{
    return target == GoalTarget::IndexL ? QString() : QStringLiteral("p.u.");
}

QString TargetKey(GoalTarget target)
{
    switch (target) {
    case GoalTarget::MargenQ2:
        return QStringLiteral("MargenQ2");
    case GoalTarget::MargenQV:
        return QStringLiteral("MargenQV");
    case GoalTarget::V2sup:
        return QStringLiteral("V2sup");
    case GoalTarget::MargenP:
        return QStringLiteral("MargenP");
    case GoalTarget::IndexL:
        break;
    }
    return QStringLiteral("IndiceL");
}

InputBox BoxOf(GoalInput input)
{
    switch (input) {
    case GoalInput::Qcap:
        return InputBox::Qcap;
    case GoalInput::B:
        return InputBox::B;
    case GoalInput::X:
        return InputBox::X;
    case GoalInput::Uinf:
        return InputBox::Uinf;
    case GoalInput::Pcarga:
        return InputBox::Pcarga;
    case GoalInput::Qcarga:
        break;
    }
    return InputBox::Qcarga;
}

QString GoalFailureText(const GoalSeekResult &result, GoalTarget target, double goal, GoalInput input,
                        const RegionalSettings &regional)
{
    const QString name = TargetName(target);
    const QString unit = TargetUnit(target);
    const QString withUnit = unit.isEmpty() ? QString() : QLatin1Char(' ') + unit;
    const QString varied = ShortName(BoxOf(input));
    const QString asked = QStringLiteral("%1 = %2%3").arg(name, RoundedText(goal, regional), withUnit);
    if (!result.failure)
        return {};
    switch (*result.failure) {
    case GoalFailure::NoLine:
        return QStringLiteral("Sin una línea (X positiva y U inf distinta de 0) no hay %1 que fijar variando %2.")
                .arg(name, varied);
    case GoalFailure::NoLoad:
        if (target == GoalTarget::MargenP) {
            return QStringLiteral("Con Pcarga = 0 no hay margen de potencia activa: ningún valor de %1 lo fija.")
                    .arg(varied);
        }
        return QStringLiteral("Sin carga el índice L es 0 para cualquier valor de %1.").arg(varied);
    case GoalFailure::AboveReach:
    case GoalFailure::BelowReach: {
        const bool above = *result.failure == GoalFailure::AboveReach;
        const QString bound = RoundedText(result.bound, regional) + withUnit;
        const QString where = result.boundInput
                ? QStringLiteral(", con %1 = %2").arg(varied, RoundedText(*result.boundInput, regional))
                : QStringLiteral(", al que solo se acerca");
        return QStringLiteral("Ningún valor de %1 da %2: lo %3 que alcanza es %4%5.")
                .arg(varied, asked, above ? QStringLiteral("más") : QStringLiteral("menos"), bound, where);
    }
    case GoalFailure::NoOperatingPoint:
        return QStringLiteral("Ningún valor de %1 da un punto de operación en este caso.").arg(varied);
    case GoalFailure::TooLarge:
        return QStringLiteral("El valor de %1 que daría %2 queda fuera del rango de los números.").arg(varied, asked);
    case GoalFailure::NoThevenin:
        return QStringLiteral("En este caso no existe %1: con X·Beq ≥ 1 no hay equivalente de Thévenin, y variar %2 "
                              "no cambia X·Beq. Pruebe a variar Qcap, B o X.")
                .arg(name, varied);
    case GoalFailure::NotMonotone:
        return QStringLiteral("En este caso %1 no crece ni decrece siempre con %2, y la búsqueda no puede asegurar "
                              "un valor: pruebe a variar otra magnitud.")
                .arg(name, varied);
    }
    return {};
}

} // namespace tarvilo
