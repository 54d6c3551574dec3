#pragma once
// Controls as the windows build them: each named (objectName) after the control it is in its window.
#include <QStringList>
#include <functional>

class QComboBox;
class QLineEdit;
class QPushButton;
class QString;
class QWidget;

namespace db {
class DbError;
}

namespace ui {

// A text box (a QLineEdit named `name`), taking its text whole (keepTextWhole).
QLineEdit* textBox(QWidget* parent, const char* name);
// Every text box of the program takes its text whole: the toolkit's default limit of 32,767 UTF-16
// units, which cuts a longer text in the middle of a character without a word, is lifted. A box
// given a limit of its own (setMaxLength) keeps it, cut at a character boundary (text::cutToUnits),
// and says so in a tip at the box. textBox applies it; every other line edit of the program
// (editable combo boxes, the cell editors, the dialogs' boxes) gets it when it is placed in a
// window or before it is first shown, through one filter on the application.
void keepTextWhole(QLineEdit* box);
// The tip a box with a limit of its own shows when it cut a text.
QString textCutTip(int limit);
// A text box that shows "*" for every character typed.
QLineEdit* passwordBox(QWidget* parent, const char* name);
// A button that Enter in another control never presses.
QPushButton* button(QWidget* parent, const char* name, const QString& caption);
// Marks a view whose content failed to load with the reason (a tooltip, and over an empty grid or
// list, or in an empty combo or text box, the text itself); an empty reason removes the mark.
// Marking and unmarking never change what a box holds (its text, its entry chosen) nor widen it.
void markUnloaded(QWidget* view, const QString& reason);
// The reason of a read that failed: "未能載入：" and what the database said.
QString unloadedReason(const db::DbError& failure);
void markUnloaded(QWidget* view, const db::DbError& failure);
// Whether the view is marked as failed to load.
bool isUnloaded(const QWidget* view);
// A list that could not be read is read again at its next use: `read` runs as a box is about to drop
// down (a press on it, F4, Alt+Down, Space on a box that takes no typing), or as a grid or list is
// pressed, while the view is marked, or while `unread` (when given) says a list that `read` fills is
// not read. An editable box is to be made editable first.
void readAgainAtUse(QWidget* view, const std::function<void()>& read,
                    const std::function<bool()>& unread = {});
// Replaces a combo box's entries without a signal. An editable box keeps its text, and its entry
// chosen while that still is the same text.
void refill(QComboBox* box, const QStringList& items);

} // namespace ui
