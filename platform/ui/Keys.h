#pragma once
// Keyboard habits of the program's windows: Enter moves on like Tab in text and combo boxes, and
// some boxes accept only certain characters (any other key beeps and is dropped).
#include <QString>

class QWidget;

namespace ui {

// Enter (either Return or the keypad's Enter) in `w` acts as Tab: the focus moves to the next
// control and the Enter is dropped.
void enterAsTab(QWidget* w);
// The same for every line edit, editable combo box and combo box inside `parent`.
void enterAsTabAll(QWidget* parent);

// Only the characters in `allowed` may be typed into `w` ("\b" for Backspace, "\r" for Enter);
// any other character key beeps and is dropped. Keys that type no character (arrows, Delete,
// Home, End, Tab) and shortcuts with Ctrl or Alt pass.
void allowOnlyKeys(QWidget* w, const QString& allowed);

inline const QString kDigitsAndBackspace = QStringLiteral("0123456789\b");

} // namespace ui
