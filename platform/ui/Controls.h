#pragma once
// Controls as the windows build them: each named (objectName) after the control it is in its window.
class QLineEdit;
class QPushButton;
class QString;
class QWidget;

namespace ui {

QLineEdit* textBox(QWidget* parent, const char* name);
// A text box that shows "*" for every character typed.
QLineEdit* passwordBox(QWidget* parent, const char* name);
// A button that Enter in another control never presses.
QPushButton* button(QWidget* parent, const char* name, const QString& caption);

} // namespace ui
