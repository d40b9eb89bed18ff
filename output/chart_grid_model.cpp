#include "output/chart_grid_model.h"

#include "core/number_format.h"

namespace tarvilo {
namespace {

const char* const kColumnLabels[ChartGridModel::kColumns] = {"q2", "vl", "q2", "vh", "qcapr", "v"};

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
        const int point = row + 1;
        // Lower branch, upper branch, load characteristic; q2 is shared.
        const double q2 = ToFifteenDigitValue(curves.q2[point]);
        m_values[row] = {q2,
                         ToFifteenDigitValue(curves.vl[point]),
                         q2,
                         ToFifteenDigitValue(curves.vu[point]),
                         ToFifteenDigitValue(curves.qcapr[point]),
                         ToFifteenDigitValue(curves.v2[point])};
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
