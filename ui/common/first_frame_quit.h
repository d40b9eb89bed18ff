#pragma once

class QGuiApplication;

namespace tarvilo {

// For timing whole start-ups (bench/startup_ratio.py): the application ends
// as soon as the first of its windows is exposed, once that first frame is
// painted. Widgets paint an exposed window before the event loop runs again,
// so the quit, posted at the exposure, comes after the paint.
void QuitAfterFirstFrame(QGuiApplication &application);

} // namespace tarvilo
