#pragma once

class QFileDialog;

namespace tarvilo {

// Qt's own open and save dialog, the same on every desktop, made ready to
// show: wide enough for its list's every column, a date whole, within the
// screen, and naming a folder "Carpeta" (Qt's Spanish catalogue lacks the
// word).
void PrepareFileDialog(QFileDialog &dialog);

} // namespace tarvilo
