#pragma once

#include <QImage>

namespace tarvilo {

// The one-line diagram of the two-bus system shown at the top of the main
// window: source, bus 1, the line (coil and its two charging capacitors),
// bus 2, the compensation capacitor and the load, on a grey background.
// 484 x 149 pixels; every element is drawn at a fixed pixel place.
QImage DrawDiagramPicture();

inline constexpr int kDiagramWidth = 484;
inline constexpr int kDiagramHeight = 149;

} // namespace tarvilo
