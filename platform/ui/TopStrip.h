#pragma once
// The menu bar's strip at the top of the screen. On X11 the bar is the desktop's dock window: the
// window manager gives it no frame, keeps it above the other windows where the program put it and
// reserves its strip (_NET_WM_STRUT_PARTIAL and _NET_WM_STRUT), so that no window it places or
// maximises lies under the bar, however it treats a strip's own owner. Elsewhere the placement alone
// keeps windows below it.
class QWidget;

namespace ui {

// Makes `bar` the desktop's dock window; called as it is shown, before the window manager sees it.
void showAsDock(QWidget* bar);

// Reserves the strip from the top of `bar`'s screen down by the height of its frame, across the
// screen.
void reserveTopStrip(QWidget* bar);

// A press on `bar` while a modal window is open brings that window forward (on X11), whether the
// press comes as a core or as an XInput 2 event.
void bringModalForwardOnPress(QWidget* bar);

} // namespace ui
