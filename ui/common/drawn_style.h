#pragma once

namespace tarvilo {

// Under Qt's Fusion style (and no style sheet), makes the application's
// style one that draws two of Fusion's pictures itself: the frame of a group
// box and the menu bar's extension arrow. Fusion reads them from image
// files, and the first reading of any image file loads every image plugin
// of the system (a third of a megabyte, a tenth of a start-up's time) before
// the window's first frame. Any other style is left as it is.
void UseDrawnFusionPictures();

} // namespace tarvilo
