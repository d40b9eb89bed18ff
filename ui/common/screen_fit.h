#pragma once

class QWidget;

namespace tarvilo {

// Makes a window that is about to open no larger than the available part of
// its screen, leaving room for the window manager's title bar and borders,
// and moves it where its usual place (centred over the window it belongs
// to) would stick out: on a small screen or with a large scaling its
// buttons stay within reach.
void FitWindowToScreen(QWidget *window);

} // namespace tarvilo
