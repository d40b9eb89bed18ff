#pragma once

#include <QString>

namespace tarvilo {

// The text broken into lines that each fit in the room, at any character:
// a value of hundreds of digits has no other place to break. Metrics is
// QFontMetrics or QFontMetricsF.
template <typename Metrics>
QString BrokenIntoLines(const QString &text, const Metrics &metrics, qreal room)
{
    if (metrics.horizontalAdvance(text) <= room)
        return text;
    QString lines;
    qsizetype start = 0;
    for (qsizetype end = 2; end <= text.size(); ++end) {
        if (metrics.horizontalAdvance(text.mid(start, end - start)) > room) {
            lines += text.mid(start, end - 1 - start) + QLatin1Char('\n');
            start = end - 1;
        }
    }
    return lines + text.mid(start);
}

} // namespace tarvilo
