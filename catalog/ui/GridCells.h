#pragma once
// Small helpers for the catalogue window's grids: cell texts, row swaps, floating editors placed over
// a cell, column widths and cut texts, the mark of a view that failed to load, and the numeric
// typing rule (digits with at most one ".", pasted text included; no key makes a number no cell shows).
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include "ui/Controls.h"

class QHelpEvent;
class QLineEdit;
class QTableWidget;
class QWidget;

namespace catalog_ui {

QString cellText(const QTableWidget* grid, int row, int col);
void setCellText(QTableWidget* grid, int row, int col, const QString& text);
// The texts of a column, top to bottom.
QStringList columnTexts(const QTableWidget* grid, int col);
// The value kept with the cell beside its text (the place among the lines loaded of the line it
// was loaded as).
QVariant cellOrigin(const QTableWidget* grid, int row, int col = 0);
void setCellOrigin(QTableWidget* grid, int row, int col, const QVariant& origin);
// Exchanges two whole rows, texts and origins.
void swapRows(QTableWidget* grid, int a, int b);
// A plain grid as the catalogue window uses them: no editing of its own, single cells chosen.
void setUpGrid(QTableWidget* grid);
// Puts `editor` over the cell (a child of the grid's viewport, the cell's width, and its height
// too unless `keepHeight`, which leaves the editor its own) and shows it.
void placeOver(QWidget* editor, QTableWidget* grid, int row, int col, bool keepHeight = false);
// Shows the editor on `text` with the whole text selected and gives it the focus; with `atEnd`,
// the cursor stands at the end of the text instead.
void startEditing(QLineEdit* editor, const QString& text, bool atEnd = false);

// The width a column needs to show its widest text whole.
int widestText(const QTableWidget* grid, int col);
// Widens the columns towards their widest texts, never below `base` (one width per column), as far
// as `room` (the pixels all the columns may take) allows; the columns needing least come first.
void widenColumns(QTableWidget* grid, const QVector<int>& base, int room);
using ui::markUnloaded;
// For a tooltip event of the grid's viewport: shows the text of a cell too narrow for it. True
// when the event was taken.
bool showCutText(QTableWidget* grid, QHelpEvent* e);

// While `active` holds, only what keeps the text "digits with at most one '.'" may be typed or
// pasted into the editor, and no key makes it a number no cell can show; a refused key beeps.
void setNumericTyping(QLineEdit* editor, bool active);
// For a key filter: true (after a beep) when the numeric rule refuses the typed text.
bool refusesKey(QLineEdit* editor, const QString& typed);

} // namespace catalog_ui
