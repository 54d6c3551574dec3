#pragma once
// Where windows open. The menu bar keeps the top of the screen; every other window opens with its
// whole frame inside the screen's available area below the menu bar's frame (above it, should the bar
// stand lower down). A window that placed itself keeps its place, moved and shrunk only as far as
// that needs; a window nobody placed opens centred over the window that opened it; a window shown
// maximised fills the area below the menu bar, also when the program maximises it later. Each window
// is placed once, when it is first shown: where the user moves it afterwards is his choice. Pop-ups
// (a date box's calendar, a list) are kept inside the screen.
#include <QMargins>
#include <QRect>
#include <functional>

class QWidget;

namespace ui {

// The window that keeps the top of the screen (the menu bar); nullptr for none.
void setTopBar(QWidget* bar);

// The area of the screen of `w` (the primary screen for none) where windows open: the larger part of
// its available area beside the frame of the visible top bar on that screen, below or above it.
QRect openingArea(const QWidget* w = nullptr);

// `frame` moved, and shrunk where it is larger, so that it lies inside `area`.
QRect fitInside(QRect frame, const QRect& area);

// The frame margins of a window: the window system's once known; before the window system has
// framed it, those of the top bar (framed the same way), else a usual frame.
QMargins expectedFrameMargins(const QWidget* w);

// A scroll area in place of `content` (the caller puts it where the content went), shown and hidden
// with it. Where the screen has room it shows the whole content; where a window had to be made shorter
// than its parts need to fit the screen, the area gives up height and scrolls.
QWidget* scrollWhenShort(QWidget* content);

// Shows a window the program opens, maximised or not; a window open already is brought forward.
void showOrRaise(QWidget* w, bool maximised = false);

// Brings a shown window to the front where it is and gives it the focus; minimised, it comes back
// as it was first.
void bringForward(QWidget* w);

// `w` opens centred in the area where windows open, whatever window was active when it appears.
void openCentred(QWidget* w);

// Calls `framed` once the window system has framed `w`; never when no frame comes in time (without a
// window manager none ever comes).
void whenFramed(QWidget* w, const std::function<void()>& framed);

// Places every window of the program from now on, as above. Call once after the QApplication exists.
void installWindowPlacement();

} // namespace ui
