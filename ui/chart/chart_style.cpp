#include "ui/chart/chart_style.h"

namespace tarvilo {
namespace {

struct Style
{
    const char *name; // UTF-8
    QColor colour;
};

const Style kCurveStyles[] = {
    { "Rama inferior", QColor(220, 0, 0) },
    { "Rama superior", QColor(0, 150, 0) },
    { "Característica de la carga", QColor(0, 0, 202) },
};

const Style kMarkStyles[kMarkCount] = {
    { "Punto superior", QColor(0, 110, 0) },  { "Punto inferior", QColor(170, 0, 0) },
    { "Punto crítico", QColor(230, 120, 0) }, { "V2 min", QColor(110, 110, 110) },
    { "Margen Q2", QColor(200, 0, 200) },     { "Margen QV", QColor(0, 140, 160) },
};

// Each far from every curve's and mark's colour (the grey of V2 min, the
// teal of Margen QV, the orange of the nose) and from one another.
const QColor kKeptColours[kKeptColourCount] = { QColor(120, 50, 190), QColor(150, 150, 0),   QColor(80, 160, 240),
                                                QColor(140, 80, 30),  QColor(240, 110, 180), QColor(0, 60, 110),
                                                QColor(120, 200, 60), QColor(190, 150, 110) };

const char *const kAxisTitles[] = {
    "Potencia reactiva en la carga [p.u.]",
    "Potencia activa de la carga [p.u.]",
    "Potencia activa que exporta la barra 2 [p.u.]",
    "Tensión en la carga [p.u.]",
};

} // namespace

QString NameOf(Curve curve)
{
    return QString::fromUtf8(kCurveStyles[static_cast<int>(curve)].name);
}
QString NameOf(Mark mark)
{
    return QString::fromUtf8(kMarkStyles[static_cast<int>(mark)].name);
}
QColor ColourOf(Curve curve)
{
    return kCurveStyles[static_cast<int>(curve)].colour;
}
QColor ColourOf(Mark mark)
{
    return kMarkStyles[static_cast<int>(mark)].colour;
}

QColor KeptColour(int index)
{
    return kKeptColours[index % kKeptColourCount];
}

QString AxisTitle(AxisQuantity quantity)
{
    return QString::fromUtf8(kAxisTitles[static_cast<int>(quantity)]);
}

} // namespace tarvilo
