#include "output/chart_grid_model.h"

#include "core/number_format.h"

namespace tarvilo {
namespace {

const char* const kColumnLabels[ChartGridModel::kColumns] = {"q2", "vl", "q2", "vh", "qcapr", "v"};

// What each column shows in row i: lower branch, upper branch, load.
double CurveValue(const QvCurves& curves, int point, int column)
{
    switch (column) {
    case 0: return curves.q2[point];
    case 1: return curves.vl[point];
    case 2: return curves.q2[point];
    case 3: return curves.vu[point];
    case 4: return curves.qcapr[point];
    default: return curves.v2[point];
    }
}

}  // namespace

ChartGridModel::ChartGridModel(const RegionalSettings& regional, QObject* parent)
    : QAbstractTableModel(parent), m_regional(regional)
{
    FillInitialContent();
}

int ChartGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kRows; }

int ChartGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumns; }

QVariant ChartGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= kRows || index.column() >= kColumns) return {};
    if (role == Qt::DisplayRole) return text(index.row(), index.column());
    if (role == Qt::EditRole) return m_values[index.row()][index.column()];
    return {};
}

QVariant ChartGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || section < 0) return {};
    if (orientation == Qt::Horizontal) {
        return section < kColumns ? QVariant(QString::fromLatin1(kColumnLabels[section])) : QVariant();
    }
    return section < kRows ? QVariant(QStringLiteral("R%1").arg(section + 1)) : QVariant();
}

QString ChartGridModel::text(int row, int column) const
{
    return QString::fromStdString(ToGeneralText(m_values[row][column], m_regional));
}

void ChartGridModel::LoadCurves(const QvCurves& curves)
{
    beginResetModel();
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            m_values[row][column] = ToFifteenDigitValue(CurveValue(curves, row + 1, column));
        }
    }
    endResetModel();
}

void ChartGridModel::FillInitialContent()
{
    // A few sample rows and placeholder integers, replaced by the first run.
    static const double kSampleRows[5][3] = {
        {-4, 0.5, 1.012}, {-3, 0.6, 1.011}, {-2, 0.7, 1.01}, {-1, 0.8, 1.005}, {0, 1, 1}};
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            const double value = row < 5 && column < 3 ? kSampleRows[row][column]
                                                       : static_cast<double>((row * 37 + column * 11) % 100);
            m_values[row][column] = value;
        }
    }
}

}  // namespace tarvilo
