#include "output/grid_series_mapper.h"

#include <QAbstractItemModel>
#include <QList>
#include <QPointF>
#include <QXYSeries>

namespace tarvilo {

GridSeriesMapper::GridSeriesMapper(QAbstractItemModel* model, int xColumn, int yColumn, QXYSeries* series,
                                   QObject* parent)
    : QObject(parent), m_model(model), m_xColumn(xColumn), m_yColumn(yColumn), m_series(series)
{
    connect(model, &QAbstractItemModel::modelReset, this, &GridSeriesMapper::Refresh);
    connect(model, &QAbstractItemModel::dataChanged, this, &GridSeriesMapper::Refresh);
    Refresh();
}

void GridSeriesMapper::Refresh()
{
    const int rows = m_model->rowCount();
    QList<QPointF> points;
    points.reserve(rows);
    for (int row = 0; row < rows; ++row) {
        points.append(QPointF(m_model->index(row, m_xColumn).data(Qt::EditRole).toDouble(),
                              m_model->index(row, m_yColumn).data(Qt::EditRole).toDouble()));
    }
    m_series->replace(points);
}

}  // namespace tarvilo
