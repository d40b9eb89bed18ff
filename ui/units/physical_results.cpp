#include "ui/units/physical_results.h"

#include "core/calculation_run.h"
#include "core/qv_method_margin.h"
#include "ui/common/number_text.h"
#include "ui/common/quantities.h"
#include "ui/common/result_lines.h"

namespace tarvilo {

QString PhysicalResultsTable(const PhysicalBases &bases,
                             const std::array<std::optional<double>, std::size(kInputBoxes)> &inputs,
                             const QvInputs &resultInputs,
                             const std::array<std::optional<double>, std::size(kResultLabels)> &values,
                             const std::array<bool, std::size(kResultLabels)> &writtenByLastRun,
                             const RegionalSettings &regional)
{
    QString text = QStringLiteral("En unidades físicas\tS base = %1 MVA\tU base = %2 kV\n")
                           .arg(ExactText(bases.baseMva, regional), ExactText(bases.baseKv, regional));
    const auto line = [&text, &regional](const QString &name, const std::optional<double> &value, const char *unit,
                                         bool previous) {
        text += ResultLine(name, value ? ExactText(*value, regional) : QString::fromLatin1(kErrorText),
                           QString::fromUtf8(unit), previous);
    };
    const auto scaled = [](const std::optional<double> &value, auto convert) {
        return value ? std::optional<double>(convert(*value)) : std::nullopt;
    };
    const auto ohm = [&bases](double v) { return bases.ohm(v); };
    const auto microsiemens = [&bases](double v) { return bases.microsiemens(v); };
    const auto kv = [&bases](double v) { return bases.kv(v); };
    const auto mw = [&bases](double v) { return bases.mw(v); };
    const auto mvar = [&bases](double v) { return bases.mvar(v); };
    const auto input = [&inputs](InputBox box) { return inputs[static_cast<size_t>(box)]; };
    line(QuantityName(InputBox::X), scaled(input(InputBox::X), ohm), "Ω", false);
    line(QuantityName(InputBox::B), scaled(input(InputBox::B), microsiemens), "µS", false);
    line(QuantityName(InputBox::Uinf), scaled(input(InputBox::Uinf), kv), "kV", false);
    line(QuantityName(InputBox::Pcarga), scaled(input(InputBox::Pcarga), mw), "MW", false);
    line(QuantityName(InputBox::Qcarga), scaled(input(InputBox::Qcarga), mvar), "Mvar", false);
    // The bank's power at the base voltage.
    line(QuantityName(InputBox::Qcap), scaled(input(InputBox::Qcap), mvar), "Mvar", false);

    struct Result
    {
        ResultLabel label;
        const char *name;
        bool voltage;
    };
    for (const Result &result :
         { Result{ ResultLabel::MargenQ2, "Margen Q2", false }, Result{ ResultLabel::V2min, "V2 min", true },
           Result{ ResultLabel::V2sup, "V2 sup", true }, Result{ ResultLabel::Q2sup, "Q2 sup", false },
           Result{ ResultLabel::V2inf, "V2 inf", true }, Result{ ResultLabel::Q2inf, "Q2 inf", false } }) {
        const auto index = static_cast<size_t>(result.label);
        line(QString::fromLatin1(result.name), result.voltage ? scaled(values[index], kv) : scaled(values[index], mvar),
             result.voltage ? "kV" : "Mvar", !writtenByLastRun[index]);
    }
    const QvMethodMargin margin = ComputeQvMethodMargin(resultInputs);
    if (margin.kind == QvMethodMargin::Kind::Maximum) {
        line(QStringLiteral("Margen QV"), mvar(margin.value), "Mvar",
             !writtenByLastRun[static_cast<size_t>(ResultLabel::MargenQ2)]);
    }
    return text;
}

} // namespace tarvilo
