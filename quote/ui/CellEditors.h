#pragma once
// The floating cell editors of the item grid: ten controls that stand, one at a time, over the cell
// being edited (children of the grid's viewport, placed over the cell's rectangle), copy every change
// of their text into the cell, move on Enter along the row, and the two pick lists of the item-name
// editor. The grid's mouse handling (editable cells, refusals, growth, row selection, row popup,
// tooltip, double click, scroll) lives here too.
#include "CellRules.h"

#include <QObject>
#include <QString>
#include <array>

class QComboBox;
class QEvent;
class QLineEdit;
class QListWidget;
class QMouseEvent;
class QPushButton;
class QTableView;
class frmQ;

namespace quote {

class CellEditors : public QObject {
    Q_OBJECT
public:
    explicit CellEditors(frmQ* window);

    // The editors, named after the window's controls.
    QLineEdit* T = nullptr;      // item name
    QPushButton* c = nullptr;    // opens the item-name list Ls
    QPushButton* ca = nullptr;   // opens the area list LsA (work-types-only quotation)
    QListWidget* Ls = nullptr;   // work items of the shown work type
    QListWidget* LsA = nullptr;  // areas of the project category
    QLineEdit* txt = nullptr;    // quantity, unit price, cost
    QComboBox* cbD = nullptr;    // 規格: the item's details
    QComboBox* cbU = nullptr;    // unit
    QComboBox* cbS = nullptr;    // ratio
    QComboBox* cbPs = nullptr;   // remark

    // Editing state.
    int CurRow = 0;
    int CurCol = 0;
    int SelRowStart = 0;
    int SelRowEnd = 0;
    bool SkipEditorChange = false;
    // One-row undo: [0] the row number, [1..10] the texts of columns 2 to 11; all empty: nothing.
    std::array<QString, 11> RowUndo;
    void clearUndo() { RowUndo = {}; }

    void HideCellEditors();
    // Places the editor of CurCol over the cell (CurRow, CurCol), loads and focuses it.
    void BeginCellEdit();
    // The editor over the cell now, or nullptr.
    QWidget* openEditor() const;

    // Grid events (positions in the viewport's pixels).
    void hfgQ_MouseDown(Qt::MouseButton button, const QPoint& pos);
    void hfgQ_HeaderMouseDown(Qt::MouseButton button, int column);
    void hfgQ_MouseUp();
    void hfgQ_MouseMove(const QPoint& pos, Qt::MouseButtons buttons);
    void hfgQ_DblClick(const QPoint& pos);
    void hfgQ_Scroll();

    // Editor handlers.
    void txt_Change();
    void cbS_Change();
    void Enter(QWidget* editor);
    void c_Click();
    void ca_Click();
    void Ls_Click();
    void LsA_Click();
    void cbD_Click();
    void cbPs_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    QTableView* grid() const;
    void setCurrentCell(const QString& text);
    // A change of the numeric or ratio editor: the cell takes the text and, unless the editor is
    // being loaded, the row is recomputed for column `col` and the totals refreshed.
    void numericChange(QWidget* editor, const QString& text, int col);
    void openList(QListWidget* list, QListWidget* other);
    void showRowPopup(const QPoint& globalPos);
    void selectRows(int from, int to);
    // Escape: the editor closes and its row goes back to what it held when the editor opened, or
    // when the last Enter or pick committed the edit, whichever came later.
    void cancelEdit();
    // The row as it stands is what Escape goes back to.
    void commitEdit();

    frmQ* w;
    int m_rowSelAnchor = -1; // row of a left press on the row-header column, while the button is down
    int m_rowSel = 0;        // the selection's end row (the grid's RowSel)
    int m_openedRow = 0;     // the row of the editor last opened, and its texts then or at the last commit
    ItemRow m_rowAtOpen;
};

} // namespace quote
