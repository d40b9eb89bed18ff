#pragma once

#include <QLocale>
#include <QObject>
#include <QSet>
#include <QString>

class QChart;
class QGraphicsTextItem;

namespace tarvilo {

// The text with ASCII digits: other scripts' digits become 0-9, direction
// marks are dropped and a minus sign becomes "-". The decimal separator
// stays as it is.
QString WithAsciiDigits(const QString& text);

// True where the locale writes numbers with other digits or another minus.
bool NeedsAsciiDigits(const QLocale& locale);

// Qt writes a chart's tick labels in the locale's own digits (Arabic-Indic
// under Arabic settings), while the result labels, the file and the grid
// use ASCII digits with the regional separator. This keeps every text of
// the chart in ASCII digits: each label it watches is rewritten the moment
// Qt sets it, so Qt places it with its final width. Qt makes new labels as
// the ticks change; the views take those in before they paint.
class AsciiDigitsKeeper : public QObject {
    Q_OBJECT

public:
    explicit AsciiDigitsKeeper(QChart* chart);

    // Takes in the texts the chart has made since the last call.
    void watchNewTexts();

private:
    void rewrite(QGraphicsTextItem* item);

    QChart* m_chart;
    QSet<QGraphicsTextItem*> m_watched;
};

}  // namespace tarvilo
