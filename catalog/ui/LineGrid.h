#pragma once
// The line editing shared by the work-item grid and the detail-markup grid: one heading row (the
// grid's header), one line per entry, a floating text editor over the cell being edited (and, for
// one column, a combo box instead), Enter moving on cell by cell, numeric columns, adding,
// removing and moving lines. The window decides when; this class keeps the grid consistent.
#include <QList>
#include <QObject>
#include <QStringList>
#include <QVariant>
#include <QVector>

class QComboBox;
class QLineEdit;
class QTableWidget;

namespace catalog_ui {

class LineGrid : public QObject {
    Q_OBJECT
public:
    // `combo` (may be null) edits `comboColumn`; the text editor edits the others.
    LineGrid(QTableWidget* grid, QLineEdit* txt, QComboBox* combo, int comboColumn,
             QList<int> numericColumns, QObject* parent);

    QTableWidget* grid() const { return m_grid; }
    int lastColumn() const;

    // The lines with the origin of each (its place among the lines loaded; a null QVariant for
    // lines added since); at least one empty line is shown.
    void setLines(const QVector<QStringList>& lines, const QVector<QVariant>& origins);
    QVector<QStringList> lines() const;
    QVariant origin(int line) const;
    // Removes the last line when its first cell is empty.
    void dropEmptyLastLine();
    // The first numeric cell that may not be stored as it stands: its line (1-based; 0 for none),
    // its column and why (catalog::numberFault).
    struct NumberFault {
        int line = 0;
        int column = -1;
        QString why;
    };
    NumberFault firstNumberFault() const;

    // Editing state (one cell at a time).
    int curRow = 0;
    int curCol = 0;
    bool editMode = false;
    bool editExisting = false;

    void hideEditors();
    // Puts the right editor over (curRow, curCol).
    void editCell();
    // Enter: the next cell; past the last column, the next line (editing existing lines) or
    // `addRequested` (adding).
    void nextCell();
    // The last line becomes current, a new one when it is filled; the editor opens on its first
    // cell.
    void addLine();
    // Removes a line; the only line is emptied instead.
    void removeLine(int line);

    enum class Move { Moved, AtEnd, NothingSelected };
    Move moveCurrent(int step);

signals:
    void addRequested();
    // The first edit of the first column by the user since the editor opened there.
    void firstColumnTyped();

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void txt_Change(const QString& text);
    void combo_Change(const QString& text);
    bool isNumeric(int col) const { return m_numeric.contains(col); }

    QTableWidget* m_grid;
    QLineEdit* m_txt;
    QComboBox* m_combo;
    int m_comboColumn;
    QList<int> m_numeric;
    bool m_filling = false;
    bool m_typedSinceOpen = false;
};

} // namespace catalog_ui
