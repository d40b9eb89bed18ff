#include "ui/main/result_exports.h"

#include "core/calculation_run.h"
#include "ui/chart/qv_chart.h"
#include "ui/common/csv.h"
#include "ui/common/number_text.h"
#include "ui/common/qv_margin_text.h"
#include "ui/common/quantities.h"
#include "ui/common/result_lines.h"
#include "ui/main/control_table.h"

#include <QStringList>

#include <utility>
#include <vector>

namespace tarvilo {
namespace {

constexpr int kCsvFields = ChartGrid::kColumns + 3;

QStringList Padded(QStringList fields)
{
    while (fields.size() < kCsvFields)
        fields << QString();
    return fields;
}

} // namespace

QByteArray CurvesCsv(const ChartGrid &grid, const ChartMarks &marks, const QvInputs &inputs, const QString &note,
                     const RegionalSettings &regional)
{
    QList<QStringList> rows;
    for (const InputBox box : kInputBoxes) {
        rows << Padded({ ShortName(box) + QStringLiteral(" [p.u.]"), ExactText(ValueOf(inputs, box), regional) });
    }
    if (!note.isEmpty())
        rows << Padded({ QStringLiteral("Nota"), note });

    QStringList header;
    for (const Curve curve : kCurves) {
        const QString name = NameOf(curve).toLower();
        header << QStringLiteral("Q2 %1 [p.u.]").arg(name) << QStringLiteral("V2 %1 [p.u.]").arg(name);
    }
    header << QStringLiteral("Punto") << QStringLiteral("Q2 del punto [p.u.]") << QStringLiteral("V2 del punto [p.u.]");
    rows << header;

    std::vector<std::pair<Mark, QPointF>> points;
    if (marks.hasSolution)
        points = { { Mark::UpperPoint, marks.upper }, { Mark::LowerPoint, marks.lower } };
    points.emplace_back(Mark::Nose, marks.nose);

    for (int row = 0; row < ChartGrid::kRows; ++row) {
        QStringList fields;
        for (int column = 0; column < ChartGrid::kColumns; ++column)
            fields << grid.text(row, column, regional);
        if (row < static_cast<int>(points.size())) {
            const auto &[mark, point] = points[static_cast<size_t>(row)];
            fields << NameOf(mark) << ExactText(point.x(), regional) << ExactText(point.y(), regional);
        }
        rows << Padded(fields);
    }
    return CsvDocument(rows);
}

double ResultValue(const QvResults &results, ResultLabel label)
{
    switch (label) {
    case ResultLabel::MargenQ2:
        return results.MargenQ2;
    case ResultLabel::V2min:
        return results.V2min;
    case ResultLabel::V2sup:
        return results.V2sup;
    case ResultLabel::Q2sup:
        return results.Q2sup;
    case ResultLabel::V2inf:
        return results.V2inf;
    case ResultLabel::Q2inf:
        return results.Q2inf;
    }
    return 0.0;
}

QString ResultsTable(const InputValues &inputs, const QvInputs &resultInputs, const LabelValues &values,
                     const std::array<bool, std::size(kResultLabels)> &writtenByLastRun,
                     const RegionalSettings &regional)
{
    QString text;
    const auto line = [&text](const QString &name, const QString &value, bool previous) {
        text += ResultLine(name, value, QStringLiteral("p.u."), previous);
    };
    const auto shown = [&regional](const std::optional<double> &value) {
        return value ? ExactText(*value, regional) : QString::fromLatin1(kErrorText);
    };
    for (const InputControl &control : kInputControls)
        line(QuantityName(control.box), shown(inputs[static_cast<size_t>(control.box)]), false);
    for (const ResultControl &control : kResultControls) {
        // The title without its unit: "Margen Q2 [p.u.]" -> "Margen Q2".
        const QString name = QString::fromUtf8(control.title).section(QStringLiteral(" ["), 0, 0);
        const auto index = static_cast<size_t>(control.label);
        line(name, shown(values[index]), !writtenByLastRun[index]);
    }
    // After the program's results, the Q-V method's margin: the largest
    // distance between the characteristics. It belongs with Margen Q2, the
    // first result a run writes: of the previous calculation when that is.
    const QvMethodMargin margin = ComputeQvMethodMargin(resultInputs);
    if (margin.kind != QvMethodMargin::Kind::NoLine) {
        line(QStringLiteral("Margen QV"), QvMarginValue(margin, true, regional),
             !writtenByLastRun[static_cast<size_t>(ResultLabel::MargenQ2)]);
    }
    return text;
}

QString CaseCaption(const QvInputs &inputs, const RegionalSettings &regional)
{
    QStringList parts;
    for (const InputBox box : kInputBoxes) {
        parts << ShortName(box) + QStringLiteral(" = ") + ExactText(ValueOf(inputs, box), regional);
    }
    return QStringLiteral("Caso: ") + parts.join(QStringLiteral("; ")) + QStringLiteral(" [p.u.]");
}

QByteArray CurvesCsv(const ShownCase &shown, const RegionalSettings &regional)
{
    return CurvesCsv(shown.grid, shown.marks.value_or(ChartMarks()), shown.inputs, shown.note, regional);
}

QString ResultsTable(const ShownCase &shown, const RegionalSettings &regional)
{
    const ShownResults &frame = shown.frame;
    return ResultsTable(frame.runInputs, frame.labelInputs, frame.values, frame.writtenByLastRun, regional);
}

} // namespace tarvilo
