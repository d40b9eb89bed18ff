#include "ui/common/fault_message.h"

#include "core/number_format.h"
#include "core/qv_model.h"
#include "ui/common/quantities.h"

namespace tarvilo {
namespace {

// Where in the run an arithmetic fault happened.
const char *StepName(RunStep step)
{
    switch (step) {
    case RunStep::CriticalPoint:
        return "al calcular el punto crítico";
    case RunStep::SystemSweep:
        return "al calcular la característica del sistema";
    case RunStep::LoadSweep:
        return "al calcular la característica de la carga";
    case RunStep::OperatingPoints:
        return "al calcular los puntos de operación";
    default:
        return "";
    }
}

// Which inputs to look at, where the step tells.
const char *Hint(RunStep step, FaultCause cause)
{
    if (cause == FaultCause::Overflow)
        return "Revise que los valores de entrada no sean desmesurados.";
    if (step == RunStep::CriticalPoint && cause == FaultCause::DivisionByZero) {
        return "La reactancia X y la tensión U inf no pueden ser cero.";
    }
    if (step == RunStep::SystemSweep && cause == FaultCause::NegativeSquareRoot) {
        return "La reactancia X debe ser positiva.";
    }
    if (step == RunStep::OperatingPoints)
        return "Revise los valores de entrada.";
    return "";
}

QString Sentence(const char *what, RunStep step, FaultCause cause)
{
    QString text = QString::fromUtf8(what) + QLatin1Char(' ') + QString::fromUtf8(StepName(step)) + QLatin1Char('.');
    const QString hint = QString::fromUtf8(Hint(step, cause));
    if (!hint.isEmpty())
        text += QLatin1Char(' ') + hint;
    return text;
}

} // namespace

QString FaultDescription(const RunFault &fault, const RegionalSettings &regional, const QvInputs *inputs)
{
    switch (fault.cause()) {
    case FaultCause::UnreadableInput:
        return QStringLiteral("El valor de %1 no es un número. Escriba un número en la casilla.")
                .arg(QuantityName(fault.box()));
    case FaultCause::DivisionByZero:
        // Neither X nor U inf is zero, yet a power of them is below the
        // smallest number.
        if (fault.step() == RunStep::CriticalPoint && inputs && inputs->X != 0.0 && inputs->Uinf != 0.0) {
            return inputs->Uinf * inputs->Uinf == 0.0
                    ? QStringLiteral("La tensión U inf es demasiado pequeña para calcular con ella: su cuadrado "
                                     "no se distingue de 0. Use un valor mayor.")
                    : QStringLiteral("La reactancia X y la tensión U inf son demasiado pequeñas para calcular "
                                     "con ellas: su producto no se distingue de 0. Use valores mayores.");
        }
        return Sentence("División por cero", fault.step(), fault.cause());
    case FaultCause::NegativeSquareRoot:
        // With a positive X every point of the sweep lies below the nose,
        // where both roots are real: only rounding makes a radicand negative.
        if (fault.step() == RunStep::SystemSweep && inputs && inputs->X > 0.0) {
            QvResults nose;
            ComputeCriticalPoint(*inputs, nose);
            return QStringLiteral("Raíz cuadrada de un número negativo al calcular la característica del sistema. "
                                  "El punto crítico queda en Q2crit = %1, tan lejos de cero que los pasos de "
                                  "%2 de la curva se pierden en el redondeo de los números. Revise X y Pcarga.")
                    .arg(QString::fromStdString(ToGeneralText(nose.Q2crit, regional)),
                         QStringLiteral("0") + QString::fromStdString(regional.decimalSeparator)
                                 + QStringLiteral("05"));
        }
        return Sentence("Raíz cuadrada de un número negativo", fault.step(), fault.cause());
    case FaultCause::Overflow:
        return Sentence("Un valor intermedio excede el rango de los números", fault.step(), fault.cause());
    case FaultCause::FileNotWritten:
        return QStringLiteral("No se pudo escribir el archivo %1: %2. El archivo anterior, si lo había, "
                              "queda como estaba.")
                .arg(QString::fromStdString(fault.path()), FileFailureText(fault.fileFailure()));
    case FaultCause::BeyondChartScale:
        return QStringLiteral("El punto crítico Q2crit = %1 queda fuera de la escala del gráfico, que admite "
                              "valores entre -32759 y 32766. Revise la reactancia X y la tensión U inf.")
                .arg(QString::fromStdString(ToGeneralText(fault.value(), regional)));
    }
    return {};
}

QString FaultMessage(const RunFault &fault, const RegionalSettings &regional, const QvInputs *inputs)
{
    return QStringLiteral("No se pudo completar el cálculo.\n\n") + FaultDescription(fault, regional, inputs);
}

QString FileFailureText(FileFailure failure)
{
    switch (failure) {
    case FileFailure::NoPermission:
        return QStringLiteral("no hay permiso para escribir en esa carpeta");
    case FileFailure::ReadOnlyFile:
        return QStringLiteral("el archivo es de solo lectura");
    case FileFailure::DiskFull:
        return QStringLiteral("el disco está lleno");
    case FileFailure::FileTooLarge:
        return QStringLiteral("el archivo superaría el tamaño máximo que el sistema permite");
    case FileFailure::FolderMissing:
        return QStringLiteral("la carpeta ya no existe");
    case FileFailure::FolderInTheWay:
        return QStringLiteral("en su lugar hay una carpeta con ese nombre");
    case FileFailure::Other:
        break;
    }
    return QStringLiteral("el sistema no permitió escribirlo");
}

} // namespace tarvilo
