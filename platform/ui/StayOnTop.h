#pragma once
// Windows kept above all others. The window system is asked through the stay-on-top hint; where
// it ignores the hint (a display without a window manager), the window is raised again whenever
// another window of the program appears. Where neither works the program works all the same.
#include <QList>

class QWidget;

namespace ui {

void setStayOnTop(QWidget* w, bool on = true);
bool isStayOnTop(const QWidget* w);
// What is raised, bottom to top, whenever another window appears: each visible stay-on-top window,
// then the visible windows it owns (its message boxes stay readable above it).
QList<QWidget*> windowsKeptOnTop();

} // namespace ui
