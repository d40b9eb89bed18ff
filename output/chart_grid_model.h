#pragma once

#include "core/qv_types.h"
#include "core/regional_settings.h"

#include <QAbstractTableModel>
#include <QString>

#include <array>

namespace tarvilo {

// The chart's data grid: 300 rows of six cells, each pair of columns one
// curve (lower branch, upper branch, load characteristic). A cell holds its
// value taken to 15 significant digits, as the general text form of the
// value reads back; that is what the series plot. DisplayRole gives the
// text, EditRole the number.
class ChartGridModel : public QAbstractTableModel {
    Q_OBJECT

public:
    static constexpr int kRows = kCurvePoints;
    static constexpr int kColumns = 6;

    explicit ChartGridModel(const RegionalSettings& regional, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    double value(int row, int column) const { return m_values[row][column]; }
    QString text(int row, int column) const;

    // Rewrites all 1,800 cells from the curves in one batch (one reset).
    void LoadCurves(const QvCurves& curves);

private:
    void FillInitialContent();

    RegionalSettings m_regional;
    std::array<std::array<double, kColumns>, kRows> m_values{};
};

}  // namespace tarvilo
