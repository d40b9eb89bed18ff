#include "ui/common/result_lines.h"

namespace tarvilo {

QString ResultLine(const QString &name, const QString &value, const QString &unit, bool previous)
{
    QString line = name + QLatin1Char('\t') + value + QLatin1Char('\t') + unit;
    if (previous)
        line += QStringLiteral("\tdel cálculo anterior");
    return line + QLatin1Char('\n');
}

} // namespace tarvilo
