#pragma once
// Controls as the windows build them: each named (objectName) after the control it is in its window.
class QLineEdit;
class QPushButton;
class QString;
class QWidget;

namespace db {
class DbError;
}

namespace ui {

QLineEdit* textBox(QWidget* parent, const char* name);
// A text box that shows "*" for every character typed.
QLineEdit* passwordBox(QWidget* parent, const char* name);
// A button that Enter in another control never presses.
QPushButton* button(QWidget* parent, const char* name, const QString& caption);
// Marks a view whose content failed to load with the reason (a tooltip, and over an empty grid or
// list, or in an empty combo or text box, the text itself); an empty reason removes the mark.
void markUnloaded(QWidget* view, const QString& reason);
// The reason of a read that failed: "未能載入：" and what the database said.
QString unloadedReason(const db::DbError& failure);
void markUnloaded(QWidget* view, const db::DbError& failure);

} // namespace ui
