#pragma once

#include <QObject>

class QAbstractItemModel;
class QXYSeries;

namespace tarvilo {

// Keeps one XY series equal to two columns of a grid model (X column, Y
// column, all rows). Unlike Qt's model mapper, which moves the series point
// by point, it hands the whole column pair over with one replace(), so a
// run's 1,800 cells reach the chart at the cost of three list copies.
class GridSeriesMapper : public QObject {
    Q_OBJECT

public:
    GridSeriesMapper(QAbstractItemModel* model, int xColumn, int yColumn, QXYSeries* series,
                     QObject* parent = nullptr);

    void Refresh();

private:
    QAbstractItemModel* m_model;
    int m_xColumn;
    int m_yColumn;
    QXYSeries* m_series;
};

}  // namespace tarvilo
