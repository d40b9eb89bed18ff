#pragma once

class QSize;
class QWidget;

namespace tarvilo {

// Makes a window that is about to open no larger than the available part of
// its screen, leaving room for the window manager's title bar and borders,
// and moves it where its usual place (centred over the window it belongs
// to) would stick out: on a small screen or with a large scaling its
// buttons stay within reach.
void FitWindowToScreen(QWidget *window);

// The room a window has on its screen once the window manager's title bar
// and borders are taken off; empty when it has no screen.
QSize RoomOnScreen(const QWidget *window);

} // namespace tarvilo
