#include "ui/main/result_exports.h"

#include "core/calculation_run.h"
#include "ui/chart/qv_plot.h"
#include "ui/common/csv.h"
#include "ui/common/number_text.h"
#include "ui/common/qv_margin_text.h"
#include "ui/common/quantities.h"
#include "ui/main/control_table.h"

#include <QStringList>

#include <utility>
#include <vector>

namespace tarvilo {
QByteArray CurvesCsv(const ChartGrid& grid, const ChartMarks& marks, const RegionalSettings& regional)
{
    QStringList header;
    for (const Curve curve : kCurves) {
        const QString name = NameOf(curve).toLower();
        header << QStringLiteral("Q2 %1 [p.u.]").arg(name) << QStringLiteral("V2 %1 [p.u.]").arg(name);
    }
    header << QStringLiteral("Punto") << QStringLiteral("Q2 del punto [p.u.]") << QStringLiteral("V2 del punto [p.u.]");

    std::vector<std::pair<Mark, QPointF>> points;
    if (marks.hasSolution) points = {{Mark::UpperPoint, marks.upper}, {Mark::LowerPoint, marks.lower}};
    points.emplace_back(Mark::Nose, marks.nose);

    QList<QStringList> rows{header};
    for (int row = 0; row < ChartGrid::kRows; ++row) {
        QStringList fields;
        for (int column = 0; column < ChartGrid::kColumns; ++column) fields << grid.text(row, column, regional);
        if (row < static_cast<int>(points.size())) {
            const auto& [mark, point] = points[static_cast<size_t>(row)];
            fields << NameOf(mark) << ExactText(point.x(), regional) << ExactText(point.y(), regional);
        }
        rows << fields;
    }
    return CsvDocument(rows);
}

QString ResultsTable(const QvInputs& inputs, const QvResults& results, const RegionalSettings& regional)
{
    const double inputValues[] = {inputs.X, inputs.B, inputs.Uinf, inputs.Pcarga, inputs.Qcarga, inputs.Qcap};
    const double resultValues[] = {results.MargenQ2, results.V2min, results.V2sup,
                                   results.Q2sup,    results.V2inf, results.Q2inf};
    QString text;
    const auto line = [&text](const QString& name, const QString& value) {
        text += name + QLatin1Char('\t') + value + QStringLiteral("\tp.u.\n");
    };
    for (const InputControl& control : kInputControls) {
        line(QuantityName(control.box), ExactText(inputValues[static_cast<int>(control.box)], regional));
    }
    for (const ResultControl& control : kResultControls) {
        // The title without its unit: "Margen Q2 [p.u.]" -> "Margen Q2".
        const QString name = QString::fromUtf8(control.title).section(QStringLiteral(" ["), 0, 0);
        const int index = static_cast<int>(control.label);
        const bool point = index >= static_cast<int>(ResultLabel::V2sup);
        line(name, point && !results.HasSolution ? QString::fromLatin1(kErrorText) : ExactText(resultValues[index], regional));
    }
    // After the program's results, the Q-V method's margin: the largest distance between the characteristics.
    const QvMethodMargin margin = ComputeQvMethodMargin(inputs);
    if (margin.kind != QvMethodMargin::Kind::NoLine) line(QStringLiteral("Margen QV"), QvMarginValue(margin, true, regional));
    return text;
}

}  // namespace tarvilo
