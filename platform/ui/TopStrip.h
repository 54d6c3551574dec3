#pragma once
// The menu bar's strip at the top of the screen, reserved with the window manager: windows it
// maximises (the title button, a double-click) then stop below the bar. On X11 through
// _NET_WM_STRUT_PARTIAL and _NET_WM_STRUT; elsewhere the placement alone keeps windows below it.
class QWidget;

namespace ui {

// Reserves the strip from the top of `bar`'s screen down by the height of its frame, across the
// screen.
void reserveTopStrip(QWidget* bar);

// A press on `bar` while a modal window is open brings that window forward (on X11).
void bringModalForwardOnPress(QWidget* bar);

} // namespace ui
