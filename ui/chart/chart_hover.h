#pragma once

#include "core/per_unit.h"

#include <QPointF>
#include <QString>

#include <optional>

namespace tarvilo {

class QvChart;

// What the plot shows at a scene position: the curve point or mark within a
// few pixels, by name with its exact values ("Punto superior",
// "Q = -1,66201141920777  V = 0,999102125201044"), else the coordinates
// there to four decimals ("Q = -1,662  V = 0,9991"); "" outside the plot.
// With the bases of a case given in physical units, a last line gives the
// same in Mvar and kV.
QString HoverTextAt(QvChart &plot, const QPointF &scenePosition,
                    const std::optional<PhysicalBases> &bases = std::nullopt);

} // namespace tarvilo
