#pragma once
// Positions and sizes in twips: 1440 twips to the inch at the screen's logical resolution.
#include <QRect>

class QWidget;

namespace ui {

inline constexpr int kTwipsPerInch = 1440;

// Pixels of a horizontal or vertical length in twips, on the screen of `w` (the primary screen
// when w is null or not yet on a screen).
int twipsToPixelsX(double twips, const QWidget* w = nullptr);
int twipsToPixelsY(double twips, const QWidget* w = nullptr);
double pixelsToTwipsX(int pixels, const QWidget* w = nullptr);
double pixelsToTwipsY(int pixels, const QWidget* w = nullptr);

// The screen area of `w` (primary screen as above), in pixels.
QRect screenRect(const QWidget* w = nullptr);

} // namespace ui
