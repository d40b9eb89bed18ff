#include "ui/chart/shown_case.h"

namespace tarvilo {

AxisRanges FittedRanges(const ShownCase &shown)
{
    return FittedRanges(shown.grid, shown.kept, shown.marks ? &*shown.marks : nullptr);
}

} // namespace tarvilo
