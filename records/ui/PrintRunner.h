#pragma once
// Running a record printout from a window: the busy indicator (always stopped), the printout
// itself and every message it ends with.
#include "PrintOutput.h"

#include <functional>

class QAbstractButton;
class QProgressBar;
class QWidget;

namespace records {

// The busy indicator `ani` of a print window: hidden until a printout runs.
QProgressBar* busyIndicator(QWidget* parent);

// Esc that reaches a modal window, no control of it having taken the key (an open list closes on it
// first, as in the toolkit's dialogs), leaves the window by `leave`: a print window by its button
// that leaves it.
void leaveOnEscape(QWidget* window, std::function<void()> leave);
void leaveOnEscape(QWidget* window, QAbstractButton* leave);
// Enter in a print window presses the push button that has the focus, else `take`, which goes on
// with the item chosen.
void takeOnEnter(QWidget* window, QAbstractButton* take);

// Runs `print` with the busy indicator; shows the cells cut when `print` tells them (before its
// hand-over, the indicator stopped), then the failure, or the saved path when the application cannot
// show it. True when a file was saved.
bool runPrintout(QProgressBar* ani, const std::function<PrintOutcome(const TellCut& tellCut)>& print);

} // namespace records
